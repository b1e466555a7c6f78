#pragma once

#include "common/Resultado.h"
#include "printing/DocumentoImpresso.h"

class QPagedPaintDevice;

// Writes every page of the document as PDF.
Resultado<> EscreverPdf(const DocumentoImpresso& doc, const QString& ficheiro);

// Draws pages [de, ate] (1-based, 0 = to the end) onto a printer or PDF writer whose page size the
// caller set; every page after the first starts with newPage().
bool DesenharEmDispositivo(const DocumentoImpresso& doc, QPagedPaintDevice& dispositivo, int de = 1,
                           int ate = 0);

// The page size of the document, for setting up a device.
class QPageSize;
QPageSize TamanhoPagina(const DocumentoImpresso& doc);
