#pragma once

#include "db/Dialect.h"

#include <QString>

// Where and how to reach one database. Made with sqlite() or postgres(), which set the engine.
struct ConnectionParams {
    Dialect::Motor motor = Dialect::Motor::SQLite;
    QString pasta;            // SQLite: folder of the database files
    QString host;             // PostgreSQL host ("" or a socket folder means local socket)
    int porta = 5432;         // PostgreSQL port
    QString baseDados;        // "LumoGest0001"
    QString login;            // PostgreSQL login
    QString password;         // in clear, only in memory
    QString autenticacao;     // "SQL" (password) or "WIN" (the operating-system user)
    int tempoLigacao = 60;    // seconds
    int tempoComando = 120;   // seconds

    // A folder of SQLite database files.
    static ConnectionParams sqlite(const QString& pasta);
    // A PostgreSQL server.
    static ConnectionParams postgres(const QString& host, int porta = 5432);

    QString ficheiroSQLite() const; // pasta + "/" + baseDados + ".db"
};
