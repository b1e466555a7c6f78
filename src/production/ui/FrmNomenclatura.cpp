#include "production/ui/FrmNomenclatura.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "controls/ui/Valor.h"
#include "lookups/PesquisaTabelas.h"
#include "lookups/ui/ListaVista.h"
#include "production/FormatoQuantidade.h"
#include "production/NomenclaturaDados.h"
#include "company/GlobalContext.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

FrmNomenclatura::FrmNomenclatura(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmNomenclatura"));
    setWindowTitle(Nomenclatura::Titulo());
    tabPaginas = new QTabWidget(this);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(tabPaginas);

    // Page 1: the list of bills.
    auto* p1 = new QWidget;
    auto* l1 = new QVBoxLayout(p1);
    auto* pesquisa = new QHBoxLayout;
    pesquisa->addWidget(new QLabel(QStringLiteral("Produto / Descriç. &Z")));
    txtPesqCodigo = criarControlo<QLineEdit>(p1, "txtPesqCodigo");
    txtPesqDescricao = criarControlo<QLineEdit>(p1, "txtPesqDescricao");
    txtPesqDescricao->setAccessibleName(QStringLiteral("Descrição"));
    pesquisa->addWidget(txtPesqCodigo);
    pesquisa->addWidget(txtPesqDescricao);
    l1->addLayout(pesquisa);
    lvwLista = new ListaVista(p1);
    lvwLista->setObjectName(QStringLiteral("lvwLista"));
    lvwLista->setLista(&m_logica.lvwLista);
    l1->addWidget(lvwLista);
    auto* b1 = new QHBoxLayout;
    cmdAdicionar = criarControlo<QPushButton>(p1, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarControlo<QPushButton>(p1, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarControlo<QPushButton>(p1, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdRefresh = criarControlo<QPushButton>(p1, "cmdRefresh", QStringLiteral("&Refresh"));
    cmdFixa = criarControlo<QPushButton>(p1, "cmdFixa", QStringLiteral("Fixa"));
    cmdFechar = criarControlo<QPushButton>(p1, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar, cmdRefresh, cmdFixa, cmdFechar})
        b1->addWidget(b);
    l1->addLayout(b1);
    tabPaginas->addTab(p1, QStringLiteral("Nomenclaturas"));

    // Page 2: one bill.
    auto* p2 = new QWidget;
    auto* l2 = new QVBoxLayout(p2);
    auto* cab = new QHBoxLayout;
    txtProdutoAcabado = criarControlo<QLineEdit>(p2, "txtProdutoAcabado");
    cmdPesqProdutoAcabado = criarControlo<QPushButton>(p2, "cmdPesqProdutoAcabado", QStringLiteral("..."));
    txtDescProdutoAcabado = criarControlo<QLineEdit>(p2, "txtDescProdutoAcabado");
    txtPrecoProdutoAcabado = criarControlo<Valor>(p2, "txtPrecoProdutoAcabado");
    chkFixa = criarControlo<QCheckBox>(p2, "chkFixa", QStringLiteral("Nomenclatura Fixa"));
    chkCtrlQuantidades = criarControlo<QCheckBox>(p2, "chkCtrlQuantidades", QStringLiteral("Controlo das quantidades"));
    txtDescProdutoAcabado->setAccessibleName(QStringLiteral("Descrição do Produto Acabado"));
    cab->addWidget(new QLabel(QStringLiteral("Produto Acabado")));
    cab->addWidget(txtProdutoAcabado);
    cab->addWidget(cmdPesqProdutoAcabado);
    cab->addWidget(txtDescProdutoAcabado, 1);
    cab->addWidget(new QLabel(QStringLiteral("Preço Prod. Acabado")));
    cab->addWidget(txtPrecoProdutoAcabado);
    cab->addWidget(chkFixa);
    cab->addWidget(chkCtrlQuantidades);
    l2->addLayout(cab);
    lvwListaNomec = new ListaVista(p2);
    lvwListaNomec->setObjectName(QStringLiteral("lvwListaNomec"));
    lvwListaNomec->setLista(&m_logica.lvwListaNomec);
    l2->addWidget(lvwListaNomec);
    auto* b2 = new QHBoxLayout;
    cmdAdicProd = criarControlo<QPushButton>(p2, "cmdAdicProd", QStringLiteral("&Adic. Prod."));
    cmdAlterarProd = criarControlo<QPushButton>(p2, "cmdAlterarProd", QStringLiteral("A&lterar Prod."));
    cmdElimProd = criarControlo<QPushButton>(p2, "cmdElimProd", QStringLiteral("&Elim. Prod."));
    cmdPrecoPA = criarControlo<QPushButton>(p2, "cmdPrecoPA", QStringLiteral("&Preço Produto Acabado"));
    cmdImportar = criarControlo<QPushButton>(p2, "cmdImportar", QStringLiteral("Importar Nomenclatura"));
    cmdFimNomenclatura = criarControlo<QPushButton>(p2, "cmdFimNomenclatura", QStringLiteral("&Fim Nomenclatura"));
    for (QPushButton* b : {cmdAdicProd, cmdAlterarProd, cmdElimProd, cmdPrecoPA, cmdImportar, cmdFimNomenclatura})
        b2->addWidget(b);
    l2->addLayout(b2);

    fraLinha = new QGroupBox(QStringLiteral("Adicionar Produtos para a Nomenclatura"), p2);
    fraLinha->setObjectName(QStringLiteral("fraLinha"));
    auto* f = new QFormLayout(fraLinha);
    auto* prima = new QHBoxLayout;
    txtProdutoPrima = criarControlo<QLineEdit>(fraLinha, "txtProdutoPrima");
    cmdPesqProdutoPrima = criarControlo<QPushButton>(fraLinha, "cmdPesqProdutoPrima", QStringLiteral("..."));
    cmdEquivalentes = criarControlo<QPushButton>(fraLinha, "cmdEquivalentes", QStringLiteral("Pesquisa de Produtos Equivalentes"));
    txtDescProdutoPrima = criarControlo<QLineEdit>(fraLinha, "txtDescProdutoPrima");
    prima->addWidget(txtProdutoPrima);
    prima->addWidget(cmdPesqProdutoPrima);
    prima->addWidget(cmdEquivalentes);
    prima->addWidget(txtDescProdutoPrima, 1);
    f->addRow(QStringLiteral("Produto"), prima);
    auto* arm = new QHBoxLayout;
    txtArmazem = criarControlo<QLineEdit>(fraLinha, "txtArmazem");
    cmdPesqArmazem = criarControlo<QPushButton>(fraLinha, "cmdPesqArmazem", QStringLiteral("..."));
    arm->addWidget(txtArmazem);
    arm->addWidget(cmdPesqArmazem);
    f->addRow(QStringLiteral("Armazém"), arm);
    txtQuantidade = criarControlo<Valor>(fraLinha, "txtQuantidade");
    f->addRow(QStringLiteral("Quantidade"), txtQuantidade);
    auto* preco = new QHBoxLayout;
    txtPreco = criarControlo<Valor>(fraLinha, "txtPreco");
    optPMC = criarControlo<QRadioButton>(fraLinha, "optPMC", QStringLiteral("P.M.C."));
    optUPCusto = criarControlo<QRadioButton>(fraLinha, "optUPCusto", QStringLiteral("U.P.Custo"));
    optUPCompra = criarControlo<QRadioButton>(fraLinha, "optUPCompra", QStringLiteral("U.P.Compra"));
    optPMC->setToolTip(QStringLiteral("Preço Médio de Custo"));
    optUPCusto->setToolTip(QStringLiteral("Último Preço de Custo"));
    optUPCompra->setToolTip(QStringLiteral("Último Preço de Compra"));
    for (QWidget* w : {static_cast<QWidget*>(txtPreco), static_cast<QWidget*>(optPMC), static_cast<QWidget*>(optUPCusto),
                       static_cast<QWidget*>(optUPCompra)})
        preco->addWidget(w);
    f->addRow(QStringLiteral("Preço"), preco);
    txtObserva = criarControlo<QLineEdit>(fraLinha, "txtObserva");
    f->addRow(QStringLiteral("Observações"), txtObserva);
    auto* factor = new QHBoxLayout;
    txtFactor = criarControlo<Valor>(fraLinha, "txtFactor");
    auto* grupoFormula = new QWidget(fraLinha);
    auto* gf = new QHBoxLayout(grupoFormula);
    gf->setContentsMargins(0, 0, 0, 0);
    optFormulaA = criarControlo<QRadioButton>(grupoFormula, "optFormulaA", QStringLiteral("Formula A (Qty Rec. / Factor)"));
    optFormulaB = criarControlo<QRadioButton>(grupoFormula, "optFormulaB", QStringLiteral("Formula B (Factor / Qty Rec.)"));
    gf->addWidget(optFormulaA);
    gf->addWidget(optFormulaB);
    factor->addWidget(txtFactor);
    factor->addWidget(grupoFormula);
    lblCubicagem = criarControlo<QLabel>(fraLinha, "lblCubicagem", QString());
    factor->addWidget(lblCubicagem);
    f->addRow(QStringLiteral("Factor de Conversão"), factor);
    auto* b3 = new QHBoxLayout;
    cmdGravar = criarControlo<QPushButton>(fraLinha, "cmdGravar", QStringLiteral("&Gravar"));
    cmdFimLancamento = criarControlo<QPushButton>(fraLinha, "cmdFimLancamento", QStringLiteral("&Fim Lançam."));
    b3->addWidget(cmdGravar);
    b3->addWidget(cmdFimLancamento);
    f->addRow(b3);
    l2->addWidget(fraLinha);
    tabPaginas->addTab(p2, QStringLiteral("Nomenclatura"));

    // Page 1 actions.
    auto recarregar = [this] {
        lerCampos();
        m_logica.Carregar();
        mostrar();
    };
    connect(txtPesqCodigo, &QLineEdit::editingFinished, this, recarregar);
    connect(txtPesqDescricao, &QLineEdit::editingFinished, this, recarregar);
    connect(cmdRefresh, &QPushButton::clicked, this, recarregar);
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    connect(lvwLista, &ListaVista::linhaActual, this, [this](int l) {
        if (!m_aMostrar) {
            m_logica.clicarLista(l);
            cmdFixa->setText(m_logica.captionFixa());
        }
    });
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int l) {
        m_logica.clicarLista(l);
        m_logica.alterar();
        mostrar();
    });
    connect(cmdFixa, &QPushButton::clicked, this, [this] {
        m_logica.alternarFixa();
        mostrar();
    });
    connect(cmdAdicionar, &QPushButton::clicked, this, [this] {
        m_logica.adicionar();
        mostrar();
        txtProdutoAcabado->setFocus();
    });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] {
        m_logica.alterar();
        mostrar();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        m_logica.eliminar();
        mostrar();
    });

    // Page 2 header.
    connect(txtProdutoAcabado, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || !m_logica.cabecalhoActivo() || txtProdutoAcabado->text() == m_logica.txtProdutoAcabado.codigo)
            return;
        m_logica.txtProdutoAcabado.codigo = txtProdutoAcabado->text();
        m_logica.produtoAcabadoSaiu();
        mostrar();
    });
    connect(cmdPesqProdutoAcabado, &QPushButton::clicked, this, [this, &ctx, &ui] {
        PesquisaTabelas p(ctx, ui);
        m_logica.txtProdutoAcabado.codigo = txtProdutoAcabado->text();
        if (p.Produtos(m_logica.txtProdutoAcabado, true))
            m_logica.produtoAcabadoSaiu();
        mostrar();
    });
    connect(chkFixa, &QCheckBox::clicked, this, [this](bool v) { m_logica.definirFixa(v); });
    connect(chkCtrlQuantidades, &QCheckBox::clicked, this, [this](bool v) { m_logica.definirCtrlQuantidades(v); });
    connect(cmdAdicProd, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.adicionarProduto();
        mostrar();
        focar();
    });
    connect(cmdAlterarProd, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.alterarProduto();
        mostrar();
        focar();
    });
    connect(lvwListaNomec, &ListaVista::linhaActivada, this, [this](int) { cmdAlterarProd->click(); });
    connect(cmdElimProd, &QPushButton::clicked, this, [this] {
        m_logica.eliminarProduto();
        mostrar();
    });
    connect(cmdPrecoPA, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.precoProdutoAcabado();
        mostrar();
    });
    connect(cmdImportar, &QPushButton::clicked, this, [this] {
        lerCampos();
        setCursor(Qt::BusyCursor);
        m_logica.importar();
        unsetCursor();
        mostrar();
    });
    connect(cmdFimNomenclatura, &QPushButton::clicked, this, [this] {
        m_logica.fimNomenclatura();
        mostrar();
    });

    // Line panel.
    connect(txtProdutoPrima, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtProdutoPrima->text() == m_logica.txtProdutoPrima.codigo)
            return;
        painelParaLogica();
        m_logica.produtoPrimaSaiu();
        mostrar();
    });
    connect(cmdPesqProdutoPrima, &QPushButton::clicked, this, [this, &ctx, &ui] {
        painelParaLogica();
        PesquisaTabelas p(ctx, ui);
        if (p.Produtos(m_logica.txtProdutoPrima, true))
            m_logica.produtoPrimaSaiu();
        mostrar();
    });
    connect(cmdEquivalentes, &QPushButton::clicked, this, [this] {
        painelParaLogica();
        m_logica.pesquisarEquivalente();
        mostrar();
    });
    connect(txtArmazem, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar)
            return;
        painelParaLogica();
        m_logica.armazemSaiu();
        mostrar();
    });
    connect(cmdPesqArmazem, &QPushButton::clicked, this, [this, &ctx, &ui] {
        painelParaLogica();
        PesquisaTabelas p(ctx, ui);
        p.Armazens(m_logica.txtArmazem, true);
        m_logica.armazemSaiu();
        mostrar();
    });
    const std::pair<QRadioButton*, QString> opcoes[] = {
        {optPMC, PrecarioPMC}, {optUPCusto, PrecarioUPCusto}, {optUPCompra, PrecarioUPCompra}};
    for (const auto& [botao, precario] : opcoes)
        connect(botao, &QRadioButton::clicked, this, [this, p = precario] {
            painelParaLogica();
            m_logica.escolherPrecario(p);
            mostrar();
        });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        painelParaLogica();
        m_logica.gravarLinha();
        mostrar();
        focar();
    });
    connect(cmdFimLancamento, &QPushButton::clicked, this, [this] {
        m_logica.fimLancamento();
        mostrar();
    });

    m_logica.abrir();
    mostrar();
    PrepararTeclado(this);
}

void FrmNomenclatura::lerCampos() {
    m_logica.txtPesqCodigo = txtPesqCodigo->text();
    m_logica.txtPesqDescricao = txtPesqDescricao->text();
    if (m_logica.pagina() == 2) {
        m_logica.txtProdutoAcabado.descricao = txtDescProdutoAcabado->text();
        m_logica.txtPrecoProdutoAcabado = txtPrecoProdutoAcabado->valor();
    }
}

void FrmNomenclatura::painelParaLogica() {
    m_logica.txtProdutoPrima.codigo = txtProdutoPrima->text();
    m_logica.txtDescProdutoPrima = txtDescProdutoPrima->text();
    m_logica.txtArmazem.codigo = txtArmazem->text();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtPreco = txtPreco->valor();
    m_logica.txtFactor = txtFactor->valor();
    m_logica.txtObserva = txtObserva->text();
    m_logica.formula = optFormulaB->isChecked() ? QStringLiteral("B") : QStringLiteral("A");
}

void FrmNomenclatura::mostrar() {
    m_aMostrar = true;
    const bool p2 = m_logica.pagina() == 2;
    tabPaginas->widget(0)->setEnabled(!p2);
    tabPaginas->setCurrentIndex(p2 ? 1 : 0);
    cmdFixa->setText(m_logica.captionFixa());
    txtProdutoAcabado->setText(m_logica.txtProdutoAcabado.codigo);
    txtProdutoAcabado->setEnabled(m_logica.cabecalhoActivo());
    cmdPesqProdutoAcabado->setEnabled(m_logica.cabecalhoActivo());
    txtDescProdutoAcabado->setText(m_logica.txtProdutoAcabado.descricao);
    txtPrecoProdutoAcabado->setValor(m_logica.txtPrecoProdutoAcabado);
    chkFixa->setChecked(m_logica.chkFixa);
    chkCtrlQuantidades->setChecked(m_logica.chkCtrlQuantidades);
    fraLinha->setVisible(m_logica.painelAberto());
    txtProdutoPrima->setText(m_logica.txtProdutoPrima.codigo);
    txtProdutoPrima->setEnabled(m_logica.produtoPrimaActivo());
    txtDescProdutoPrima->setText(m_logica.txtDescProdutoPrima);
    txtDescProdutoPrima->setReadOnly(m_logica.descricaoBloqueada());
    txtArmazem->setText(m_logica.txtArmazem.codigo);
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtPreco->setValor(m_logica.txtPreco);
    txtPreco->setEnabled(m_logica.precoActivo());
    for (QRadioButton* o : {optPMC, optUPCusto, optUPCompra})
        o->setEnabled(m_logica.opcoesPrecoActivas());
    optPMC->setChecked(m_logica.precario == PrecarioPMC);
    optUPCusto->setChecked(m_logica.precario == PrecarioUPCusto);
    optUPCompra->setChecked(m_logica.precario == PrecarioUPCompra);
    txtObserva->setText(m_logica.txtObserva);
    txtFactor->setValor(m_logica.txtFactor);
    optFormulaA->setChecked(m_logica.formula != QStringLiteral("B"));
    optFormulaB->setChecked(m_logica.formula == QStringLiteral("B"));
    lblCubicagem->setText(formatarNumeroPT(m_logica.cubicagem, 4));
    lvwLista->aplicarLarguras();
    lvwListaNomec->aplicarLarguras();
    m_aMostrar = false;
}

void FrmNomenclatura::focar() {
    switch (m_logica.focoPedido()) {
    case Nomenclatura::Foco::ProdutoAcabado: txtProdutoAcabado->setFocus(); break;
    case Nomenclatura::Foco::ProdutoPrima: txtProdutoPrima->setFocus(); break;
    case Nomenclatura::Foco::Armazem: txtArmazem->setFocus(); break;
    case Nomenclatura::Foco::Quantidade: txtQuantidade->setFocus(); break;
    case Nomenclatura::Foco::Nenhum: break;
    }
}
