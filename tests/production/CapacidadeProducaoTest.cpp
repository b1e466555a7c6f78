#include "production/CapacidadeProducao.h"
#include "production/ProducaoTeste.h"
#include "printing/CapacidadeImpressao.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

// The production company's PA: 2 MP1 (100 in stock at 2) + 3 MP2 (50 at 0.5) per unit.
class CapacidadeProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
    }
    void componente(const char* acabado, const char* prima, const char* quantidade, const char* armazem = "001") {
        ASSERT_GT(db->insert("Nomenclatura", Registo()("ProdutoAcabado", acabado)("DescProdutoAcabado", acabado)(
                                                 "ProdutoPrima", prima)("descprodutoprima", prima)("quantidade", quantidade)(
                                                 "preco", "0")("Armazem", armazem)("precario", "PrecoMedioCusto")(
                                                 "ProdutoAcabadoPreco", "0")("Fixa", 0)("CtrlQuantidades", 0)(
                                                 "Factor", "0")("FactorFormula", "A")),
                  0);
    }
    CapacidadeProduto capacidade(const char* produto) {
        const auto r = CapacidadeProducao(*db, produto);
        EXPECT_TRUE(r) << r.mensagem().toStdString();
        return r ? *r : CapacidadeProduto{};
    }
};

TEST_P(CapacidadeProducaoTest, MenorSaldoPorQuantidadeSemArredondarAUnidades) {
    // MP1 100/2 = 50, MP2 50/3 = 16.6667: the smaller wins, kept to four decimals.
    const CapacidadeProduto pa = capacidade("PA");
    EXPECT_EQ(pa.capacidade, C("16.6667"));
    ASSERT_EQ(pa.componentes.size(), 2u);
    EXPECT_EQ(pa.componentes[0].saldo, C("100"));
    // 2 x 2 (average cost of MP1) + 3 x 0.5.
    EXPECT_EQ(pa.custoUnitario, C("5.5"));

    // Balance 10 in MPL, quantity 4: 2.5, not 2.
    componente("X1", "MPL", "4");
    EXPECT_EQ(capacidade("X1").capacidade, C("2.5"));
    // A second component of quantity 0 and no stock does not limit it.
    componente("X1", "PA", "0");
    EXPECT_EQ(capacidade("X1").capacidade, C("2.5"));
    // A component with a quantity and no stock (in warehouse 002) makes it 0, whatever the others.
    componente("X1", "MP1", "1", "002");
    const CapacidadeProduto x1 = capacidade("X1");
    EXPECT_EQ(x1.capacidade, Currency());
    EXPECT_EQ(x1.custoUnitario, Currency()) << "no cost without stock";

    // Without a bill, or a bill whose only component has quantity 0: 0.
    EXPECT_EQ(capacidade("NADA").capacidade, Currency());
    componente("X2", "MP1", "0");
    EXPECT_EQ(capacidade("X2").capacidade, Currency());
    // A capacity below 0.00005 is still a limit: 0, not ignored.
    componente("X3", "MP2", "10000000");
    EXPECT_EQ(capacidade("X3").capacidade, Currency());
}

TEST_P(CapacidadeProducaoTest, ListaTodosPorProdutoEDadosCortados) {
    componente("X1", "MPL", "4");
    const auto todos = PrevisaoCapacidade(*db);
    ASSERT_TRUE(todos);
    ASSERT_EQ(todos->size(), 2u);
    EXPECT_EQ(todos->at(0).produto.toStdString(), "PA");
    EXPECT_EQ(todos->at(1).produto.toStdString(), "X1");
    EXPECT_EQ(PrevisaoCapacidade(*db, "X1").valorOu({}).size(), 1u);

    // Printed with 0 quantity decimals, 2.5 shows 2: never more than can be made.
    const DadosRelatorio d = DadosCapacidade(*todos, {}, true, 0);
    ASSERT_EQ(d.linhas.size(), 5);
    EXPECT_EQ(d.linhas[3].toObject()["capacidade"].toString().toStdString(), "2.0000");
    EXPECT_EQ(d.linhas[0].toObject()["capacidade"].toString().toStdString(), "16.0000");
    EXPECT_EQ(d.linhas[1].toObject()["tipo"].toString().toStdString(), "componente");
    EXPECT_EQ(DadosCapacidade(*todos, {}, false, 2).linhas[1].toObject()["capacidade"].toString().toStdString(),
              "2.5000");
}

LUMO_INSTANCIAR_MOTORES(CapacidadeProducaoTest);

} // namespace
