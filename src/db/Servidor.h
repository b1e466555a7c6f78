#pragma once

#include "common/Resultado.h"
#include "db/ConnectionParams.h"
#include "db/EstadoBaseDados.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Database;
class QSqlDatabase;

// A user of a company at work in one program of the suite.
struct MarcaPresenca {
    QString empresa;
    QString programa;
    QString utilizador;

    static const QString Prefixo; // "#WLUMOGEST"
    // Prefixo + empresa + "_" + programa + "_" + utilizador
    QString nome() const;
};

// One database server: a folder of SQLite company files or a PostgreSQL server.
// What differs between the engines beyond SQL text (that is Dialect's) is asked of this object,
// so nothing outside src/db needs to know which engine it is on.
class Servidor {
public:
    virtual ~Servidor() = default;
    Servidor(const Servidor&) = delete;
    Servidor& operator=(const Servidor&) = delete;

    // The backend of the engine the parameters were made for.
    static std::unique_ptr<Servidor> para(const ConnectionParams& p);
    // How a server is written in settings and in GlobalContext::Servidor:
    //   "sqlite:/path/to/folder" (or an absolute folder path) for a folder of SQLite company files;
    //   "host" or "host:port" for a PostgreSQL server.
    static ConnectionParams lerTexto(const QString& texto);
    static std::unique_ptr<Servidor> doTexto(const QString& texto) { return para(lerTexto(texto)); }

    const ConnectionParams& params() const { return m_params; }
    // Written the way lerTexto() reads it back.
    virtual QString texto() const = 0;
    // One server is always written the same way: "HOST" and "host:5432" are the same server.
    virtual QString textoNormalizado() const = 0;
    // The engine's name as shown to the user ("SQLite", "PostgreSQL").
    virtual QString nomeMotor() const = 0;

    // --- connections ---
    // Opens a database of this server with the engine's session settings. Never shows anything.
    virtual Resultado<std::shared_ptr<Database>> abrir(const QString& baseDados) const = 0;
    // Whether the server itself checks a login and its password, and so can vouch for one.
    virtual bool validaLoginsNoServidor() const = 0;

    // --- whole databases ---
    // Letters, digits and "_" only, 1 to 63 characters; checked before a name reaches SQL.
    static bool nomeValido(const QString& nome);
    // Creates an empty database (PostgreSQL: UTF-8, case-folding ctype; SQLite: the file, 0600).
    virtual Resultado<> criarBaseDados(const QString& nome) const = 0;
    virtual bool existeBaseDados(const QString& nome) const = 0;
    virtual Resultado<> apagarBaseDados(const QString& nome) const = 0;
    // Names of the databases, in order (SQLite: files *.db of the folder, without extension).
    virtual Resultado<QStringList> basesDados() const = 0;
    // By database name; empty when the server cannot be reached.
    virtual QHash<QString, EstadoBaseDados> estadoBasesDados() const = 0;

    // --- who may use one database ---
    // Only this connection may use the database (unico), and back. PostgreSQL: new connections are
    // refused and the others ended. SQLite: the connection takes an exclusive lock, which fails
    // while another connection has the file open.
    virtual bool utilizadorUnico(Database& ligacao, const QString& baseDados, bool unico) const = 0;
    // Takes the database offline (every connection ended, none accepted) or back online, with the
    // credentials of the given connection. A folder of files has no server to do it: always true.
    virtual bool emLinha(Database& ligacao, const QString& baseDados, bool emLinha) const = 0;

    // --- presence marks ---
    // Marks vanish by themselves when the program dies. ligacao is the company connection; null or
    // closed where the engine keeps marks in it, nothing is marked nor found.
    // Checks and marks in one step: false when somebody (this process included) holds the mark.
    virtual bool marcarPresenca(Database* ligacao, const MarcaPresenca& m) const = 0;
    // Also true when the mark is this process's own.
    virtual bool presente(Database* ligacao, const MarcaPresenca& m) const = 0;
    // The user present in any program of the suite on the company (m.programa is not looked at).
    virtual bool presenteEmAlgumPrograma(Database* ligacao, const MarcaPresenca& m) const = 0;
    // Removes this process's mark; nothing happens when it holds none.
    virtual void retirarPresenca(Database* ligacao, const MarcaPresenca& m) const = 0;

protected:
    explicit Servidor(ConnectionParams p) : m_params(std::move(p)) {}
    // The server's parameters naming one of its databases.
    ConnectionParams paraBaseDados(const QString& baseDados) const;
    // Opens a Qt connection through the driver; preparar sets it up before it opens.
    static Resultado<std::shared_ptr<Database>> ligar(const ConnectionParams& p, const QString& driver,
                                                      const std::function<void(QSqlDatabase&)>& preparar);

    ConnectionParams m_params;
};
