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

LUMO_INSTANCIAR_MOTORES(MapasProducaoTest);

} // namespace
