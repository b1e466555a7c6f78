#pragma once

#include "printing/Etiquetas.h"

class cPrinter;
class Database;

// Prints the ticked rows of the list, each as many labels as its quantity, in list order, on the
// definition's grid from the first position given; fields resolved from the product, the row, the
// VAT table, the pictures and the reference tables; codes drawn as vectors: the product's bar code in
// the definition's symbology, the row's dynamic code in it too when it is two-dimensional, else as a
// QR Code. A code that cannot be made leaves its place empty and is reported once per product and
// field in the result's avisos. The printer is initialised here (margins 0, the definition's paper).
// Refused before printing on an unknown layout: a grid that does not fit, a first column or row
// beyond the grid, no fields, no label to print.
Resultado<ResultadoEtiquetas> ImprimirEtiquetas(cPrinter& p, Database& db, const DefinicaoEtiqueta& d,
                                                const std::vector<LinhaEtiqueta>& linhas, const OpcoesEtiquetas& o,
                                                const QString& destino = QStringLiteral("S"));

// The same straight to a PDF file (the headless program); the file is written whole or not at all.
Resultado<ResultadoEtiquetas> EtiquetasParaPdf(Database& db, const DefinicaoEtiqueta& d,
                                               const std::vector<LinhaEtiqueta>& linhas, const OpcoesEtiquetas& o,
                                               const QString& ficheiro);
