#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <memory>

class Database;
struct ColunaDef;
struct GatilhoDef;

// The only place that knows which database engine is underneath.
// Everything else writes portable SQL and asks this object for the parts that differ.
class Dialect {
public:
    enum class Motor { SQLite, PostgreSQL };
    virtual ~Dialect() = default;

    virtual Motor motor() const = 0;
    bool isSQLite() const { return motor() == Motor::SQLite; }
    virtual QString nome() const = 0;

    // --- DDL ---
    // Column definition of the identity key every table has.
    virtual QString colunaIdentidade() const = 0;
    virtual QString tipoColuna(const ColunaDef& c) const = 0;
    // Statements run once on a new database before the tables are created.
    virtual QStringList preparacaoBaseDados() const = 0;
    // Statements that create (or replace) a row trigger; each statement on one line.
    virtual QStringList ddlGatilho(const GatilhoDef& g) const = 0;
    // Temporary table of the connection with its identity key.
    virtual QString criarTabelaTemporaria(const QString& nome) const = 0;

    // --- expressions ---
    // Server's current date and time, and date as text "yyyy-mm-dd".
    virtual QString agora() const = 0;
    virtual QString hojeTexto() const = 0;
    // Case-insensitive LIKE of an expression against a bound pattern ("?").
    virtual QString like(const QString& expressao) const = 0;
    // Case- and accent-insensitive LIKE, used when the user asks to ignore accents.
    virtual QString likeSemAcentos(const QString& expressao) const = 0;
    // True when the text expression holds only digits (and is not empty).
    virtual QString soDigitos(const QString& expressao) const = 0;
    // Text expression converted to an exact number.
    virtual QString paraNumero(const QString& expressao) const = 0;
    // Expression converted to text.
    virtual QString paraTexto(const QString& expressao) const = 0;
    // A case-blind text column made ready to compare with upper-case literals ('E+') in a scan of
    // many rows. PostgreSQL's citext lowers both sides of every comparison; upper-casing the column
    // once compares as plain text. SQLite's NOCASE comparison is already cheap.
    virtual QString emMaiusculas(const QString& coluna) const = 0;
    // Expression taking the next value of a table's identity key, so a row can carry its NumRegisto
    // from the start (SQLite: valid inside the write transaction that inserts it).
    virtual QString proximoNumRegisto(const QString& tabela) const = 0;
    // A FROM item holding the integers 1..n in a column named i (for generating rows).
    virtual QString serie(qint64 n) const = 0;
    // Row limit clause appended to a SELECT.
    QString limite(int n) const { return QStringLiteral(" LIMIT %1").arg(n); }

    // --- transactions ---
    // Starts a write transaction that serialises writers from the first statement.
    virtual QString inicioTransaccaoEscrita() const = 0;
    // Statement run first in the schema transaction so that programs opening the same company at once
    // apply the schema one after the other ("" when the write transaction already does it).
    virtual QString bloqueioEsquema() const { return {}; }

    // --- catalogue ---
    virtual bool existeTabela(Database& db, const QString& tabela) const = 0;
    virtual bool existeCampo(Database& db, const QString& tabela, const QString& coluna) const = 0;
    // Every table of the database with its columns, names in small letters, in one read.
    virtual QHash<QString, QSet<QString>> estrutura(Database& db) const = 0;

    static std::unique_ptr<Dialect> criar(Motor motor);
};
