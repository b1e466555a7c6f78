#pragma once

#include <QStringList>

// The printer chooser's logic: the system's printers and the one the user chose for reports.
class ListaImpressoras {
public:
    // metodoAlternativo lists every printer with its description; apenasLocais leaves out
    // printers shared from other machines.
    static QStringList Disponiveis(bool metodoAlternativo = false, bool apenasLocais = false);
    // A line of the list back to the printer's name.
    static QString NomeDaLinha(const QString& linha);

    // The printer chosen in "Definir Impressoras" (empty = the system's default).
    static QString Escolhida();
    static void Guardar(const QString& impressora);
};
