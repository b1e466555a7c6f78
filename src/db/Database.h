#pragma once

class QSqlError;
class Servidor;

#include "common/Resultado.h"
#include "db/ConnectionParams.h"
#include "db/Dialect.h"

#include <QDateTime>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

class Transaction;

// Column/value pairs of one INSERT, written next to each other so they cannot drift apart.
struct Registo {
    QStringList colunas;
    QVariantList valores;
    Registo& operator()(const QString& c, const QVariant& v) {
        colunas << c;
        valores << v;
        return *this;
    }
};

// One open connection to a company (or other) database.
// Every value travels as a bound parameter ("?" placeholders); a null QString is bound as "",
// an invalid QVariant as NULL.
class Database {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the database. Never shows anything.
    static Resultado<std::shared_ptr<Database>> open(const ConnectionParams& p);
    // Opens a SQLite file, creating it when missing.
    static Resultado<std::shared_ptr<Database>> openSQLiteFile(const QString& ficheiro, int tempoComando = 120);

    const Dialect& dialect() const { return *m_dialect; }
    // The server this connection is on, for what differs between engines beyond SQL text.
    const Servidor& servidor() const { return *m_servidor; }
    const ConnectionParams& params() const { return m_params; }
    QSqlDatabase qdb() const;
    bool isOpen() const;
    void close();

    // Runs a statement; false on failure, with the reason in lastError().
    [[nodiscard]] bool exec(const QString& sql, const QVariantList& valores = {});
    // Runs a query, positioned before the first row; nullopt on failure.
    std::optional<QSqlQuery> query(const QString& sql, const QVariantList& valores = {});
    // Runs a query and hands every row to the function, in order; false on failure. The statement
    // is kept prepared for the next call (a nested call with the same SQL gets its own).
    bool percorrer(const QString& sql, const QVariantList& valores, const std::function<void(const QSqlQuery&)>& linha);
    // The values of the first row; nullopt when there is no row or on failure.
    std::optional<QVariantList> primeiraLinha(const QString& sql, const QVariantList& valores = {});
    // First column of the first row; an invalid QVariant when there is no row or on failure.
    QVariant scalar(const QString& sql, const QVariantList& valores = {});
    // The same for a caller to whom "no row" and "the read failed" differ: the failure carries
    // lastError().
    Resultado<std::optional<QVariantList>> lerPrimeiraLinha(const QString& sql, const QVariantList& valores = {});
    Resultado<QVariant> lerValor(const QString& sql, const QVariantList& valores = {});
    // Runs an INSERT and returns the new NumRegisto (0 on failure).
    qint64 insert(const QString& tabela, const QStringList& colunas, const QVariantList& valores);
    qint64 insert(const QString& tabela, const Registo& r) { return insert(tabela, r.colunas, r.valores); }
    // UPDATE tabela SET c1=?,c2=? <condicao>; the condition carries its own "?".
    bool update(const QString& tabela, const QStringList& colunas, const QVariantList& valores,
                const QString& condicao = {}, const QVariantList& valoresCondicao = {});

    // The server's current date and time (invalid when the query fails).
    QDateTime agoraServidor();

    // Runs a data statement and returns the number of rows it changed; -1 on failure.
    int executarContando(const QString& sql, const QVariantList& valores = {});

    // Why the last statement failed, in the program's words.
    QString lastError() const { return m_lastError; }
    // The engine's own text of the last failure, for diagnostics only: never shown to the user.
    QString erroTecnico() const { return m_erroTecnico; }
    bool emTransaccao() const { return m_profundidade > 0; }
    // A step that wrote inside the caller's transaction and then failed: the transaction can
    // only be rolled back from here on (its commit refuses).
    void marcarFalhaTransaccao() {
        if (m_profundidade > 0)
            m_falhaTransaccao = true;
    }

private:
    friend class Transaction;
    friend class Servidor;
    Database() = default;
    // A Qt connection through the driver, set up by the engine's backend before it opens.
    static Resultado<std::shared_ptr<Database>> ligar(const ConnectionParams& p, const QString& driver,
                                                      const std::function<void(QSqlDatabase&)>& preparar);
    bool prepararEExecutar(QSqlQuery& q, const QString& sql, const QVariantList& valores);
    // Statements whose results are read before the call returns are prepared once and kept.
    QSqlQuery* executarPreparada(const QString& sql, const QVariantList& valores);
    void registarErro(const QSqlError& e);

    QString m_nomeLigacao;
    ConnectionParams m_params;
    std::unique_ptr<Dialect> m_dialect;
    std::shared_ptr<const Servidor> m_servidor;
    QString m_lastError;
    QString m_erroTecnico;
    int m_profundidade = 0;
    bool m_falhaTransaccao = false;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_preparadas;
    QSet<QString> m_emUso; // cached statements whose rows are being read
};

// Transaction guard: rolls back in its destructor unless commit() was called.
// Nested guards become savepoints, so a failed inner step can never be committed by the outer one
// without the outer code seeing the failure.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool ok() const { return m_activa; }
    [[nodiscard]] bool commit();
    void rollback();

private:
    Database& m_db;
    bool m_activa = false;
    int m_nivel = 0;
};
