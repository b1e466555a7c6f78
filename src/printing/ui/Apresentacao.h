#pragma once

#include "printing/DocumentoImpresso.h"

#include <memory>

struct GlobalContext;
class QWidget;
class UserInteraction;
class cPrinter;

// Sends the document to a printer (empty name: the one chosen in "Definir Impressoras", else the
// system's default). With the dialog the user picks printer, copies and pages. False when
// cancelled or the printer failed.
bool ImprimirDocumento(const DocumentoImpresso& doc, const QString& impressora, bool comDialogo,
                       QWidget* pai = nullptr);

// Opens the preview of a finished document (non-modal, deleted on close). Returns the window.
QWidget* MostrarDocumento(std::shared_ptr<const DocumentoImpresso> doc, GlobalContext& ctx,
                          UserInteraction& ui, QWidget* pai = nullptr);

// Presents what a report drew, as its destination says: "S" previews, "P" prints at DeviceName.
// Returns the preview window when one opened, else null.
QWidget* ApresentarDocumento(const cPrinter& p, GlobalContext& ctx, UserInteraction& ui, QWidget* pai = nullptr);
