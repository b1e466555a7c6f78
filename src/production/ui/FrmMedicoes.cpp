#include "production/ui/FrmMedicoes.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/MedicoesImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "production/FormatoQuantidade.h"
#include "production/ui/FrmActPVenda.h"
#include "production/ui/FrmExistProArmLote.h"
#include "session/ui/FormAcessos.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Heights, widths, measures and quantities share the production's decimal places.
Valor* criarMedida(QWidget* pai, const char* nome, UserInteraction& ui, const GlobalContext& ctx) {
    auto* v = criarControlo<Valor>(pai, nome);
    v->setUserInteraction(&ui);
    v->setDecimais(qBound(0, ctx.casasdecProducao, 4));
    return v;
}

QString numero(const GlobalContext& ctx, const Currency& v) {
    return formatarNumeroPT(v, qBound(0, ctx.casasdecProducao, 4));
}

QString documento(const QString& tipo, const QString& numero, const QString& data) {
    if (tipo.trimmed().isEmpty() || numero.trimmed().isEmpty())
        return {};
    return QStringLiteral("%1  nº %2   De : %3").arg(tipo.trimmed(), numero.trimmed(), DataVisivel(data));
}

// What a print drew goes to the preview ("S", returned) or to the printer.
QWidget* apresentar(const cPrinter& p, const QString& destino, GlobalContext& ctx, UserInteraction& ui,
                    QWidget* pai) {
    if (destino == QStringLiteral("S"))
        return MostrarDocumento(p.documento(), ctx, ui, pai);
    ApresentarDocumento(p, ctx, ui, pai);
    return nullptr;
}

const char* const NomesMedicoes[3] = {"optMedicoesA", "optMedicoesL", "optMedicoesF"};
const QString TiposMedicoes[3] = {QStringLiteral("A"), QStringLiteral("L"), QStringLiteral("F")};

} // namespace

// ---------------------------------------------------------------- raw-material line

FrmMedicoesTemplateInsProdutos::FrmMedicoesTemplateInsProdutos(GlobalContext& ctx, UserInteraction& ui,
                                                               QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMedicoesTemplateIns_Produtos"));
    setWindowTitle(MedicoesTemplateInsProdutos::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    txtQuantidade = criarMedida(this, "txtQuantidade", ui, ctx);
    f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
    raiz->addLayout(f);

    auto* medicoes = criarControlo<QGroupBox>(this, "fraMedicoes");
    medicoes->setTitle(QStringLiteral("Medições"));
    auto* g = new QGridLayout(medicoes);
    const QString opcoes[3] = {QStringLiteral("Altura"), QStringLiteral("Largura"),
                               QStringLiteral("Unidade Fixa")};
    for (int i = 0; i < 3; ++i) {
        optMedicoes[size_t(i)] = criarControlo<QRadioButton>(medicoes, NomesMedicoes[i], opcoes[i]);
        g->addWidget(optMedicoes[size_t(i)], 0, i);
    }
    txtMedida = criarMedida(medicoes, "txtMedida", ui, ctx);
    g->addWidget(new QLabel(QStringLiteral("Medida --->"), medicoes), 1, 0);
    g->addWidget(txtMedida, 1, 1, 1, 2);
    raiz->addWidget(medicoes);

    auto* f2 = new QFormLayout;
    txtArmazem = new CampoCodigo(this, QStringLiteral("Armazem"));
    txtArmazem->ligar(&m_logica.txtArmazem, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtArmazem_Pesquisar() : m_logica.txtArmazem_Saiu();
    });
    f2->addRow(QStringLiteral("Armazém de Saida"), txtArmazem);
    raiz->addLayout(f2);

    auto* botoes = new QHBoxLayout;
    cmdOK = criarBotaoSemEnter(this, "cmdOK", QStringLiteral("&OK"));
    cmdCancelar = criarBotaoSemEnter(this, "cmdCancelar", QStringLiteral("&Cancelar"));
    botoes->addStretch();
    botoes->addWidget(cmdOK);
    botoes->addWidget(cmdCancelar);
    raiz->addLayout(botoes);

    connect(cmdOK, &QPushButton::clicked, this, &FrmMedicoesTemplateInsProdutos::confirmar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    carregar(std::nullopt);
    PrepararTeclado(this);
}

void FrmMedicoesTemplateInsProdutos::carregar(const std::optional<LinhaMedicao>& linha) {
    m_logica.Carregar_Dados(linha);
    mostrar();
    txtProduto->setFocus();
}

void FrmMedicoesTemplateInsProdutos::lerCampos() {
    m_logica.txtProduto.codigo = txtProduto->codigo();
    m_logica.txtArmazem.codigo = txtArmazem->codigo();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtMedida = txtMedida->valor();
    for (size_t i = 0; i < 3; ++i)
        if (optMedicoes[i]->isChecked())
            m_logica.optMedicoes = TiposMedicoes[i];
}

void FrmMedicoesTemplateInsProdutos::mostrar() {
    txtProduto->actualizar();
    txtArmazem->actualizar();
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtMedida->setValor(m_logica.txtMedida);
    for (size_t i = 0; i < 3; ++i)
        optMedicoes[i]->setChecked(m_logica.optMedicoes == TiposMedicoes[i]);
}

void FrmMedicoesTemplateInsProdutos::focar() {
    using F = MedicoesTemplateInsProdutos::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Produto:
        w = txtProduto->txtCodigo;
        break;
    case F::Quantidade:
        w = txtQuantidade->campo();
        break;
    case F::Medida:
        w = txtMedida->campo();
        break;
    case F::Armazem:
        w = txtArmazem->txtCodigo;
        break;
    case F::Nenhum:
        break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

void FrmMedicoesTemplateInsProdutos::confirmar() {
    lerCampos();
    const bool ok = m_logica.confirmar();
    mostrar();
    if (ok)
        accept();
    else
        focar();
}

// ---------------------------------------------------------------- template record

FrmMedicoesTemplateIns::FrmMedicoesTemplateIns(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMedicoesTemplateIns"));
    setWindowTitle(MedicoesTemplateIns::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    auto* medidas = new QHBoxLayout;
    txtAltura = criarMedida(this, "txtAltura", ui, ctx);
    txtLargura = criarMedida(this, "txtLargura", ui, ctx);
    medidas->addWidget(txtAltura);
    medidas->addWidget(new QLabel(QStringLiteral("Largura"), this));
    medidas->addWidget(txtLargura);
    medidas->addStretch();
    f->addRow(QStringLiteral("Altura"), medidas);
    txtArmazem = new CampoCodigo(this, QStringLiteral("Armazem"));
    txtArmazem->ligar(&m_logica.txtArmazem, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtArmazem_Pesquisar() : m_logica.txtArmazem_Saiu();
    });
    f->addRow(QStringLiteral("Armazém de Entrada do Produto Acabado"), txtArmazem);
    raiz->addLayout(f);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdAdicionar = criarBotaoSemEnter(this, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotaoSemEnter(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotaoSemEnter(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdGravar = criarBotaoSemEnter(this, "cmdGravar", QStringLiteral("&Gravar"));
    cmdSair = criarBotaoSemEnter(this, "cmdSair", QStringLiteral("&Sair"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdGravar);
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    connect(cmdAdicionar, &QPushButton::clicked, this, &FrmMedicoesTemplateIns::adicionarLinha);
    connect(cmdAlterar, &QPushButton::clicked, this, &FrmMedicoesTemplateIns::alterarLinha);
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) { alterarLinha(); });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] { m_logica.eliminarLinha(); });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.gravar();
        m_gravado = m_gravado || ok;
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdSair, &QPushButton::clicked, this,
            [this] { done(m_gravado ? QDialog::Accepted : QDialog::Rejected); });
    resize(820, 480);
    PrepararTeclado(this);
}

bool FrmMedicoesTemplateIns::abrir(QChar modo, const QString& produto) {
    m_gravado = false;
    const bool ok = m_logica.Abrir(modo, produto);
    mostrar();
    (m_logica.produtoEditavel() ? txtProduto->txtCodigo : txtAltura->campo())->setFocus();
    return ok;
}

void FrmMedicoesTemplateIns::lerCampos() {
    if (m_logica.produtoEditavel())
        m_logica.txtProduto.codigo = txtProduto->codigo();
    m_logica.txtArmazem.codigo = txtArmazem->codigo();
    m_logica.txtAltura = txtAltura->valor();
    m_logica.txtLargura = txtLargura->valor();
}

void FrmMedicoesTemplateIns::mostrar() {
    txtProduto->setActivo(m_logica.produtoEditavel());
    txtArmazem->actualizar();
    txtAltura->setValor(m_logica.txtAltura);
    txtLargura->setValor(m_logica.txtLargura);
}

void FrmMedicoesTemplateIns::focar() {
    using F = MedicoesTemplateIns::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Produto:
        w = txtProduto->txtCodigo;
        break;
    case F::Altura:
        w = txtAltura->campo();
        break;
    case F::Largura:
        w = txtLargura->campo();
        break;
    case F::Armazem:
        w = txtArmazem->txtCodigo;
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

void FrmMedicoesTemplateIns::adicionarLinha() {
    // The heading typed so far stays while the line window is open.
    lerCampos();
    FrmMedicoesTemplateInsProdutos janela(m_ctx, m_ui, this);
    janela.carregar(std::nullopt);
    if (janela.exec() == QDialog::Accepted)
        m_logica.adicionarLinha(janela.logica().linha());
}

void FrmMedicoesTemplateIns::alterarLinha() {
    // The list may be sorted: each row's tag is its place among the lines.
    const int linha = m_logica.linhaSeleccionada();
    if (linha < 0)
        return;
    const int indice = int(m_logica.lvwLista.tag(linha).toLongLong());
    if (indice < 0 || indice >= int(m_logica.linhas().size()))
        return;
    lerCampos();
    FrmMedicoesTemplateInsProdutos janela(m_ctx, m_ui, this);
    janela.carregar(m_logica.linhas()[size_t(indice)]);
    if (janela.exec() == QDialog::Accepted)
        m_logica.alterarLinha(indice, janela.logica().linha());
}

// ---------------------------------------------------------------- template list

FrmMedicoesTemplate::FrmMedicoesTemplate(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMedicoesTemplate"));
    setWindowTitle(MedicoesTemplate::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* filtro = criarControlo<QGroupBox>(this, "fraFiltro");
    filtro->setTitle(QStringLiteral("Filtro"));
    auto* f = new QFormLayout(filtro);
    txtProduto = new CampoCodigo(filtro, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    raiz->addWidget(filtro);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdAdicionar = criarBotao(this, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotao(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotao(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdSair = criarBotao(this, "cmdSair", QStringLiteral("&Sair"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    connect(txtProduto, &CampoCodigo::validado, this, [this](bool) { m_logica.Carregar(); });
    connect(cmdAdicionar, &QPushButton::clicked, this, [this] { editar(u'N'); });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] { editar(u'A'); });
    // A double click is a change: it may not get round the change button's right.
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) {
        if (cmdAlterar->isEnabled())
            editar(u'A');
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] { m_logica.eliminar(); });
    connect(cmdSair, &QPushButton::clicked, this, &QWidget::close);

    m_logica.Carregar();
    txtProduto->actualizar();
    resize(820, 480);
    PrepararTeclado(this);
}

void FrmMedicoesTemplate::editar(QChar modo) {
    QString produto;
    if (modo == u'A') {
        produto = m_logica.seleccionado();
        if (produto.trimmed().isEmpty())
            return;
    }
    FrmMedicoesTemplateIns janela(m_ctx, m_ui, this);
    if (janela.abrir(modo, produto))
        janela.exec();
    m_logica.Carregar();
}

// ---------------------------------------------------------------- calculation prints

FrmMedicoesCalculosMedidasIMP::FrmMedicoesCalculosMedidasIMP(GlobalContext& ctx, UserInteraction& ui,
                                                             const CalculoMedicoes& calculo, QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui, calculo) {
    setObjectName(QStringLiteral("frmMedicoesCalculosMedidasIMP"));
    setWindowTitle(MedicoesCalculosMedidasIMP::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    lblProduto = criarRotulo(this, "lblProduto");
    lblAltura = criarRotulo(this, "lblAltura");
    lblLargura = criarRotulo(this, "lblLargura");
    lblQuantidade = criarRotulo(this, "lblQuantidade");
    f->addRow(QStringLiteral("Produto"), lblProduto);
    f->addRow(QStringLiteral("Altura"), lblAltura);
    f->addRow(QStringLiteral("Largura"), lblLargura);
    f->addRow(QStringLiteral("Quantidade"), lblQuantidade);
    raiz->addLayout(f);
    const CalculoMedicoes& c = m_logica.calculo();
    lblProduto->setText(c.produto.trimmed() + QStringLiteral(" - ") + c.descricao.trimmed());
    lblAltura->setText(numero(ctx, c.altura));
    lblLargura->setText(numero(ctx, c.largura));
    lblQuantidade->setText(numero(ctx, c.quantidade));

    auto* botoes = new QHBoxLayout;
    cmdImprimir = criarBotaoSemEnter(this, "cmdImprimir", QStringLiteral("&Imprimir"));
    cmdImprimirValores =
        criarBotaoSemEnter(this, "cmdImprimirValores", QStringLiteral("Imprimir Valores (Prç. Venda)"));
    cmdSair = criarBotaoSemEnter(this, "cmdSair", QStringLiteral("&Sair"));
    botoes->addWidget(cmdImprimir);
    botoes->addWidget(cmdImprimirValores);
    botoes->addStretch();
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    m_logica.imprimirQuantidades = [this](const CalculoMedicoes& calc, const QString& destino) {
        cPrinter p;
        if (!ImprimirCalculoMedicoes(p, calc, destino) || !p.documento())
            return false;
        m_visualizacao = apresentar(p, destino, m_ctx, m_ui, this);
        return true;
    };
    m_logica.imprimirValores = [this](const CalculoMedicoes& calc, const ValoresMedicoes& v,
                                      const QString& destino) {
        cPrinter p;
        if (!ImprimirValoresMedicoes(p, calc, v, destino) || !p.documento())
            return false;
        m_visualizacao = apresentar(p, destino, m_ctx, m_ui, this);
        return true;
    };
    connect(cmdImprimir, &QPushButton::clicked, this, [this] { m_logica.cmdImprimir_Click(); });
    connect(cmdImprimirValores, &QPushButton::clicked, this, [this] { m_logica.cmdImprimirValores_Click(); });
    connect(cmdSair, &QPushButton::clicked, this, &QDialog::accept);
    PrepararTeclado(this);
}

// ---------------------------------------------------------------- calculation

FrmMedicoesCalculosMedidas::FrmMedicoesCalculosMedidas(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMedicoesCalculosMedidas"));
    setWindowTitle(MedicoesCalculosMedidas::Titulo());
    auto* raiz = new QVBoxLayout(this);

    auto* g = new QGridLayout;
    lblProduto = criarRotulo(this, "lblProduto");
    lblDescricao = criarRotulo(this, "lblDescricao");
    QFont negrito = lblProduto->font();
    negrito.setBold(true);
    lblProduto->setFont(negrito);
    lblDescricao->setFont(negrito);
    g->addWidget(new QLabel(QStringLiteral("Produto"), this), 0, 0);
    g->addWidget(lblProduto, 0, 1);
    g->addWidget(lblDescricao, 0, 2, 1, 2);
    txtAlturaBase = criarMedida(this, "txtAlturaBase", ui, ctx);
    txtLarguraBase = criarMedida(this, "txtLarguraBase", ui, ctx);
    for (Valor* v : {txtAlturaBase, txtLarguraBase}) {
        v->setLocked(true);
        v->setAcesso(false);
    }
    g->addWidget(new QLabel(QStringLiteral("Altura Base"), this), 1, 0);
    g->addWidget(txtAlturaBase, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Largura Base"), this), 1, 2);
    g->addWidget(txtLarguraBase, 1, 3);
    txtAltura = criarMedida(this, "txtAltura", ui, ctx);
    txtLargura = criarMedida(this, "txtLargura", ui, ctx);
    g->addWidget(new QLabel(QStringLiteral("Nova Altura"), this), 2, 0);
    g->addWidget(txtAltura, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Nova Largura"), this), 2, 2);
    g->addWidget(txtLargura, 2, 3);
    txtQuantidade = criarMedida(this, "txtQuantidade", ui, ctx);
    g->addWidget(new QLabel(QStringLiteral("Quantidade de Produto Acabado"), this), 3, 0);
    g->addWidget(txtQuantidade, 3, 1);
    txtArmazem = new CampoCodigo(this, QStringLiteral("Armazem"));
    txtArmazem->ligar(&m_logica.txtArmazem, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtArmazem_Pesquisar() : m_logica.txtArmazem_Saiu();
    });
    g->addWidget(new QLabel(QStringLiteral("Arm.de Entrada"), this), 4, 0);
    g->addWidget(txtArmazem, 4, 1, 1, 3);
    g->setColumnStretch(3, 1);
    raiz->addLayout(g);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdCalcular = criarBotaoSemEnter(this, "cmdCalcular", QStringLiteral("&Calcular"));
    cmdImprimir = criarBotaoSemEnter(this, "cmdImprimir", QStringLiteral("&Imprimir"));
    cmdIntegrar = criarBotaoSemEnter(this, "cmdIntegrar", QStringLiteral("Inte&grar Lote nos Stocks"));
    cmdSair = criarBotaoSemEnter(this, "cmdSair", QStringLiteral("&Sair"));
    for (QPushButton* b : {cmdCalcular, cmdImprimir, cmdIntegrar})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    m_logica.abrirImpressao = [this](const CalculoMedicoes& c) {
        FrmMedicoesCalculosMedidasIMP janela(m_ctx, m_ui, c, this);
        janela.exec();
    };
    m_logica.escolherLote = [this](ExistProArmLote& pedido) { escolherLote(pedido); };
    m_logica.actualizarPrecosVenda = [this](const QString& produto, const Currency& custo) {
        FrmActPVenda janela(m_ctx, m_ui, this);
        if (janela.logica().carregar(produto, custo))
            janela.exec();
    };
    m_logica.imprimirFolha = [this](const QString& lote) { imprimirFolha(lote); };

    connect(cmdCalcular, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.cmdCalcular_Click();
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.cmdImprimir_Click();
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdIntegrar, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.cmdIntegrar_Click();
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdSair, &QPushButton::clicked, this, &QDialog::close);
    aplicarAcessos();
    resize(900, 560);
    PrepararTeclado(this);
}

void FrmMedicoesCalculosMedidas::aplicarAcessos() {
    // Reached from "Cálculos para Produtos Acabados": its buttons' rights are kept under that entry.
    const ResultadoFormAcessos r = FormAcessos(
        m_ctx, m_ctx.CodigoUtilizador,
        DescreverJanela(this, QStringLiteral("frmMedicoesCalculos"), MedicoesTemplate::TituloCalculos()));
    if (r.permitido) {
        AplicarBotoes(this, r);
        return;
    }
    for (QPushButton* b : {cmdCalcular, cmdImprimir, cmdIntegrar})
        b->setEnabled(false);
}

bool FrmMedicoesCalculosMedidas::abrir(const QString& produto) {
    const bool ok = m_logica.Carregar_Registo(produto);
    mostrar();
    txtAltura->campo()->setFocus();
    return ok;
}

void FrmMedicoesCalculosMedidas::lerCampos() {
    m_logica.txtAltura = txtAltura->valor();
    m_logica.txtLargura = txtLargura->valor();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtArmazem.codigo = txtArmazem->codigo();
}

void FrmMedicoesCalculosMedidas::mostrar() {
    const TemplateMedicoes& t = m_logica.modelo();
    lblProduto->setText(t.produtoAcabado.trimmed());
    lblDescricao->setText(t.descricao.trimmed());
    txtAlturaBase->setValor(t.altura);
    txtLarguraBase->setValor(t.largura);
    txtAltura->setValor(m_logica.txtAltura);
    txtLargura->setValor(m_logica.txtLargura);
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtArmazem->actualizar();
}

void FrmMedicoesCalculosMedidas::focar() {
    using F = MedicoesCalculosMedidas::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Altura:
        w = txtAltura->campo();
        break;
    case F::Largura:
        w = txtLargura->campo();
        break;
    case F::Quantidade:
        w = txtQuantidade->campo();
        break;
    case F::Armazem:
        w = txtArmazem->txtCodigo;
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

void FrmMedicoesCalculosMedidas::escolherLote(ExistProArmLote& pedido) {
    FrmExistProArmLote janela(m_ctx, m_ui, this);
    ExistProArmLote& l = janela.logica();
    l.txtCodigo = pedido.txtCodigo;
    l.txtArmazem = pedido.txtArmazem;
    l.txtAfectaSTK = pedido.txtAfectaSTK;
    l.txtIgnoraControlos = pedido.txtIgnoraControlos;
    l.txtSomaQTY = pedido.txtSomaQTY;
    l.VerLote(pedido.txtLote, pedido.txtDataFabrico, pedido.txtDataValidade);
    janela.exec();
    pedido.txtLote = l.txtLote;
    pedido.txtLocalizacao = l.txtLocalizacao;
    pedido.txtDataFabrico = l.txtDataFabrico;
    pedido.txtDataValidade = l.txtDataValidade;
    pedido.txtExiste = l.txtExiste;
}

void FrmMedicoesCalculosMedidas::imprimirFolha(const QString& lote) {
    const auto folha = LerFolhaLoteMedicoes(m_ctx.bd(), lote);
    if (!folha) {
        m_ui.mensagem(folha.mensagem().isEmpty() ? MensagemLoteMedicoesInexistente : folha.mensagem(),
                      UserInteraction::Icone::Exclamacao);
        return;
    }
    cPrinter p;
    if (ImprimirFolhaLoteMedicoes(p, *folha, QStringLiteral("S")) && p.documento())
        m_visualizacao = MostrarDocumento(p.documento(), m_ctx, m_ui, this);
}

// ---------------------------------------------------------------- calculation list

FrmMedicoesCalculos::FrmMedicoesCalculos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMedicoesCalculos"));
    setWindowTitle(MedicoesTemplate::TituloCalculos());
    auto* raiz = new QVBoxLayout(this);
    auto* filtro = criarControlo<QGroupBox>(this, "fraFiltro");
    filtro->setTitle(QStringLiteral("Filtro"));
    auto* f = new QFormLayout(filtro);
    txtProduto = new CampoCodigo(filtro, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto"), txtProduto);
    raiz->addWidget(filtro);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdSeleccionar = criarBotao(this, "cmdSeleccionar", QStringLiteral("&Seleccionar"));
    cmdSair = criarBotao(this, "cmdSair", QStringLiteral("&Sair"));
    botoes->addWidget(cmdSeleccionar);
    botoes->addStretch();
    botoes->addWidget(cmdSair);
    raiz->addLayout(botoes);

    connect(txtProduto, &CampoCodigo::validado, this, [this](bool) { m_logica.Carregar(); });
    connect(cmdSeleccionar, &QPushButton::clicked, this, [this] { seleccionar(); });
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) {
        if (cmdSeleccionar->isEnabled())
            seleccionar();
    });
    connect(cmdSair, &QPushButton::clicked, this, &QWidget::close);

    m_logica.Carregar();
    txtProduto->actualizar();
    resize(820, 480);
    PrepararTeclado(this);
}

FrmMedicoesCalculosMedidas* FrmMedicoesCalculos::seleccionar() {
    const QString produto = m_logica.seleccionado();
    if (produto.trimmed().isEmpty())
        return nullptr;
    // Its own window: several calculations may be worked on beside the list.
    auto* janela = new FrmMedicoesCalculosMedidas(m_ctx, m_ui, this);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    if (!janela->abrir(produto)) {
        delete janela;
        return nullptr;
    }
    janela->show();
    return janela;
}

// ---------------------------------------------------------------- lot sheet

FrmImpFolhaLoteMedicoes::FrmImpFolhaLoteMedicoes(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpFolhaLoteMedicoes"));
    setWindowTitle(ImpFolhaLoteMedicoes::Titulo());
    auto* f = new QFormLayout(this);
    txtLote = new CampoCodigo(this, QStringLiteral("Lote"));
    // The search offers closed measurement lots only; either way the chosen lot's sheet is read.
    txtLote->ligar(&m_logica.txtLote, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtLote_Pesquisar() : m_logica.txtLote_LostFocus();
    });
    f->addRow(QStringLiteral("Lote"), txtLote);
    auto rotulo = [this](const char* nome) { return criarRotulo(this, nome); };
    lblProduto = rotulo("lblProduto");
    lblQuantidade = rotulo("lblQuantidade");
    lblAltura = rotulo("lblAltura");
    lblLargura = rotulo("lblLargura");
    lblSaida = rotulo("lblSaida");
    lblEntrada = rotulo("lblEntrada");
    f->addRow(QStringLiteral("Produto"), lblProduto);
    f->addRow(QStringLiteral("Quantidade"), lblQuantidade);
    f->addRow(QStringLiteral("Altura"), lblAltura);
    f->addRow(QStringLiteral("Largura"), lblLargura);
    f->addRow(QStringLiteral("Tipo Mov. Saida"), lblSaida);
    f->addRow(QStringLiteral("Tipo Mov. Entrada"), lblEntrada);
    auto* b = new QHBoxLayout;
    cmdImprimir = criarBotao(this, "cmdImprimir", QStringLiteral("Imprimir"));
    cmdSair = criarBotao(this, "cmdSair", QStringLiteral("&Sair"));
    b->addStretch();
    b->addWidget(cmdImprimir);
    b->addWidget(cmdSair);
    f->addRow(b);

    m_logica.imprimir = [this](const FolhaLoteMedicoes& folha, const QString& destino) {
        return imprimir(folha, destino);
    };
    connect(txtLote, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        // A lot typed without leaving the box is read first.
        if (!m_logica.folha() || m_logica.txtLote.codigo != txtLote->codigo()) {
            m_logica.txtLote.codigo = txtLote->codigo();
            m_logica.txtLote_LostFocus();
            mostrar();
        }
        if (m_logica.folha())
            m_logica.cmdImprimir_Click();
    });
    connect(cmdSair, &QPushButton::clicked, this, &QWidget::close);
    mostrar();
    PrepararTeclado(this);
}

void FrmImpFolhaLoteMedicoes::mostrar() {
    txtLote->actualizar();
    const auto& f = m_logica.folha();
    const int casas = qBound(0, m_ctx.casadecquant, 4);
    lblProduto->setText(f ? f->produto.trimmed() + QStringLiteral(" - ") + f->descricaoProduto.trimmed()
                          : QString());
    lblQuantidade->setText(f ? formatarNumeroPT(f->quantidade, casas) : QString());
    lblAltura->setText(f ? numero(m_ctx, f->altura) : QString());
    lblLargura->setText(f ? numero(m_ctx, f->largura) : QString());
    lblSaida->setText(f ? documento(f->tipoSaida, f->numeroSaida, f->dataSaida) : QString());
    lblEntrada->setText(f ? documento(f->tipoEnt, f->numeroEnt, f->dataEnt) : QString());
}

bool FrmImpFolhaLoteMedicoes::imprimir(const FolhaLoteMedicoes& f, const QString& destino) {
    cPrinter p;
    if (!ImprimirFolhaLoteMedicoes(p, f, destino) || !p.documento())
        return false;
    if (QWidget* v = apresentar(p, destino, m_ctx, m_ui, this))
        m_visualizacao = v;
    return true;
}
