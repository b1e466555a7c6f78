#pragma once

#include "db/Database.h"
#include "stock/MovimentosStock.h"

#include <gtest/gtest.h>

// A product's balance in a warehouse (and lot, when given) as the stock checks read it; a read that
// fails is a test failure, never a balance of 0.
inline Currency saldoArmazem(Database& db, const char* produto, const char* armazem = "001",
                             const char* lote = nullptr) {
    FiltroSaldo f;
    f.produto = QString::fromUtf8(produto);
    f.armazem = QString::fromUtf8(armazem);
    if (lote)
        f.lote = QString::fromUtf8(lote);
    const Resultado<Currency> lido = SaldoProdutoArmazem(db, f);
    EXPECT_TRUE(lido) << lido.mensagem().toStdString();
    return lido.valorOu(Currency());
}
