#include "printing/ui/Apresentacao.h"

#include "printing/ExportadorPdf.h"
#include "printing/ui/ListaImpressoras.h"
#include "printing/cPrinter.h"
#include "printing/ui/WVSPrint.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

bool ImprimirDocumento(const DocumentoImpresso& doc, const QString& impressora, bool comDialogo,
                       QWidget* pai) {
    if (doc.numeroPaginas() == 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    const QString nome = impressora.isEmpty() ? ListaImpressoras::Escolhida() : impressora;
    if (!nome.isEmpty())
        printer.setPrinterName(nome);
    printer.setDocName(doc.titulo);
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(
        TamanhoPagina(doc), doc.larguraTw > doc.alturaTw ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0)));
    int de = 1, ate = doc.numeroPaginas();
    if (comDialogo) {
        QPrintDialog dlg(&printer, pai);
        dlg.setMinMax(1, doc.numeroPaginas());
        if (dlg.exec() != QDialog::Accepted)
            return false;
        if (printer.printRange() == QPrinter::PageRange) {
            de = printer.fromPage();
            ate = printer.toPage();
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = DesenharEmDispositivo(doc, printer, de, ate);
    QApplication::restoreOverrideCursor();
    return ok;
}

QWidget* MostrarDocumento(std::shared_ptr<const DocumentoImpresso> doc, GlobalContext& ctx,
                          UserInteraction& ui, QWidget* pai) {
    auto* w = new WVSPrint(std::move(doc), ctx, ui, pai);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->showMaximized();
    return w;
}

QWidget* ApresentarDocumento(const cPrinter& p, GlobalContext& ctx, UserInteraction& ui, QWidget* pai) {
    // Without a printer named or installed, the document is shown instead of lost.
    const bool haImpressora = !p.DeviceName().isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
    if (p.Destino() == QStringLiteral("P") && haImpressora) {
        ImprimirDocumento(*p.documento(), p.DeviceName(), false, pai);
        return nullptr;
    }
    return MostrarDocumento(p.documento(), ctx, ui, pai);
}
