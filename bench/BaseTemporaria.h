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
