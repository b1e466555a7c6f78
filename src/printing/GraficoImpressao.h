#pragma once

#include "printing/Relatorio.h"
#include "production/GraficoEstatProd.h"

#include <QColor>

class cPrinter;

inline const QString TituloGrafico = QStringLiteral("Gráfico Estatístico de Produção");

// The colour of a material's bar or slice, the same on screen and on paper.
QColor CorGrafico(int indice);

// The chart's figures: a "material" row per point and the totals.
DadosRelatorio DadosGrafico(const GraficoProducao& g, const FiltroGrafico& f, const QString& descricaoProduto,
                            TipoGrafico tipo);

// Draws the chart's table ("Produto", "Descrição", "Quantidade", "Custo", "Peso %" and the
// "Total" line) under "Lote Produzido: ", "Número de Processo: " and "Produto Acabado: ", then
// the chart itself, bars or pie, with its legend. Quantities with `casasQ` decimals, values with
// `casasV`.
bool ImprimirGrafico(cPrinter& p, const GraficoProducao& g, const FiltroGrafico& f, const QString& descricaoProduto,
                     TipoGrafico tipo, int casasQ, int casasV, const QString& empresa,
                     const QString& destino = QStringLiteral("S"), const QDate& emissao = QDate::currentDate());
