#pragma once

#include "common/Resultado.h"
#include "production/Medicoes.h"

#include <QDate>

class cPrinter;

// "Cálculos para Produção (Medições)": the quantities of a calculation in two groups (fixed units,
// variable measures).
bool ImprimirCalculoMedicoes(cPrinter& p, const CalculoMedicoes& c,
                             const QString& destino = QStringLiteral("S"),
                             const QDate& emissao = QDate::currentDate());
// The same heading with the lines valued at the four sale prices, and their totals.
bool ImprimirValoresMedicoes(cPrinter& p, const CalculoMedicoes& c, const ValoresMedicoes& v,
                             const QString& destino = QStringLiteral("S"),
                             const QDate& emissao = QDate::currentDate());
// "Folha de Produção de Lote (Medições)".
bool ImprimirFolhaLoteMedicoes(cPrinter& p, const FolhaLoteMedicoes& f,
                               const QString& destino = QStringLiteral("S"));

// The same prints written straight to a PDF file (the headless program).
Resultado<> CalculoMedicoesParaPdf(const CalculoMedicoes& c, const QString& ficheiro,
                                   const QDate& emissao = QDate::currentDate());
Resultado<> FolhaLoteMedicoesParaPdf(const FolhaLoteMedicoes& f, const QString& ficheiro);
