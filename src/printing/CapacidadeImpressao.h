#pragma once

#include "printing/Relatorio.h"
#include "production/CapacidadeProducao.h"

class cPrinter;

inline const QString TituloCapacidade = QStringLiteral("Previsão da Capacidade de Produção");

// The capacity report's figures: one "produto" row per finished product (its capacity cut to the
// quantity decimals) and, with discrimina, one "componente" row per bill row.
DadosRelatorio DadosCapacidade(const std::vector<CapacidadeProduto>& lista, const QString& produto, bool discrimina,
                               int casasQuantidade);

// Draws "Previsão da Capacidade de Produção conforme a existência em stock dos componemtes".
bool ImprimirCapacidade(cPrinter& p, const std::vector<CapacidadeProduto>& lista, bool discrimina,
                        int casasQuantidade, const QString& empresa, const QString& destino = QStringLiteral("S"),
                        const QDate& emissao = QDate::currentDate());
