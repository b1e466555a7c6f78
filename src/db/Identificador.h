#pragma once

#include <QString>

// Table, column and index names are spliced into SQL; they come from code, and this check
// makes sure nothing else ever slips through.
bool identificadorValido(const QString& nome);
