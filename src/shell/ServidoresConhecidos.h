#pragma once

#include "db/Database.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QSettings;

// The program's settings store: the user's own (QSettings of the application) or, for tests and
// portable installs, an INI file.
std::unique_ptr<QSettings> abrirDefinicoes(const QString& ficheiro = {});

// One server the workstation knows.
struct ServidorConhecido {
    QString servidor;                             // Servidor::texto(): "host", "host:port", or "sqlite:/folder"
    QString login;                                // empty with operating-system authentication
    QString passwordCifrada;                      // CifraSegredos text; the password in clear is never kept
    QString autenticacao = QStringLiteral("SQL"); // "SQL" or "WIN"
    bool local = false; // the default SQLite folder: always known, not kept in the settings
};

// What the server-list window asks to store.
struct DadosServidor {
    QString servidor;
    QString login;
    QString password; // in clear; for a change, empty keeps the stored one
    bool autenticacaoSQL = true;
};

// The servers whose companies are listed: the default SQLite folder, then the PostgreSQL servers
// kept in the settings (group "Autenticação", keys "Servidor"n, "Login"n, "Password"n,
// "TipoAutenticacao"n, numbered from 1).
class ServidoresConhecidos {
public:
    // Empty paths: the application's settings and the user's key file.
    explicit ServidoresConhecidos(const QString& ficheiroDefinicoes = {}, const QString& ficheiroChave = {});
    ~ServidoresConhecidos();

    // The default folder of company files: LUMO_DADOS, or "empresas" in the user's data folder.
    static QString pastaDadosLocal();
    static ServidorConhecido servidorLocal();

    // The local folder first, then the registered servers in their order.
    QList<ServidorConhecido> todos() const;
    const QList<ServidorConhecido>& registados() const { return m_registados; }

    // Checks and stores; on refusal the message for the user (and whether it is missing input)
    // and nothing changed. The settings are rewritten at once.
    struct Recusa {
        QString mensagem;
        bool faltaDados = false; // missing input (exclamation) rather than a refusal (critical)
    };
    std::optional<Recusa> adicionar(const DadosServidor& d);
    std::optional<Recusa> alterar(int indice, const DadosServidor& d);
    bool remover(int indice);

    // Where and how to reach the server, with the password deciphered.
    Resultado<ConnectionParams> ligacao(const ServidorConhecido& s) const;

    // "host:5432" and "HOST" are the same server.
    static QString normalizar(const QString& servidor);

private:
    std::optional<Recusa> validar(const DadosServidor& d, int indiceIgnorado, QString* normalizado) const;
    std::optional<Recusa> preencher(ServidorConhecido& s, const DadosServidor& d, const QString& normalizado,
                                    bool manterPassword) const;
    void ler();
    bool gravar();

    std::unique_ptr<QSettings> m_definicoes;
    QString m_ficheiroChave;
    QList<ServidorConhecido> m_registados;
};
