#pragma once

#include "db/Database.h"

#include <QString>
#include <memory>

struct GlobalContext;
class UserInteraction;

// How a server is written in settings and in GlobalContext::Servidor:
//   "sqlite:/path/to/folder" (or an absolute folder path) for a folder of SQLite company files;
//   "host" or "host:port" for a PostgreSQL server. Shorthands for Servidor::lerTexto() and texto().
ConnectionParams parametrosServidor(const QString& servidor);
QString textoServidor(const ConnectionParams& p);

// (Re)opens a connection. An empty server is refused (without a message) and leaves the connection
// alone. passwordCifrada, when not empty, is deciphered into the password used.
// autenticacao: "" or "SQL" (login and password), "WIN" in any case (the operating-system user).
Resultado<> Abre_Connexao(std::shared_ptr<Database>& ligacao, const QString& servidor,
                          const QString& baseDados, const QString& login, QString password,
                          const QString& passwordCifrada, QString autenticacao, int tempoComando,
                          int tempoLigacao);

// A further connection to the current company, from GlobalContext.
bool Abre_Connexao_Local(GlobalContext& ctx, std::shared_ptr<Database>& ligacao, int tempoComando = 120,
                         int tempoLigacao = 60);

// The accounting database named in ParamGeral (first set, or the "SNC" set), into LigacaoContabilidade.
bool Abre_Connexao_Contabilidade(GlobalContext& ctx, UserInteraction& ui, bool segundoConjunto, bool mensagens);

// The previous year's company database named in ParamGeral.
bool Abre_Connexao_AnoAnterior(GlobalContext& ctx, UserInteraction& ui, std::shared_ptr<Database>& ligacao,
                               bool mensagens);

// Closes the four connections of the context (each only if open) and releases them.
void FechaLigacoes(GlobalContext& ctx);

// Shorthands for the connection's Servidor::utilizadorUnico() and emLinha().
// Only this connection may use the database, and back. PostgreSQL: new connections are refused
// and the others ended. SQLite: the connection takes an exclusive lock, which fails while
// another connection has the file open.
bool SQL_SingleUser(Database& ligacao, const QString& baseDados);
bool SQL_MultiUser(Database& ligacao, const QString& baseDados);
// Taking a database offline (every connection ended, none accepted) or back online, with the
// credentials of the given connection. On SQLite there is no server to take it offline.
bool SQL_Offline(Database& ligacao, const QString& baseDados);
bool SQL_Online(Database& ligacao, const QString& baseDados);
