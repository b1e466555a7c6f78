#pragma once

#include "common/Currency.h"

#include <QString>
#include <optional>

// Amounts shown to the user in the Portuguese form: "." groups thousands, "," marks decimals.
// Rounded half away from zero to the given decimals (0..4).
QString formatarNumeroPT(const Currency& valor, int casas, bool sepMilhares = true,
                         const QString& separadorDecimal = QStringLiteral(","),
                         const QString& separadorMilhares = QStringLiteral("."));

// Reads a number typed or shown either way: "1234.5", "1234,5", "1.234,50". A text with a ","
// takes "." as thousands mark; without one, "." is the decimal mark. nullopt when it is no number.
std::optional<Currency> lerNumeroPT(const QString& texto);
