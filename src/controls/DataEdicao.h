#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Date completion of the date field (the EDatas control): the user types the least he can and the
// field makes a date of it, relative to today.
struct ResultadoData {
    enum class Estado { Vazia, Valida, Invalida } estado = Estado::Vazia;
    QDate data;
};

// Rules, on the trimmed text:
//  - empty: no date;
//  - 1 or 2 digits: that day of the current month ("7" → 7th);
//  - 3 or 4 digits: day (first two) and month (the rest), current year ("2003" → 20 March);
//  - 6 or 8 digits: ddmmyy or ddmmyyyy;
//  - with "-", "/" or "." between parts: d-m (current year), d-m-yy, d-m-yyyy, or yyyy-m-d;
// two-digit years are 2000..2049 and 1950..1999. Anything else, or a day that does not exist, is
// Invalida.
ResultadoData completarData(const QString& texto, const QDate& hoje);

// "Data Inválida " + text + "!"
QString mensagemDataInvalida(const QString& texto);

// "5 de Janeiro de 2026"; "" for no date.
QString LongData(const QDate& data);

// Month names 1..12 ("Janeiro" … "Dezembro") and weekday names 1..7 (1 = "Domingo").
const QStringList& nomesMeses();
const QStringList& nomesDiasSemana();
QString nomeMes(int mes);       // "" outside 1..12
QString nomeDiaSemana(int dia); // "" outside 1..7
// Weekday number of a date in the 1 = Sunday numbering used by the weekday field.
int diaSemana(const QDate& data);
