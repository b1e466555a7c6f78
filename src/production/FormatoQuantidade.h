#pragma once

// Quantities are shown with formatarNumeroPT.
#include "controls/FormatoNumero.h"

#include "common/Currency.h"

#include <QString>

// A date "yyyy-mm-dd" shown as "dd-mm-yyyy"; anything else comes back trimmed.
QString DataVisivel(const QString& iso);
// A date typed "dd-mm-yyyy" (or "dd/mm/yyyy", "ddmmyyyy", "yyyy-mm-dd") as "yyyy-mm-dd"; "" when it is not a date.
QString DataParaGravar(const QString& texto);
