#pragma once

#include "common/Currency.h"

#include <QString>

// Rounding of document amounts by the company's rounding modes:
//   1 round (exact halves corrected as below), 2 truncate, 3 away from zero, 4 unchanged.
// The amount is never taken to more decimals than it has: with no more decimals than asked it
// comes back as it is. An unknown mode leaves the amount unchanged, like mode 4.
//
// Mode 1 rounds halves to even after a correction that keeps them from reaching the even rule:
// to whole units, an exact .5 gets 0.01 added whatever the sign (so 2.5 -> 3 but -2.5 -> -2);
// to one or more decimals, an amount whose last significant decimal is 5 moves 0.0001 away from
// zero (1.225 -> 1.2251 -> 1.23, -1.225 -> -1.23).
Currency ArredondaValor(Currency valor, int casas, int modo);

// Reads a number typed or stored with the given separators: every thousands separator is dropped,
// every decimal separator read as ".". The number is read from the start up to the first character
// that cannot continue it; blanks are ignored and a leading sign is kept. Text without digits, or a
// value beyond the amount range, gives 0. Amounts are exact, hence Currency (more than four decimals
// are rounded half away from zero).
Currency ValorTexto(const QString& texto, const QString& separadorMilhares, const QString& separadorDecimal);
