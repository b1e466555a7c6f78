#include "production/ui/FrmNomenclaturaNaHora.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/ListaVista.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// "key:caption;key:caption;" into the combo, keys as item data.
void preencherOpcoes(QComboBox* c, const QString& opcoes) {
    c->clear();
    for (const QString& o : opcoes.split(u';', Qt::SkipEmptyParts))
        c->addItem(o.section(u':', 1), o.section(u':', 0, 0));
}

} // namespace

// ---------------------------------------------------------------- line editor

FrmNomenclaturaNaHoraINS::FrmNomenclaturaNaHoraINS(NomenclaturaNaHoraINS& logica, GlobalContext& ctx, QWidget* pai)
    : QDialog(pai), m_logica(logica) {
    setObjectName(QStringLiteral("frmNomenclaturaNaHoraINS"));
    setWindowTitle(NomenclaturaNaHoraINS::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProduto = criarControlo<QLineEdit>(this, "txtProduto");
    cmdPesqProduto = criarBotaoSemEnter(this, "cmdPesqProduto", QStringLiteral("..."));
    txtDescricao = criarControlo<QLineEdit>(this, "txtDescricao");
    txtDescricao->setReadOnly(true);
    txtDescricao->setFocusPolicy(Qt::NoFocus);
    auto* produto = new QHBoxLayout;
    produto->addWidget(txtProduto);
    produto->addWidget(cmdPesqProduto);
    produto->addWidget(txtDescricao, 1);
    f->addRow(QStringLiteral("Produto"), produto);
    txtArmazem = criarControlo<QLineEdit>(this, "txtArmazem");
    cmdPesqArmazem = criarBotaoSemEnter(this, "cmdPesqArmazem", QStringLiteral("..."));
    auto* armazem = new QHBoxLayout;
    armazem->addWidget(txtArmazem);
    armazem->addWidget(cmdPesqArmazem);
    armazem->addStretch();
    f->addRow(QStringLiteral("Armazém"), armazem);
    txtQuantidade = criarControlo<Valor>(this, "txtQuantidade");
    txtQuantidade->setDecimais(qBound(0, ctx.casasdecProducao, 4));
    f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
    cboPrecario = criarControlo<QComboBox>(this, "cboPrecario");
    f->addRow(QStringLiteral("Preçário"), cboPrecario);
    txtValor = criarControlo<Valor>(this, "txtValor");
    txtValor->setDecimais(4);
    lblValor = criarRotulo(this, "lblValor");
    lblValor->setText(QStringLiteral("Valor"));
    f->addRow(lblValor, txtValor);
    txtObserva = criarControlo<QLineEdit>(this, "txtObserva");
    f->addRow(QStringLiteral("Observação"), txtObserva);
    raiz->addLayout(f);
    auto* botoes = new QHBoxLayout;
    cmdGravar = criarBotaoSemEnter(this, "cmdGravar", QStringLiteral("&Gravar"));
    cmdCancelar = criarBotaoSemEnter(this, "cmdCancelar", QStringLiteral("&Cancelar"));
    botoes->addStretch();
    botoes->addWidget(cmdGravar);
    botoes->addWidget(cmdCancelar);
    raiz->addLayout(botoes);

    connect(txtProduto, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtProduto->text() == m_logica.txtProduto.codigo)
            return;
        lerCampos();
        m_logica.produtoSaiu();
        mostrar();
        focar();
    });
    connect(cmdPesqProduto, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.pesquisarProduto();
        mostrar();
    });
    connect(txtArmazem, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtArmazem->text() == m_logica.txtArmazem.codigo)
            return;
        lerCampos();
        m_logica.armazemSaiu();
        mostrar();
    });
    connect(cmdPesqArmazem, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.pesquisarArmazem();
        mostrar();
    });
    connect(cboPrecario, &QComboBox::activated, this, [this] {
        lerCampos();
        m_logica.escolherPrecario(cboPrecario->currentData().toString());
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (m_logica.gravar())
            accept();
        else {
            mostrar();
            focar();
        }
    });
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    mostrar();
    PrepararTeclado(this);
}

void FrmNomenclaturaNaHoraINS::lerCampos() {
    m_logica.txtProduto.codigo = txtProduto->text();
    m_logica.txtArmazem.codigo = txtArmazem->text();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtValor = txtValor->valor();
    m_logica.txtObserva = txtObserva->text();
}

void FrmNomenclaturaNaHoraINS::mostrar() {
    m_aMostrar = true;
    txtProduto->setText(m_logica.txtProduto.codigo);
    txtProduto->setEnabled(m_logica.produtoActivo());
    cmdPesqProduto->setEnabled(m_logica.produtoActivo());
    txtDescricao->setText(m_logica.txtProduto.descricao);
    txtArmazem->setText(m_logica.txtArmazem.codigo);
    txtQuantidade->setValor(m_logica.txtQuantidade);
    preencherOpcoes(cboPrecario, m_logica.opcoesPrecario());
    cboPrecario->setCurrentIndex(cboPrecario->findData(m_logica.precario));
    txtValor->setValor(m_logica.txtValor);
    txtValor->setVisible(m_logica.valorVisivel());
    lblValor->setVisible(m_logica.valorVisivel());
    txtObserva->setText(m_logica.txtObserva);
    m_aMostrar = false;
}

void FrmNomenclaturaNaHoraINS::focar() {
    using F = NomenclaturaNaHoraINS::Foco;
    switch (m_logica.focoPedido()) {
    case F::Produto:
        txtProduto->setFocus();
        break;
    case F::Armazem:
        txtArmazem->setFocus();
        break;
    case F::Quantidade:
        txtQuantidade->setFocus();
        break;
    case F::Precario:
        cboPrecario->setFocus();
        break;
    case F::Valor:
        txtValor->setFocus();
        break;
    case F::Nenhum:
        break;
    }
}

// ---------------------------------------------------------------- window

FrmNomenclaturaNaHora::FrmNomenclaturaNaHora(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmNomenclaturaNaHora"));
    setWindowTitle(NomenclaturaNaHora::Titulo());
    auto* raiz = new QVBoxLayout(this);
    paginas = new QStackedWidget(this);
    raiz->addWidget(paginas);

    // List mode.
    auto* p1 = new QWidget;
    auto* l1 = new QVBoxLayout(p1);
    lvwLista = criarControlo<ListaVista>(p1, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    l1->addWidget(lvwLista);
    auto* b1 = new QHBoxLayout;
    cmdRefresh = criarBotao(p1, "cmdRefresh", QStringLiteral("&Refresh"));
    cmdAdicionar = criarBotao(p1, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotao(p1, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotao(p1, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdFechar = criarBotao(p1, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdRefresh, cmdAdicionar, cmdAlterar, cmdEliminar, cmdFechar})
        b1->addWidget(b);
    l1->addLayout(b1);
    paginas->addWidget(p1);

    // Edit mode.
    auto* p2 = new QWidget;
    auto* l2 = new QVBoxLayout(p2);
    auto* cab = new QHBoxLayout;
    txtCodigo = criarControlo<QLineEdit>(p2, "txtCodigo");
    txtCodigo->setMaxLength(15);
    txtDescricao = criarControlo<QLineEdit>(p2, "txtDescricao");
    txtDescricao->setMaxLength(50);
    cboFluxo = criarControlo<QComboBox>(p2, "cboFluxo");
    preencherOpcoes(cboFluxo, NomenclaturaNaHora::OpcoesFluxo);
    cab->addWidget(new QLabel(QStringLiteral("Código / Descrição")));
    cab->addWidget(txtCodigo);
    cab->addWidget(txtDescricao, 1);
    cab->addWidget(new QLabel(QStringLiteral("Fluxo")));
    cab->addWidget(cboFluxo);
    l2->addLayout(cab);
    tabLinhas = criarControlo<QTabWidget>(p2, "tabLinhas");
    auto pagina = [this](TipoLinhaReceita tipo, ListaVista*& lista, QPushButton*& adic, QPushButton*& remover,
                         QPushButton*& alterar) {
        const bool mp = tipo == TipoLinhaReceita::Materia;
        auto* w = new QWidget;
        auto* l = new QVBoxLayout(w);
        lista = criarControlo<ListaVista>(w, mp ? "lvwMateriasPrimas" : "lvwProdutosAcabados");
        lista->setLista(&m_logica.lista(tipo));
        l->addWidget(lista);
        auto* b = new QHBoxLayout;
        adic = criarBotao(w, mp ? "cmdAdicMP" : "cmdAdicPA", mp ? QStringLiteral("A&dic. Prod.") : QStringLiteral("&Adic. Prod."));
        remover = criarBotao(w, mp ? "cmdRemoverMP" : "cmdRemoverPA",
                             mp ? QStringLiteral("Re&mover Prod.") : QStringLiteral("&Remover Prod."));
        alterar = criarBotao(w, mp ? "cmdAlterarMP" : "cmdAlterarPA",
                             mp ? QStringLiteral("Alterar Pr&od.") : QStringLiteral("A&lterar Prod."));
        for (QPushButton* x : {adic, remover, alterar})
            b->addWidget(x);
        b->addStretch();
        l->addLayout(b);
        tabLinhas->addTab(w, mp ? QStringLiteral("Matérias Primas") : QStringLiteral("Produtos Acabados"));
        connect(adic, &QPushButton::clicked, this, [this, tipo] { editarLinha(u'N', tipo); });
        connect(alterar, &QPushButton::clicked, this, [this, tipo] { editarLinha(u'A', tipo); });
        connect(lista, &ListaVista::linhaActivada, this, [this, tipo](int) { editarLinha(u'A', tipo); });
        connect(remover, &QPushButton::clicked, this, [this, tipo] {
            m_logica.removerLinha(tipo);
            mostrar();
        });
    };
    pagina(TipoLinhaReceita::Materia, lvwMateriasPrimas, cmdAdicMP, cmdRemoverMP, cmdAlterarMP);
    pagina(TipoLinhaReceita::Acabado, lvwProdutosAcabados, cmdAdicPA, cmdRemoverPA, cmdAlterarPA);
    l2->addWidget(tabLinhas);
    auto* b2 = new QHBoxLayout;
    cmdGravar = criarBotao(p2, "cmdGravar", QStringLiteral("&Gravar"));
    cmdCancelar = criarBotao(p2, "cmdCancelar", QStringLiteral("&Cancelar"));
    b2->addStretch();
    b2->addWidget(cmdGravar);
    b2->addWidget(cmdCancelar);
    l2->addLayout(b2);
    paginas->addWidget(p2);

    connect(cmdRefresh, &QPushButton::clicked, this, [this] {
        m_logica.Refresh();
        mostrar();
    });
    connect(cmdAdicionar, &QPushButton::clicked, this, [this] {
        m_logica.adicionar();
        mostrar();
        txtCodigo->setFocus();
    });
    auto alterar = [this] {
        m_logica.alterar();
        mostrar();
        txtDescricao->setFocus();
    };
    connect(cmdAlterar, &QPushButton::clicked, this, alterar);
    connect(lvwLista, &ListaVista::linhaActivada, this, alterar);
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        m_logica.eliminar();
        mostrar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    connect(txtCodigo, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || !m_logica.codigoActivo())
            return;
        m_logica.txtCodigo = txtCodigo->text();
        if (!m_logica.codigoSaiu())
            txtCodigo->setFocus();
        mostrar();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool gravada = m_logica.gravar();
        mostrar();
        if (gravada)
            return;
        using F = NomenclaturaNaHora::Foco;
        switch (m_logica.focoPedido()) {
        case F::Codigo:
            txtCodigo->setFocus();
            break;
        case F::Descricao:
            txtDescricao->setFocus();
            break;
        case F::Materias:
            tabLinhas->setCurrentIndex(0);
            break;
        case F::Acabados:
            tabLinhas->setCurrentIndex(1);
            break;
        case F::Nenhum:
            break;
        }
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        m_logica.cancelar();
        mostrar();
    });

    m_logica.abrir();
    mostrar();
    resize(900, 520);
    PrepararTeclado(this);
}

void FrmNomenclaturaNaHora::lerCampos() {
    if (m_logica.codigoActivo())
        m_logica.txtCodigo = txtCodigo->text();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.fluxo = cboFluxo->currentData().toString();
}

void FrmNomenclaturaNaHora::editarLinha(QChar modo, TipoLinhaReceita tipo) {
    lerCampos();
    if (!m_logica.abrirLinha(modo, tipo))
        return;
    FrmNomenclaturaNaHoraINS editor(m_logica.editor(), m_ctx, this);
    if (editor.exec() == QDialog::Accepted)
        m_logica.mostrarLinhas();
    mostrar();
}

void FrmNomenclaturaNaHora::mostrar() {
    m_aMostrar = true;
    paginas->setCurrentIndex(m_logica.modoEdicao() ? 1 : 0);
    txtCodigo->setText(m_logica.txtCodigo);
    txtCodigo->setEnabled(m_logica.codigoActivo());
    txtDescricao->setText(m_logica.txtDescricao);
    cboFluxo->setCurrentIndex(qMax(0, cboFluxo->findData(m_logica.fluxo)));
    m_aMostrar = false;
}
