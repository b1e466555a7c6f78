#pragma once

#include <QString>
#include <QStringList>

struct GlobalContext;
class UserInteraction;

// What main() does after looking at its command line.
enum class AccaoLinhaComando {
    Continuar, // no service call: start normally
    Terminar   // a service call was handled (or refused): end without showing anything
};

// The command line as one text, the way the suite's service programs pass it: every argument
// after the program itself, joined by blanks.
QString LinhaComandoDosArgumentos(const QStringList& argumentos);

// Name of the version marker file: program name, major (2 digits), minor (2 digits),
// revision (3 digits) and ".txt" — 1.2.34 gives "WLumoProd0102034.txt".
QString NomeFicheiroVersao(const QString& nomePrograma, int major, int minor, int revisao);

// Service calls of the suite: "<@>VERBO<@>campo2..." (up to six fields). "ACT_CHK" leaves the
// version marker file in the program's folder so the updater knows which version is installed;
// any other verb ends the program at once. Never shows anything.
AccaoLinhaComando TrataLinhaComando(const QString& linha, const QString& pastaPrograma,
                                    const QString& nomePrograma, int major, int minor, int revisao);

// Connection check when the main menu opens. A dead company connection is told to the user,
// every connection is closed and released, and false tells the caller to end the program.
bool VerificaLigacao(GlobalContext& ctx, UserInteraction& ui);
