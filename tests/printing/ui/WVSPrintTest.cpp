#include "printing/ui/WVSPrint.h"
#include "printing/cPrinter.h"
#include "printing/ui/VistaPagina.h"
#include "printing/ui/WVSExportPDF_New.h"
#include "printing/ui/WVSFind.h"
#include "printing/ui/WVSProcessando.h"
#include "company/GlobalContext.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {
std::shared_ptr<DocumentoImpresso> tresPaginas() {
    cPrinter p;
    p.GravarExportacao(true);
    p.init(QStringLiteral("Consumos do Lote"));
    for (int pag = 1; pag <= 3; ++pag) {
        if (pag > 1)
            p.PNP();
        p.L(QStringLiteral("Página de consumos %1").arg(pag), 10, 10);
        p.r(QStringLiteral("%1,25").arg(pag * 10), 10, 180);
    }
    p.L(QStringLiteral("Total de rebites"), 30, 10);
    p.Show();
    return p.documento();
}
} // namespace

// Pages to the end, finds a word there, exports the spreadsheet and the PDF.
TEST(WVSPrint, PaginaProcuraEExporta) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    GlobalContext ctx;
    ScriptedInteraction ui;
    WVSPrint w(tresPaginas(), ctx, ui);
    w.visualizacao().pastaExportacao = pasta.filePath(QStringLiteral("Exportacao"));
    w.show();
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 1 de 3"));
    EXPECT_FALSE(w.cmdPrev->isEnabled());
    QTest::mouseClick(w.cmdLast, Qt::LeftButton);
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 3 de 3"));
    EXPECT_FALSE(w.cmdNext->isEnabled());
    EXPECT_TRUE(w.cmdFirst->isEnabled());
    EXPECT_EQ(w.vwPagina->pagina(), 3);

    WVSFind* f = w.procurar();
    f->txtTexto->setText(QStringLiteral("REBITES"));
    f->txtPaginaInicial->setValue(1);
    QTest::mouseClick(f->cmdProcurar, Qt::LeftButton);
    EXPECT_EQ(w.vwPagina->pagina(), 3);
    EXPECT_FALSE(w.vwPagina->marca().isNull());
    QTest::mouseClick(f->cmdProcurar, Qt::LeftButton);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Fim de Pesquisa!"));

    w.cmbZoom->setCurrentIndex(2);
    EXPECT_EQ(w.visualizacao().zoom, Visualizacao::Zoom::Cem);

    ui.responder(false); // do not open the exported file
    w.tbrExcel->trigger();
    EXPECT_EQ(ui.mensagens.back().texto, QStringLiteral("Exportação Terminada!"));
    const QStringList feitos = QDir(w.visualizacao().pastaExportacao).entryList({QStringLiteral("*.xlsx")});
    ASSERT_EQ(feitos.size(), 1);
    EXPECT_TRUE(feitos[0].startsWith(QStringLiteral("Consumos do Lote_")));

    // PDF to disk through the export window.
    WVSExportPDF_New dlg(w.visualizacao().documento(), ctx, ui, &w);
    QTest::mouseClick(dlg.cmdExportar, Qt::LeftButton);
    EXPECT_EQ(ui.ultimaMensagem(),
              QStringLiteral("Não pode exportar sem indicar a localização do ficheiro!"));
    dlg.txtFicheiro->setText(pasta.filePath(QStringLiteral("consumos")));
    QTest::mouseClick(dlg.cmdExportar, Qt::LeftButton);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Exportação Terminada!"));
    EXPECT_TRUE(QFile::exists(pasta.filePath(QStringLiteral("consumos.pdf"))));
    EXPECT_EQ(dlg.result(), QDialog::Accepted);

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

TEST(WVSPrint, ExportacaoComDialogoCanceladaNaoEscreve) {
    GlobalContext ctx;
    ScriptedInteraction ui;
    Visualizacao v(tresPaginas(), ui);
    ui.responder(QVariant()); // file dialog cancelled
    EXPECT_TRUE(v.exportarFolhaComDialogo().isEmpty());
    EXPECT_TRUE(ui.mensagens.empty());
    v.irPara(99);
    EXPECT_EQ(v.legenda(), QStringLiteral("Página 3 de 3"));
}

TEST(WVSProcessando, CancelarParaORelatorio) {
    WVSProcessando janela;
    cPrinter p;
    p.definirIndicador(&janela);
    ASSERT_TRUE(p.init(QStringLiteral("Longo")));
    EXPECT_TRUE(p.Wait(1));
    EXPECT_EQ(janela.lblInformacao->text(), QStringLiteral("Imprimindo Página 1"));
    QTest::mouseClick(janela.cmdCancelar, Qt::LeftButton);
    EXPECT_FALSE(p.Wait(2));
    p.Abort();
    EXPECT_FALSE(janela.isVisible());
}

// At 1024 pixels every tool, the paging and the zoom are in sight; the keyboard pages and zooms;
// the two prints and the two spreadsheet exports cannot be told apart only by their captions.
TEST(WVSPrint, BarraCabeEmMilEVinteEQuatroETeclasNavegam) {
    GlobalContext ctx;
    ScriptedInteraction ui;
    WVSPrint w(tresPaginas(), ctx, ui);
    w.resize(1000, 700);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QRect visivel = w.rect();
    for (QAction* a : w.tbrFerramentas->actions()) {
        if (a->isSeparator())
            continue;
        QWidget* b = w.tbrFerramentas->widgetForAction(a);
        ASSERT_NE(b, nullptr) << a->text().toStdString();
        EXPECT_TRUE(b->isVisible()) << a->text().toStdString() << " ficou fora da barra";
        EXPECT_TRUE(visivel.contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size())))
            << a->text().toStdString();
        EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    }
    for (QWidget* c : std::initializer_list<QWidget*>{w.cmdFirst, w.cmdLast, w.cmbZoom})
        EXPECT_TRUE(c->isVisible() && visivel.contains(QRect(c->mapTo(&w, QPoint(0, 0)), c->size())));
    EXPECT_NE(w.tbrImprimir->text(), w.tbrImprimirDirecto->text());
    EXPECT_NE(w.tbrImprimir->toolTip(), w.tbrImprimirDirecto->toolTip());
    EXPECT_NE(w.tbrExcel->text(), w.tbrExcelFicheiro->text());
    EXPECT_NE(w.tbrExcel->toolTip(), w.tbrExcelFicheiro->toolTip());

    w.activateWindow();
    QTest::keyClick(&w, Qt::Key_End);
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 3 de 3"));
    QTest::keyClick(&w, Qt::Key_PageUp);
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 2 de 3"));
    QTest::keyClick(&w, Qt::Key_Home);
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 1 de 3"));
    QTest::keyClick(&w, Qt::Key_PageDown);
    EXPECT_EQ(w.fraPagina->title(), QStringLiteral("Página 2 de 3"));
    w.cmbZoom->setCurrentIndex(0);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(w.visualizacao().zoom, Visualizacao::Zoom::LarguraPagina);
    QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(w.visualizacao().zoom, Visualizacao::Zoom::Cem);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(w.visualizacao().zoom, Visualizacao::Zoom::LarguraPagina);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}
