#pragma once

#include "common/Resultado.h"
#include "db/Database.h"
#include "stock/LinhaMovProduto.h"

#include <QSqlQuery>
#include <QString>
#include <QTextStream>
#include <functional>
#include <memory>

// A company database made for one benchmark run on the chosen engine and dropped afterwards.
// PostgreSQL is reached through LUMO_PG_HOST, LUMO_PG_PORT, LUMO_PG_USER, LUMO_PG_PASSWORD.
class BaseTemporaria {
public:
    explicit BaseTemporaria(Dialect::Motor motor);
    ~BaseTemporaria();
    BaseTemporaria(const BaseTemporaria&) = delete;
    BaseTemporaria& operator=(const BaseTemporaria&) = delete;

    std::shared_ptr<Database> db; // null when the database could not be made (see erro)
    QString erro;

private:
    ConnectionParams m_params;
    QString m_pasta;
};

// The floor's way of writing a ledger row: one prepared INSERT of the insert columns, values
// bound as given (columns not given as "" or 0), nothing computed.
class InsercaoSimples {
public:
    explicit InsercaoSimples(Database& db);
    void inserir(const LinhaMovProduto& l);

private:
    QSqlQuery m_q;
};

// The one stream every case writes its results to, so that lines keep their order.
QTextStream& saidaBancada();

// One line of results: the figure beside its floor and their ratio.
void linhaBancada(const QString& nome, double ms, double chao);
// A step of the set-up that failed makes every figure after it meaningless: the run stops there.
void exigir(bool feito, const char* passo);
template <class T>
void exigir(const Resultado<T>& r, const char* passo) {
    if (!r)
        qFatal("%s: %s", passo, qPrintable(r.mensagem()));
}
// Runs `inserir` (which writes `linhas` ledger rows in one statement) in its own transaction; for
// many rows without the ledger's indexes and triggers, which are made again after, as a restore
// does, so that 10^7 rows fill in minutes. Ends with the ledger vacuumed, analysed and its log
// checkpointed, as the engine would have done by the time a real ledger is this long.
void encherLedger(Database& db, qint64 linhas, const std::function<bool()>& inserir);
// Milliseconds one run of f takes.
double medirUmaVez(const std::function<void()>& f);

// Blocks of short transactions timed against each other, each block paying for exactly what it
// wrote. SQLite copies its log back into the database every 1,000 pages, and fifty ledger rows
// written one by one make about as many: whether a block held that copy depended on where the log
// stood when it began, so the same fifty postings came out at 0.3 or 0.5 ms each. While this
// lives the copy is not automatic; each block ends with its own, timed with it. PostgreSQL's
// checkpoints run in the background and are left as they are.
class BlocosComCopiaDoRegisto {
public:
    explicit BlocosComCopiaDoRegisto(Database& db);
    ~BlocosComCopiaDoRegisto();
    BlocosComCopiaDoRegisto(const BlocosComCopiaDoRegisto&) = delete;
    BlocosComCopiaDoRegisto& operator=(const BlocosComCopiaDoRegisto&) = delete;
    // Milliseconds f and the copy of what it wrote take.
    double medir(const std::function<void()>& f);

private:
    void copiar();
    Database& m_db;
    bool m_sqlite;
};
