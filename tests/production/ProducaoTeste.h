#pragma once

#include "stock/LancaMovProduto.h"
#include "db/Database.h"
#include "company/GlobalContext.h"

#include <gtest/gtest.h>

// A small production company: raw materials MP1 (KG, 100 in stock at 2), MP2 (whole units, 50 at
// 0.5), MPL (lot-managed, lot L1: 10 at 3), finished product PA made of 2 MP1 + 3 MP2 per unit.
namespace producao_teste {

inline Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }

inline void entradaStock(GlobalContext& ctx, const char* produto, const char* quant, const char* preco,
                         const char* lote = "", const char* data = "2026-01-02") {
    namespace Col = ColMovProduto;
    LinhaMovProduto l;
    for (auto [c, v] : {std::pair{Col::Tipo, "SI"}, {Col::Numero, "00000001"}, {Col::Ano, "2026"}, {Col::Data, data},
                        {Col::Codigo, produto}, {Col::Armazem, "001"}, {Col::AfectaStk, "E+"},
                        {Col::Localizacao, "00001"}, {Col::Lote, lote}})
        l.definir(c, v);
    l.definir(Col::QuantNormal, C(quant));
    l.definir(Col::Preco, C(preco));
    const auto r = LancaMovProduto(ctx, l);
    ASSERT_TRUE(r) << r.mensagem().toStdString();
}

inline void criarEmpresaProducao(GlobalContext& ctx) {
    Database& db = ctx.bd();
    ctx.Lotes = 1;
    ctx.casadec = 2;
    ctx.casasdecProducao = 4;
    ASSERT_GT(db.insert("ParamGeral", Registo()("NomeEmpresa", "Teste")("FormulaPrecoMedioCusto", 1)("PMCArmazem", 0)(
                                          "Lotes", 1)("controlaquant", "1")),
              0);
    ASSERT_GT(db.insert("LockPro", Registo()("Tmp", 0)), 0);
    for (const char* a : {"001", "002"})
        ASSERT_GT(db.insert("Armazens", Registo()("Codigo", a)("IgnoraCtrlExistencia", 0)), 0);
    ASSERT_GT(db.insert("TabUnidades", Registo()("Codigo", "UN")("Descricao", "Unidade")("ApenasUnidade", 1)), 0);
    ASSERT_GT(db.insert("TabUnidades", Registo()("Codigo", "KG")("Descricao", "Quilo")("ApenasUnidade", 0)), 0);
    struct P {
        const char *codigo, *descricao, *unidade;
        int lote;
    };
    for (const P& p : {P{"MP1", "Farinha", "KG", 0}, P{"MP2", "Ovo", "UN", 0}, P{"MPL", "Fermento", "KG", 1},
                       P{"PA", "Bolo", "UN", 0}})
        ASSERT_GT(db.insert("Produtos", Registo()("Codigo", p.codigo)("Descricao", p.descricao)("ctrlexistencia", "1")(
                                            "Lote", p.lote)("UnidadeVenda", p.unidade)("UnidadeCompra", p.unidade)(
                                            "actualizapreco", "0")("servico", "0")("portes", "0")),
                  0);
    for (auto [t, a] : {std::pair{"SI", "E+"}, {"SPR", "S+"}, {"EPR", "E+"}, {"DPR", "S-"}, {"RPR", "S+"}})
        ASSERT_GT(db.insert("TabTipoMov", Registo()("Codigo", t)("Descricao", t)("UltNumero", "00000000")(
                                              "IncrementaMes", 0)("ControloHash", 0)("Modulo", "ST")("AfectaStk", a)),
                  0);
    ASSERT_GT(db.insert("configProd", Registo()("TipoSaida", "SPR")("Tipoent", "EPR")("Tiporet", "DPR")(
                                          "TipoRef", "RPR")("Fornece", "PROD")("cliente", "PROD")("UltLote", "0000000005")(
                                          "CasasDec", 4)("Precario", "PrecoMedioCusto")),
              0);
    for (auto [prima, q] : {std::pair{"MP1", "2"}, {"MP2", "3"}})
        ASSERT_GT(db.insert("Nomenclatura", Registo()("ProdutoAcabado", "PA")("DescProdutoAcabado", "Bolo")(
                                                "ProdutoPrima", prima)("descprodutoprima", prima)("quantidade", q)(
                                                "preco", "0")("Armazem", "001")("Fixa", 0)("CtrlQuantidades", 0)(
                                                "precario", "PrecoMedioCusto")("Factor", "0")("FactorFormula", "A")(
                                                "ProdutoAcabadoPreco", "0")),
                  0);
    entradaStock(ctx, "MP1", "100", "2");
    entradaStock(ctx, "MP2", "50", "0.5");
    entradaStock(ctx, "MPL", "10", "3", "L1");
}

// The process movement types: issue "SPP" and return "DPP", set in configProd.
inline void tiposMovimentoProcesso(Database& db) {
    for (auto [t, a] : {std::pair{"SPP", "S+"}, {"DPP", "S-"}})
        ASSERT_GT(db.insert("TabTipoMov", Registo()("Codigo", t)("Descricao", t)("UltNumero", "00000000")(
                                              "IncrementaMes", 0)("ControloHash", 0)("Modulo", "ST")("AfectaStk", a)),
                  0);
    ASSERT_TRUE(db.exec("UPDATE configProd SET Processo_TipoSaida='SPP', Processo_TipoRet='DPP'"));
}

} // namespace producao_teste
