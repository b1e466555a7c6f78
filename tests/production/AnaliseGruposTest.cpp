#include "production/AnaliseGrupos.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

class AnaliseGruposTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.CodigoUtilizador = QStringLiteral("01");
    }

    void produto(const char* codigo, const char* grupo, const QVariant& familia, const char* subfamilia,
                 const char* situacao = "A", const char* vendedor = "01") {
        ASSERT_GT(db->insert("Produtos", Registo()("Codigo", codigo)("Descricao", QStringLiteral("Artigo %1").arg(codigo))(
                                             "grupo", grupo)("familia", familia)("subfamilia", subfamilia)(
                                             "Situacao", situacao)("vendedor", vendedor)),
                  0);
    }
    void mov(const char* codigo, const char* data, const char* armazem, const char* quant, const char* preco,
             const QVariant& fechado = QStringLiteral("S"), const char* tipo = "VD", const char* aplic = "ST") {
        ASSERT_GT(db->insert("MovProduto", Registo()("Codigo", codigo)("Tipo", tipo)("Numero", "00000001")(
                                               "Ano", QString::fromLatin1(data).left(4))("Data", data)(
                                               "Armazem", armazem)("QuantNormal", quant)("Preco", preco)(
                                               "AfectaStk", "S+")("Aplic", aplic)("Fechado", fechado)),
                  0);
    }
    // Two groups: G1 with families F1 (subfamilies S1: A1, A2; S2: A3) and F2 (A4); G2 without
    // family (B1). Rows of type VD in March 2026, and rows that must stay out.
    void catalogo() {
        for (auto [t, c, d] : {std::tuple{"TabGrupoPro", "G1", "Madeiras"}, {"TabGrupoPro", "G2", "Ferragens"},
                               {"TabFamPro", "F1", "Maciças"}, {"TabFamPro", "F2", "Painéis"},
                               {"TabSubFamPro", "S1", "Carvalho"}, {"TabSubFamPro", "S2", "Pinho"}})
            ASSERT_GT(db->insert(t, Registo()("codigo", c)("descricao", QString::fromUtf8(d))), 0);
        produto("A1", "G1", "F1", "S1");
        produto("A2", "G1", "F1", "S1", "I", "02");
        produto("A3", "G1", "F1", "S2");
        produto("A4", "G1", "F2", "S1");
        produto("B1", "G2", QVariant(), "");
        mov("A1", "2026-03-05", "002", "1", "4", QVariant()); // null: written by production
        mov("A1", "2026-03-02", "001", "3", "2.5");
        mov("A2", "2026-03-03", "001", "2", "1.3333", QStringLiteral(""));
        mov("A3", "2026-03-04", "003", "5", "1");
        mov("A4", "2026-03-04", "002", "1", "10");
        mov("B1", "2026-03-06", "001", "2", "3");
        mov("A1", "2026-03-02", "001", "100", "1", QStringLiteral("N"));
        mov("A1", "2026-03-02", "001", "100", "1", QStringLiteral("S"), "VD", "FC");
        mov("A1", "2026-03-02", "001", "100", "1", QStringLiteral("S"), "VX");
        mov("A1", "2026-04-01", "001", "100", "1");
    }
    FiltroAnaliseGrupos marco() const {
        FiltroAnaliseGrupos f;
        f.tipo = "VD";
        f.de = "2026-03-01";
        f.ate = "2026-03-31";
        return f;
    }
    AnaliseGrupos ler(const FiltroAnaliseGrupos& f) {
        const auto a = LerAnaliseGrupos(*db, f);
        EXPECT_TRUE(a) << (a ? std::string() : a.mensagem().toStdString());
        return a.valorOu({});
    }
    // A lot of PA (2 MP1 + 3 MP2 per unit) made and closed on the date.
    void lote(const char* numero, const char* quant, const char* data) {
        ProductionDocument d;
        d.Lote = numero;
        ASSERT_FALSE(LerLoteProducao(ctx, d));
        d.ProdutoAcabado = "PA";
        d.Quantidade = C(quant);
        d.Data = data;
        d.Armazem = "002";
        ASSERT_EQ(CarregarListaNomenc(ctx, d), 2);
        const auto r = LancaProducao(ctx, d, FaseProducao::Encerra);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }
};

// Rows closed ('S') and rows left blank or null are listed, 'N', other modules, other types and
// other months are not; the levels nest in code order and every total, with the weighted price,
// adds up.
TEST_P(AnaliseGruposTest, NiveisTotaisEPrecoPonderado) {
    catalogo();
    const AnaliseGrupos a = ler(marco());
    ASSERT_EQ(a.grupos.size(), 2u);
    const GrupoAnalise& g1 = a.grupos[0];
    EXPECT_EQ(g1.codigo.toStdString(), "G1");
    EXPECT_EQ(g1.descricao.toStdString(), "Madeiras");
    ASSERT_EQ(g1.familias.size(), 2u);
    const FamiliaAnalise& f1 = g1.familias[0];
    EXPECT_EQ(f1.descricao.toStdString(), "Maciças");
    ASSERT_EQ(f1.subfamilias.size(), 2u);
    const SubfamiliaAnalise& s1 = f1.subfamilias[0];
    EXPECT_EQ(s1.descricao.toStdString(), "Carvalho");
    ASSERT_EQ(s1.produtos.size(), 2u);
    const ProdutoAnalise& a1 = s1.produtos[0];
    EXPECT_EQ(a1.codigo.toStdString(), "A1");
    ASSERT_EQ(a1.movimentos.size(), 2u) << "the 'S' and the null row; 'N', FC, VX and April stay out";
    EXPECT_EQ(a1.movimentos[0].data.toStdString(), "2026-03-02") << "by date";
    EXPECT_EQ(a1.movimentos[0].valor, C("7.5"));
    EXPECT_EQ(a1.total.quantidade, C("4"));
    EXPECT_EQ(a1.total.valor, C("11.5"));
    EXPECT_EQ(a1.total.preco(), C("2.875"));
    EXPECT_EQ(s1.produtos[1].total.valor, C("2.6666")) << "the blank 'Fechado' row counts";

    EXPECT_EQ(s1.total.quantidade, C("6"));
    EXPECT_EQ(s1.total.valor, C("14.1666"));
    EXPECT_EQ(s1.total.preco(), C("2.3611"));
    EXPECT_EQ(f1.total.valor, C("19.1666"));
    EXPECT_EQ(f1.total.preco(), C("1.7424"));
    EXPECT_EQ(g1.familias[1].subfamilias[0].produtos[0].codigo.toStdString(), "A4");
    EXPECT_EQ(g1.total.quantidade, C("12"));
    EXPECT_EQ(g1.total.preco(), C("2.4306")) << "29.1666 / 12 = 2.43055, half away from zero";
    const GrupoAnalise& g2 = a.grupos[1];
    EXPECT_EQ(g2.codigo.toStdString(), "G2");
    ASSERT_EQ(g2.familias.size(), 1u);
    EXPECT_TRUE(g2.familias[0].codigo.isEmpty()) << "a product without family still shows";
    EXPECT_EQ(a.total.quantidade, C("14"));
    EXPECT_EQ(a.total.valor, C("35.1666"));
    EXPECT_EQ(a.total.preco(), C("2.5119"));
}

// Product, situation, seller, group, family and subfamily each narrow the products; several
// warehouses are one list.
TEST_P(AnaliseGruposTest, FiltrosDoProdutoEVariosArmazens) {
    catalogo();
    auto codigos = [](const AnaliseGrupos& a) {
        std::string r;
        for (const auto& g : a.grupos)
            for (const auto& f : g.familias)
                for (const auto& s : f.subfamilias)
                    for (const auto& p : s.produtos)
                        r += p.codigo.toStdString() + " ";
        return r;
    };
    FiltroAnaliseGrupos f = marco();
    f.situacao = "I";
    EXPECT_EQ(codigos(ler(f)), "A2 ");
    f = marco();
    f.vendedor = "02";
    EXPECT_EQ(codigos(ler(f)), "A2 ");
    f = marco();
    f.grupo = "G2";
    EXPECT_EQ(codigos(ler(f)), "B1 ");
    f = marco();
    f.familia = "F2";
    EXPECT_EQ(codigos(ler(f)), "A4 ");
    f = marco();
    f.subfamilia = "S2";
    EXPECT_EQ(codigos(ler(f)), "A3 ");
    f = marco();
    f.produto = "A1";
    EXPECT_EQ(codigos(ler(f)), "A1 ");

    f = marco();
    f.armazens = {"001", "003"};
    const AnaliseGrupos a = ler(f);
    EXPECT_EQ(codigos(a), "A1 A2 A3 B1 ");
    EXPECT_EQ(a.total.quantidade, C("12")) << "A1's row of 002 and A4 stay out";
    ASSERT_FALSE(a.grupos.empty());
    EXPECT_EQ(a.grupos[0].familias.size(), 1u) << "F2 had only a 002 row";
    f.armazens = {"002"};
    EXPECT_EQ(ler(f).total.quantidade, C("2"));
}

// Prices and values are divided by the exchange's value; 0 and 1 leave them as they are.
TEST_P(AnaliseGruposTest, CambioDivide) {
    catalogo();
    FiltroAnaliseGrupos f = marco();
    f.valorCambio = C("0");
    EXPECT_EQ(ler(f).total.valor, C("35.1666"));
    f.valorCambio = C("2");
    const AnaliseGrupos a = ler(f);
    const ProdutoAnalise& a2 = a.grupos[0].familias[0].subfamilias[0].produtos[1];
    EXPECT_EQ(a2.movimentos[0].preco, C("0.6667")) << "1.3333 / 2, half away from zero";
    EXPECT_EQ(a2.movimentos[0].valor, C("1.3333"));
    EXPECT_EQ(a.total.quantidade, C("14")) << "quantities are not converted";
    EXPECT_EQ(a.total.valor, C("17.5833"));
}

// A lot stands for its document of the chosen type; a lot without that document, or no lot at all,
// matches nothing. Production's own rows (blank 'Fechado') are listed.
TEST_P(AnaliseGruposTest, LoteConvertidoNoNumeroDoDocumento) {
    lote("12", "3", "2026-03-10");
    lote("13", "1", "2026-03-20");
    const QString numero13 =
        db->scalar(QStringLiteral("SELECT NumeroSaida FROM Lotes WHERE lote=?"), {QStringLiteral("0000000013")})
            .toString();
    ASSERT_FALSE(numero13.isEmpty());
    ASSERT_NE(numero13, QStringLiteral("0000000013")) << "the document has a number of its own";

    FiltroAnaliseGrupos f;
    f.tipo = "SPR";
    EXPECT_EQ(ler(f).total.quantidade, C("20")) << "both lots: 8 MP1 + 12 MP2";
    f.lote = "13";
    AnaliseGrupos a = ler(f);
    EXPECT_EQ(a.numeroDocumento, numero13);
    EXPECT_EQ(a.total.quantidade, C("5")) << "2 MP1 + 3 MP2 of lot 13 only";
    EXPECT_EQ(a.total.valor, C("5.5"));

    f.tipo = "EPR";
    a = ler(f);
    ASSERT_EQ(a.total.quantidade, C("1")) << "the finished product's entry of lot 13";
    EXPECT_EQ(a.grupos[0].familias[0].subfamilias[0].produtos[0].codigo.toStdString(), "PA");

    f.tipo = "RPR";
    EXPECT_TRUE(ler(f).vazia()) << "lot 13 had no reinforcement";
    f.tipo = "SPR";
    f.lote = "99";
    EXPECT_TRUE(ler(f).vazia()) << "no such lot";
}

LUMO_INSTANCIAR_MOTORES(AnaliseGruposTest);

} // namespace
