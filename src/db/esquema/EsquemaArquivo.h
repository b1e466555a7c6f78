#pragma once

#include "common/Resultado.h"
#include "db/esquema/EsquemaDef.h"

#include <QString>
#include <QStringList>
#include <vector>

class Database;
class Dialect;

// The document archive of a company ("LumoGest" + code + "_Docs"): scanned documents and exported
// PDFs filed by key, kind and period. Declared here like the company schema, applied on its own.

// Version of the archive's own schema, kept in HistDocBinVersao with the fingerprint.
inline constexpr int VersaoEsquemaArquivo = 1;

const std::vector<TabelaDef>& tabelasArquivo();
// The declaration of one archive table (case-insensitive); nullptr when unknown.
const TabelaDef* tabelaArquivo(const QString& nome);
// DDL of the whole archive in declaration order.
QStringList ddlArquivo(const Dialect& d);
// Fingerprint of the declared archive schema on a dialect.
QString assinaturaEsquemaArquivo(const Dialect& d);

// Every table and column there and the stored fingerprint equal to the declared one.
bool esquemaArquivoEmDia(Database& db);
// Creates missing tables, adds missing columns and indexes; runs inside the caller's transaction
// and leaves the fingerprint alone (the data steps that follow decide when it is written).
Resultado<> aplicarEstruturaArquivo(Database& db);
Resultado<> gravarAssinaturaArquivo(Database& db);
