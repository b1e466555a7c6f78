#pragma once

#include "db/esquema/EsquemaDef.h"

#include <QString>
#include <QStringList>

class Database;

// Small schema steps used by the upgrade routines. They never report errors:
// the result says whether the step took place.
bool ExisteTabela(Database& db, const QString& tabela);
bool ExisteCampo(Database& db, const QString& tabela, const QString& coluna);
// A new table holding only the identity key NumRegisto.
bool CriaTabela(Database& db, const QString& tabela);
// Adds the column when it is missing; true when it exists afterwards.
bool AdicionaCampo(Database& db, const QString& tabela, const ColunaDef& coluna);
bool CriaIndice(Database& db, const QString& tabela, const QString& nome, const QStringList& colunas, bool unico);
