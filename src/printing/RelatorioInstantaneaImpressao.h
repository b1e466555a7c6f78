#pragma once

#include "printing/Relatorio.h"
#include "production/RelatorioInstantanea.h"

class cPrinter;

inline const QString TituloRelatorioInstantanea = QStringLiteral("Relatório de Produção Instantânea");

// The list's figures: a "processo" row per list row, in the order given.
DadosRelatorio DadosRelatorioInstantanea(const std::vector<LinhaRelatorioInstantanea>& linhas,
                                         const FiltroRelatorioInstantanea& f);

// Draws "Relatório de Produção Instantânea": the period and equipment, then the list's columns
// ("Nº processo", the entry and output documents, "Equipamento", "Observações", "Nomenclatura
// Aplicada") a row each.
bool ImprimirRelatorioInstantanea(cPrinter& p, const std::vector<LinhaRelatorioInstantanea>& linhas,
                                  const FiltroRelatorioInstantanea& f, const QString& descricaoEquipamento,
                                  const QString& empresa, const QString& destino = QStringLiteral("S"),
                                  const QDate& emissao = QDate::currentDate());
