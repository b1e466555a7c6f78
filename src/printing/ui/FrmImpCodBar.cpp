#include "printing/ui/FrmImpCodBar.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/EtiquetasImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

struct CampoIns {
    ImpCodBarIns::Campo campo;
    const char* nome;
    const char* rotulo;
};

const CampoIns CamposIns[] = {
    {ImpCodBarIns::Campo::Produto, "Produto", "Produto"},
    {ImpCodBarIns::Campo::Estacao, "Estacao", "Estação"},
    {ImpCodBarIns::Campo::Sexo, "Sexo", "Sexo"},
    {ImpCodBarIns::Campo::Referencia, "Referencia", "Referência"},
    {ImpCodBarIns::Campo::Modelo, "Modelo", "Modelo"},
    {ImpCodBarIns::Campo::Cor, "Cor", "Cor"},
    {ImpCodBarIns::Campo::Tamanho, "Tamanho", "Tamanho"},
    {ImpCodBarIns::Campo::Comprimento, "Comprimento", "Comprimento"},
    {ImpCodBarIns::Campo::Fornecedor, "Fornecedor", "Fornecedor"},
    {ImpCodBarIns::Campo::Lote, "Lote", "Lote"},
};

} // namespace

// ---------------------------------------------------------------- one row

FrmImpCodBarIns::FrmImpCodBarIns(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpCodBarIns"));
    setWindowTitle(ImpCodBarIns::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    for (const CampoIns& c : CamposIns) {
        auto* cp = new CampoCodigo(this, QLatin1String(c.nome));
        const ImpCodBarIns::Campo campo = c.campo;
        cp->ligar(&m_logica.campo(campo), [this, campo](CampoTabela&, bool abrir) {
            return abrir ? m_logica.pesquisar(campo) : m_logica.campoSaiu(campo);
        });
        m_campos[campo] = cp;
        f->addRow(QString::fromUtf8(c.rotulo), cp);
        if (campo == ImpCodBarIns::Campo::Produto) {
            txtQuantidade = criarControlo<Valor>(this, "txtQuantidade");
            txtQuantidade->setUserInteraction(&ui);
            txtQuantidade->setDecimais(0);
            f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
        }
    }
    txtPrecoLote = criarControlo<Valor>(this, "txtPrecoLote");
    txtPrecoLote->setUserInteraction(&ui);
    txtPrecoLote->setDecimais(qBound(0, ctx.casadecpreco, 4));
    f->addRow(QStringLiteral("Preço do Lote"), txtPrecoLote);
    txtCodigoDinamico = criarControlo<QLineEdit>(this, "txtCodigoDinamico");
    txtCodigoDinamico->setMaxLength(100);
    f->addRow(QStringLiteral("C. Barras - Dinâmico"), txtCodigoDinamico);
    raiz->addLayout(f);

    auto* botoes = new QHBoxLayout;
    cmdOK = criarBotaoSemEnter(this, "cmdOK", QStringLiteral("&OK"));
    cmdCancelar = criarBotaoSemEnter(this, "cmdCancelar", QStringLiteral("&Cancelar"));
    botoes->addStretch();
    botoes->addWidget(cmdOK);
    botoes->addWidget(cmdCancelar);
    raiz->addLayout(botoes);

    connect(cmdOK, &QPushButton::clicked, this, &FrmImpCodBarIns::confirmar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    mostrar();
    m_campos[ImpCodBarIns::Campo::Produto]->setFocus();
    PrepararTeclado(this);
}

void FrmImpCodBarIns::lerCampos() {
    for (auto& [campo, cp] : m_campos)
        m_logica.campo(campo).codigo = cp->codigo();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtPrecoLote = txtPrecoLote->valor();
    m_logica.txtCodigoDinamico = txtCodigoDinamico->text();
}

void FrmImpCodBarIns::mostrar() {
    for (auto& [campo, cp] : m_campos)
        cp->actualizar();
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtPrecoLote->setValor(m_logica.txtPrecoLote);
    txtCodigoDinamico->setText(m_logica.txtCodigoDinamico);
}

void FrmImpCodBarIns::focar() {
    using F = ImpCodBarIns::Foco;
    using C = ImpCodBarIns::Campo;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Produto:
        w = m_campos[C::Produto]->txtCodigo;
        break;
    case F::Quantidade:
        w = txtQuantidade->campo();
        break;
    case F::Estacao:
        w = m_campos[C::Estacao]->txtCodigo;
        break;
    case F::Sexo:
        w = m_campos[C::Sexo]->txtCodigo;
        break;
    case F::Referencia:
        w = m_campos[C::Referencia]->txtCodigo;
        break;
    case F::Modelo:
        w = m_campos[C::Modelo]->txtCodigo;
        break;
    case F::Cor:
        w = m_campos[C::Cor]->txtCodigo;
        break;
    case F::Tamanho:
        w = m_campos[C::Tamanho]->txtCodigo;
        break;
    case F::Comprimento:
        w = m_campos[C::Comprimento]->txtCodigo;
        break;
    case F::Fornecedor:
        w = m_campos[C::Fornecedor]->txtCodigo;
        break;
    case F::Lote:
        w = m_campos[C::Lote]->txtCodigo;
        break;
    case F::PrecoLote:
        w = txtPrecoLote->campo();
        break;
    case F::CodigoDinamico:
        w = txtCodigoDinamico;
        break;
    case F::Nenhum:
        break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

void FrmImpCodBarIns::confirmar() {
    lerCampos();
    const bool ok = m_logica.confirmar();
    mostrar();
    if (ok)
        accept();
    else
        focar();
}

// ---------------------------------------------------------------- the label form

FrmImpCodBar::FrmImpCodBar(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpCodBar"));
    setWindowTitle(ImpCodBar::Titulo());
    auto* raiz = new QVBoxLayout(this);

    auto* etiqueta = criarControlo<QGroupBox>(this, "fraEtiqueta");
    etiqueta->setTitle(QStringLiteral("Etiqueta"));
    auto* g = new QGridLayout(etiqueta);
    txtEtiqueta = new CampoCodigo(etiqueta, QStringLiteral("Etiqueta"));
    txtEtiqueta->ligar(&m_logica.txtEtiqueta, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtEtiqueta_Pesquisar() : m_logica.txtEtiqueta_Saiu();
    });
    txtCambio = new CampoCodigo(etiqueta, QStringLiteral("Cambio"));
    txtCambio->ligar(&m_logica.txtCambio, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtCambio_Pesquisar() : m_logica.txtCambio_Saiu();
    });
    g->addWidget(new QLabel(QStringLiteral("Etiqueta"), etiqueta), 0, 0);
    g->addWidget(txtEtiqueta, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Câmbio"), etiqueta), 1, 0);
    g->addWidget(txtCambio, 1, 1, 1, 3);
    chkIva = criarControlo<QCheckBox>(etiqueta, "chkIva", QStringLiteral("Preços com IVA"));
    chkCaixa = criarControlo<QCheckBox>(etiqueta, "chkCaixa", QStringLiteral("Imprimir Caixa de Contorno"));
    g->addWidget(chkIva, 2, 1);
    g->addWidget(chkCaixa, 2, 2, 1, 2);
    eint1H = criarControlo<QSpinBox>(etiqueta, "eint1H");
    eint1V = criarControlo<QSpinBox>(etiqueta, "eint1V");
    for (QSpinBox* s : {eint1H, eint1V}) {
        s->setRange(1, 999);
        s->setValue(1);
    }
    g->addWidget(new QLabel(QStringLiteral("1ª Coluna"), etiqueta), 3, 0);
    g->addWidget(eint1H, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("1ª Linha"), etiqueta), 3, 2);
    g->addWidget(eint1V, 3, 3);
    g->setColumnStretch(3, 1);
    raiz->addWidget(etiqueta);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    // Adding and removing rows are no controlled work: their names stay out of the cmd buttons.
    btnAdicionar = criarBotaoSemEnter(this, "btnAdicionar", QStringLiteral("&Adicionar Produto"));
    btnRemover = criarBotaoSemEnter(this, "btnRemover", QStringLiteral("&Remover"));
    cmdAlterar = criarBotaoSemEnter(this, "cmdAlterar", QStringLiteral("Alterar Conteúdo"));
    cmdImprimir = criarBotaoSemEnter(this, "cmdImprimir", QStringLiteral("Imprimir"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("Fechar"));
    for (QPushButton* b : {btnAdicionar, btnRemover, cmdAlterar})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdImprimir);
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    m_logica.imprimir = [this](const DefinicaoEtiqueta& d, const std::vector<LinhaEtiqueta>& linhas,
                               const OpcoesEtiquetas& o, const QString& destino) {
        return imprimir(d, linhas, o, destino);
    };
    connect(txtEtiqueta, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(txtCambio, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(chkIva, &QCheckBox::toggled, this, [this](bool v) { m_logica.chkIva = v; });
    connect(chkCaixa, &QCheckBox::toggled, this, [this](bool v) { m_logica.chkCaixa = v; });
    connect(eint1H, &QSpinBox::valueChanged, this, [this](int v) { m_logica.eint1H = v; });
    connect(eint1V, &QSpinBox::valueChanged, this, [this](int v) { m_logica.eint1V = v; });
    connect(btnAdicionar, &QPushButton::clicked, this, [this] { adicionar(); });
    connect(btnRemover, &QPushButton::clicked, this, [this] { m_logica.removerLinha(); });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] { m_logica.cmdAlterar_Click(); });
    // A double click changes the quantity: it may not get round the button's right.
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) {
        if (cmdAlterar->isEnabled())
            m_logica.cmdAlterar_Click();
    });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        // What is typed counts, even without leaving the box.
        m_logica.txtEtiqueta.codigo = txtEtiqueta->codigo();
        m_logica.txtCambio.codigo = txtCambio->codigo();
        const bool ok = m_logica.cmdImprimir_Click();
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    mostrar();
    resize(980, 560);
    PrepararTeclado(this);
}

void FrmImpCodBar::mostrar() {
    txtEtiqueta->actualizar();
    txtCambio->actualizar();
    chkCaixa->setChecked(m_logica.chkCaixa);
    chkIva->setChecked(m_logica.chkIva);
    // The grid of the definition bounds the first place.
    const auto& d = m_logica.definicao();
    eint1H->setMaximum(d && d->numEtiqHoriz > 0 ? d->numEtiqHoriz : 999);
    eint1V->setMaximum(d && d->numEtiqVert > 0 ? d->numEtiqVert : 999);
    eint1H->setValue(m_logica.eint1H);
    eint1V->setValue(m_logica.eint1V);
}

void FrmImpCodBar::focar() {
    using F = ImpCodBar::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Etiqueta:
        w = txtEtiqueta->txtCodigo;
        break;
    case F::Cambio:
        w = txtCambio->txtCodigo;
        break;
    case F::Coluna:
        w = eint1H;
        break;
    case F::Linha:
        w = eint1V;
        break;
    case F::Lista:
        w = lvwLista;
        break;
    case F::Nenhum:
        break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

bool FrmImpCodBar::adicionar() {
    FrmImpCodBarIns janela(m_ctx, m_ui, this);
    if (janela.exec() != QDialog::Accepted)
        return false;
    m_logica.adicionarLinha(janela.logica().linha());
    return true;
}

Resultado<ResultadoEtiquetas> FrmImpCodBar::imprimir(const DefinicaoEtiqueta& d, const std::vector<LinhaEtiqueta>& linhas,
                                                     const OpcoesEtiquetas& o, const QString& destino) {
    cPrinter p;
    auto r = ImprimirEtiquetas(p, m_ctx.bd(), d, linhas, o, destino);
    if (!r || !p.documento())
        return r;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return r;
}
