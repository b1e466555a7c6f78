#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/MapasProducao.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

class MapasProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.CodigoUtilizador = QStringLiteral("01");
    }
    // A lot of PA (2 MP1 at 2 + 3 MP2 at 0.5 per unit) issued on the date.
    void lote(const char* numero, const char* quant, const char* data, FaseProducao fase = FaseProducao::Encerra) {
        ProductionDocument d;
        d.Lote = numero;
        ASSERT_FALSE(LerLoteProducao(ctx, d));
        d.ProdutoAcabado = "PA";
        d.Quantidade = C(quant);
        d.Data = data;
        d.Armazem = "002";
        ASSERT_EQ(CarregarListaNomenc(ctx, d), 2);
        const auto r = LancaProducao(ctx, d, fase);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }
};

// Each lot's block holds the rows of its issue, reinforcement and return documents (a return
// counts against it), and the general total is the sum of the blocks.
TEST_P(MapasProducaoTest, BlocosPorLoteComRetornosETotalGeral) {
    lote("12", "3", "2026-03-10", FaseProducao::Aguarda);
    ProductionDocument p;
    p.Lote = "12";
    ASSERT_TRUE(LerLoteProducao(ctx, p));
    ASSERT_EQ(CarregarListaNomenc(ctx, p), 2);
    p.linhas[0].acertos = C("-2"); // 2 MP1 come back
    p.linhas[1].acertos = C("1");  // one more MP2
    ASSERT_TRUE(LancaProducao(ctx, p, FaseProducao::Encerra));
    lote("13", "1", "2026-03-20");
    lote("14", "1", "2026-04-02");

    FiltroMapaProducao f;
    f.de = "2026-03-01";
    f.ate = "2026-03-31";
    const auto m = LerMapaDiscriminado(*db, f);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->blocos.size(), 2u) << "the April lot is outside the period";
    const BlocoMapaDiscriminado& b = m->blocos[0];
    EXPECT_EQ(b.lote.toStdString(), "0000000012");
    ASSERT_EQ(b.linhas.size(), 4u);
    Currency mp1, mp2;
    for (const auto& l : b.linhas)
        (l.produto == "MP1" ? mp1 : mp2) += l.quantidade;
    EXPECT_EQ(mp1, C("4")) << "6 issued, 2 returned";
    EXPECT_EQ(mp2, C("10")) << "9 issued, 1 reinforced";
    // 6 × 2 − 2 × 2 + 9 × 0.5 + 1 × 0.5 = 13, the lot's own cost.
    EXPECT_EQ(b.somaComponentes, C("13"));
    EXPECT_EQ(b.custoTotal, C("13"));
    EXPECT_EQ(m->blocos[1].somaComponentes, C("5.5"));
    EXPECT_EQ(m->totalGeral, C("18.5"));

    f.produto = "MP1";
    EXPECT_TRUE(LerMapaDiscriminado(*db, f).valorOu({}).blocos.empty());
    EXPECT_EQ(LerMapaDiscriminado(*db, {}).valorOu({}).blocos.size(), 3u) << "no filter: every lot, in lot order";
}

// --- "Mapa de Produção": lots, and each raw material consumed (a) beside the bill (b) ---

const ComponenteMapaProducao* componente(const LoteMapaProducao& l, const char* produto) {
    for (const auto& c : l.componentes)
        if (c.produto == QLatin1String(produto))
            return &c;
    return nullptr;
}

// Without a product every lot of the period prints, by lot number whatever the order of their
// dates; without itemising only the lots are read.
TEST_P(MapasProducaoTest, MapaSemProdutoListaOsLotesDoPeriodoPorLote) {
    lote("14", "1", "2026-03-05");
    lote("12", "2", "2026-03-20");
    lote("13", "1", "2026-03-10");
    lote("15", "1", "2026-04-02");
    FiltroMapaProducao f;
    f.de = "2026-03-01";
    f.ate = "2026-03-31";
    const auto m = LerMapaProducao(*db, f, false);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 3u);
    EXPECT_EQ(m->lotes[0].lote.toStdString(), "0000000012");
    EXPECT_EQ(m->lotes[1].lote.toStdString(), "0000000013");
    EXPECT_EQ(m->lotes[2].lote.toStdString(), "0000000014");
    EXPECT_EQ(m->lotes[0].produto.toStdString(), "PA");
    EXPECT_EQ(m->lotes[0].descricao.toStdString(), "Bolo");
    EXPECT_EQ(m->lotes[0].armazem.toStdString(), "002");
    EXPECT_EQ(m->lotes[0].quantidade, C("2"));
    EXPECT_EQ(m->lotes[0].custoTotal, C("11")) << "2 × (2 × 2 + 3 × 0.5)";
    EXPECT_EQ(m->lotes[0].custoUnitario, C("5.5"));
    EXPECT_TRUE(m->lotes[0].componentes.empty());
    EXPECT_EQ(m->totalCustoLotes, C("22"));

    f.produto = "MP1";
    EXPECT_TRUE(LerMapaProducao(*db, f, true).valorOu({}).lotes.empty());
    f.produto = "PA";
    f.de = "2026-03-10";
    EXPECT_EQ(LerMapaProducao(*db, f, true).valorOu({}).lotes.size(), 2u) << "the first day of the period counts";
}

// a) is what left stock less what came back; b) is the bill for the lot at the bill's price basis,
// which need not be the price the lot was issued at.
TEST_P(MapasProducaoTest, MapaComRetornoComparaConsumoComNomenclatura) {
    lote("12", "3", "2026-03-10", FaseProducao::Aguarda);
    ProductionDocument p;
    p.Lote = "12";
    ASSERT_TRUE(LerLoteProducao(ctx, p));
    ASSERT_EQ(CarregarListaNomenc(ctx, p), 2);
    p.linhas[0].acertos = C("-2"); // 2 MP1 come back
    p.linhas[1].acertos = C("1");  // one more MP2
    ASSERT_TRUE(LancaProducao(ctx, p, FaseProducao::Encerra));
    ASSERT_TRUE(db->exec("UPDATE Produtos SET PrecoMedioCusto=2.5 WHERE Codigo='MP1'"));
    ASSERT_TRUE(db->exec("UPDATE Produtos SET UltPrecoCompra=0.6 WHERE Codigo='MP2'"));
    ASSERT_TRUE(db->exec("UPDATE Nomenclatura SET precario='UltPrecoCompra' WHERE ProdutoPrima='MP2'"));

    const auto m = LerMapaProducao(*db, {}, true);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 1u);
    const LoteMapaProducao& l = m->lotes[0];
    ASSERT_EQ(l.componentes.size(), 2u);
    const auto* mp1 = componente(l, "MP1");
    ASSERT_TRUE(mp1);
    EXPECT_EQ(mp1->quantidadeAplicada, C("4")) << "6 issued, 2 returned";
    EXPECT_EQ(mp1->custoAplicado, C("8"));
    EXPECT_EQ(mp1->precoAplicado, C("2"));
    EXPECT_TRUE(mp1->naNomenclatura);
    EXPECT_EQ(mp1->quantidadeNomenclatura, C("6"));
    EXPECT_EQ(mp1->precoNomenclatura, C("2.5"));
    EXPECT_EQ(mp1->custoNomenclatura, C("15"));
    EXPECT_EQ(mp1->desvioQuantidade(), C("-2"));
    EXPECT_EQ(mp1->desvioCusto(), C("-7"));
    EXPECT_EQ(mp1->armazem.toStdString(), "001");
    const auto* mp2 = componente(l, "MP2");
    ASSERT_TRUE(mp2);
    EXPECT_EQ(mp2->quantidadeAplicada, C("10")) << "9 issued, 1 reinforced";
    EXPECT_EQ(mp2->custoAplicado, C("5"));
    EXPECT_EQ(mp2->quantidadeNomenclatura, C("9"));
    EXPECT_EQ(mp2->precoNomenclatura, C("0.6")) << "the bill row's price basis";
    EXPECT_EQ(mp2->custoNomenclatura, C("5.4"));
    EXPECT_EQ(mp2->desvioQuantidade(), C("1"));
    EXPECT_EQ(mp2->desvioCusto(), C("-0.4"));
    EXPECT_EQ(l.somaAplicado, C("13"));
    EXPECT_EQ(l.somaAplicado, l.custoTotal) << "the lot was valued with what it consumed";
    EXPECT_EQ(l.somaNomenclatura, C("20.4"));
    EXPECT_EQ(l.desvio(), C("-7.4"));
}

// A material issued from two stock lots counts both rows; one the bill no longer has is still
// listed, with nothing under b); the map's totals are the sums of its lots.
TEST_P(MapasProducaoTest, MapaDoisLotesDeStockMateriaForaDaNomenclaturaETotais) {
    lote("13", "1", "2026-03-12");
    ASSERT_GT(db->insert("Nomenclatura", Registo()("ProdutoAcabado", "PA")("ProdutoPrima", "MPL")("quantidade", "1")(
                                             "preco", "0")("Armazem", "001")("Fixa", 0)("CtrlQuantidades", 0)(
                                             "precario", "PrecoMedioCusto")("Factor", "0")("FactorFormula", "A")),
              0);
    producao_teste::entradaStock(ctx, "MPL", "10", "3", "L2");
    ProductionDocument d;
    d.Lote = "12";
    ASSERT_FALSE(LerLoteProducao(ctx, d));
    d.ProdutoAcabado = "PA";
    d.Quantidade = C("4");
    d.Data = "2026-03-10";
    d.Armazem = "002";
    ASSERT_EQ(CarregarListaNomenc(ctx, d), 3);
    // 4 of MPL: 3 from L1 and 1 from L2, on two lines.
    ASSERT_EQ(d.linhas[2].produto, "MPL");
    d.linhas[2].lote = "L1";
    d.linhas[2].ordemProducao = C("3");
    d.linhas.push_back(d.linhas[2]);
    d.linhas[3].lote = "L2";
    d.linhas[3].ordemProducao = C("1");
    ASSERT_TRUE(LancaProducao(ctx, d, FaseProducao::Encerra));
    // MP2 leaves the bill after both lots were made.
    ASSERT_TRUE(db->exec("DELETE FROM Nomenclatura WHERE ProdutoPrima='MP2'"));

    const auto m = LerMapaProducao(*db, {}, true);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 2u);
    const LoteMapaProducao& l = m->lotes[0];
    ASSERT_EQ(l.componentes.size(), 3u);
    const auto* mpl = componente(l, "MPL");
    ASSERT_TRUE(mpl);
    EXPECT_EQ(mpl->quantidadeAplicada, C("4"));
    EXPECT_EQ(mpl->custoAplicado, C("12"));
    EXPECT_EQ(mpl->quantidadeNomenclatura, C("4"));
    EXPECT_EQ(mpl->desvioQuantidade(), C("0"));
    EXPECT_EQ(mpl->lotes, QStringList({"L1", "L2"}));
    const auto* mp2 = componente(l, "MP2");
    ASSERT_TRUE(mp2) << "consumed, though no longer in the bill";
    EXPECT_FALSE(mp2->naNomenclatura);
    EXPECT_EQ(mp2->quantidadeAplicada, C("12"));
    EXPECT_EQ(mp2->custoAplicado, C("6"));
    EXPECT_EQ(mp2->quantidadeNomenclatura, C("0"));
    EXPECT_EQ(mp2->custoNomenclatura, C("0"));
    EXPECT_EQ(mp2->desvioQuantidade(), C("12"));
    EXPECT_EQ(mp2->desvioCusto(), C("6"));
    // Lot 13 was made before MPL joined the bill: b) has it, a) does not.
    ASSERT_EQ(m->lotes[1].componentes.size(), 3u);
    const auto* mplAntes = componente(m->lotes[1], "MPL");
    ASSERT_TRUE(mplAntes);
    EXPECT_EQ(mplAntes->quantidadeAplicada, C("0"));
    EXPECT_EQ(mplAntes->quantidadeNomenclatura, C("1"));
    EXPECT_EQ(mplAntes->desvioCusto(), C("-3"));

    Currency a, b;
    for (const auto& x : m->lotes) {
        a += x.somaAplicado;
        b += x.somaNomenclatura;
    }
    EXPECT_EQ(m->totalAplicado, a);
    EXPECT_EQ(m->totalNomenclatura, b);
    EXPECT_EQ(m->desvio(), a - b);
    EXPECT_EQ(m->totalAplicado, C("39.5")) << "8 × 2 + 12 × 0.5 + 4 × 3 (lot 12), 2 × 2 + 3 × 0.5 (lot 13)";
}

// b) follows the production order's proposal: whole-unit materials rounded up, and the bill
// quantity alone when the order does not multiply.
TEST_P(MapasProducaoTest, MapaQuantidadeDaNomenclaturaComoAOrdemProporia) {
    ASSERT_GT(db->insert("Lotes", Registo()("lote", "0000000020")("Produto", "PA")("quantidade", "0.5")(
                                      "precario", "0")("custoTotal", "0")("armazem", "002")("DataSaida", "2026-03-10")(
                                      "Fechado", 1)),
              0);
    const auto m = LerMapaProducao(*db, {}, true);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 1u);
    const auto* mp1 = componente(m->lotes[0], "MP1");
    const auto* mp2 = componente(m->lotes[0], "MP2");
    ASSERT_TRUE(mp1 && mp2);
    EXPECT_EQ(mp1->quantidadeNomenclatura, C("1")) << "kilos take fractions";
    EXPECT_EQ(mp2->quantidadeNomenclatura, C("2")) << "1,5 eggs make 2";
    EXPECT_EQ(mp2->custoNomenclatura, C("1"));
    EXPECT_EQ(mp2->quantidadeAplicada, C("0")) << "nothing was issued to this lot";
    EXPECT_EQ(mp2->desvioQuantidade(), C("-2"));

    // The same rule as the order's lines, whatever the quantities.
    for (const char* lote : {"0.5", "1.1", "3", "0.3333"})
        for (bool naoMultiplica : {false, true})
            for (const char* prima : {"MP1", "MP2"}) {
                SCOPED_TRACE(std::string(lote) + " " + prima + (naoMultiplica ? " nao multiplica" : ""));
                const Currency nomenc = C(prima == std::string("MP1") ? "2.25" : "1.5");
                EXPECT_EQ(QuantidadeNomenclaturaLote(nomenc, C(lote), naoMultiplica, prima == std::string("MP2")),
                          QuantidadeOrdem(ctx, prima, nomenc, C(lote), naoMultiplica));
            }
    EXPECT_EQ(QuantidadeNomenclaturaLote(C("2"), C("5"), true, false), C("2"));
    EXPECT_EQ(QuantidadeNomenclaturaLote(C("1.5"), C("5"), true, true), C("2"));
    EXPECT_EQ(QuantidadeNomenclaturaLote(C("1.5"), C("5"), false, true), C("8"));
}

// With average costs per warehouse, b) is priced at the material's last entry in the bill's
// warehouse, not in another one.
TEST_P(MapasProducaoTest, MapaPrecoPorArmazem) {
    lote("12", "1", "2026-03-10");
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET PMCArmazem=1"));
    for (auto [armazem, data, pmc] : {std::tuple{"001", "2026-02-01", "2.8"}, {"001", "2026-02-15", "3.2"},
                                      {"002", "2026-03-01", "9"}})
        ASSERT_GT(db->insert("MovProduto", {"Codigo", "Armazem", "Data", "AfectaStk", "QuantNormal", "Armazem_PMCusto",
                                            "Armazem_UPCusto", "Armazem_UPCompra"},
                             {"MP1", armazem, data, "E+", "1", pmc, "0", "0"}),
                  0);
    const auto m = LerMapaProducao(*db, {}, true);
    ASSERT_TRUE(m) << m.mensagem().toStdString();
    ASSERT_EQ(m->lotes.size(), 1u);
    const auto* mp1 = componente(m->lotes[0], "MP1");
    ASSERT_TRUE(mp1);
    EXPECT_EQ(mp1->precoNomenclatura, C("3.2"));
    EXPECT_EQ(mp1->custoNomenclatura, C("6.4"));
}

LUMO_INSTANCIAR_MOTORES(MapasProducaoTest);

} // namespace
