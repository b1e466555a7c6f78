#pragma once

#include "production/Equipamentos.h"

#include <QDate>

class cPrinter;

// Draws the equipment report ("Equipamento") into the printer's document: the equipment's dates,
// its costs, its revenues and the balance. The report carries no company, so it comes apart.
bool ImprimirRelatorioEquipamento(cPrinter& p, const RelatorioEquipamento& r, const QString& empresa,
                                  const QString& destino = QStringLiteral("S"),
                                  const QDate& emissao = QDate::currentDate());
// The report written straight to a PDF file (the headless program).
Resultado<> RelatorioEquipamentoParaPdf(const RelatorioEquipamento& r, const QString& empresa,
                                        const QString& ficheiro, const QDate& emissao = QDate::currentDate());
