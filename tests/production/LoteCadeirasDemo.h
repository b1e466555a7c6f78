#pragma once

#include "company/GlobalContext.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"

#include <gtest/gtest.h>

// In the demo company: a lot of 2 oak chairs (PA002) issued on `data`, left waiting for its
// adjustments, then closed with 0,4 of the oak board coming back after the cut. Returns the lot
// number (empty after a failure, which is reported).
inline QString LoteCadeirasComRetorno(GlobalContext& demo, const QString& data) {
    ProductionDocument d;
    d.Lote = ProximoLote(demo.bd());
    EXPECT_FALSE(LerLoteProducao(demo, d));
    d.ProdutoAcabado = "PA002";
    d.Quantidade = Currency::fromString(QStringLiteral("2"));
    d.Data = data;
    d.Armazem = "002";
    EXPECT_EQ(CarregarListaNomenc(demo, d), 5);
    for (LinhaProducao& l : d.linhas) {
        if (l.produto == "MP005")
            l.lote = "CV-0207";
        else if (l.produto == "MP006")
            l.lote = "VA-1102";
    }
    const auto primeira = LancaProducao(demo, d, FaseProducao::Aguarda);
    if (!primeira) {
        ADD_FAILURE() << primeira.mensagem().toStdString();
        return {};
    }
    ProductionDocument p;
    p.Lote = primeira->lote;
    EXPECT_TRUE(LerLoteProducao(demo, p));
    EXPECT_GE(CarregarListaNomenc(demo, p), 5);
    bool carvalho = false;
    for (LinhaProducao& l : p.linhas)
        if (l.produto == "MP002") {
            l.acertos = Currency::fromString(QStringLiteral("-0.4"));
            carvalho = true;
        }
    EXPECT_TRUE(carvalho);
    const auto segunda = LancaProducao(demo, p, FaseProducao::Encerra);
    if (!segunda) {
        ADD_FAILURE() << segunda.mensagem().toStdString();
        return {};
    }
    return primeira->lote;
}
