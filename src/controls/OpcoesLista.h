#pragma once

#include <QString>
#include <vector>

// Options of the option field (SelOpta), written as one text "key:text;key:text;…",
// for example "A:A;B:B;C:C;D:D;E:E;Todos:Todos;".
struct OpcaoLista {
    QString chave;
    QString texto;
};

// Split at ";" and each option at its first ":"; an option without ":" uses the whole text as key
// and text; empty options are skipped.
std::vector<OpcaoLista> interpretarOpcoes(const QString& lista);

// Position of the option with that key (exact, then case-insensitive); -1 when none.
int posicaoDaChave(const std::vector<OpcaoLista>& opcoes, const QString& chave);
