#pragma once

#include "production/FolhaLote.h"

class cPrinter;

// Draws the production sheet of a lot ("Folha de Produção de Lote") into the printer's document.
bool ImprimirFolhaLote(cPrinter& p, const FolhaLote& f, const QString& destino = QStringLiteral("S"));
// The sheet written straight to a PDF file (the headless program).
Resultado<> FolhaLoteParaPdf(const FolhaLote& f, const QString& ficheiro);
