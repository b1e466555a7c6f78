#include "printing/ui/WVSPrint.h"
#include "controls/ui/CriarControlos.h"

#include "printing/ui/Apresentacao.h"
#include "printing/ui/VistaPagina.h"
#include "printing/ui/WVSExportPDF_New.h"
#include "printing/ui/WVSFind.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QUrl>

WVSPrint::WVSPrint(std::shared_ptr<const DocumentoImpresso> doc, GlobalContext& ctx, UserInteraction& ui,
                   QWidget* pai)
    : QDialog(pai), m_ctx(ctx), m_ui(ui), m_vis(std::move(doc), ui) {
    setObjectName(QStringLiteral("WVSPrint"));
    setWindowTitle(m_vis.documento().titulo);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_vis.abrirFicheiro = [](const QString& f) { QDesktopServices::openUrl(QUrl::fromLocalFile(f)); };

    tbrFerramentas = new QToolBar(this);
    tbrFerramentas->setObjectName(QStringLiteral("tbrFerramentas"));
    auto accao = [this](const char* nome, const QString& texto, const QKeySequence& tecla = {}) {
        QAction* a = tbrFerramentas->addAction(texto);
        a->setObjectName(QLatin1String(nome));
        if (!tecla.isEmpty()) {
            a->setShortcut(tecla);
            a->setToolTip(texto + QStringLiteral(" (") + tecla.toString(QKeySequence::NativeText) + u')');
        }
        return a;
    };
    tbrFechar = accao("tbrFechar", QStringLiteral("Fechar"));
    tbrFerramentas->addSeparator();
    tbrImprimir = accao("tbrImprimir", QStringLiteral("Imprimir..."), QKeySequence(QStringLiteral("Ctrl+P")));
    tbrImprimirDirecto = accao("tbrImprimirDirecto", QStringLiteral("Imprimir"));
    tbrFerramentas->addSeparator();
    tbrProcurar = accao("tbrProcurar", QStringLiteral("Procurar"), QKeySequence(QStringLiteral("Ctrl+F")));
    tbrFerramentas->addSeparator();
    tbrExportarPDF = accao("tbrExportarPDF", QStringLiteral("PDF"), QKeySequence(QStringLiteral("Ctrl+S")));
    tbrExcel = accao("tbrExcel", QStringLiteral("Folha de Cálculo"));
    tbrExcelFicheiro = accao("tbrExcelFicheiro", QStringLiteral("Folha de Cálculo..."),
                             QKeySequence(QStringLiteral("Ctrl+E")));
    tbrFerramentas->addSeparator();

    auto botao = [this](const char* nome, const QString& t) { return criarBotaoSemEnter(this, nome, t); };
    cmdFirst = botao("cmdFirst", QStringLiteral("|<"));
    cmdPrev = botao("cmdPrev", QStringLiteral("<"));
    cmdNext = botao("cmdNext", QStringLiteral(">"));
    cmdLast = botao("cmdLast", QStringLiteral(">|"));
    fraPagina = new QGroupBox(this);
    fraPagina->setObjectName(QStringLiteral("fraPagina"));
    auto* nav = new QHBoxLayout(fraPagina);
    for (QPushButton* b : {cmdFirst, cmdPrev, cmdNext, cmdLast})
        nav->addWidget(b);
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->addItems(Visualizacao::NomesZoom());
    tbrFerramentas->addWidget(fraPagina);
    tbrFerramentas->addWidget(cmbZoom);

    vwPagina = new VistaPagina(m_vis.documento(), this);
    scrPagina = new QScrollArea(this);
    scrPagina->setObjectName(QStringLiteral("scrPagina"));
    scrPagina->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scrPagina->setBackgroundRole(QPalette::Dark);
    scrPagina->setWidget(vwPagina);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(tbrFerramentas);
    l->addWidget(scrPagina, 1);

    connect(tbrFechar, &QAction::triggered, this, &QDialog::close);
    connect(tbrImprimir, &QAction::triggered, this, [this] { imprimir(true); });
    connect(tbrImprimirDirecto, &QAction::triggered, this, [this] { imprimir(false); });
    connect(tbrProcurar, &QAction::triggered, this, [this] {
        WVSFind* f = procurar();
        f->show();
        f->raise();
    });
    connect(tbrExportarPDF, &QAction::triggered, this, &WVSPrint::exportarPdf);
    connect(tbrExcel, &QAction::triggered, this, [this] { m_vis.exportarFolhaParaPasta(); });
    connect(tbrExcelFicheiro, &QAction::triggered, this, [this] { m_vis.exportarFolhaComDialogo(); });
    connect(cmdFirst, &QPushButton::clicked, this, [this] {
        m_vis.primeira();
        mostrarPagina();
    });
    connect(cmdPrev, &QPushButton::clicked, this, [this] {
        m_vis.anterior();
        mostrarPagina();
    });
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        m_vis.seguinte();
        mostrarPagina();
    });
    connect(cmdLast, &QPushButton::clicked, this, [this] {
        m_vis.ultima();
        mostrarPagina();
    });
    connect(cmbZoom, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_vis.zoom = Visualizacao::Zoom(std::clamp(i, 0, 2));
        aplicarZoom();
    });
    resize(900, 700);
    mostrarPagina();
}

WVSPrint::~WVSPrint() = default;

void WVSPrint::mostrarPagina() {
    fraPagina->setTitle(m_vis.legenda());
    cmdFirst->setEnabled(m_vis.podeRecuar());
    cmdPrev->setEnabled(m_vis.podeRecuar());
    cmdNext->setEnabled(m_vis.podeAvancar());
    cmdLast->setEnabled(m_vis.podeAvancar());
    aplicarZoom();
}

void WVSPrint::aplicarZoom() {
    const DocumentoImpresso& d = m_vis.documento();
    const QSize area = scrPagina->viewport()->size() - QSize(12, 12);
    const double cem = DesenhoPagina::escalaPara(logicalDpiX());
    double escala = cem;
    if (m_vis.zoom == Visualizacao::Zoom::LarguraPagina)
        escala = area.width() / d.larguraTw;
    else if (m_vis.zoom == Visualizacao::Zoom::PaginaInteira)
        escala = std::min(area.width() / d.larguraTw, area.height() / d.alturaTw);
    vwPagina->definir(m_vis.paginaActual(), std::max(escala, 0.005));
}

void WVSPrint::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    // Too small to lay anything out sensibly (the old 400-twip floor).
    if (width() < 27 || height() < 27)
        return;
    aplicarZoom();
}

WVSFind* WVSPrint::procurar() {
    if (!m_find) {
        m_find = new WVSFind(m_vis.documento(), m_ui, m_vis.paginaActual(), this);
        connect(m_find, &WVSFind::encontrado, this, [this](int pagina, const QRectF& caixa) {
            if (pagina <= 0) {
                vwPagina->marcar(QRectF());
                return;
            }
            m_vis.irPara(pagina);
            mostrarPagina();
            vwPagina->marcar(caixa);
            if (!caixa.isNull())
                scrPagina->ensureVisible(
                    int(caixa.center().x() * vwPagina->width() / m_vis.documento().larguraTw),
                    int(caixa.center().y() * vwPagina->height() / m_vis.documento().alturaTw));
        });
    }
    return m_find;
}

void WVSPrint::imprimir(bool comDialogo) {
    ImprimirDocumento(m_vis.documento(), QString(), comDialogo, this);
}

void WVSPrint::exportarPdf() {
    WVSExportPDF_New dlg(m_vis.documento(), m_ctx, m_ui, this);
    dlg.exec();
}
