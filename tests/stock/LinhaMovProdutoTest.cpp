#include "stock/LinhaMovProduto.h"

#include "db/esquema/Esquema.h"

#include <gtest/gtest.h>

namespace {

namespace Col = ColMovProduto;

// A name written in the code must go through its constant; a name read at run time still works.
template <typename L>
constexpr bool aceitaNomeEscrito = requires(L l) { l.definir("Codigo", QVariant()); };
template <typename L>
constexpr bool aceitaNomeLido = requires(L l, QString n) { l.definir(n, QVariant()); };
static_assert(!aceitaNomeEscrito<LinhaMovProduto>);
static_assert(aceitaNomeLido<LinhaMovProduto>);

TEST(LinhaMovProdutoTest, CadaConstanteEAColunaDoEsquemaNaSuaPosicao) {
    const TabelaDef* t = tabelaEmpresa(QStringLiteral("MovProduto"));
    ASSERT_TRUE(t);
    ASSERT_EQ(t->colunas.size(), size_t(Col::Total));
    for (const ColunaMovProduto& c : Col::Todas) {
        EXPECT_EQ(t->colunas[size_t(c.posicao)].nome, c.texto()) << c.nome;
        EXPECT_EQ(LinhaMovProduto::posicao(c.texto()), c.posicao) << c.nome;
    }
    const auto& insercao = LinhaMovProduto::colunasInsercao();
    ASSERT_EQ(insercao.size(), size_t(Col::Inseridas));
    EXPECT_EQ(insercao.back().nome, Col::FitoFarmaceutico_Aplicador.texto());
}

TEST(LinhaMovProdutoTest, ConstanteENomeChegamAoMesmoValor) {
    LinhaMovProduto l;
    EXPECT_FALSE(l.tem(Col::QuantNormal));
    l.definir(Col::QuantNormal, Currency::fromString(QStringLiteral("2.5")));
    l.definir(Col::AfectaCli, "NA");
    EXPECT_TRUE(l.tem(QStringLiteral("quantnormal"))) << "names compare without regard to case";
    EXPECT_EQ(l.montante(QStringLiteral("QUANTNORMAL")).toString(), "2.5000");
    EXPECT_EQ(l.texto(Col::AfectaCli), "NA");

    EXPECT_TRUE(l.definir(QStringLiteral("observa"), QStringLiteral("nota")));
    EXPECT_EQ(l.texto(Col::observa), "nota");
    EXPECT_TRUE(l.tem(size_t(Col::observa.posicao)));

    EXPECT_FALSE(l.definir(QStringLiteral("QuantNormall"), QVariant(1))) << "an unknown name is refused";
    EXPECT_FALSE(l.valor(QStringLiteral("QuantNormall")).isValid());
    EXPECT_FALSE(l.tem(Col::Preco));
}

} // namespace
