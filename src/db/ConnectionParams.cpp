#include "db/ConnectionParams.h"

#include <QDir>

ConnectionParams ConnectionParams::sqlite(const QString& pasta) {
    ConnectionParams p;
    p.motor = Dialect::Motor::SQLite;
    p.pasta = pasta;
    return p;
}

ConnectionParams ConnectionParams::postgres(const QString& host, int porta) {
    ConnectionParams p;
    p.motor = Dialect::Motor::PostgreSQL;
    p.host = host;
    p.porta = porta;
    return p;
}

QString ConnectionParams::ficheiroSQLite() const { return QDir(pasta).filePath(baseDados + QStringLiteral(".db")); }
