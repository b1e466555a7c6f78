#pragma once

#include "common/Resultado.h"
#include "stock/LinhaMovProduto.h"

#include <memory>
#include <vector>

class Database;
struct GlobalContext;

struct OpcoesLancamento {
    // The code the caller loaded the line with (ProdutoCarregado); empty = the row's product.
    QString produtoCarregado;
    // After an entry, the product file's average cost follows the ledger.
    bool actualizarCustoMedioFicha = true;
    // False when the caller sets the entry's average cost itself after the insert (production's
    // entry, whose price is known only after the consumption): the row keeps the product file's.
    bool calcularCustoMedio = true;
};

// What a posting reads before it writes (product, company switches, the row's number, balances).
struct ContextoLancamento;

// Validates one stock row, completes its costs from the product file and the ledger, inserts it
// and completes the inserted row. Returns its NumRegisto; a refused row writes nothing.
// Runs inside the caller's transaction when there is one. `lido`: the row's reads made before
// (LerContextosLancamento); null reads them here.
Resultado<qint64> LancaMovProduto(GlobalContext& ctx, LinhaMovProduto linha, const OpcoesLancamento& opcoes = {},
                                  const ContextoLancamento* lido = nullptr);

// The reads of several rows' postings in one statement, one per row (null where the row is to read
// its own). For rows of different products, posted right after, in this order, inside the caller's
// transaction and with nothing else written to the ledger between: each row's number and balances
// are those it would have read itself.
Resultado<std::vector<std::shared_ptr<const ContextoLancamento>>>
LerContextosLancamento(Database& db, const std::vector<LinhaMovProduto>& linhas);

// Rows of different products with their reads from LerContextosLancamento, posted in this order
// inside the caller's transaction as LancaMovProduto would post each, their inserts made in one
// statement. Returns their NumRegisto; on a refusal `recusada` (when given) says which row.
Resultado<std::vector<qint64>> LancaMovProdutos(GlobalContext& ctx, std::vector<LinhaMovProduto> linhas,
                                                const std::vector<std::shared_ptr<const ContextoLancamento>>& lidos,
                                                const OpcoesLancamento& opcoes = {}, size_t* recusada = nullptr);

// The refusal of a row beyond the value limit (or beyond what the money type holds).
QString MensagemLimiteValor(const QString& codigo, const QString& descricao);
