#include "production/DiarioInstantanea.h"
#include "production/ProducaoInstantanea.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

class DiarioInstantaneaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.CodigoUtilizador = QStringLiteral("01");
        ctx.armazem = QStringLiteral("001");
        for (auto [codigo, descricao] : {std::pair{"MP3", "Açúcar"}, {"PB", "Broa"}})
            ASSERT_GT(db->insert("Produtos", Registo()("Codigo", codigo)("Descricao", QString::fromUtf8(descricao))(
                                                 "ctrlexistencia", "1")("Lote", 0)("UnidadeVenda", "KG")(
                                                 "actualizapreco", "0")("servico", "0")("portes", "0")),
                      0);
        // R1 and R3 are of flow A, R2 of flow B.
        receita("R1", "Bolo simples", "A", {{"MP", "MP1"}, {"MP", "MP2"}, {"PA", "PA"}});
        receita("R2", "Broa de milho", "B", {{"MP", "MP1"}, {"PA", "PB"}});
        receita("R3", "Bolo doce", "A", {{"MP", "MP1"}, {"MP", "MP3"}, {"PA", "PA"}});
    }
    void receita(const char* codigo, const char* descricao, const char* fluxo,
                 std::initializer_list<std::pair<const char*, const char*>> linhas) {
        for (auto [tipo, produto] : linhas)
            ASSERT_GT(db->insert("NomenclaturaInstantanea",
                                 Registo()("Codigo", codigo)("Descricao", descricao)("Fluxo", fluxo)(
                                     "TipoProduto", tipo)("Armazem", "001")("Produto", produto)("Quantidade", "1")(
                                     "Precario", "Digitado")("Valor", "0")("Observa", "")),
                      0);
    }
    // One posted line of a run, as the posting records it.
    void linha(const char* processo, const char* receita, const char* data, const char* tipo, const char* produto,
               const char* quant, const char* preco) {
        ASSERT_GT(db->insert("LoteInstantaneo",
                             Registo()("NumProcesso", processo)("Codigo", receita)(
                                 "Tipo", QString::fromLatin1(tipo) == "MP" ? "SPR" : "EPR")("Numero", processo)(
                                 "Data", data)("TipoProduto", tipo)("Produto", produto)(
                                 "Quantidade", C(quant).toVariant())("Preco", C(preco).toVariant())("Equipamento", "")),
                  0);
    }
    DiarioInstantanea ler(ModoDiarioInstantanea modo, const QString& fluxo = QStringLiteral("Todos"),
                          const QString& receita = {}, const QString& de = {}, const QString& ate = {}) {
        FiltroDiarioInstantanea f;
        f.modo = modo;
        f.fluxo = fluxo;
        f.nomenclatura = receita;
        f.de = de;
        f.ate = ate;
        const auto d = LerDiarioInstantanea(*db, f);
        EXPECT_TRUE(d) << d.mensagem().toStdString();
        return d.valorOu({});
    }
    static QStringList processos(const DiarioInstantanea& d) {
        QStringList r;
        for (const auto& g : d.grupos)
            r << g.processo;
        return r;
    }
};

// Run 10 and run 9 of one day print in numeric order after the previous day's run; each run's
// n-th raw material shares a line with its n-th finished product.
TEST_P(DiarioInstantaneaTest, DiarioCorridoLadoALadoPorDataEProcesso) {
    linha("10", "R1", "2026-03-10", "MP", "MP1", "2", "3");
    linha("10", "R1", "2026-03-10", "MP", "MP2", "1", "1.5");
    linha("10", "R1", "2026-03-10", "MP", "MP3", "4", "0.25"); // no longer in R1: still printed
    linha("10", "R1", "2026-03-10", "PA", "PA", "2", "4.75");
    linha("9", "R2", "2026-03-10", "MP", "MP1", "1", "3");
    linha("9", "R2", "2026-03-10", "PA", "PB", "1", "2");
    linha("9", "R2", "2026-03-10", "PA", "PA", "1", "1.0001");
    linha("11", "", "2026-03-09", "PA", "PB", "3", "1"); // no recipe, no raw material

    const DiarioInstantanea d = ler(ModoDiarioInstantanea::DiarioCorrido);
    ASSERT_EQ(processos(d), (QStringList{"11", "9", "10"}));

    const GrupoDiarioInstantanea& semReceita = d.grupos[0];
    EXPECT_EQ(semReceita.data, "2026-03-09");
    EXPECT_TRUE(semReceita.nomenclatura.isEmpty());
    EXPECT_TRUE(semReceita.fluxo.isEmpty());
    ASSERT_EQ(semReceita.linhas.size(), 1u);
    EXPECT_TRUE(semReceita.linhas[0].mp.vazio());
    EXPECT_EQ(semReceita.totalPA, C("3"));

    const GrupoDiarioInstantanea& nove = d.grupos[1];
    EXPECT_EQ(nove.fluxo, "B");
    ASSERT_EQ(nove.linhas.size(), 2u) << "two finished products, one raw material";
    EXPECT_EQ(nove.linhas[0].mp.produto, "MP1");
    EXPECT_EQ(nove.linhas[0].pa.produto, "PB");
    EXPECT_TRUE(nove.linhas[1].mp.vazio());
    EXPECT_EQ(nove.linhas[1].pa.valor, C("1.0001"));

    const GrupoDiarioInstantanea& dez = d.grupos[2];
    EXPECT_EQ(dez.nomenclatura, "R1");
    EXPECT_EQ(dez.descricaoNomenclatura, "Bolo simples");
    EXPECT_EQ(dez.fluxo, "A");
    ASSERT_EQ(dez.linhas.size(), 3u) << "three raw materials, one finished product";
    EXPECT_EQ(dez.linhas[0].mp.produto, "MP1");
    EXPECT_EQ(dez.linhas[0].mp.descricao, "Farinha");
    EXPECT_EQ(dez.linhas[0].pa.produto, "PA");
    EXPECT_EQ(dez.linhas[0].pa.valor, C("9.5"));
    EXPECT_EQ(dez.linhas[1].mp.produto, "MP2");
    EXPECT_TRUE(dez.linhas[1].pa.vazio());
    EXPECT_EQ(dez.linhas[2].mp.produto, "MP3");
    EXPECT_EQ(dez.linhas[2].mp.descricao, "Açúcar");
    EXPECT_EQ(dez.linhas[2].mp.valor, C("1"));
    EXPECT_TRUE(dez.linhas[2].pa.vazio());
    // 2 × 3 + 1 × 1.5 + 4 × 0.25
    EXPECT_EQ(dez.totalMP, C("8.5"));
    EXPECT_EQ(dez.totalPA, C("9.5"));
    EXPECT_EQ(d.totalMP, C("11.5"));
    EXPECT_EQ(d.totalPA, C("15.5001"));
}

// Equal products of a bill are summed at the weighted average price: 2 at 3 and 6 at 5 make 8 at
// 4.50, worth 36; the bill's raw materials and finished products stay side by side.
TEST_P(DiarioInstantaneaTest, AcumuladoPorNomenclaturaComPrecoMedioPonderado) {
    linha("1", "R1", "2026-03-02", "MP", "MP1", "2", "3");
    linha("1", "R1", "2026-03-02", "MP", "MP2", "1", "1");
    linha("1", "R1", "2026-03-02", "PA", "PA", "1", "7");
    linha("2", "R1", "2026-03-05", "MP", "MP1", "6", "5");
    linha("2", "R1", "2026-03-05", "PA", "PA", "3", "11");
    linha("3", "R2", "2026-03-05", "MP", "MP1", "1", "100"); // another bill: not summed with R1
    linha("3", "R2", "2026-03-05", "PA", "PB", "1", "100");
    linha("4", "", "2026-03-06", "MP", "MP1", "1", "1");

    const DiarioInstantanea d = ler(ModoDiarioInstantanea::PorNomenclatura);
    ASSERT_EQ(d.grupos.size(), 3u);
    const GrupoDiarioInstantanea& r1 = d.grupos[0];
    EXPECT_EQ(r1.nomenclatura, "R1");
    EXPECT_EQ(r1.fluxo, "A");
    ASSERT_EQ(r1.linhas.size(), 2u);
    EXPECT_EQ(r1.linhas[0].mp.produto, "MP1");
    EXPECT_EQ(r1.linhas[0].mp.quantidade, C("8"));
    EXPECT_EQ(r1.linhas[0].mp.preco, C("4.5"));
    EXPECT_EQ(r1.linhas[0].mp.valor, C("36"));
    // 1 at 7 and 3 at 11: 4 at 10, worth 40.
    EXPECT_EQ(r1.linhas[0].pa.produto, "PA");
    EXPECT_EQ(r1.linhas[0].pa.quantidade, C("4"));
    EXPECT_EQ(r1.linhas[0].pa.preco, C("10"));
    EXPECT_EQ(r1.linhas[1].mp.produto, "MP2");
    EXPECT_TRUE(r1.linhas[1].pa.vazio());
    EXPECT_EQ(r1.totalMP, C("37"));
    EXPECT_EQ(r1.totalPA, C("40"));
    EXPECT_EQ(d.grupos[1].nomenclatura, "R2");
    EXPECT_EQ(d.grupos[1].linhas[0].mp.quantidade, C("1"));
    EXPECT_TRUE(d.grupos[2].nomenclatura.isEmpty()) << "a run without a bill is kept, last";
    EXPECT_EQ(d.totalMP, C("138"));
    EXPECT_EQ(d.totalPA, C("140"));
}

// Per flow, bills of the same flow are summed together; a third of a unit keeps four decimals.
TEST_P(DiarioInstantaneaTest, AcumuladoPorFluxoJuntaNomenclaturasDoMesmoFluxo) {
    linha("1", "R1", "2026-03-02", "MP", "MP1", "1", "1");
    linha("2", "R3", "2026-03-02", "MP", "MP1", "2", "1.5");
    linha("2", "R3", "2026-03-02", "MP", "MP3", "1", "2");
    linha("3", "R2", "2026-03-02", "MP", "MP1", "5", "9");
    linha("4", "", "2026-03-02", "PA", "PB", "2", "1");

    const DiarioInstantanea d = ler(ModoDiarioInstantanea::PorFluxo);
    ASSERT_EQ(d.grupos.size(), 3u);
    EXPECT_EQ(d.grupos[0].fluxo, "A");
    ASSERT_EQ(d.grupos[0].linhas.size(), 2u);
    EXPECT_EQ(d.grupos[0].linhas[0].mp.quantidade, C("3"));
    EXPECT_EQ(d.grupos[0].linhas[0].mp.valor, C("4"));
    EXPECT_EQ(d.grupos[0].linhas[0].mp.preco, C("1.3333"));
    EXPECT_EQ(d.grupos[0].totalMP, C("6"));
    EXPECT_EQ(d.grupos[1].fluxo, "B");
    EXPECT_EQ(d.grupos[1].totalMP, C("45"));
    EXPECT_TRUE(d.grupos[2].fluxo.isEmpty());
    EXPECT_EQ(d.grupos[2].totalPA, C("2"));
}

// The flow, the bill and both dates (inclusive) narrow the runs; an unknown flow is refused.
TEST_P(DiarioInstantaneaTest, FiltrosDeFluxoNomenclaturaEDatas) {
    linha("1", "R1", "2026-02-28", "MP", "MP1", "1", "1");
    linha("2", "R1", "2026-03-01", "MP", "MP1", "1", "1");
    linha("3", "R2", "2026-03-15", "MP", "MP1", "1", "1");
    linha("4", "R3", "2026-03-31", "MP", "MP1", "1", "1");
    linha("5", "", "2026-03-20", "MP", "MP1", "1", "1");
    linha("6", "R1", "2026-04-01", "MP", "MP1", "1", "1");

    const auto D = ModoDiarioInstantanea::DiarioCorrido;
    EXPECT_EQ(processos(ler(D)), (QStringList{"1", "2", "3", "5", "4", "6"}));
    EXPECT_EQ(processos(ler(D, "Todos", "", "2026-03-01", "2026-03-31")), (QStringList{"2", "3", "5", "4"}));
    EXPECT_EQ(processos(ler(D, "A", "", "2026-03-01", "2026-03-31")), (QStringList{"2", "4"}))
        << "a run without a bill has no flow";
    EXPECT_EQ(processos(ler(D, "", "", "2026-03-01", "2026-03-31")).size(), 4) << "blank flow: all";
    EXPECT_EQ(processos(ler(D, "B")), (QStringList{"3"}));
    EXPECT_TRUE(ler(D, "C").grupos.empty());
    EXPECT_EQ(processos(ler(D, "Todos", "R1")), (QStringList{"1", "2", "6"}));
    EXPECT_TRUE(ler(D, "B", "R1").grupos.empty());

    FiltroDiarioInstantanea f;
    f.fluxo = QStringLiteral("F");
    EXPECT_FALSE(LerDiarioInstantanea(*db, f));
    f.fluxo = QStringLiteral("A' OR '1'='1");
    EXPECT_FALSE(LerDiarioInstantanea(*db, f));
}

// What the instant-production posting writes is what the journal reads: a run without a bill,
// its raw materials at their prices beside the product at its share of their cost.
TEST_P(DiarioInstantaneaTest, LeOQueAProducaoInstantaneaLanca) {
    DocumentoInstantaneo doc;
    doc.materias = {{QStringLiteral("MP1"), {}, QStringLiteral("001"), C("10"), {}, C("2"), {}, {}, QStringLiteral("00001")},
                    {QStringLiteral("MP2"), {}, QStringLiteral("001"), C("4"), {}, C("0.5"), {}, {}, QStringLiteral("00001")}};
    AcabadoInstantaneo a;
    a.produto = QStringLiteral("PA");
    a.armazem = QStringLiteral("001");
    a.quantidade = C("4");
    a.percCusto = C("100");
    a.localizacao = QStringLiteral("00001");
    doc.acabados = {a};
    CalculaCustos(doc);
    const auto r = LancaProducaoInstantanea(ctx, doc);
    ASSERT_TRUE(r) << r.mensagem().toStdString();

    const DiarioInstantanea d = ler(ModoDiarioInstantanea::DiarioCorrido, "Todos", {}, r->entrada.data, r->entrada.data);
    ASSERT_EQ(d.grupos.size(), 1u);
    const GrupoDiarioInstantanea& g = d.grupos[0];
    EXPECT_EQ(g.processo, r->numProcesso);
    EXPECT_EQ(g.data, r->entrada.data);
    ASSERT_EQ(g.linhas.size(), 2u);
    EXPECT_EQ(g.linhas[0].mp.produto, "MP1");
    EXPECT_EQ(g.linhas[0].pa.produto, "PA");
    EXPECT_EQ(g.linhas[0].pa.preco, C("5.5"));
    EXPECT_EQ(g.totalMP, C("22"));
    EXPECT_EQ(g.totalPA, C("22"));
    EXPECT_TRUE(ler(ModoDiarioInstantanea::DiarioCorrido, "A").grupos.empty()) << "no bill, no flow";
}

LUMO_INSTANCIAR_MOTORES(DiarioInstantaneaTest);

} // namespace
