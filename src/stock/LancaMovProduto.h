#pragma once

#include "common/Resultado.h"
#include "stock/LinhaMovProduto.h"

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

// Validates one stock row, completes its costs from the product file and the ledger, inserts it
// and completes the inserted row. Returns its NumRegisto; a refused row writes nothing.
// Runs inside the caller's transaction when there is one.
Resultado<qint64> LancaMovProduto(GlobalContext& ctx, LinhaMovProduto linha, const OpcoesLancamento& opcoes = {});

// The refusal of a row beyond the value limit (or beyond what the money type holds).
QString MensagemLimiteValor(const QString& codigo, const QString& descricao);
