#pragma once

#include "printing/Relatorio.h"
#include "production/DiarioInstantanea.h"

class cPrinter;

inline const QString TituloDiarioInstantanea = QStringLiteral("Diário de Produção Instantânea");

// The journal's figures: a "grupo" row per run, bill or flow, its "linha" rows (the raw material
// "mp" and the finished product "pa" side by side, null when that side is empty) and a "total"
// row per group; the general totals of both sides.
DadosRelatorio DadosDiarioInstantanea(const DiarioInstantanea& d, const FiltroDiarioInstantanea& f);

// Draws "Diário de Produção Instantânea": "Matéria Prima", "Quant.", "Preço", "Valor" beside
// "Produto Acabado", "Quant.", "Preço", "Valor"; daily: "Data : " on each new date, "Processo : "
// and "Total Processo nº"; per bill: "Nomenclatura : " and "Total Nomenclatura "; per flow:
// "Fluxo : " and "Total Fluxo "; the general total at the end. Quantities with `casasQ` decimals,
// prices and values with `casasV`.
bool ImprimirDiarioInstantanea(cPrinter& p, const DiarioInstantanea& d, const FiltroDiarioInstantanea& f,
                               const QString& descricaoNomenclatura, int casasQ, int casasV, const QString& empresa,
                               const QString& destino = QStringLiteral("S"),
                               const QDate& emissao = QDate::currentDate());
