#pragma once

#include "bench/BaseTemporaria.h"
#include "db/Database.h"
#include "company/GlobalContext.h"

#include <QString>
#include <functional>

// A synthetic company on one engine and the measurements made on it.
class Bancada {
public:
    Bancada(Dialect::Motor motor, qint64 maximoLinhas);
    ~Bancada();

    bool preparada() const { return m_db != nullptr; }
    QString erro() const { return m_erro; }

    // Posting rows through the per-product posting against plain inserts of the same rows.
    void lancamentoContraInsercao();
    // A lot balance on ledgers of 10^4 to 10^7 rows (up to --max), the larger against 10^5.
    void saldoDeLote();
    // An entry at the end of a history of 10^2 to 10^7 rows (up to --max), under each average-cost rule.
    void entradaNoFimDoHistorico();

private:
    // Adds n generated rows spread over 1000 products and 10 lots each.
    void gerarLedger(qint64 n);
    // Adds n rows of one product, dated in order before 2026-12-01.
    void gerarHistorico(const QString& produto, qint64 n);
    void produto(const QString& codigo, bool controlado);
    void linha(const QString& nome, double ms, double chao);
    static double medir(const std::function<void()>& f);

    BaseTemporaria m_base;
    std::shared_ptr<Database> m_db;
    GlobalContext m_ctx;
    QString m_erro;
    qint64 m_maximo;
};
