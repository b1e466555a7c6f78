#pragma once

#include "production/ImpressaoInstantanea.h"

class cPrinter;

// Draws the documents of an instant production run ("Produção Instantânea") into the printer's
// document: finished products, then raw materials, each with its total cost.
bool ImprimirProducaoInstantanea(cPrinter& p, const ImpressaoInstantanea& d, const QString& destino = QStringLiteral("S"));
// The print written straight to a PDF file (the headless program).
Resultado<> ProducaoInstantaneaParaPdf(const ImpressaoInstantanea& d, const QString& ficheiro);
