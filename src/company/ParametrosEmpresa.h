#pragma once

#include "common/Resultado.h"

#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <optional>

class Database;

// The company's parameters (the first row of ParamGeral, by NumRegisto) that postings, production and
// the period check decide on, read and converted in one place. A company without the row, or whose
// row cannot be read, gets the defaults below.
struct ParametrosEmpresa {
    bool existe = false;                 // ParamGeral has a row
    bool pmcPorArmazem = false;          // PMCArmazem: average costs kept per warehouse too
    int formulaPrecoMedioCusto = 0;      // as stored; regraCustoMedio() is the rule in force
    int precoTranfAcertos = 0;           // price of transfers and adjustments (0 to 3)
    QString prodDiversos, prodDiversos2; // the sundry products' codes, as stored
    bool controlaQuant = false;          // ControlaQuant = "1": the general stock control
    bool controlaQuantDiversos = false;  // ... extended to the sundry products,
    bool controlaQuantServicos = false;  // ... to services,
    bool controlaQuantPortes = false;    // ... and to carriage (each when = 1)
    QString dataEmAberto;                // DataEmAberto, trimmed: nothing is posted before it
    bool lancaMesSeguinte = false;       // LancaMesSeguinte = "1": months after the open one are accepted

    // Average-cost rule: 1 weighted average of entries since the last manual change, 2 running average
    // over every movement, 3 running average restarting after the stock runs out. Unknown values are 1.
    int regraCustoMedio() const {
        return formulaPrecoMedioCusto == 2 || formulaPrecoMedioCusto == 3 ? formulaPrecoMedioCusto : 1;
    }
    // One of the two sundry products (codes compared trimmed and without regard to case; a blank one
    // never matches).
    bool produtoDiverso(const QString& codigo) const;

    // Reads the row on that connection (inside its transaction, if any).
    static Resultado<ParametrosEmpresa> ler(Database& db);

    // For a statement that reads the row along with other things: the select list, each column
    // prefixed by `tabela` ("g" gives "g.NumRegisto, g.PMCArmazem, ..."), and the parameters from its
    // values starting at `inicio` (a NULL NumRegisto, as from an outer join without the row, gives
    // the defaults).
    static QString colunas(const QString& tabela = {});
    static constexpr int NumeroColunas = 12;
    static ParametrosEmpresa deValores(const QVariantList& linha, int inicio);
};

// The whole first row of ParamGeral, for the loader that copies its columns into the context by name;
// nullopt without a row or when it cannot be read.
std::optional<QSqlRecord> LerRegistoParamGeral(Database& db);
