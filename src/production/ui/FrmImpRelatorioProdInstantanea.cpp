#include "production/ui/FrmImpRelatorioProdInstantanea.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "lookups/ui/ListaVista.h"
#include "printing/ImpCodBar.h"
#include "printing/RelatorioInstantaneaImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"
#include "printing/ui/FrmImpCodBar.h"
#include "session/ui/FrmHistDocumentos.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FrmImpRelatorioProdInstantanea::FrmImpRelatorioProdInstantanea(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmImpRelatorioProdInstantanea"));
    setWindowTitle(ImpRelatorioProdInstantanea::Titulo());
    auto* raiz = new QVBoxLayout(this);

    auto* filtro = criarControlo<QGroupBox>(this, "fraFiltro");
    filtro->setTitle(QStringLiteral("Filtro"));
    auto* g = new QGridLayout(filtro);
    txtDataInicial = criarControlo<EDatas>(filtro, "txtDataInicial");
    txtDataInicial->setUserInteraction(&m_ui);
    txtDataFinal = criarControlo<EDatas>(filtro, "txtDataFinal");
    txtDataFinal->setUserInteraction(&m_ui);
    auto* datas = new QHBoxLayout;
    datas->addWidget(txtDataInicial);
    datas->addWidget(new QLabel(QStringLiteral("/"), filtro));
    datas->addWidget(txtDataFinal);
    datas->addStretch();
    g->addWidget(new QLabel(QStringLiteral("Data Inicial / Final"), filtro), 0, 0);
    g->addLayout(datas, 0, 1);
    txtEquipamento = new CampoCodigo(filtro, QStringLiteral("Equipamento"));
    txtEquipamento->ligar(&m_logica.txtEquipamento, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtEquipamento_Pesquisar() : m_logica.txtEquipamento_Saiu();
    });
    g->addWidget(new QLabel(QStringLiteral("Equipamento"), filtro), 1, 0);
    g->addWidget(txtEquipamento, 1, 1);
    cmdPesquisar = criarBotaoSemEnter(filtro, "cmdPesquisar", QStringLiteral("&Pesquisar"));
    g->addWidget(cmdPesquisar, 1, 2, Qt::AlignRight);
    g->setColumnStretch(1, 1);
    raiz->addWidget(filtro);

    lvwLista = criarControlo<ListaVista>(this, "lvwLista");
    lvwLista->setLista(&m_logica.lvwLista);
    raiz->addWidget(lvwLista, 1);

    auto* botoes = new QHBoxLayout;
    cmdImprimir = criarBotaoSemEnter(this, "cmdImprimir", QStringLiteral("&Imprimir"));
    cmdEliminarProcesso = criarBotaoSemEnter(this, "cmdEliminarProcesso", QStringLiteral("&Eliminar Processo"));
    cmdHistDoc = criarBotaoSemEnter(this, "cmdHistDoc", QStringLiteral("&Hist. Doc."));
    cmdImpEtiquetas = criarBotaoSemEnter(this, "cmdImpEtiquetas", QStringLiteral("Imp. Etiquetas"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    for (QPushButton* b : {cmdImprimir, cmdEliminarProcesso, cmdHistDoc, cmdImpEtiquetas})
        botoes->addWidget(b);
    botoes->addStretch();
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    m_logica.imprimir = [this](const std::vector<LinhaRelatorioInstantanea>& l, const FiltroRelatorioInstantanea& f,
                               const QString& descricao, const QString& destino) {
        return imprimir(l, f, descricao, destino);
    };
    m_logica.abrirEtiquetas = [this](const EtiquetasInstantanea& e) { abrirEtiquetas(e); };
    m_logica.abrirHistorico = [this](const QString& tipo, const QString& numero, const QString& subtitulo) {
        auto* h = new FrmHistDocumentos(m_ctx, m_ui, tipo, numero, subtitulo, this);
        h->setWindowFlag(Qt::Window);
        h->show();
    };
    connect(cmdPesquisar, &QPushButton::clicked, this, [this] {
        lerFiltro();
        if (!m_logica.txtEquipamento_Saiu()) {
            txtEquipamento->actualizar();
            return;
        }
        txtEquipamento->actualizar();
        m_logica.cmdPesquisar_Click();
    });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] { m_logica.cmdImprimir_Click(); });
    connect(cmdEliminarProcesso, &QPushButton::clicked, this, [this] { m_logica.cmdEliminarProcesso_Click(); });
    connect(cmdHistDoc, &QPushButton::clicked, this, [this] { m_logica.cmdHistDoc_Click(); });
    connect(cmdImpEtiquetas, &QPushButton::clicked, this, [this] { m_logica.cmdImpEtiquetas_Click(); });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);

    txtDataInicial->setDataSys(m_logica.txtDataInicial);
    txtDataFinal->setDataSys(m_logica.txtDataFinal);
    txtEquipamento->actualizar();
    resize(1100, 560);
    PrepararTeclado(this);
}

void FrmImpRelatorioProdInstantanea::lerFiltro() {
    m_logica.txtDataInicial = txtDataInicial->DataSys();
    m_logica.txtDataFinal = txtDataFinal->DataSys();
    m_logica.txtEquipamento.codigo = txtEquipamento->codigo();
}

bool FrmImpRelatorioProdInstantanea::imprimir(const std::vector<LinhaRelatorioInstantanea>& linhas,
                                              const FiltroRelatorioInstantanea& f, const QString& descricaoEquipamento,
                                              const QString& destino) {
    cPrinter p;
    if (!ImprimirRelatorioInstantanea(p, linhas, f, descricaoEquipamento, NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}

void FrmImpRelatorioProdInstantanea::abrirEtiquetas(const EtiquetasInstantanea& e) {
    LinhaEtiqueta l;
    l.produto = e.produto;
    l.descricao = e.descricao;
    l.lote = e.lote;
    // Beyond the label window's limit the user is left to split the run.
    l.quantidade = QuantidadeEtiquetasDe(e.etiquetas).value_or(MaxQuantidadeEtiquetas);
    auto* janela = new FrmImpCodBar(m_ctx, m_ui);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->logica().adicionarLinha(l);
    m_etiquetas = janela;
    janela->show();
}
