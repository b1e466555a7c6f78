#include "printing/ui/WVSPrint.h"
#include "controls/ui/CriarControlos.h"
#include "controls/ui/Icones.h"

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
#include <QShortcut>
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
    tbrFerramentas->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbrFerramentas->setIconSize(QSize(20, 20));
    auto accao = [this](const char* nome, Icone i, const QString& texto, const QString& dica,
                        const QKeySequence& tecla = {}) {
        QAction* a = tbrFerramentas->addAction(icone(i), texto);
        a->setObjectName(QLatin1String(nome));
        a->setShortcut(tecla);
        a->setToolTip(tecla.isEmpty() ? dica
                                      : dica + QStringLiteral(" (") + tecla.toString(QKeySequence::NativeText) + u')');
        return a;
    };
    tbrFechar = accao("tbrFechar", Icone::Fechar, QStringLiteral("Fechar"), QStringLiteral("Fechar a pré-visualização"),
                      QKeySequence(Qt::Key_Escape));
    tbrFerramentas->addSeparator();
    tbrImprimir = accao("tbrImprimir", Icone::Imprimir, QStringLiteral("Imprimir…"),
                        QStringLiteral("Escolher a impressora, as páginas e as cópias, e imprimir"),
                        QKeySequence(QStringLiteral("Ctrl+P")));
    tbrImprimirDirecto = accao("tbrImprimirDirecto", Icone::ImprimirDirecto, QStringLiteral("Imprimir"),
                               QStringLiteral("Imprimir tudo já, na impressora escolhida"));
    tbrFerramentas->addSeparator();
    tbrProcurar = accao("tbrProcurar", Icone::Procurar, QStringLiteral("Procurar"),
                        QStringLiteral("Procurar um texto no documento"), QKeySequence(QStringLiteral("Ctrl+F")));
    tbrFerramentas->addSeparator();
    tbrExportarPDF = accao("tbrExportarPDF", Icone::Pdf, QStringLiteral("PDF"),
                           QStringLiteral("Exportar para PDF (ficheiro, correio ou arquivo)"),
                           QKeySequence(QStringLiteral("Ctrl+S")));
    tbrExcel = accao("tbrExcel", Icone::Folha, QStringLiteral("Folha de Cálculo"),
                     QStringLiteral("Exportar para uma folha de cálculo na pasta de exportação"));
    tbrExcelFicheiro = accao("tbrExcelFicheiro", Icone::FolhaFicheiro, QStringLiteral("Folha de Cálculo…"),
                             QStringLiteral("Exportar para uma folha de cálculo num ficheiro à escolha"),
                             QKeySequence(QStringLiteral("Ctrl+E")));

    // Paging and zoom on a row of their own: in the toolbar they fell behind its overflow arrow on
    // narrow screens.
    auto botao = [this](const char* nome, const QString& t, const QString& dica) {
        QPushButton* b = criarBotaoSemEnter(this, nome, t);
        b->setToolTip(dica);
        b->setAccessibleName(dica);
        return b;
    };
    cmdFirst = botao("cmdFirst", QStringLiteral("|<"), QStringLiteral("Primeira página (Home)"));
    cmdPrev = botao("cmdPrev", QStringLiteral("<"), QStringLiteral("Página anterior (Page Up)"));
    cmdNext = botao("cmdNext", QStringLiteral(">"), QStringLiteral("Página seguinte (Page Down)"));
    cmdLast = botao("cmdLast", QStringLiteral(">|"), QStringLiteral("Última página (End)"));
    fraPagina = new QGroupBox(this);
    fraPagina->setObjectName(QStringLiteral("fraPagina"));
    auto* nav = new QHBoxLayout(fraPagina);
    nav->setContentsMargins(6, 2, 6, 2);
    for (QPushButton* b : {cmdFirst, cmdPrev, cmdNext, cmdLast})
        nav->addWidget(b);
    cmbZoom = new QComboBox(this);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->addItems(Visualizacao::NomesZoom());
    cmbZoom->setToolTip(QStringLiteral("Ampliação (Ctrl++ e Ctrl+−)"));
    cmbZoom->setAccessibleName(QStringLiteral("Ampliação"));
    auto* linhaNavegacao = new QHBoxLayout;
    linhaNavegacao->setContentsMargins(6, 0, 6, 0);
    linhaNavegacao->addWidget(fraPagina);
    linhaNavegacao->addWidget(cmbZoom);
    linhaNavegacao->addStretch(1);

    vwPagina = new VistaPagina(m_vis.documento(), this);
    scrPagina = new QScrollArea(this);
    scrPagina->setObjectName(QStringLiteral("scrPagina"));
    scrPagina->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scrPagina->setBackgroundRole(QPalette::Dark);
    scrPagina->setWidget(vwPagina);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(tbrFerramentas);
    l->addLayout(linhaNavegacao);
    l->addWidget(scrPagina, 1);

    auto atalho = [this](const QKeySequence& tecla, auto fazer) {
        auto* a = new QShortcut(tecla, this);
        connect(a, &QShortcut::activated, this, fazer);
    };
    atalho(QKeySequence(Qt::Key_PageUp), [this] { cmdPrev->click(); });
    atalho(QKeySequence(Qt::Key_PageDown), [this] { cmdNext->click(); });
    atalho(QKeySequence(Qt::Key_Home), [this] { cmdFirst->click(); });
    atalho(QKeySequence(Qt::Key_End), [this] { cmdLast->click(); });
    const auto ampliar = [this](int passo) {
        cmbZoom->setCurrentIndex(std::clamp(cmbZoom->currentIndex() + passo, 0, cmbZoom->count() - 1));
    };
    atalho(QKeySequence(QKeySequence::ZoomIn), [ampliar] { ampliar(+1); });
    atalho(QKeySequence(Qt::CTRL | Qt::Key_Equal), [ampliar] { ampliar(+1); });
    atalho(QKeySequence(QKeySequence::ZoomOut), [ampliar] { ampliar(-1); });

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
    resize(980, 700);
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
