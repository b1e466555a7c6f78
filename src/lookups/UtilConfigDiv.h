#pragma once

#include <QString>
#include <QVariant>

class Database;

// Per-user settings kept in UtilConfig_Div (one row per user, form and key).
// The stored value; an invalid QVariant when there is none.
QVariant UtilConfig_Div_Retorna_var(Database& db, const QString& utilizador, const QString& nomeForm,
                                    const QString& chave);
// Writes (or replaces) the value; false when the database refused.
bool UtilConfig_Div_Guarda_bln(Database& db, const QString& utilizador, const QString& nomeForm,
                               const QString& chave, const QVariant& valor, const QString& tipo = {});
