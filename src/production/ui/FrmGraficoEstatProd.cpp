#include "production/ui/FrmGraficoEstatProd.h"
#include "controls/ui/Teclado.h"

#include "company/GlobalContext.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/GraficoImpressao.h"
#include "printing/cPrinter.h"
#include "printing/ui/Apresentacao.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLegend>
#include <QLineEdit>
#include <QPieSeries>
#include <QPieSlice>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>

namespace {
EDatas* criarData(QWidget* pai, const char* nome, UserInteraction& ui, const QDate& data) {
    auto* d = criarControlo<EDatas>(pai, nome);
    d->setUserInteraction(&ui);
    d->setDataSys(data);
    return d;
}
} // namespace

FrmGraficoEstatProd::FrmGraficoEstatProd(GlobalContext& ctx, UserInteraction& ui, QWidget* pai)
    : QWidget(pai), m_ctx(ctx), m_ui(ui), m_logica(ctx, ui) {
    setObjectName(QStringLiteral("frmGraficoEstatProd"));
    setWindowTitle(GraficoEstatProd::Titulo());
    auto* raiz = new QVBoxLayout(this);

    auto* f = new QFormLayout;
    txtLote = new CampoCodigo(this, QStringLiteral("Lote"));
    txtLote->ligar(&m_logica.txtLote, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtLote_Pesquisar() : m_logica.txtLote_Saiu();
    });
    f->addRow(QStringLiteral("Lote Produzido"), txtLote);
    txtNumProcesso = criarControlo<QLineEdit>(this, "txtNumProcesso");
    txtNumProcesso->setMaxLength(10);
    f->addRow(QStringLiteral("Número de Processo"), txtNumProcesso);
    txtProduto = new CampoCodigo(this, QStringLiteral("Produto"));
    txtProduto->ligar(&m_logica.txtProduto, [this](CampoTabela&, bool abrir) {
        return abrir ? m_logica.txtProduto_Pesquisar() : m_logica.txtProduto_Saiu();
    });
    f->addRow(QStringLiteral("Produto Acabado"), txtProduto);
    auto* datas = new QHBoxLayout;
    txtDataInicial = criarData(this, "txtDataInicial", ui, m_logica.txtDataInicial);
    txtDataFinal = criarData(this, "txtDataFinal", ui, m_logica.txtDataFinal);
    datas->addWidget(txtDataInicial);
    datas->addWidget(new QLabel(QStringLiteral("a"), this));
    datas->addWidget(txtDataFinal);
    datas->addStretch();
    f->addRow(QStringLiteral("Data Inicial / Final"), datas);
    auto* medidas = new QHBoxLayout;
    optQuantidade = criarControlo<QRadioButton>(this, "optQuantidade", QStringLiteral("Quantidade"));
    optValor = criarControlo<QRadioButton>(this, "optValor", QStringLiteral("Valor"));
    optQuantidade->setChecked(true);
    medidas->addWidget(optQuantidade);
    medidas->addWidget(optValor);
    medidas->addStretch();
    f->addRow(QStringLiteral("Medida"), medidas);
    raiz->addLayout(f);

    auto* botoes = new QHBoxLayout;
    cmdCalcula = criarBotaoSemEnter(this, "cmdCalcula", QStringLiteral("&Calcula"));
    cmdGraficoBarras = criarBotaoSemEnter(this, "cmdGraficoBarras", QStringLiteral("&Barras"));
    cmdGraficoCircular = criarBotaoSemEnter(this, "cmdGraficoCircular", QStringLiteral("C&ircular"));
    cmdImprimir = criarBotaoSemEnter(this, "cmdImprimir", QStringLiteral("&Imprimir"));
    cmdFechar = criarBotaoSemEnter(this, "cmdFechar", QStringLiteral("&Fechar"));
    botoes->addWidget(cmdCalcula);
    botoes->addWidget(cmdGraficoBarras);
    botoes->addWidget(cmdGraficoCircular);
    botoes->addStretch();
    botoes->addWidget(cmdImprimir);
    botoes->addWidget(cmdFechar);
    raiz->addLayout(botoes);

    tabGrafico = criarControlo<QTabWidget>(this, "tabGrafico");
    m_grafico = new QChart;
    m_grafico->legend()->setAlignment(Qt::AlignRight);
    chtGrafico = criarControlo<QChartView>(this, "chtGrafico", m_grafico);
    chtGrafico->setRenderHint(QPainter::Antialiasing);
    chtGrafico->setMinimumSize(600, 340);
    tabGrafico->addTab(chtGrafico, QStringLiteral("Gráfico"));
    lvwLista = criarControlo<QTableWidget>(this, "lvwLista", 0, 5);
    lvwLista->setHorizontalHeaderLabels({QStringLiteral("Produto"), QStringLiteral("Descrição"),
                                         QStringLiteral("Quantidade"), QStringLiteral("Custo"),
                                         QStringLiteral("Peso %")});
    lvwLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwLista->verticalHeader()->hide();
    lvwLista->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tabGrafico->addTab(lvwLista, QStringLiteral("Tabela"));
    raiz->addWidget(tabGrafico, 1);

    auto* rodape = new QHBoxLayout;
    lblPonto = criarRotulo(this, "lblPonto");
    lblValorTotal = criarRotulo(this, "lblValorTotal");
    lblValorTotal->setFrameShape(QFrame::StyledPanel);
    lblValorTotal->setMinimumWidth(120);
    lblValorTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rodape->addWidget(lblPonto, 1);
    rodape->addWidget(new QLabel(QStringLiteral("Valor Total"), this));
    rodape->addWidget(lblValorTotal);
    raiz->addLayout(rodape);

    m_logica.imprimir = [this](const GraficoProducao& g, const FiltroGrafico& fl, const QString& descricao,
                               TipoGrafico tipo, const QString& destino) {
        return imprimir(g, fl, descricao, tipo, destino);
    };
    connect(cmdCalcula, &QPushButton::clicked, this, [this] {
        lerCampos();
        if (!m_logica.txtLote_Saiu() || !m_logica.txtProduto_Saiu()) {
            txtLote->actualizar();
            txtProduto->actualizar();
            return;
        }
        txtLote->actualizar();
        txtProduto->actualizar();
        m_logica.cmdCalcula_Click();
        desenhar();
        preencherTabela();
    });
    connect(cmdGraficoBarras, &QPushButton::clicked, this, [this] {
        m_logica.cmdGraficoBarras_Click();
        desenhar();
    });
    connect(cmdGraficoCircular, &QPushButton::clicked, this, [this] {
        m_logica.cmdGraficoCircular_Click();
        desenhar();
    });
    connect(optValor, &QRadioButton::toggled, this, [this](bool valor) {
        m_logica.mudarMedida(valor);
        desenhar();
        preencherTabela();
    });
    connect(cmdImprimir, &QPushButton::clicked, this, [this] {
        if (!m_logica.resultado()) {
            lerCampos();
            if (!m_logica.txtLote_Saiu() || !m_logica.txtProduto_Saiu())
                return;
        }
        const bool tinha = m_logica.resultado().has_value();
        m_logica.cmdImprimir_Click();
        if (!tinha && m_logica.resultado()) {
            desenhar();
            preencherTabela();
        }
    });
    connect(cmdFechar, &QPushButton::clicked, this, &QWidget::close);
    txtLote->actualizar();
    txtProduto->actualizar();
    resize(900, 640);
    PrepararTeclado(this);
}

void FrmGraficoEstatProd::lerCampos() {
    m_logica.txtLote.codigo = txtLote->codigo();
    m_logica.txtProduto.codigo = txtProduto->codigo();
    m_logica.txtNumProcesso = txtNumProcesso->text();
    m_logica.txtDataInicial = txtDataInicial->DataSys();
    m_logica.txtDataFinal = txtDataFinal->DataSys();
    m_logica.optValor = optValor->isChecked();
}

void FrmGraficoEstatProd::desenhar() {
    m_grafico->removeAllSeries();
    for (QAbstractAxis* e : m_grafico->axes())
        m_grafico->removeAxis(e);
    m_fatias.clear();
    lblPonto->clear();
    const auto& r = m_logica.resultado();
    lblValorTotal->setText(m_logica.lblValorTotal());
    if (!r) {
        m_grafico->setTitle({});
        return;
    }
    const bool valor = r->medida == MedidaGrafico::Valor;
    m_grafico->setTitle(valor ? QStringLiteral("Valor por Matéria-Prima") : QStringLiteral("Quantidade por Matéria-Prima"));
    const int n = int(r->pontos.size());
    if (m_logica.tipo == TipoGrafico::Circular) {
        auto* serie = new QPieSeries;
        serie->setObjectName(QStringLiteral("serMateriais"));
        for (int i = 0; i < n; ++i) {
            const PontoGrafico& p = r->pontos[size_t(i)];
            // A slice cannot be negative or empty: such a material stays in the table only.
            if (!(p.medida(r->medida) > Currency()))
                continue;
            QPieSlice* fatia = serie->append(p.produto, p.medida(r->medida).toDouble());
            fatia->setColor(CorGrafico(i));
            fatia->setLabel(p.produto + QStringLiteral(" (") + PesoVisivel(p.peso) + QStringLiteral(" %)"));
            fatia->setLabelVisible(true);
            m_fatias.push_back(i);
        }
        m_grafico->addSeries(serie);
        connect(serie, &QPieSeries::hovered, this, [this, serie](QPieSlice* fatia, bool dentro) {
            const qsizetype i = serie->slices().indexOf(fatia);
            if (dentro && i >= 0 && size_t(i) < m_fatias.size())
                apontar(m_fatias[size_t(i)]);
        });
        connect(serie, &QPieSeries::clicked, this, [this, serie](QPieSlice* fatia) {
            const qsizetype i = serie->slices().indexOf(fatia);
            if (i >= 0 && size_t(i) < m_fatias.size())
                apontar(m_fatias[size_t(i)]);
        });
        return;
    }
    // One bar set per material, so the legend names each and each has its colour.
    auto* serie = new QBarSeries;
    serie->setObjectName(QStringLiteral("serMateriais"));
    double minimo = 0, maximo = 0;
    for (int i = 0; i < n; ++i) {
        const PontoGrafico& p = r->pontos[size_t(i)];
        auto* barra = new QBarSet(p.produto + QStringLiteral(" - ") + p.descricao);
        const double v = p.medida(r->medida).toDouble();
        *barra << v;
        barra->setColor(CorGrafico(i));
        serie->append(barra);
        minimo = std::min(minimo, v);
        maximo = std::max(maximo, v);
    }
    serie->setLabelsVisible(true);
    serie->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    m_grafico->addSeries(serie);
    auto* eixoX = new QBarCategoryAxis;
    eixoX->append(valor ? QStringLiteral("Valor") : QStringLiteral("Quantidade"));
    m_grafico->addAxis(eixoX, Qt::AlignBottom);
    serie->attachAxis(eixoX);
    auto* eixoY = new QValueAxis;
    eixoY->setRange(minimo, maximo > minimo ? maximo * 1.1 : minimo + 1);
    m_grafico->addAxis(eixoY, Qt::AlignLeft);
    serie->attachAxis(eixoY);
    connect(serie, &QBarSeries::hovered, this, [this, serie](bool dentro, int, QBarSet* barra) {
        if (dentro)
            apontar(int(serie->barSets().indexOf(barra)));
    });
    connect(serie, &QBarSeries::clicked, this,
            [this, serie](int, QBarSet* barra) { apontar(int(serie->barSets().indexOf(barra))); });
}

void FrmGraficoEstatProd::apontar(int indice) { lblPonto->setText(m_logica.textoPonto(indice)); }

void FrmGraficoEstatProd::preencherTabela() {
    lvwLista->setRowCount(0);
    const auto& r = m_logica.resultado();
    if (!r)
        return;
    auto celula = [](const QString& t, bool numero) {
        auto* c = new QTableWidgetItem(t);
        if (numero)
            c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return c;
    };
    const int n = int(r->pontos.size());
    lvwLista->setRowCount(n + 1);
    Currency pesos;
    for (int i = 0; i < n; ++i) {
        const PontoGrafico& p = r->pontos[size_t(i)];
        lvwLista->setItem(i, 0, celula(p.produto, false));
        lvwLista->setItem(i, 1, celula(p.descricao, false));
        lvwLista->setItem(i, 2, celula(m_logica.quantidadeVisivel(p.quantidade), true));
        lvwLista->setItem(i, 3, celula(m_logica.valorVisivel(p.valor), true));
        lvwLista->setItem(i, 4, celula(PesoVisivel(p.peso), true));
        pesos += p.peso;
    }
    QFont negrito = lvwLista->font();
    negrito.setBold(true);
    const QStringList total{QStringLiteral("Total"), QString(), m_logica.quantidadeVisivel(r->totalQuantidade),
                            m_logica.valorVisivel(r->totalValor), PesoVisivel(pesos)};
    for (int c = 0; c < total.size(); ++c) {
        auto* item = celula(total[c], c >= 2);
        item->setFont(negrito);
        lvwLista->setItem(n, c, item);
    }
}

bool FrmGraficoEstatProd::imprimir(const GraficoProducao& g, const FiltroGrafico& f, const QString& descricao,
                                   TipoGrafico tipo, const QString& destino) {
    cPrinter p;
    if (!ImprimirGrafico(p, g, f, descricao, tipo, qBound(0, m_ctx.casadecquant, 4), qBound(0, m_ctx.casadec, 4),
                         NomeEmpresaImpressao(m_ctx), destino) ||
        !p.documento())
        return false;
    m_visualizacao = ApresentarDocumento(p, m_ctx, m_ui, this);
    return true;
}
