#pragma once

#include "common/Currency.h"

#include <QString>

// A quantity in the mask "###,###,###,###0." + as many "0" as decimals, Portuguese form:
// "1.234,50". Halves round away from zero.
QString FormatarQuantidade(const Currency& valor, int casas);
// A date "yyyy-mm-dd" shown as "dd-mm-yyyy"; anything else comes back trimmed.
QString DataVisivel(const QString& iso);
// A date typed "dd-mm-yyyy" (or "dd/mm/yyyy", "ddmmyyyy", "yyyy-mm-dd") as "yyyy-mm-dd"; "" when it is not a date.
QString DataParaGravar(const QString& texto);
