#pragma once

#include "common/Currency.h"

#include <QSqlRecord>
#include <QString>

struct GlobalContext;
class Database;

// One entry of the general activity log.
struct EntradaLog {
    QString modulo;    // "TB", "ST", "MN", ...
    QString accao;     // "N", "A", "E", "M"
    QString tipo;
    QString numero;
    QString ano;
    QString produto;
    QString terceiro;
    QString observa;
    QString descricao; // cut to 100 characters
    Currency valor;    // for module "LI", a number of seconds
};

// Writes one row of the general log; returns its NumRegisto (0 on failure).
qint64 MeteNoLogGeral(Database& db, const QString& utilizador, const EntradaLog& e, const QString& dataSys);

// Writes the entry for the logged-in user unless his UtilConfGeral row turns the log off.
// When both records are given, the changed columns are appended to the observation.
bool LogGeral(GlobalContext& ctx, EntradaLog e, const QSqlRecord* antes = nullptr, const QSqlRecord* depois = nullptr);

// The changed columns, one per line, as "Coluna: (antigo -> novo)". Password columns are named
// but their values never written; DataSys is left out.
QString descreverAlteracoes(const QSqlRecord& antes, const QSqlRecord& depois);

// Reads one row of a table by NumRegisto (table name from code), for the before/after comparison.
QSqlRecord lerRegisto(Database& db, const QString& tabela, qint64 numRegisto);

// Appends one row to the backup and restore history.
bool LancaLOG_DB(GlobalContext& ctx, const QString& accao, const QString& ficheiro, bool comoSupervisor = false);
