#pragma once

#include "common/Resultado.h"
#include "common/Currency.h"
#include "stock/LinhaMovProduto.h"

#include <QStringList>
#include <QString>
#include <QVariant>

class Dialect;
#include <array>
#include <optional>
#include <vector>

struct GlobalContext;
class Database;

// Inserts one ledger row with every insert column bound in order; returns its NumRegisto
// (a text longer than its column is refused, not cut).
Resultado<qint64> MeteNoMovPro(Database& db, const LinhaMovProduto& linha);

// Inserts a ledger row that already carries its NumRegisto and the columns completed after an
// insert (Hora, CodigoBarras, Estado, ...), in one statement; returns NumRegisto.
Resultado<qint64> MeteNoMovProCompleto(Database& db, const LinhaMovProduto& linha, qint64 numRegisto);

// Several complete rows written in one statement, in the order joined. Each row is checked as it
// is joined (a text longer than its column is refused by name); nothing is written before `gravar`.
class InsercaoMovProduto {
public:
    Resultado<> juntar(Database& db, const LinhaMovProduto& linha, qint64 numRegisto);
    bool gravar(Database& db);
    bool vazia() const { return m_tuplos.isEmpty(); }

private:
    QStringList m_tuplos;
    QVariantList m_valores;
};

// The signed balance of a product's ledger rows ("E+"/"S-" add, "S+"/"E-" subtract), as a SELECT
// whose WHERE binds the product first; callers append their " AND ..." filters.
QString sqlSaldoProduto(const Dialect& d);
// The same signed sums per product and warehouse as a derived table (columns Codigo, Armazem,
// Saldo) for reads that need the balances of many pairs in one statement; `codigos` is a SELECT
// of the products wanted, so the ledger is grouped once instead of sought once per pair.
QString SqlSaldosPorArmazem(const Dialect& d, const QString& codigos);

// A product's balances in one warehouse per location, lot and lot dates, read at once (the
// same sums SaldoProdutoArmazem gives for each of those combinations).
struct SaldoLoteLocalizacao {
    QString localizacao, lote, dataFabrico, dataValidade;
    Currency saldo;
};
Resultado<std::vector<SaldoLoteLocalizacao>> SaldosPorLoteLocalizacao(Database& db, const QString& produto,
                                                                      const QString& armazem);

// A product's balances in one warehouse per combination of the reference dimensions and supplier,
// for choosing the reference a movement takes.
struct SaldoReferencia {
    std::array<QString, 7> referencias; // Estacao, Sexo, Referencia, Modelo, Cor, Tamanho, Comprimento
    QString fornece;
    Currency saldo;
};
Resultado<std::vector<SaldoReferencia>> SaldosPorReferencia(Database& db, const QString& produto, const QString& armazem);

// What a stock balance is narrowed by. A dimension that is not given matches any value.
struct FiltroSaldo {
    QString produto;
    std::optional<QString> armazem, localizacao, lote, dataFabrico, dataValidade;
    std::optional<QString> estacao, sexo, referencia, modelo, cor, tamanho, comprimento, fornece;
};

// The eight balance functions; SaldoProdutoArmazem picks one by the arguments given.
enum class FuncaoSaldo {
    Pro,                 // product
    ProArm,              // product, warehouse
    ProArmLoc,           // product, warehouse, location
    ProArmLote,          // product, warehouse, lot
    ProArmLocLote,       // product, warehouse, location, lot
    ProArmLocLoteDatas,  // as above plus manufacture and expiry dates
    ProLote,             // product, lot
    Generica             // any reference dimension or supplier given: every filter, "%" for the rest
};
FuncaoSaldo escolherFuncaoSaldo(const FiltroSaldo& f);
// Signed sum of the matching rows: "E+" and "S-" add, "S+" and "E-" subtract, anything else is ignored.
Resultado<Currency> SaldoProduto(Database& db, FuncaoSaldo funcao, const FiltroSaldo& f);
Resultado<Currency> SaldoProdutoArmazem(Database& db, const FiltroSaldo& f);

// Balance with a cut-off: rows dated up to `data`, or up to `data` + " " + `hora` when a time is given.
// Reference dimensions only narrow it when the company uses them and the product is managed by reference.
struct FiltroExistencia {
    QString produto, armazem, localizacao, lote, data, hora;
    QString estacao, sexo, referencia, modelo, cor, tamanho, comprimento, fornece;
};
Currency ExistenciaProduto(const GlobalContext& ctx, const FiltroExistencia& f);

// One column of the first row of a company table whose key column equals a value (without a key,
// the first row of the table), as text; "" when there is none. Table and column names must be
// declared in the company schema; anything else gives "".
QString RetornaCampoTabela(Database& db, const QString& tabela, const QString& coluna, const QString& chave = {},
                           const QVariant& valor = {});
