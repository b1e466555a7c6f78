#include "production/ui/FrmMovProducao_Processo.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/SelOpta.h"
#include "controls/ui/Valor.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "production/ExistProArmLote.h"
#include "production/FormatoQuantidade.h"
#include "production/ui/FrmExistProArmLote.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// The reference window of a movement: the product's dimension combinations in the warehouse with
// their balance; a double click or "&Seleccionar" chooses.
std::optional<SaldoReferencia> janelaReferencias(QWidget* pai, const GlobalContext& ctx,
                                                 const std::vector<SaldoReferencia>& lista) {
    QDialog d(pai);
    d.setObjectName(QStringLiteral("frmReferencias"));
    d.setWindowTitle(QStringLiteral("Referências"));
    auto* l = new QVBoxLayout(&d);
    auto* arvore = new QTreeWidget(&d);
    arvore->setObjectName(QStringLiteral("lvwReferencias"));
    arvore->setRootIsDecorated(false);
    QStringList cabecalho;
    for (int i = 1; i <= 7; ++i)
        cabecalho << (ctx.NomesDimensoes[size_t(i)].isEmpty() ? QStringLiteral("Ref. %1").arg(i) : ctx.NomesDimensoes[size_t(i)]);
    cabecalho << QStringLiteral("Fornecedor") << QStringLiteral("Existência");
    arvore->setHeaderLabels(cabecalho);
    for (const SaldoReferencia& s : lista) {
        QStringList t(s.referencias.begin(), s.referencias.end());
        t << s.fornece << formatarNumeroPT(s.saldo, qBound(0, ctx.casadecquant, 4));
        auto* item = new QTreeWidgetItem(arvore, t);
        item->setTextAlignment(8, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (arvore->topLevelItemCount() > 0)
        arvore->setCurrentItem(arvore->topLevelItem(0));
    l->addWidget(arvore);
    auto* botoes = new QDialogButtonBox(&d);
    auto* seleccionar = botoes->addButton(QStringLiteral("&Seleccionar"), QDialogButtonBox::AcceptRole);
    seleccionar->setObjectName(QStringLiteral("cmdSeleccionar"));
    botoes->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdFechar"));
    l->addWidget(botoes);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(arvore, &QTreeWidget::itemDoubleClicked, &d, &QDialog::accept);
    d.resize(760, 360);
    if (d.exec() != QDialog::Accepted || !arvore->currentItem())
        return std::nullopt;
    return lista[size_t(arvore->indexOfTopLevelItem(arvore->currentItem()))];
}

EDatas* criarData(QWidget* pai, const char* nome, UserInteraction& ui) {
    auto* d = criarControlo<EDatas>(pai, nome);
    d->setUserInteraction(&ui);
    return d;
}

// The finished-product documents a reopening removes, as a read-only list.
void mostrarDocumentosReabertura(QWidget* pai, const std::vector<DocumentoProducao>& docs) {
    QDialog d(pai);
    d.setObjectName(QStringLiteral("frmDocumentosEliminados"));
    d.setWindowTitle(QStringLiteral("Documentos a eliminar"));
    auto* l = new QVBoxLayout(&d);
    auto* lista = criarControlo<QTreeWidget>(&d, "lvwDocumentos");
    lista->setRootIsDecorated(false);
    lista->setHeaderLabels({QStringLiteral("Tipo"), QStringLiteral("Número"), QStringLiteral("Data")});
    for (const DocumentoProducao& doc : docs) {
        auto* i = new QTreeWidgetItem(lista, {doc.tipo, doc.numero, DataVisivel(doc.data)});
        i->setTextAlignment(2, Qt::AlignCenter);
    }
    l->addWidget(lista);
    auto* botoes = new QHBoxLayout;
    auto* ok = criarBotao(&d, "cmdOk", QStringLiteral("&OK"));
    botoes->addStretch();
    botoes->addWidget(ok);
    l->addLayout(botoes);
    QObject::connect(ok, &QPushButton::clicked, &d, &QDialog::accept);
    d.resize(420, 260);
    d.exec();
}

} // namespace

// ---------------------------------------------------------------- header

FrmMovProducao_Processo_INS::FrmMovProducao_Processo_INS(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMovProducao_Processo_INS"));
    setWindowTitle(MovProducao_Processo_INS::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* f = new QFormLayout;
    txtProcesso = criarControlo<QLineEdit>(this, "txtProcesso");
    txtProcesso->setMaxLength(10);
    cmdProximo = criarBotaoSemEnter(this, "cmdProximo", QStringLiteral("&Próximo"));
    cmdProximo->setToolTip(QStringLiteral("Próximo Nº de Processo"));
    auto* processo = new QHBoxLayout;
    processo->addWidget(txtProcesso);
    processo->addWidget(cmdProximo);
    processo->addStretch();
    f->addRow(QStringLiteral("Nº Processo"), processo);
    txtDescricao = criarControlo<QLineEdit>(this, "txtDescricao");
    txtDescricao->setMaxLength(50);
    f->addRow(QStringLiteral("Descrição"), txtDescricao);
    txtDescricaoExtensa = criarControlo<QPlainTextEdit>(this, "txtDescricaoExtensa");
    f->addRow(QStringLiteral("Descrição Extensa"), txtDescricaoExtensa);
    txtDataInicio = criarData(this, "txtDataInicio", ui);
    f->addRow(QStringLiteral("Data de Início"), txtDataInicio);
    txtDataPrevista = criarData(this, "txtDataPrevista", ui);
    f->addRow(QStringLiteral("Data Prevista"), txtDataPrevista);
    raiz->addLayout(f);
    auto* encerramento = new QHBoxLayout;
    lblEncerramento = criarRotulo(this, "lblEncerramento");
    lblEncerramento->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    cmdReabrir = criarBotaoSemEnter(this, "cmdReabrir", QStringLiteral("&Reabrir Processo"));
    encerramento->addWidget(lblEncerramento, 1);
    encerramento->addWidget(cmdReabrir);
    raiz->addLayout(encerramento);
    auto* botoes = new QHBoxLayout;
    cmdGravar = criarBotaoSemEnter(this, "cmdGravar", QStringLiteral("&Gravar"));
    cmdCancelar = criarBotaoSemEnter(this, "cmdCancelar", QStringLiteral("&Cancelar"));
    botoes->addStretch();
    botoes->addWidget(cmdGravar);
    botoes->addWidget(cmdCancelar);
    raiz->addLayout(botoes);

    m_logica.mostrarDocumentos = [this](const std::vector<DocumentoProducao>& docs) {
        mostrarDocumentosReabertura(this, docs);
    };
    connect(cmdProximo, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.proximoProcesso();
        mostrar();
        txtDescricao->setFocus();
    });
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (m_logica.gravar()) {
            accept();
            return;
        }
        mostrar();
        focar();
    });
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdReabrir, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.reabrir();
        mostrar();
    });
    resize(560, 340);
    PrepararTeclado(this);
}

bool FrmMovProducao_Processo_INS::abrir(QChar modo, qint64 numRegisto) {
    const bool ok = m_logica.Abrir(modo, numRegisto);
    mostrar();
    (m_logica.processoEditavel() ? static_cast<QWidget*>(txtProcesso) : txtDescricao)->setFocus();
    return ok;
}

void FrmMovProducao_Processo_INS::lerCampos() {
    if (m_logica.processoEditavel())
        m_logica.txtProcesso = txtProcesso->text();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.txtDescricaoExtensa = txtDescricaoExtensa->toPlainText();
    m_logica.txtDataInicio = txtDataInicio->DataSys();
    m_logica.txtDataPrevista = txtDataPrevista->DataSys();
}

void FrmMovProducao_Processo_INS::mostrar() {
    txtProcesso->setText(m_logica.txtProcesso);
    txtProcesso->setEnabled(m_logica.processoEditavel());
    cmdProximo->setEnabled(m_logica.processoEditavel());
    txtDescricao->setText(m_logica.txtDescricao);
    if (txtDescricaoExtensa->toPlainText() != m_logica.txtDescricaoExtensa)
        txtDescricaoExtensa->setPlainText(m_logica.txtDescricaoExtensa);
    txtDataInicio->setDataSys(m_logica.txtDataInicio);
    txtDataPrevista->setDataSys(m_logica.txtDataPrevista);
    lblEncerramento->setText(m_logica.textoEncerramento());
    cmdReabrir->setVisible(m_logica.reabrirVisivel());
}

void FrmMovProducao_Processo_INS::focar() {
    using F = MovProducao_Processo_INS::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Processo: w = txtProcesso; break;
    case F::Descricao: w = txtDescricao; break;
    case F::DescricaoExtensa: w = txtDescricaoExtensa; break;
    case F::DataInicio: w = txtDataInicio->campo(); break;
    case F::DataPrevista: w = txtDataPrevista->campo(); break;
    case F::Nenhum: break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

// ---------------------------------------------------------------- movements

FrmMovProducao_Processo_MOV::FrmMovProducao_Processo_MOV(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMovProducao_Processo_MOV"));
    setWindowTitle(MovProducao_Processo_MOV::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* cabecalho = new QHBoxLayout;
    lblProcesso = criarRotulo(this, "lblProcesso");
    QFont negrito = lblProcesso->font();
    negrito.setBold(true);
    lblProcesso->setFont(negrito);
    lblEstado = criarRotulo(this, "lblEstado");
    lblEstado->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    cabecalho->addWidget(lblProcesso, 1);
    cabecalho->addWidget(lblEstado);
    raiz->addLayout(cabecalho);
    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    fraLancamento = criarControlo<QGroupBox>(this, "fraLancamento");
    fraLancamento->setTitle(QStringLiteral("Lançamento"));
    auto* g = new QGridLayout(fraLancamento);
    txtData = criarData(fraLancamento, "txtData", ui);
    cpProduto = new CampoCodigo(fraLancamento, QStringLiteral("Produto"));
    cpProduto->lblDescricao->hide(); // the description is the editable field beside it
    cpProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        lerCampos();
        return abrir ? m_logica.pesquisarProduto() : m_logica.produtoSaiu();
    });
    txtDescricao = criarControlo<QLineEdit>(fraLancamento, "txtDescricao");
    txtDescricao->setMaxLength(50);
    cpArmazem = new CampoCodigo(fraLancamento, QStringLiteral("Armazem"));
    cpArmazem->ligar(&m_logica.txtArmazem, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.pesquisarArmazem() : m_logica.armazemSaiu();
    });
    txtQuantidade = criarControlo<Valor>(fraLancamento, "txtQuantidade");
    txtQuantidade->setUserInteraction(&ui);
    txtQuantidade->setDecimais(qBound(0, ctx.casasdecProducao, 4));
    lblUnidade = criarRotulo(fraLancamento, "lblUnidade");
    txtPreco = criarControlo<Valor>(fraLancamento, "txtPreco");
    txtPreco->setUserInteraction(&ui);
    txtPreco->setDecimais(4);
    txtLote = criarControlo<QLineEdit>(fraLancamento, "txtLote");
    txtLote->setMaxLength(20);
    txtLocalizacao = criarControlo<QLineEdit>(fraLancamento, "txtLocalizacao");
    txtLocalizacao->setMaxLength(5);
    txtObserva = criarControlo<QLineEdit>(fraLancamento, "txtObserva");
    txtFornece = criarControlo<QLineEdit>(fraLancamento, "txtFornece");
    txtFornece->setMaxLength(10);
    auto rotulo = [this](const QString& t) { return new QLabel(t, fraLancamento); };
    g->addWidget(rotulo(QStringLiteral("Data Lançamento")), 0, 0);
    g->addWidget(txtData, 0, 1);
    g->addWidget(rotulo(QStringLiteral("Armazém")), 0, 2);
    g->addWidget(cpArmazem, 0, 3, 1, 3);
    g->addWidget(rotulo(QStringLiteral("Produto")), 1, 0);
    g->addWidget(cpProduto, 1, 1);
    g->addWidget(txtDescricao, 1, 2, 1, 4);
    g->addWidget(rotulo(QStringLiteral("Quantidade (+/-)")), 2, 0);
    auto* quantidade = new QHBoxLayout;
    quantidade->addWidget(txtQuantidade);
    quantidade->addWidget(lblUnidade);
    g->addLayout(quantidade, 2, 1);
    g->addWidget(rotulo(QStringLiteral("Preço")), 2, 2);
    g->addWidget(txtPreco, 2, 3);
    g->addWidget(rotulo(QStringLiteral("Lote")), 3, 0);
    g->addWidget(txtLote, 3, 1);
    g->addWidget(rotulo(QStringLiteral("Localização")), 3, 2);
    g->addWidget(txtLocalizacao, 3, 3);
    auto* refs = new QHBoxLayout;
    const char* nomes[] = {"txtEstacao", "txtSexo", "txtReferencia", "txtModelo", "txtCor", "txtTamanho", "txtComprimento"};
    for (size_t i = 0; i < txtReferencias.size(); ++i) {
        txtReferencias[i] = criarControlo<QLineEdit>(fraLancamento, nomes[i]);
        const QString nome = ctx.NomesDimensoes[i + 1];
        txtReferencias[i]->setPlaceholderText(nome.isEmpty() ? QStringLiteral("Ref. %1").arg(i + 1) : nome);
        txtReferencias[i]->setToolTip(txtReferencias[i]->placeholderText());
        refs->addWidget(txtReferencias[i]);
    }
    g->addWidget(rotulo(QStringLiteral("Referências")), 4, 0);
    g->addLayout(refs, 4, 1, 1, 5);
    g->addWidget(rotulo(QStringLiteral("Fornecedor")), 5, 0);
    g->addWidget(txtFornece, 5, 1);
    g->addWidget(rotulo(QStringLiteral("Observações")), 5, 2);
    g->addWidget(txtObserva, 5, 3, 1, 3);
    cmdLancar = criarBotaoSemEnter(fraLancamento, "cmdLancar", QStringLiteral("&Lançar"));
    g->addWidget(cmdLancar, 6, 5);
    raiz->addWidget(fraLancamento);

    auto* botoes = new QHBoxLayout;
    cmdAlterar = criarBotaoSemEnter(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotaoSemEnter(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addWidget(cmdAlterar);
    botoes->addWidget(cmdEliminar);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    m_logica.escolherReferencia = [this](const std::vector<SaldoReferencia>& lista) {
        return janelaReferencias(this, m_ctx, lista);
    };
    m_logica.escolherLote = [this](ExistProArmLote& pedido) {
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
    };
    connect(cpProduto, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(cpArmazem, &CampoCodigo::validado, this, [this](bool) { mostrar(); });
    connect(cmdLancar, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.lancar();
        mostrar();
        if (ok)
            cpProduto->setFocus();
        else
            focar();
    });
    auto alterar = [this] {
        lerCampos();
        m_logica.alterar();
        mostrar();
        focar();
    };
    connect(cmdAlterar, &QPushButton::clicked, this, alterar);
    connect(lvwLista, &ListaVista::linhaActivada, this, [this, alterar](int) {
        if (cmdAlterar->isEnabled())
            alterar();
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] {
        lerCampos();
        m_logica.eliminar();
        mostrar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);
    resize(1100, 640);
    PrepararTeclado(this);
}

bool FrmMovProducao_Processo_MOV::abrir(const QString& processo) {
    const bool ok = m_logica.Abrir(processo);
    mostrar();
    return ok;
}

void FrmMovProducao_Processo_MOV::lerCampos() {
    if (m_aMostrar)
        return;
    m_logica.txtData = txtData->DataSys();
    m_logica.txtProduto.codigo = cpProduto->codigo();
    m_logica.txtArmazem.codigo = cpArmazem->codigo();
    if (m_logica.descricaoEditavel())
        m_logica.txtDescricao = txtDescricao->text();
    m_logica.txtQuantidade = txtQuantidade->valor();
    m_logica.txtPreco = txtPreco->valor();
    m_logica.txtLote.codigo = txtLote->text();
    m_logica.txtLocalizacao = txtLocalizacao->text();
    m_logica.txtObserva = txtObserva->text();
    m_logica.txtFornece = txtFornece->text();
    for (size_t i = 0; i < txtReferencias.size(); ++i)
        m_logica.txtReferencias[i] = txtReferencias[i]->text();
}

void FrmMovProducao_Processo_MOV::mostrar() {
    m_aMostrar = true;
    const ProcessoProducao& p = m_logica.processo();
    lblProcesso->setText(QStringLiteral("Processo: %1 - %2").arg(p.processo, p.descricao));
    lblEstado->setText(m_logica.lblEstado());
    fraLancamento->setVisible(m_logica.entradaVisivel());
    cmdLancar->setEnabled(m_logica.lancarActivo());
    cmdAlterar->setEnabled(m_logica.eliminarActivo());
    cmdEliminar->setEnabled(m_logica.eliminarActivo());
    txtData->setDataSys(m_logica.txtData);
    cpProduto->actualizar();
    cpArmazem->actualizar();
    txtDescricao->setText(m_logica.txtDescricao);
    txtDescricao->setReadOnly(!m_logica.descricaoEditavel());
    txtQuantidade->setValor(m_logica.txtQuantidade);
    txtPreco->setValor(m_logica.txtPreco);
    lblUnidade->setText(m_logica.unidade());
    txtLote->setText(m_logica.txtLote.codigo);
    txtLote->setEnabled(m_logica.loteActivo());
    txtLocalizacao->setText(m_logica.txtLocalizacao);
    txtObserva->setText(m_logica.txtObserva);
    txtFornece->setText(m_logica.txtFornece);
    for (size_t i = 0; i < txtReferencias.size(); ++i)
        txtReferencias[i]->setText(m_logica.txtReferencias[i]);
    m_aMostrar = false;
}

void FrmMovProducao_Processo_MOV::focar() {
    using F = MovProducao_Processo_MOV::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Data: w = txtData->campo(); break;
    case F::Produto: w = cpProduto->txtCodigo; break;
    case F::Armazem: w = cpArmazem->txtCodigo; break;
    case F::Quantidade: w = txtQuantidade->campo(); break;
    case F::Preco: w = txtPreco->campo(); break;
    case F::Lote: w = txtLote; break;
    case F::Localizacao: w = txtLocalizacao; break;
    case F::Referencias: w = txtReferencias[0]; break;
    case F::Lista: w = lvwLista; break;
    case F::Nenhum: break;
    }
    if (w && w->isVisible() && w->isEnabled())
        w->setFocus();
}

// ---------------------------------------------------------------- analysis

FrmMovProducao_Processo_ANAL::FrmMovProducao_Processo_ANAL(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMovProducao_Processo_ANAL"));
    setWindowTitle(MovProducao_Processo_ANAL::Titulo());
    auto* raiz = new QVBoxLayout(this);
    lblTitulo = criarRotulo(this, "lblTitulo");
    QFont negrito = lblTitulo->font();
    negrito.setBold(true);
    lblTitulo->setFont(negrito);
    raiz->addWidget(lblTitulo);
    auto* modos = new QHBoxLayout;
    optQuantidade = criarControlo<QRadioButton>(this, "optQuantidade",
                                                MovProducao_Processo_ANAL::textoModo(MovProducao_Processo_ANAL::Modo::Quantidade));
    optValor = criarControlo<QRadioButton>(this, "optValor",
                                           MovProducao_Processo_ANAL::textoModo(MovProducao_Processo_ANAL::Modo::Valor));
    optQuantidade->setChecked(true);
    modos->addWidget(optQuantidade);
    modos->addWidget(optValor);
    modos->addStretch();
    raiz->addLayout(modos);
    m_grafico = new QChart;
    m_grafico->legend()->setAlignment(Qt::AlignRight);
    chtGrafico = criarControlo<QChartView>(this, "chtGrafico", m_grafico);
    chtGrafico->setRenderHint(QPainter::Antialiasing);
    chtGrafico->setMinimumSize(560, 340);
    raiz->addWidget(chtGrafico, 1);
    lblTotal = criarRotulo(this, "lblTotal");
    lblTotal->setFont(negrito);
    raiz->addWidget(lblTotal);
    lblSeleccionado = criarRotulo(this, "lblSeleccionado");
    raiz->addWidget(lblSeleccionado);
    auto* botoes = new QHBoxLayout;
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    auto mudarModo = [this] {
        m_logica.setModo(optValor->isChecked() ? MovProducao_Processo_ANAL::Modo::Valor
                                               : MovProducao_Processo_ANAL::Modo::Quantidade);
        desenhar();
    };
    connect(optQuantidade, &QRadioButton::toggled, this, [mudarModo](bool sim) {
        if (sim)
            mudarModo();
    });
    connect(optValor, &QRadioButton::toggled, this, [mudarModo](bool sim) {
        if (sim)
            mudarModo();
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 560);
    PrepararTeclado(this);
}

bool FrmMovProducao_Processo_ANAL::abrir(const QString& processo) {
    const bool ok = m_logica.Abrir(processo);
    lblTitulo->setText(m_logica.titulo());
    desenhar();
    return ok;
}

void FrmMovProducao_Processo_ANAL::desenhar() {
    const int seleccionado = m_logica.pontoSeleccionado();
    m_grafico->removeAllSeries();
    m_grafico->setTitle(MovProducao_Processo_ANAL::textoModo(m_logica.modo()));
    auto* serie = new QPieSeries;
    serie->setObjectName(QStringLiteral("serProdutos"));
    for (int i = 0; i < int(m_logica.pontos().size()); ++i) {
        // A slice cannot be negative: a product returned whole weighs nothing.
        const Currency v = m_logica.valorPonto(i);
        serie->append(m_logica.rotuloPonto(i), v.isNegative() ? 0.0 : v.toDouble());
    }
    m_grafico->addSeries(serie);
    connect(serie, &QPieSeries::clicked, this, [this, serie](QPieSlice* fatia) {
        seleccionarPonto(int(serie->slices().indexOf(fatia)));
    });
    m_logica.seleccionarPonto(seleccionado);
    lblTotal->setText(m_logica.lblTotal());
    mostrarSeleccao();
}

void FrmMovProducao_Processo_ANAL::seleccionarPonto(int i) {
    m_logica.seleccionarPonto(i);
    mostrarSeleccao();
}

void FrmMovProducao_Processo_ANAL::mostrarSeleccao() {
    const QList<QAbstractSeries*> series = m_grafico->series();
    if (!series.isEmpty())
        if (auto* serie = qobject_cast<QPieSeries*>(series.front())) {
            const QList<QPieSlice*> fatias = serie->slices();
            for (int i = 0; i < fatias.size(); ++i) {
                const bool escolhida = i == m_logica.pontoSeleccionado();
                fatias[i]->setExploded(escolhida);
                fatias[i]->setLabelVisible(escolhida);
            }
        }
    lblSeleccionado->setText(m_logica.lblSeleccionado());
}

// ---------------------------------------------------------------- list

FrmMovProducao_Processo::FrmMovProducao_Processo(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmMovProducao_Processo"));
    setWindowTitle(MovProducao_Processo::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* filtro = criarControlo<QGroupBox>(this, "fraFiltro");
    filtro->setTitle(QStringLiteral("Filtro"));
    auto* g = new QGridLayout(filtro);
    txtDataInicial = criarData(filtro, "txtDataInicial", ui);
    txtDataFinal = criarData(filtro, "txtDataFinal", ui);
    auto* datas = new QHBoxLayout;
    datas->addWidget(txtDataInicial);
    datas->addWidget(new QLabel(QStringLiteral("/"), filtro));
    datas->addWidget(txtDataFinal);
    auto* campo = new QLabel(QStringLiteral("Campo a considerar: \"Data de Início\""), filtro);
    campo->setEnabled(false);
    datas->addWidget(campo);
    datas->addStretch();
    g->addWidget(new QLabel(QStringLiteral("Data Inicial / Final"), filtro), 0, 0);
    g->addLayout(datas, 0, 1, 1, 2);
    cpProcesso = new CampoCodigo(filtro, QStringLiteral("Processo"));
    cpProcesso->ligar(&m_logica.txtProcesso, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.pesquisarProcesso() : m_logica.processoSaiu();
    });
    g->addWidget(new QLabel(QStringLiteral("Processo"), filtro), 1, 0);
    g->addWidget(cpProcesso, 1, 1, 1, 2);
    txtDescricao = criarControlo<QLineEdit>(filtro, "txtDescricao");
    g->addWidget(new QLabel(QStringLiteral("Descrição"), filtro), 2, 0);
    g->addWidget(txtDescricao, 2, 1, 1, 2);
    optEstado = criarControlo<SelOpta>(filtro, "optEstado");
    optEstado->setLista(MovProducao_Processo::OpcoesEstado);
    auto* estado = new QLabel(QStringLiteral("Estado d&o processo"), filtro);
    estado->setBuddy(optEstado);
    g->addWidget(estado, 3, 0);
    g->addWidget(optEstado, 3, 1);
    cmdPesquisar = criarBotaoSemEnter(filtro, "cmdPesquisar", QStringLiteral("&Pesquisar"));
    g->addWidget(cmdPesquisar, 3, 2, Qt::AlignRight);
    raiz->addWidget(filtro);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdAdicionar = criarBotao(this, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotao(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotao(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdMovimentos = criarBotao(this, "cmdMovimentos", QStringLiteral("&Movimentos"));
    cmdAnalise = criarBotao(this, "cmdAnalise", QStringLiteral("A&nálise"));
    cmdFechar = criarBotao(this, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar, cmdMovimentos, cmdAnalise})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    connect(cmdPesquisar, &QPushButton::clicked, this, &FrmMovProducao_Processo::pesquisar);
    connect(optEstado, &SelOpta::alterado, this, [this] {
        if (!m_aMostrar)
            pesquisar();
    });
    connect(cmdAdicionar, &QPushButton::clicked, this, [this] { editar(u'N'); });
    connect(cmdAlterar, &QPushButton::clicked, this, [this] { editar(u'A'); });
    // A double click is a change: it may not get round the change button's right.
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) {
        if (cmdAlterar->isEnabled())
            editar(u'A');
    });
    connect(cmdEliminar, &QPushButton::clicked, this, [this] { m_logica.eliminar(); });
    connect(cmdMovimentos, &QPushButton::clicked, this, &FrmMovProducao_Processo::movimentos);
    connect(cmdAnalise, &QPushButton::clicked, this, &FrmMovProducao_Processo::analise);
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);

    m_logica.Abrir();
    mostrar();
    resize(960, 560);
    PrepararTeclado(this);
}

void FrmMovProducao_Processo::lerFiltro() {
    m_logica.txtDataInicial = txtDataInicial->DataSys();
    m_logica.txtDataFinal = txtDataFinal->DataSys();
    m_logica.txtProcesso.codigo = cpProcesso->codigo();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.optEstado = optEstado->Chave();
}

void FrmMovProducao_Processo::mostrar() {
    m_aMostrar = true;
    txtDataInicial->setDataSys(m_logica.txtDataInicial);
    txtDataFinal->setDataSys(m_logica.txtDataFinal);
    cpProcesso->actualizar();
    txtDescricao->setText(m_logica.txtDescricao);
    optEstado->setChave(m_logica.optEstado);
    m_aMostrar = false;
}

void FrmMovProducao_Processo::pesquisar() {
    lerFiltro();
    if (!m_logica.processoSaiu()) {
        cpProcesso->actualizar();
        cpProcesso->setFocus();
        return;
    }
    m_logica.Carregar();
    mostrar();
}

void FrmMovProducao_Processo::editar(QChar modo) {
    qint64 registo = 0;
    if (modo == u'A') {
        const auto p = m_logica.seleccionado();
        if (!p)
            return;
        registo = p->numRegisto;
    }
    FrmMovProducao_Processo_INS janela(m_ctx, m_ui, this);
    if (!janela.abrir(modo, registo))
        return;
    janela.exec();
    // Saved or reopened, the row may have changed either way.
    m_logica.Carregar();
}

void FrmMovProducao_Processo::movimentos() {
    const auto p = m_logica.seleccionado();
    if (!p || !m_logica.podeAbrirMovimentos())
        return;
    FrmMovProducao_Processo_MOV janela(m_ctx, m_ui, this);
    if (!janela.abrir(p->processo))
        return;
    janela.exec();
}

void FrmMovProducao_Processo::analise() {
    const auto p = m_logica.seleccionado();
    if (!p)
        return;
    FrmMovProducao_Processo_ANAL janela(m_ctx, m_ui, this);
    if (!janela.abrir(p->processo))
        return;
    janela.exec();
}
