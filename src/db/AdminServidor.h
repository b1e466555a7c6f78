#pragma once

#include "db/Database.h"

#include <QString>
#include <QStringList>

// Creating, listing and removing whole databases on a server: shorthands for Servidor::para(servidor).
// Database names are checked against a fixed pattern before they reach SQL.
namespace AdminServidor {

// Letters, digits and "_" only, 1 to 63 characters.
bool nomeValido(const QString& nome);

// PostgreSQL: connects to the maintenance database "postgres" of the server in p.
Resultado<std::shared_ptr<Database>> ligarManutencao(const ConnectionParams& p);

// Creates an empty database (UTF-8, case-folding ctype); SQLite: creates the file.
Resultado<> criarBaseDados(const ConnectionParams& servidor, const QString& nome);
bool existeBaseDados(const ConnectionParams& servidor, const QString& nome);
Resultado<> apagarBaseDados(const ConnectionParams& servidor, const QString& nome);
// Names of the databases on the server (SQLite: files *.db of the folder, without extension).
Resultado<QStringList> basesDados(const ConnectionParams& servidor);

} // namespace AdminServidor
