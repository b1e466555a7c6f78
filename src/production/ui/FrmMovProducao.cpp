#include "production/ui/FrmMovProducao.h"
#include "controls/ui/Teclado.h"
#include "controls/ui/CriarControlos.h"

#include "controls/ui/EDatas.h"
#include "controls/ui/Valor.h"
#include "lookups/PesquisaTabelas.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/FolhaLoteImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "production/FormatoQuantidade.h"
#include "production/ui/FrmActPVenda.h"
#include "production/ui/FrmCriarLote.h"
#include "production/ui/FrmExistProArmLote.h"
#include "company/GlobalContext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

} // namespace

FrmMovProducao::FrmMovProducao(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMovProducao"));
    setWindowTitle(QStringLiteral("Movimentos de Produção"));
    auto* raiz = new QVBoxLayout(this);

    // --- header ---
    fraCabecalho = new QGroupBox(this);
    fraCabecalho->setObjectName(QStringLiteral("fraCabecalho"));
    auto* g = new QGridLayout(fraCabecalho);
    txtLote = new QLineEdit(fraCabecalho);
    txtLote->setObjectName(QStringLiteral("txtLote"));
    txtLote->setMaxLength(10);
    lblSituacao = criarRotulo(fraCabecalho, "lblSituacao");
    txtProdutoAcabado = new CampoCodigo(fraCabecalho, QStringLiteral("ProdutoAcabado"));
    txtProdutoAcabado->ligar(&m_logica.txtProdutoAcabado, [this](CampoTabela& c, bool abrir) {
        return PesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(c, abrir);
    });
    txtQuantidade = new Valor(fraCabecalho);
    txtQuantidade->setObjectName(QStringLiteral("txtQuantidade"));
    txtQuantidade->setUserInteraction(&ui);
    txtQuantidade->setDecimais(qBound(0, ctx.casadecquant, 4));
    txtData = new EDatas(fraCabecalho);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setUserInteraction(&ui);
    txtArmazem = new CampoCodigo(fraCabecalho, QStringLiteral("Armazem"));
    txtArmazem->setToolTip(QStringLiteral("Armazém para Entrada do Produto Acabado"));
    txtArmazem->ligar(&m_logica.txtArmazem, [this](CampoTabela& c, bool abrir) {
        return PesquisaTabelas(m_ctx, m_ui).Armazens(c, abrir);
    });
    chkNaoMultiplica = new QCheckBox(
        QStringLiteral("Ignorar a multiplicação da Quantidade Produzida pela Quantidade da Nomenclatura"),
        fraCabecalho);
    chkNaoMultiplica->setObjectName(QStringLiteral("chkNaoMultiplica"));
    optControlaQuantidade = new QRadioButton(
        QStringLiteral("Obedeço ao Controlo de Quantidade <Existência> definida no produto"), fraCabecalho);
    optControlaQuantidade->setObjectName(QStringLiteral("optControlaQuantidade"));
    optIgnoraQuantidade = new QRadioButton(
        QStringLiteral(
            "Produzir a quantidade pretendida sem ligar ao controlo de existência mesmo que para o efeito "
            "resultem componentes com existência negativa"),
        fraCabecalho);
    optIgnoraQuantidade->setObjectName(QStringLiteral("optIgnoraQuantidade"));
    optControlaQuantidade->setChecked(true);
    cmdCarregar = criarBotao(fraCabecalho, "cmdCarregar", QStringLiteral("Carregar &Nomenclatura"));
    cmdFechar = criarBotao(fraCabecalho, "cmdFechar", QStringLiteral("&Fechar"));
    g->addWidget(new QLabel(QStringLiteral("Lote"), fraCabecalho), 0, 0);
    g->addWidget(txtLote, 0, 1);
    g->addWidget(lblSituacao, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("Data"), fraCabecalho), 0, 3);
    g->addWidget(txtData, 0, 4);
    g->addWidget(new QLabel(QStringLiteral("Produto"), fraCabecalho), 1, 0);
    g->addWidget(txtProdutoAcabado, 1, 1, 1, 4);
    g->addWidget(new QLabel(QStringLiteral("Quantidade"), fraCabecalho), 2, 0);
    g->addWidget(txtQuantidade, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Arm.Destino"), fraCabecalho), 2, 2);
    g->addWidget(txtArmazem, 2, 3, 1, 2);
    g->addWidget(chkNaoMultiplica, 3, 0, 1, 5);
    g->addWidget(optControlaQuantidade, 4, 0, 1, 5);
    g->addWidget(optIgnoraQuantidade, 5, 0, 1, 5);
    auto* bc = new QHBoxLayout;
    bc->addStretch();
    bc->addWidget(cmdCarregar);
    bc->addWidget(cmdFechar);
    g->addLayout(bc, 6, 0, 1, 5);
    raiz->addWidget(fraCabecalho);

    // --- lines ---
    fraLinhas = new QGroupBox(this);
    fraLinhas->setObjectName(QStringLiteral("fraLinhas"));
    auto* vl = new QVBoxLayout(fraLinhas);
    lblFixa = criarRotulo(fraLinhas, "lblFixa");
    vl->addWidget(lblFixa);
    lvwListaNomec = new ListaVista(fraLinhas);
    lvwListaNomec->setObjectName(QStringLiteral("lvwListaNomec"));
    lvwListaNomec->setLista(&m_logica.lvwListaNomec);
    vl->addWidget(lvwListaNomec);
    vl->addWidget(new QLabel(QStringLiteral("Nos Acertos  ( - )  Retorno     (+)  Reforço"), fraLinhas));
    auto* bl = new QHBoxLayout;
    cmdAltQtyNmc = criarBotao(fraLinhas, "cmdAltQtyNmc", QStringLiteral("Alt.Qty.N&mc."));
    cmdAltQtyProd = criarBotao(fraLinhas, "cmdAltQtyProd", QStringLiteral("Alt.&Qty Prod."));
    cmdAcertos = criarBotao(fraLinhas, "cmdAcertos", QStringLiteral("Acerto&s"));
    cmdLoteProduto = criarBotao(fraLinhas, "cmdLoteProduto", QStringLiteral("&Lote / Produto"));
    cmdLoteProduto->setToolTip(
        QStringLiteral("Definir o Lote nos respectivos Produtos considerados Matéria Prima"));
    cmdExecutarLote = criarBotao(fraLinhas, "cmdExecutarLote", QStringLiteral("&Executar Lote"));
    cmdImpConfer = criarBotao(fraLinhas, "cmdImpConfer", QStringLiteral("&Imp. Confer."));
    cmdCancelar = criarBotao(fraLinhas, "cmdCancelar", QStringLiteral("&Cancelar"));
    for (QPushButton* b : {cmdAltQtyNmc, cmdAltQtyProd, cmdAcertos, cmdLoteProduto, cmdExecutarLote,
                           cmdImpConfer, cmdCancelar})
        bl->addWidget(b);
    vl->addLayout(bl);
    raiz->addWidget(fraLinhas, 1);

    // --- line editing panel ---
    fraEdicao = new QGroupBox(this);
    fraEdicao->setObjectName(QStringLiteral("fraEdicao"));
    auto* he = new QHBoxLayout(fraEdicao);
    lblEdicao = criarRotulo(fraEdicao, "lblEdicao");
    txtEdicao = new Valor(fraEdicao);
    txtEdicao->setObjectName(QStringLiteral("txtEdicao"));
    txtEdicao->setUserInteraction(&ui);
    txtEdicao->setDecimais(4);
    cmdActualiza = criarBotao(fraEdicao, "cmdActualiza", QStringLiteral("Actuali&za"));
    cmdCancelaEdicao = criarBotao(fraEdicao, "cmdCancelaEdicao", QStringLiteral("&Cancelar"));
    he->addWidget(lblEdicao);
    he->addWidget(txtEdicao);
    he->addWidget(cmdActualiza);
    he->addWidget(cmdCancelaEdicao);
    raiz->addWidget(fraEdicao);

    // --- processing panel ---
    fraExecucao = new QGroupBox(QStringLiteral("Execução do Lote para o Produto"), this);
    fraExecucao->setObjectName(QStringLiteral("fraExecucao"));
    // Two columns, so that the panel takes little height from the bill's list above it: the
    // shortages on the left, the finished product's lot and the commands on the right.
    auto* he2 = new QHBoxLayout(fraExecucao);
    auto* ge = new QGridLayout;
    lblCapacidade = criarRotulo(fraExecucao, "lblCapacidade");
    lblCustoUnitario = criarRotulo(fraExecucao, "lblCustoUnitario");
    ge->addWidget(new QLabel(QStringLiteral("Capacidade de produção (qty)"), fraExecucao), 0, 0);
    ge->addWidget(lblCapacidade, 0, 1);
    ge->addWidget(new QLabel(QStringLiteral("Valor de custo unitário"), fraExecucao), 1, 0);
    ge->addWidget(lblCustoUnitario, 1, 1);
    ge->addWidget(
        new QLabel(QStringLiteral("Produtos com existência insuficiente para produção"), fraExecucao), 2, 0,
        1, 2);
    lvwInsuficientes = new ListaVista(fraExecucao);
    lvwInsuficientes->setObjectName(QStringLiteral("lvwInsuficientes"));
    lvwInsuficientes->setLista(&m_logica.lvwInsuficientes);
    ge->addWidget(lvwInsuficientes, 3, 0, 1, 2);
    ge->setRowStretch(3, 1);
    ge->setColumnStretch(1, 1);
    chkApenasControlo =
        new QCheckBox(QStringLiteral("Visualizar apenas produtos com controlo de existência"), fraExecucao);
    chkApenasControlo->setObjectName(QStringLiteral("chkApenasControlo"));
    ge->addWidget(chkApenasControlo, 4, 0, 1, 2);
    he2->addLayout(ge, 1);
    auto* direita = new QVBoxLayout;
    fraLotePA = new QGroupBox(fraExecucao);
    fraLotePA->setObjectName(QStringLiteral("fraLotePA"));
    auto* gl = new QGridLayout(fraLotePA);
    txtLocalizacaoPA = new CampoCodigo(fraLotePA, QStringLiteral("LocalizacaoPA"));
    txtLocalizacaoPA->ligar(nullptr, [this](CampoTabela& c, bool abrir) {
        return PesquisaTabelas(m_ctx, m_ui).Localizacoes(c, abrir);
    });
    txtLotePA = new CampoCodigo(fraLotePA, QStringLiteral("LotePA"));
    txtLotePA->ligar(nullptr, [this](CampoTabela& c, bool abrir) {
        return PesquisaTabelas(m_ctx, m_ui).LotesTabela(c, abrir, m_logica.doc.ProdutoAcabado);
    });
    lblDatasLotePA = criarRotulo(fraLotePA, "lblDatasLotePA");
    cmdCriarLote = criarBotao(fraLotePA, "cmdCriarLote", QStringLiteral("Criar Lote"));
    gl->addWidget(new QLabel(QStringLiteral("Localização"), fraLotePA), 0, 0);
    gl->addWidget(txtLocalizacaoPA, 0, 1);
    gl->addWidget(new QLabel(QStringLiteral("Lote"), fraLotePA), 1, 0);
    gl->addWidget(txtLotePA, 1, 1);
    gl->addWidget(cmdCriarLote, 1, 2);
    gl->addWidget(lblDatasLotePA, 2, 0, 1, 3);
    direita->addWidget(fraLotePA);
    direita->addStretch();
    auto* bx = new QHBoxLayout;
    cmdProcessar = criarBotao(fraExecucao, "cmdProcessar", QStringLiteral("&Processar"));
    cmdCancelarExecucao = criarBotao(fraExecucao, "cmdCancelarExecucao", QStringLiteral("&Cancelar"));
    bx->addStretch();
    bx->addWidget(cmdProcessar);
    bx->addWidget(cmdCancelarExecucao);
    direita->addLayout(bx);
    he2->addLayout(direita);
    // The shortages share the height with the bill instead of squeezing it.
    raiz->addWidget(fraExecucao, 1);

    m_logica.imprimirFolha = [this](const QString& lote) { imprimirFolha(lote); };
    m_logica.actualizarPrecosVenda = [this](const QString& p, const Currency& c) { actualizarPrecos(p, c); };

    connect(txtLote, &QLineEdit::editingFinished, this, [this] {
        if (m_aMostrar || txtLote->text().trimmed() == m_logica.doc.Lote)
            return;
        lerCabecalho();
        m_logica.txtLote_LostFocus();
        mostrar();
    });
    connect(txtProdutoAcabado, &CampoCodigo::validado, this, [this](bool) {
        if (!m_aMostrar)
            m_logica.produtoEscolhido();
    });
    connect(cmdCarregar, &QPushButton::clicked, this, [this] {
        lerCabecalho();
        m_logica.cmdCarregar_Click();
        mostrar();
        focar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdAltQtyNmc, &QPushButton::clicked, this,
            [this] { editar(MovProducao::Edicao::QtyNomenclatura); });
    connect(cmdAltQtyProd, &QPushButton::clicked, this, [this] { editar(MovProducao::Edicao::QtyProducao); });
    connect(cmdAcertos, &QPushButton::clicked, this, [this] { editar(MovProducao::Edicao::Acertos); });
    connect(cmdLoteProduto, &QPushButton::clicked, this, &FrmMovProducao::escolherLote);
    connect(cmdActualiza, &QPushButton::clicked, this, [this] {
        m_logica.cmdActualiza_Click(txtEdicao->valor());
        mostrar();
    });
    connect(cmdCancelaEdicao, &QPushButton::clicked, this, [this] {
        m_logica.cmdCancelaEdicao_Click();
        mostrar();
    });
    connect(cmdExecutarLote, &QPushButton::clicked, this, [this] {
        lerCabecalho();
        m_logica.cmdExecutarLote_Click();
        mostrar();
        focar();
    });
    connect(cmdImpConfer, &QPushButton::clicked, this, [this] { m_logica.cmdImpConfer_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] {
        m_logica.cmdCancelar_Click();
        mostrar();
        focar();
    });
    auto analisar = [this] {
        if (m_aMostrar || m_logica.estado() != MovProducao::Estado::Execucao)
            return;
        lerCabecalho();
        m_logica.Analise();
        mostrar();
    };
    connect(chkApenasControlo, &QCheckBox::toggled, this, analisar);
    connect(optControlaQuantidade, &QRadioButton::toggled, this, analisar);
    connect(txtLotePA, &CampoCodigo::validado, this, [this](bool) {
        m_logica.loteProdutoAcabadoEscolhido(txtLotePA->codigo());
        mostrar();
    });
    connect(cmdCriarLote, &QPushButton::clicked, this, [this] {
        const QString lote = FrmCriarLote::criarLote(m_ctx, m_ui, m_logica.doc.ProdutoAcabado, this);
        if (lote.isEmpty())
            return;
        m_logica.loteProdutoAcabadoEscolhido(lote);
        mostrar();
    });
    connect(cmdProcessar, &QPushButton::clicked, this, [this] {
        lerCabecalho();
        setCursor(Qt::WaitCursor);
        m_logica.cmdProcessar_Click();
        unsetCursor();
        mostrar();
        focar();
    });
    connect(cmdCancelarExecucao, &QPushButton::clicked, this, [this] {
        m_logica.cmdCancelarExecucao_Click();
        mostrar();
    });

    m_logica.Form_Load();
    mostrar();
    // Left enabled so that what the access rights turn off before showing can be told apart.
    for (QPushButton* b : {cmdAltQtyNmc, cmdAltQtyProd, cmdAcertos, cmdLoteProduto, cmdExecutarLote})
        b->setEnabled(true);
    resize(1000, 720);
    PrepararTeclado(this);
}

void FrmMovProducao::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (m_acessosLidos)
        return;
    m_acessosLidos = true;
    for (QPushButton* b : {cmdAltQtyNmc, cmdAltQtyProd, cmdAcertos, cmdLoteProduto, cmdExecutarLote})
        if (b->testAttribute(Qt::WA_ForceDisabled))
            m_negados.append(b);
    mostrar();
}

void FrmMovProducao::lerCabecalho() {
    if (m_aMostrar)
        return;
    MovProducao::Estado e = m_logica.estado();
    if (e == MovProducao::Estado::Cabecalho) {
        m_logica.doc.Lote = txtLote->text().trimmed();
        m_logica.doc.Quantidade = txtQuantidade->valor();
        m_logica.doc.Data = txtData->DataSys().toString(Qt::ISODate);
        m_logica.doc.NaoMultiplica = chkNaoMultiplica->isChecked();
        m_logica.produtoEscolhido();
    }
    m_logica.doc.ControlaQuantidade = optControlaQuantidade->isChecked();
    m_logica.chkApenasControlo = chkApenasControlo->isChecked();
    if (e == MovProducao::Estado::Execucao) {
        m_logica.doc.LocalizacaoProdutoAcabado = txtLocalizacaoPA->codigo().trimmed();
        if (txtLotePA->codigo().trimmed() != m_logica.doc.LoteProdutoAcabado)
            m_logica.loteProdutoAcabadoEscolhido(txtLotePA->codigo());
    }
}

void FrmMovProducao::mostrar() {
    m_aMostrar = true;
    const ProductionDocument& d = m_logica.doc;
    const MovProducao::Estado e = m_logica.estado();
    txtLote->setText(d.Lote);
    lblSituacao->setText(d.Situacao);
    txtProdutoAcabado->actualizar();
    txtArmazem->actualizar();
    txtQuantidade->setValor(d.Quantidade);
    txtData->setDataSys(QDate::fromString(d.Data, Qt::ISODate));
    chkNaoMultiplica->setChecked(d.NaoMultiplica);
    optControlaQuantidade->setChecked(d.ControlaQuantidade);
    optIgnoraQuantidade->setChecked(!d.ControlaQuantidade);
    lblFixa->setText(m_logica.lblFixa());

    const bool cabecalho = e == MovProducao::Estado::Cabecalho;
    const bool linhas = e == MovProducao::Estado::Linhas;
    fraCabecalho->setEnabled(cabecalho);
    fraLinhas->setEnabled(linhas);
    const bool pendente = d.pendente();
    const bool aberto = d.Situacao != SituacaoEncerrada;
    auto activar = [this](QPushButton* b, bool sim) { b->setEnabled(sim && !m_negados.contains(b)); };
    activar(cmdAltQtyNmc, m_logica.altQtyNmcActivo() && d.Nova);
    activar(cmdAltQtyProd, d.Nova);
    activar(cmdAcertos, pendente);
    activar(cmdLoteProduto, aberto && m_ctx.Lotes);
    activar(cmdExecutarLote, aberto);

    fraEdicao->setVisible(e == MovProducao::Estado::Edicao);
    if (e == MovProducao::Estado::Edicao) {
        fraEdicao->setTitle(m_logica.fraEdicaoCaption());
        lblEdicao->setText(m_logica.lblEdicao());
        txtEdicao->setValor(m_logica.valorEdicao());
    }
    fraExecucao->setVisible(e == MovProducao::Estado::Execucao);
    if (e == MovProducao::Estado::Execucao) {
        fraExecucao->setTitle(m_logica.fraExecucaoCaption());
        lblCapacidade->setText(formatarNumeroPT(d.Capacidade, qBound(0, m_ctx.casadecquant, 4)));
        lblCustoUnitario->setText(formatarNumeroPT(d.CustoUnitario, 4));
        chkApenasControlo->setChecked(m_logica.chkApenasControlo);
        fraLotePA->setVisible(m_logica.produtoAcabadoComLote() && d.Nova);
        txtLocalizacaoPA->setCodigo(d.LocalizacaoProdutoAcabado);
        txtLotePA->setCodigo(d.LoteProdutoAcabado);
        lblDatasLotePA->setText(
            QStringLiteral("Dt Fabrico: %1   Dt Validade: %2")
                .arg(DataVisivel(d.DataFabricoProdutoAcabado), DataVisivel(d.DataValidadeProdutoAcabado)));
    }
    m_aMostrar = false;
}

void FrmMovProducao::focar() {
    QWidget* w = nullptr;
    switch (m_logica.foco()) {
    case MovProducao::Campo::Lote:
        w = txtLote;
        break;
    case MovProducao::Campo::Produto:
        w = txtProdutoAcabado->txtCodigo;
        break;
    case MovProducao::Campo::Quantidade:
        w = txtQuantidade;
        break;
    case MovProducao::Campo::Data:
        w = txtData;
        break;
    case MovProducao::Campo::Armazem:
        w = txtArmazem->txtCodigo;
        break;
    case MovProducao::Campo::Lista:
        w = lvwListaNomec;
        break;
    case MovProducao::Campo::LocalizacaoPA:
        w = txtLocalizacaoPA->txtCodigo;
        break;
    case MovProducao::Campo::LotePA:
        w = txtLotePA->txtCodigo;
        break;
    case MovProducao::Campo::Nenhum:
        break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

void FrmMovProducao::editar(MovProducao::Edicao e) {
    if (!m_logica.iniciarEdicao(e))
        return;
    mostrar();
    txtEdicao->setFocus();
}

void FrmMovProducao::escolherLote() {
    FrmExistProArmLote janela(m_ctx, m_ui, this);
    if (!m_logica.prepararEscolhaLote(janela.logica()))
        return;
    janela.exec();
    m_logica.aplicarEscolhaLote(janela.logica());
    mostrar();
}

void FrmMovProducao::imprimirFolha(const QString& lote) {
    const auto folha = LerFolhaLote(m_ctx, lote);
    if (!folha) {
        m_ui.mensagem(folha.mensagem().isEmpty() ? MensagemLoteEmAberto : folha.mensagem(),
                      UserInteraction::Icone::Exclamacao);
        return;
    }
    cPrinter p;
    if (ImprimirFolhaLote(p, *folha, QStringLiteral("S")))
        ApresentarDocumento(p, m_ctx, m_ui, this);
}

void FrmMovProducao::actualizarPrecos(const QString& produto, const Currency& custo) {
    FrmActPVenda janela(m_ctx, m_ui, this);
    if (janela.logica().carregar(produto, custo))
        janela.exec();
}
