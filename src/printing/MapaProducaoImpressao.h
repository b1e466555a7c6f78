#pragma once

#include "printing/Relatorio.h"
#include "production/MapasProducao.h"

class cPrinter;

inline const QString TituloMapaDiscriminado = QStringLiteral("Mapa de Produção <Discriminado - Lotes>");

// The itemised map's figures: a "lote" row per lot, its "componente" rows, a "soma" row per lot
// and the "total".
DadosRelatorio DadosMapaDiscriminado(const MapaDiscriminado& m, const FiltroMapaProducao& f);

// Draws "Mapa de Produção <Discriminado - Lotes>": per lot "Lote : ", "Data : ", the finished
// product with quantity, "Cust.Uni." and "Cust.Total", its raw materials and "Soma do custo dos
// varios Componentes"; "Total Geral ------->" at the end. Quantities with `casasQ` decimals,
// values with `casasV`.
bool ImprimirMapaDiscriminado(cPrinter& p, const MapaDiscriminado& m, const FiltroMapaProducao& f,
                              const QString& descricaoProduto, int casasQ, int casasV, const QString& empresa,
                              const QString& destino = QStringLiteral("S"),
                              const QDate& emissao = QDate::currentDate());

inline const QString TituloMapaProducao = QStringLiteral("Mapa de Produção");

// The map's figures: a "lote" row per lot and, itemised, its "componente" rows (a, b and the
// deviation) and a "soma" row; a "total" row at the end, also as the totals.
DadosRelatorio DadosMapaProducao(const MapaProducao& m, const FiltroMapaProducao& f);

// Draws "Mapa de Produção": per lot the finished product, warehouse, lot, quantity, unit and total
// cost; itemised, each raw material with "Valores aplicados na produção  a)", "Valores da
// nomenclatura  b)" and the "Desvio" a) - b), closed by "Soma dos Componentes"; "Total final" at the
// end. Quantities with `casasQ` decimals, values with `casasV`.
bool ImprimirMapaProducao(cPrinter& p, const MapaProducao& m, const FiltroMapaProducao& f,
                          const QString& descricaoProduto, int casasQ, int casasV, const QString& empresa,
                          const QString& destino = QStringLiteral("S"), const QDate& emissao = QDate::currentDate());
