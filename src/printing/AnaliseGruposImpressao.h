#pragma once

#include "printing/Relatorio.h"
#include "production/AnaliseGrupos.h"

class cPrinter;

inline const QString TituloAnaliseGrupos = QStringLiteral("Análise de Produtos por Grupos/Familias/Subfamilias");

// The analysis' figures: per product a "produto" row (its totals) followed, when itemised, by its
// "movimento" rows; "subfamilia", "familia" and "grupo" rows as each closes; the "total" at the end.
DadosRelatorio DadosAnaliseGrupos(const AnaliseGrupos& a, const FiltroAnaliseGrupos& f);

// Draws the analysis: the filters and the mode ("  << RESUMO >>" / "  << DISCRIMINADO >>") under
// the title; each group, family and subfamily headed by its description and closed by its total;
// each product "Produto -> " with its rows ("Data", "Tip", "Núm", "Arm.", "Quant.", "Preço",
// "Qty * Prç") and total, or only its total line in the summary; the general total at the end and
// "*) Preço Médio de Custo do Periodo" at the foot of every page. Quantities with `casasQ`
// decimals, values with `casasV`, prices with four.
bool ImprimirAnaliseGrupos(cPrinter& p, const AnaliseGrupos& a, const FiltroAnaliseGrupos& f,
                           const DescricoesAnaliseGrupos& d, int casasQ, int casasV, const QString& empresa,
                           const QString& destino = QStringLiteral("S"),
                           const QDate& emissao = QDate::currentDate());
