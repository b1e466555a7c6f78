#pragma once

#include "common/Resultado.h"
#include "printing/DocumentoImpresso.h"

#include <optional>

// The value a recorded text carries into the spreadsheet: numbers written the Portuguese way
// ("1.234,56", "-12", "0,5") become numbers; codes with leading zeros ("0042") stay text, as do
// texts marked TipoDado::Texto.
std::optional<double> NumeroExportavel(const QString& texto, TipoDado tipo);

// Writes the texts the export recorder kept as one worksheet: one cell per text, rows in reading
// order (page, then top to bottom), columns by the x the report printed them at, so a report's
// columns stay columns. Without recorded texts, the printed texts are used.
Resultado<> EscreverXlsx(const DocumentoImpresso& doc, const QString& ficheiro);
