#pragma once

#include "common/Resultado.h"
#include "db/esquema/EsquemaDef.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

class Database;
class Dialect;

// Version of the program's own schema, kept in table EsquemaVersao.
inline constexpr int VersaoEsquema = 1;

// Every table of a company database, declared once.
const std::vector<TabelaDef>& tabelasEmpresa();

// Triggers of the company schema, created after the tables.
const std::vector<GatilhoDef>& gatilhosEmpresa();

// The declaration of one company table (case-insensitive name); nullptr when unknown.
const TabelaDef* tabelaEmpresa(const QString& nome);

// A column name as the schema declares it (PostgreSQL reports names in small letters).
QString grafiaColuna(const QString& nome);

// DDL of one table (CREATE TABLE and its CREATE INDEX statements) for a dialect.
QStringList ddlTabela(const Dialect& d, const TabelaDef& t);
// Every table of `tabelas` is there with all its declared columns (a catalogue read, no lock taken).
bool estruturaCompleta(const QHash<QString, QSet<QString>>& existentes, const std::vector<TabelaDef>& tabelas);
// Creates the missing tables of `tabelas` and adds their missing columns and indexes; the
// statement that failed, or an empty string when all went through.
QString aplicarTabelas(Database& db, const std::vector<TabelaDef>& tabelas);
// DDL of the whole company schema, in declaration order (compared with the golden files).
QStringList ddlEmpresa(const Dialect& d);

// Fingerprint of the declared schema on a dialect; kept in EsquemaVersao by the last schema step.
QString assinaturaEsquema(const Dialect& d);

// Brings a company database up to the declared schema: creates missing tables,
// adds missing columns and indexes, records the schema version. Idempotent.
Resultado<> aplicarEsquemaEmpresa(Database& db);

// A table's triggers and indexes taken away for a bulk load, and put back afterwards from the
// declared schema: building an index once over the loaded rows beats keeping it row by row.
struct SemIndices {
    Database& db;
    const TabelaDef* def;
    std::vector<GatilhoDef> gatilhos;

    Resultado<> retirar();
    Resultado<> repor();
};
