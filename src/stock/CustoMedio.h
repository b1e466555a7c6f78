#pragma once

#include "common/Resultado.h"
#include "common/Currency.h"

#include <QString>
#include <optional>

struct GlobalContext;
class Database;

// The row being posted, counted after the stored rows.
struct LinhaEmCurso {
    QString afectaStk; // "E+", "E-", "S+", "S-"; empty = no row
    Currency preco;
    Currency quantidade;
    qint64 numRegisto = 0;
};

// Which stored rows count.
struct CorteCustoMedio {
    QString data;          // rows dated up to here ("yyyy-mm-dd"); empty = the whole ledger
    qint64 numRegisto = 0; // with a row number: also NumRegisto <= it ...
    bool porDataERegisto = false; // ... or, with this flag, (Data, NumRegisto) up to (data, numRegisto) in ledger order
    QString armazem;       // not empty: the per-warehouse average
    int regra = 0;         // 0 = the company's rule (read from ParamGeral)
};

// Average-cost rule of the company: 1 weighted average of entries since the last manual change,
// 2 running average over every movement, 3 running average restarting after the stock runs out.
int regraCustoMedio(Database& db);

// Sets the product file's average cost. False when the statement failed (reason in db.lastError()).
[[nodiscard]] bool GravaCustoMedioFicha(Database& db, const QString& produto, const Currency& pmc);
// The same only while no ledger row of the product is dated after `data`, i.e. when the row just
// posted on that date ends its history. The rows changed (0: a later row exists), or -1 on failure.
[[nodiscard]] int GravaCustoMedioFichaSeUltimaData(Database& db, const QString& produto, const Currency& pmc,
                                                   const QString& data);
// The same only while row `numRegisto` is the product's last by date and number and no change of
// the average is dated after `data`: the average up to that row is then the file's. The rows
// changed (0: not the last), or -1 on failure.
[[nodiscard]] int GravaCustoMedioFichaSeUltimaLinha(Database& db, const QString& produto, const Currency& pmc,
                                                    qint64 numRegisto, const QString& data);
// The product's last purchase and cost prices become the entry's unit price, unless another entry
// comes after it in ledger order (one dated later but recorded earlier counts too). False on failure.
[[nodiscard]] bool GravaUltimosPrecosEntrada(Database& db, const QString& produto, const Currency& preco,
                                             qint64 numRegisto, const QString& data);

// The average cost of a product after the stored rows within the cut-off and then the row in course.
// Results are exactly those of reading the whole history in ledger order; a per-product checkpoint
// (kept valid by triggers on the ledger) lets a posting at the end of the history read only the rows
// after it.
Resultado<Currency> CalculaPrecoMedioCusto(Database& db, const QString& produto, const LinhaEmCurso& linha,
                                           const CorteCustoMedio& corte);
// The same computed from the whole history, never from a checkpoint (for checks and tests).
Resultado<Currency> CalculaPrecoMedioCustoCompleto(Database& db, const QString& produto, const LinhaEmCurso& linha,
                                                   const CorteCustoMedio& corte);

// Prices of the last entry of a product in a warehouse up to a date.
struct PrecosArmazem {
    Currency preco, upCompra, upCusto, pmCusto;
    bool encontrado = false;
};
PrecosArmazem PrecosArmazemUltimaEntrada(Database& db, const QString& produto, const QString& armazem,
                                         const QString& data);

// Price by kind: "PRECOVENDA", "UPCOMPRA", "UPCUSTO" or "PMCUSTO", from the product file
// (fonte "PRODUTOS") or, as of a date, from the last ledger row with a positive value (fonte "MOVPRODUTO").
Currency PrecoPorTipo(Database& db, const QString& tipo, const QString& fonte, const QString& produto,
                      const QString& data = {});

// An "S-" row posted under rules 2 and 3 into a stock that it leaves at 0 or below takes the average
// of the last entry with a positive one; nullopt when that rule does not apply.
// With actualizarFicha the product file's average cost is set to it too.
std::optional<Currency> CustoDevolucaoStockVazio(Database& db, const QString& produto, const Currency& quantidade,
                                                 bool actualizarFicha);

// After movements were removed: under rule 2 the product's average cost is recomputed from what
// remains; rules 1 and 3 leave it. Returns false when the update failed.
bool RecalculaCustoMedioAposEliminacao(Database& db, const QString& produto);
