#pragma once

#include "common/Currency.h"
#include "common/Resultado.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <utility>

// A JSON value as read from a command-line file. A number keeps the text it was written with, so
// an amount is never taken through binary floating point; an object keeps its keys in file order.
class ValorJson {
public:
    enum class Tipo { Nulo, Logico, Numero, Texto, Lista, Objecto };

    Tipo tipo = Tipo::Nulo;
    bool logico = false;
    QString texto; // a text's value, or a number exactly as written
    QList<ValorJson> lista;
    QList<std::pair<QString, ValorJson>> membros;

    bool isObject() const { return tipo == Tipo::Objecto; }
    bool isArray() const { return tipo == Tipo::Lista; }
    // The member of that exact key; nullptr when absent.
    const ValorJson* membro(const QString& chave) const;
};

// The command line's one JSON reader: strict JSON (no comments, no trailing commas, valid UTF-8),
// numbers kept as their text.
Resultado<ValorJson> lerJsonCli(const QByteArray& texto);

// Reads the JSON files of the command line strictly: a key the command does not know, a value of
// the wrong JSON type or an amount out of range is refused by name, never read as a default.
class ObjectoJsonCli {
public:
    // `onde` names the object in messages ("ordem", "acerto 2").
    // `o` is a JSON object and outlives this reader.
    ObjectoJsonCli(const ValorJson& o, const QString& onde) : m_o(o), m_onde(onde) {}

    // Every key of the object is one of `conhecidas` (exact spelling), and none is repeated.
    Resultado<> soChaves(const QStringList& conhecidas) const;
    bool tem(const char* chave) const { return m_o.membro(QLatin1String(chave)) != nullptr; }

    // A text; absent gives "" unless obrigatorio. Longer than `maximo` characters is refused.
    Resultado<> texto(const char* chave, QString& valor, bool obrigatorio = false, int maximo = 0) const;
    // An amount as a JSON number or a text ("12.5"); absent keeps valor unless obrigatorio.
    Resultado<> montante(const char* chave, Currency& valor, bool obrigatorio = false) const;
    // true or false; absent keeps valor.
    Resultado<> logico(const char* chave, bool& valor) const;
    // A list of objects; absent gives an empty list unless obrigatoria.
    Resultado<> listaObjectos(const char* chave, QList<ValorJson>& valor, bool obrigatoria = false) const;

private:
    Falha falta(const char* chave) const;
    Falha tipoErrado(const char* chave, const char* esperado) const;

    const ValorJson& m_o;
    QString m_onde;
};

// The first failure of reads made one after the other (each still runs), or success: the keys of
// one object read in a single statement.
Resultado<> primeiraFalha(std::initializer_list<Resultado<>> leituras);

// Reads a JSON file of the command line (at most a few megabytes).
Resultado<ValorJson> lerFicheiroJsonCli(const QString& caminho);
// The bytes of such a file, byte-order mark removed, with the same size limit.
Resultado<QByteArray> lerTextoFicheiroCli(const QString& caminho);

// An amount written as a JSON number or as text: exact to four decimals, within the money type.
// Refused (nullopt): no number, not finite, out of range, "-0", or a value that is not zero but
// rounds to zero at four decimals.
std::optional<Currency> montanteEstrito(const QString& texto);

// A text value fit for a column: no control characters and at most `maximo` characters (0: any).
// The refusal names `nome`.
Resultado<> textoAceitavel(const QString& texto, const QString& nome, int maximo);

// At most a short prefix of what the user gave, for messages.
QString citacao(const QString& texto);
