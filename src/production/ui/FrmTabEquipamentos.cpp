#include "production/ui/FrmTabEquipamentos.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/SelOpta.h"
#include "controls/ui/Valor.h"
#include "db/Database.h"
#include "lookups/ImagensJanela.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/FrmImagens.h"
#include "lookups/ui/ListaVista.h"
#include "printing/EquipamentoImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

EDatas* criarData(QWidget* pai, const char* nome, UserInteraction& ui) {
    auto* d = criarControlo<EDatas>(pai, nome);
    d->setUserInteraction(&ui);
    return d;
}

Valor* criarValor(QWidget* pai, const char* nome, UserInteraction& ui, int casas) {
    auto* v = criarControlo<Valor>(pai, nome);
    v->setUserInteraction(&ui);
    v->setDecimais(casas);
    return v;
}

// Object names of each warned step's controls: "...Abate", "...Despoluimento", "...Desmantelamento".
QByteArray nomePasso(const char* prefixo, int passo) {
    return QByteArray(prefixo) + PassosEquipamento[size_t(passo)].toLatin1();
}

} // namespace

// ---------------------------------------------------------------- record

FrmTabEquipamentosINS::FrmTabEquipamentosINS(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmTabEquipamentosINS"));
    setWindowTitle(TabEquipamentosINS::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* corpo = new QHBoxLayout;
    auto* esquerda = new QVBoxLayout;

    auto* f = new QFormLayout;
    txtCodigo = criarControlo<QLineEdit>(this, "txtCodigo");
    txtCodigo->setMaxLength(20);
    f->addRow(QStringLiteral("Código"), txtCodigo);
    txtDescricao = criarControlo<QLineEdit>(this, "txtDescricao");
    txtDescricao->setMaxLength(100);
    f->addRow(QStringLiteral("Descrição"), txtDescricao);
    txtDataAquisicao = criarData(this, "txtDataAquisicao", ui);
    f->addRow(QStringLiteral("Data aquisição"), txtDataAquisicao);
    txtDataAbate = criarData(this, "txtDataAbate", ui);
    f->addRow(QStringLiteral("Data abate/registo"), txtDataAbate);
    txtDataDespoluimento = criarData(this, "txtDataDespoluimento", ui);
    f->addRow(QStringLiteral("Data despoluimento"), txtDataDespoluimento);
    txtDataDesmantelamento = criarData(this, "txtDataDesmantelamento", ui);
    f->addRow(QStringLiteral("Data desmantelamento"), txtDataDesmantelamento);
    txtDataCertDest = criarData(this, "txtDataCertDest", ui);
    f->addRow(QStringLiteral("Data do certificado de destruição"), txtDataCertDest);
    const int casas = qBound(0, ctx.casadec, 4);
    txtValorAquisicao = criarValor(this, "txtValorAquisicao", ui, casas);
    f->addRow(QStringLiteral("Valor de aquisição"), txtValorAquisicao);
    txtValorDesmantelamento = criarValor(this, "txtValorDesmantelamento", ui, casas);
    f->addRow(QStringLiteral("Valor do desmantelamento"), txtValorDesmantelamento);
    esquerda->addLayout(f);

    auto* avisos = criarControlo<QGroupBox>(this, "fraAvisos");
    avisos->setTitle(QStringLiteral("Avisos"));
    auto* g = new QGridLayout(avisos);
    g->addWidget(new QLabel(QStringLiteral("Dias"), avisos), 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Utilizador a avisar"), avisos), 0, 2);
    g->addWidget(new QLabel(QStringLiteral("Data do aviso"), avisos), 0, 3);
    for (int i = 0; i < 3; ++i) {
        g->addWidget(new QLabel(PassosEquipamento[size_t(i)], avisos), i + 1, 0);
        txtAvisoDias[size_t(i)] = criarControlo<QSpinBox>(avisos, nomePasso("txtAvisoDias", i).constData());
        txtAvisoDias[size_t(i)]->setRange(0, 9999);
        g->addWidget(txtAvisoDias[size_t(i)], i + 1, 1);
        auto* cp = new CampoCodigo(avisos, QStringLiteral("AvisoUtilizador") + PassosEquipamento[size_t(i)]);
        cp->ligar(&m_logica.txtAvisoUtilizador[size_t(i)], [this, i](CampoTabela&, bool abrir) {
            return abrir ? m_logica.pesquisarAvisoUtilizador(i) : m_logica.avisoUtilizadorSaiu(i);
        });
        cpAvisoUtilizador[size_t(i)] = cp;
        g->addWidget(cp, i + 1, 2);
        lblAviso[size_t(i)] = criarRotulo(avisos, nomePasso("lblAviso", i).constData());
        lblAviso[size_t(i)]->setMinimumWidth(90);
        g->addWidget(lblAviso[size_t(i)], i + 1, 3);
    }
    esquerda->addWidget(avisos);
    esquerda->addWidget(new QLabel(QStringLiteral("Observação"), this));
    txtObservacao = criarControlo<QPlainTextEdit>(this, "txtObservacao");
    esquerda->addWidget(txtObservacao, 1);
    corpo->addLayout(esquerda, 3);

    auto* acesso = criarControlo<QGroupBox>(this, "fraUtilizadores");
    acesso->setTitle(QStringLiteral("Utilizadores com acesso ao equipamento"));
    auto* a = new QVBoxLayout(acesso);
    lvwUtilizadores = criarControlo<ListaVista>(acesso, "lvwUtilizadores");
    lvwUtilizadores->setLista(&m_logica.lvwUtilizadores);
    a->addWidget(lvwUtilizadores, 1);
    auto* nota = new QLabel(QStringLiteral("Sem efeito no caso de não selecionar qualquer utilizador"), acesso);
    nota->setWordWrap(true);
    a->addWidget(nota);
    cmdInverter = criarBotaoSemEnter(acesso, "cmdInverter", QStringLiteral("&Inverter"));
    a->addWidget(cmdInverter, 0, Qt::AlignRight);
    corpo->addWidget(acesso, 2);
    raiz->addLayout(corpo, 1);

    auto* botoes = new QHBoxLayout;
    cmdImagens = criarBotaoSemEnter(this, "cmdImagens", QStringLiteral("&Imagens"));
    cmdGravar = criarBotaoSemEnter(this, "cmdGravar", QStringLiteral("&Gravar"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addWidget(cmdImagens);
    botoes->addStretch();
    botoes->addWidget(cmdGravar);
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    connect(cmdInverter, &QPushButton::clicked, this, [this] { m_logica.inverter(); });
    connect(cmdImagens, &QPushButton::clicked, this, &FrmTabEquipamentosINS::imagens);
    connect(cmdGravar, &QPushButton::clicked, this, [this] {
        lerCampos();
        const bool ok = m_logica.gravar();
        m_gravado = m_gravado || ok;
        mostrar();
        if (!ok)
            focar();
    });
    connect(cmdFechar, &QPushButton::clicked, this, [this] { done(m_gravado ? QDialog::Accepted : QDialog::Rejected); });
    resize(900, 560);
    PrepararTeclado(this);
}

bool FrmTabEquipamentosINS::abrir(QChar modo, qint64 numRegisto) {
    m_gravado = false;
    const bool ok = m_logica.Abrir(modo, numRegisto);
    mostrar();
    (m_logica.codigoEditavel() ? txtCodigo : txtDescricao)->setFocus();
    return ok;
}

void FrmTabEquipamentosINS::lerCampos() {
    if (m_logica.codigoEditavel())
        m_logica.txtCodigo = txtCodigo->text();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.txtDataAquisicao = txtDataAquisicao->DataSys();
    m_logica.txtDataAbate = txtDataAbate->DataSys();
    m_logica.txtDataDespoluimento = txtDataDespoluimento->DataSys();
    m_logica.txtDataDesmantelamento = txtDataDesmantelamento->DataSys();
    m_logica.txtDataCertDest = txtDataCertDest->DataSys();
    m_logica.txtValorAquisicao = txtValorAquisicao->valor();
    m_logica.txtValorDesmantelamento = txtValorDesmantelamento->valor();
    m_logica.txtObservacao = txtObservacao->toPlainText();
    for (size_t i = 0; i < 3; ++i) {
        m_logica.txtAvisoDias[i] = txtAvisoDias[i]->value();
        m_logica.txtAvisoUtilizador[i].codigo = cpAvisoUtilizador[i]->codigo();
    }
}

void FrmTabEquipamentosINS::mostrar() {
    txtCodigo->setText(m_logica.txtCodigo);
    txtCodigo->setEnabled(m_logica.codigoEditavel());
    txtDescricao->setText(m_logica.txtDescricao);
    txtDataAquisicao->setDataSys(m_logica.txtDataAquisicao);
    txtDataAbate->setDataSys(m_logica.txtDataAbate);
    txtDataDespoluimento->setDataSys(m_logica.txtDataDespoluimento);
    txtDataDesmantelamento->setDataSys(m_logica.txtDataDesmantelamento);
    txtDataCertDest->setDataSys(m_logica.txtDataCertDest);
    txtValorAquisicao->setValor(m_logica.txtValorAquisicao);
    txtValorDesmantelamento->setValor(m_logica.txtValorDesmantelamento);
    if (txtObservacao->toPlainText() != m_logica.txtObservacao)
        txtObservacao->setPlainText(m_logica.txtObservacao);
    for (size_t i = 0; i < 3; ++i) {
        txtAvisoDias[i]->setValue(m_logica.txtAvisoDias[i]);
        cpAvisoUtilizador[i]->actualizar();
        lblAviso[i]->setText(m_logica.lblAviso(int(i)));
    }
}

void FrmTabEquipamentosINS::focar() {
    using F = TabEquipamentosINS::Foco;
    QWidget* w = nullptr;
    switch (m_logica.focoPedido()) {
    case F::Codigo: w = txtCodigo; break;
    case F::Descricao: w = txtDescricao; break;
    case F::DataAquisicao: w = txtDataAquisicao->campo(); break;
    case F::DataAbate: w = txtDataAbate->campo(); break;
    case F::DataDespoluimento: w = txtDataDespoluimento->campo(); break;
    case F::DataDesmantelamento: w = txtDataDesmantelamento->campo(); break;
    case F::DataCertDest: w = txtDataCertDest->campo(); break;
    case F::AvisoUtilizador: {
        const int p = m_logica.passoPedido();
        if (p >= 0 && p < 3)
            w = cpAvisoUtilizador[size_t(p)]->txtCodigo;
        break;
    }
    case F::Nenhum: break;
    }
    if (w && w->isEnabled())
        w->setFocus();
}

void FrmTabEquipamentosINS::imagens() {
    lerCampos();
    if (!m_logica.podeAbrirImagens()) {
        focar();
        return;
    }
    // Filed under the code alone; confirmed by the next save.
    ImagensRegisto registo(m_ctx, m_ui, QString::fromLatin1(TabEquipamentosINS::TabelaImagens), m_logica.codigoImagens(),
                           QString());
    FrmImagens janela(registo, this);
    janela.exec();
}

// ---------------------------------------------------------------- products obtained

FrmTabEquipamentosProdutosAcabados::FrmTabEquipamentosProdutosAcabados(GlobalContext& ctx, UserInteraction& ui,
                                                                       QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmTabEquipamentosProdutosAcabados"));
    setWindowTitle(TabEquipamentosProdutosAcabados::Titulo());
    auto* raiz = new QVBoxLayout(this);
    lblEquipamento = criarRotulo(this, "lblEquipamento");
    QFont negrito = lblEquipamento->font();
    negrito.setBold(true);
    lblEquipamento->setFont(negrito);
    raiz->addWidget(lblEquipamento);
    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);
    auto* botoes = new QHBoxLayout;
    cmdImagens = criarBotaoSemEnter(this, "cmdImagens", QStringLiteral("&Imagens"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addWidget(cmdImagens);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);
    connect(cmdImagens, &QPushButton::clicked, this, &FrmTabEquipamentosProdutosAcabados::imagens);
    connect(cmdFechar, &QPushButton::clicked, this, &QDialog::accept);
    resize(760, 420);
    PrepararTeclado(this);
}

bool FrmTabEquipamentosProdutosAcabados::abrir(const QString& codigo, const QString& descricao) {
    lblEquipamento->setText(QStringLiteral("Equipamento: ") + codigo.trimmed() +
                            (descricao.trimmed().isEmpty() ? QString() : QStringLiteral(" - ") + descricao.trimmed()));
    const bool ok = m_logica.Abrir(codigo);
    if (m_logica.lvwLista.numLinhas() > 0)
        m_logica.lvwLista.lvw_SelectLinha(0);
    return ok;
}

void FrmTabEquipamentosProdutosAcabados::imagens() {
    if (!m_logica.podeAbrirImagens())
        return;
    const auto p = m_logica.seleccionado();
    ImagensRegisto registo(m_ctx, m_ui, QString::fromLatin1(TabEquipamentosProdutosAcabados::TabelaImagens),
                           p->produto.trimmed(), p->lote.trimmed());
    FrmImagens janela(registo, this);
    janela.exec();
}

// ---------------------------------------------------------------- warnings

FrmTabEquipamentosAvisos::FrmTabEquipamentosAvisos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmTabEquipamentosAvisos"));
    setWindowTitle(TabEquipamentosAvisos::Titulo());
    auto* raiz = new QVBoxLayout(this);
    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);
    auto* botoes = new QHBoxLayout;
    cmdAlterar = criarBotao(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdFechar = criarBotao(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addWidget(cmdAlterar);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    tmrActualizar = new QTimer(this);
    tmrActualizar->setObjectName(QStringLiteral("tmrActualizar"));
    tmrActualizar->setInterval(IntervaloActualizacao);
    connect(tmrActualizar, &QTimer::timeout, this, &FrmTabEquipamentosAvisos::actualizar);
    connect(cmdAlterar, &QPushButton::clicked, this, &FrmTabEquipamentosAvisos::alterar);
    connect(lvwLista, &ListaVista::linhaActivada, this, [this](int) { alterar(); });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);

    if (m_ctx.LigacaoEmpresa && m_ctx.LigacaoEmpresa->isOpen())
        m_logica.Carregar(QDate::currentDate());
    tmrActualizar->start();
    resize(820, 320);
    PrepararTeclado(this);
}

void FrmTabEquipamentosAvisos::actualizar() { m_logica.actualizar(); }

void FrmTabEquipamentosAvisos::alterar() {
    const qint64 registo = m_logica.registoSeleccionado();
    if (registo <= 0)
        return;
    FrmTabEquipamentosINS janela(m_ctx, m_ui, this);
    if (janela.abrir(u'A', registo))
        janela.exec();
    m_logica.Carregar(QDate::currentDate());
}

QWidget* FrmTabEquipamentosAvisos::moldura() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return this;
}

void FrmTabEquipamentosAvisos::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (m_posicaoReposta)
        return;
    m_posicaoReposta = true;
    // Each user has his own place for it.
    QSettings s;
    s.beginGroup(m_ctx.CodigoUtilizador);
    const QVariant topo = s.value(ChaveTopo), esquerda = s.value(ChaveEsquerda);
    if (topo.isValid() && esquerda.isValid())
        moldura()->move(qMax(0, esquerda.toInt()), qMax(0, topo.toInt()));
}

void FrmTabEquipamentosAvisos::closeEvent(QCloseEvent* e) {
    tmrActualizar->stop();
    QSettings s;
    s.beginGroup(m_ctx.CodigoUtilizador);
    const QPoint p = moldura()->pos();
    s.setValue(ChaveTopo, p.y());
    s.setValue(ChaveEsquerda, p.x());
    QWidget::closeEvent(e);
}

// ---------------------------------------------------------------- list

FrmTabEquipamentos::FrmTabEquipamentos(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmTabEquipamentos"));
    setWindowTitle(TabEquipamentos::Titulo());
    auto* raiz = new QVBoxLayout(this);
    auto* filtro = criarControlo<QGroupBox>(this, "fraFiltro");
    filtro->setTitle(QStringLiteral("Filtro"));
    auto* g = new QGridLayout(filtro);
    txtCodigo = criarControlo<QLineEdit>(filtro, "txtCodigo");
    txtCodigo->setMaxLength(20);
    g->addWidget(new QLabel(QStringLiteral("Código"), filtro), 0, 0);
    g->addWidget(txtCodigo, 0, 1);
    txtDescricao = criarControlo<QLineEdit>(filtro, "txtDescricao");
    g->addWidget(new QLabel(QStringLiteral("Descrição"), filtro), 1, 0);
    g->addWidget(txtDescricao, 1, 1, 1, 2);
    optEstado = criarControlo<SelOpta>(filtro, "optEstado");
    optEstado->setLista(TabEquipamentos::OpcoesEstado);
    auto* estado = new QLabel(QStringLiteral("Estad&o"), filtro);
    estado->setBuddy(optEstado);
    g->addWidget(estado, 2, 0);
    g->addWidget(optEstado, 2, 1);
    cmdPesquisar = criarBotaoSemEnter(filtro, "cmdPesquisar", QStringLiteral("&Pesquisar"));
    g->addWidget(cmdPesquisar, 2, 2, Qt::AlignRight);
    g->setColumnStretch(1, 1);
    raiz->addWidget(filtro);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdAdicionar = criarBotao(this, "cmdAdicionar", QStringLiteral("&Adicionar"));
    cmdAlterar = criarBotao(this, "cmdAlterar", QStringLiteral("A&lterar"));
    cmdEliminar = criarBotao(this, "cmdEliminar", QStringLiteral("&Eliminar"));
    cmdProdutos = criarBotao(this, "cmdProdutos", QStringLiteral("&Produtos"));
    cmdImprimir = criarBotao(this, "cmdImprimir", QStringLiteral("&Imprimir"));
    cmdImprimir->setToolTip(QStringLiteral("Imprimir o processo do equipamento seleccionado"));
    cmdFechar = criarBotao(this, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdAdicionar, cmdAlterar, cmdEliminar, cmdProdutos, cmdImprimir})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    connect(cmdPesquisar, &QPushButton::clicked, this, &FrmTabEquipamentos::pesquisar);
    connect(txtCodigo, &QLineEdit::returnPressed, this, &FrmTabEquipamentos::pesquisar);
    connect(txtDescricao, &QLineEdit::returnPressed, this, &FrmTabEquipamentos::pesquisar);
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
    connect(cmdProdutos, &QPushButton::clicked, this, &FrmTabEquipamentos::produtos);
    connect(cmdImprimir, &QPushButton::clicked, this, &FrmTabEquipamentos::imprimir);
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);

    // "Imprimir o processo do equipamento seleccionado": to the screen or to the printer.
    imprimirRelatorio = [this](const QString& codigo) {
        const int destino = m_ui.alerta(QStringLiteral("Tipo de Listagem?"),
                                        {QStringLiteral("Para o Ecran"), QStringLiteral("Para a Impressora")});
        if (destino != 1 && destino != 2)
            return;
        const auto r = LerRelatorioEquipamento(m_ctx.bd(), codigo);
        if (!r) {
            m_ui.mensagem(r.mensagem(), UserInteraction::Icone::Exclamacao);
            return;
        }
        cPrinter p;
        const QString onde = destino == 1 ? QStringLiteral("S") : QStringLiteral("P");
        if (!ImprimirRelatorioEquipamento(p, *r, NomeEmpresaImpressao(m_ctx), onde) || !p.documento())
            return;
        if (destino == 1)
            MostrarDocumento(p.documento(), m_ctx, m_ui, this);
        else
            ApresentarDocumento(p, m_ctx, m_ui, this);
    };
    m_logica.Carregar();
    mostrar();
    resize(1000, 560);
    PrepararTeclado(this);
}

void FrmTabEquipamentos::showEvent(QShowEvent* e) {
    // The menu's rights may have switched it on before the report was wired.
    if (!imprimirRelatorio)
        cmdImprimir->setEnabled(false);
    QWidget::showEvent(e);
}

void FrmTabEquipamentos::lerFiltro() {
    m_logica.txtCodigo = txtCodigo->text();
    m_logica.txtDescricao = txtDescricao->text();
    m_logica.optEstado = optEstado->Chave();
}

void FrmTabEquipamentos::mostrar() {
    m_aMostrar = true;
    txtCodigo->setText(m_logica.txtCodigo);
    txtDescricao->setText(m_logica.txtDescricao);
    optEstado->setChave(m_logica.optEstado);
    m_aMostrar = false;
}

void FrmTabEquipamentos::pesquisar() {
    lerFiltro();
    m_logica.Carregar();
}

void FrmTabEquipamentos::editar(QChar modo) {
    qint64 registo = 0;
    if (modo == u'A') {
        const auto e = m_logica.seleccionado();
        if (!e)
            return;
        registo = e->numRegisto;
    }
    FrmTabEquipamentosINS janela(m_ctx, m_ui, this);
    if (!janela.abrir(modo, registo))
        return;
    janela.exec();
    if (janela.gravado()) {
        m_logica.Carregar();
        m_logica.lvwLista.lvw_SelectLinha(m_logica.lvwLista.linhaDoId(janela.logica().equipamento().numRegisto));
    }
}

void FrmTabEquipamentos::produtos() {
    const auto e = m_logica.seleccionado();
    if (!e)
        return;
    FrmTabEquipamentosProdutosAcabados janela(m_ctx, m_ui, this);
    if (!janela.abrir(e->codigo, e->descricao))
        return;
    janela.exec();
}

void FrmTabEquipamentos::imprimir() {
    const auto e = m_logica.seleccionado();
    if (!e || !imprimirRelatorio)
        return;
    imprimirRelatorio(e->codigo);
}
