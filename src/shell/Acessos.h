#pragma once

#include <QString>
#include <QStringList>

struct GlobalContext;
class UserInteraction;

// Per-user access rights kept in table Acessos (one row per user and protected item).
// Keys: program name + window name + access caption for a window; the same followed by the
// button's caption for a button; the program name alone for the right to enter the program.

inline const QString NomePrograma = QStringLiteral("WLumoProd");

// Whether the user holds the right of a key (row value 1). Supervisor "01" and service user "00"
// always do. When denied and mensagem is true, tells the user through ui.
bool Acesso(GlobalContext& ctx, UserInteraction* ui, const QString& utilizador, const QString& chave, bool mensagem);

// Creates every access row of the program for the user (value 1) where missing.
bool CriaTodososAcessos(GlobalContext& ctx, const QString& utilizador);
// Removes every access row of the program of the user.
bool ApagaTodososAcessos(GlobalContext& ctx, const QString& utilizador);
