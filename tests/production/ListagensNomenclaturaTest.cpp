#include "production/ListagensNomenclatura.h"
#include "production/Medicoes.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

class ListagensNomenclaturaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.CodigoUtilizador = QStringLiteral("01");
    }
};

// Bill rows by finished product and raw material, one product or all; the descriptions are the
// products' own.
TEST_P(ListagensNomenclaturaTest, PorProdutoEMateriaPrima) {
    const auto todas = LerListagemNomenclatura(*db, {});
    ASSERT_TRUE(todas);
    ASSERT_EQ(todas->size(), 2u);
    EXPECT_EQ(todas->at(0).produtoPrima.toStdString(), "MP1");
    EXPECT_EQ(todas->at(0).descricaoPrima.toStdString(), "Farinha");
    EXPECT_EQ(todas->at(1).quantidade, C("3"));
    EXPECT_EQ(todas->at(1).formula.toStdString(), "A");
    EXPECT_TRUE(LerListagemNomenclatura(*db, "MP1").valorOu({{}}).empty());

    // The measurements listing reads the templates, ordered by raw material and measure type.
    TemplateMedicoes t;
    t.produtoAcabado = QStringLiteral("PA");
    t.altura = C("2000");
    t.largura = C("1000");
    t.linhas = {{QStringLiteral("MP2"), {}, C("1"), QStringLiteral("F"), C("1"), QStringLiteral("001")},
                {QStringLiteral("MP1"), {}, C("2"), QStringLiteral("L"), C("3"), QStringLiteral("002")},
                {QStringLiteral("MP1"), {}, C("1"), QStringLiteral("A"), C("2"), QStringLiteral("001")}};
    ASSERT_TRUE(GravarTemplateMedicoes(ctx, t, true));
    const auto medicoes = LerListagemNomenclaturaMedicoes(*db, "PA");
    ASSERT_TRUE(medicoes);
    ASSERT_EQ(medicoes->size(), 3u);
    EXPECT_EQ((medicoes->at(0).produtoPrima + medicoes->at(0).tipoMedida).toStdString(), "MP1A");
    EXPECT_EQ((medicoes->at(1).produtoPrima + medicoes->at(1).tipoMedida).toStdString(), "MP1L");
    EXPECT_EQ(medicoes->at(1).armazem.toStdString(), "002");
    EXPECT_EQ(medicoes->at(1).medida, C("3"));
    EXPECT_EQ(medicoes->at(2).descricaoAcabado.toStdString(), "Bolo");
    EXPECT_TRUE(LerListagemNomenclaturaMedicoes(*db, "MP1").valorOu({{}}).empty());
}

LUMO_INSTANCIAR_MOTORES(ListagensNomenclaturaTest);

} // namespace
