#include "production/ProducaoInstantanea.h"
#include "production/ReceitaInstantanea.h"
#include "production/ProducaoTeste.h"
#include "stock/MovimentosStock.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

namespace {

using producao_teste::C;

DocumentoInstantaneo comCusto(const char* quant, const char* preco, std::vector<const char*> pesos) {
    DocumentoInstantaneo d;
    d.materias.push_back({QStringLiteral("MP1"), {}, QStringLiteral("001"), C(quant), {}, C(preco), {}, {}, {}});
    for (const char* p : pesos) {
        AcabadoInstantaneo a;
        a.quantidade = C("1");
        a.percCusto = C(p);
        d.acabados.push_back(a);
    }
    CalculaCustos(d);
    return d;
}

QStringList valores(const DocumentoInstantaneo& d) {
    QStringList r;
    for (const AcabadoInstantaneo& a : d.acabados)
        r << a.valCusto.toString();
    return r;
}

} // namespace

TEST(ProducaoInstantanea, CustoRepartidoPorPesosSomaExactamenteOCusto) {
    EXPECT_EQ(valores(comCusto("10", "3", {"30", "30"})), (QStringList{"15.0000", "15.0000"}));
    // Thirds: the rounding left over goes to the first of the equal weights.
    EXPECT_EQ(valores(comCusto("1", "10", {"1", "1", "1"})), (QStringList{"3.3334", "3.3333", "3.3333"}));
    // Weights need not add up to 100; the largest weight takes the remainder.
    EXPECT_EQ(valores(comCusto("1", "1", {"20", "70"})), (QStringList{"0.2222", "0.7778"}));
    for (const auto& pesos : std::vector<std::vector<const char*>>{{"1", "1", "1"}, {"3", "7", "11", "13"}, {"0.5", "99.5"}}) {
        const DocumentoInstantaneo d = comCusto("7.3", "13.7777", pesos);
        Currency soma;
        for (const AcabadoInstantaneo& a : d.acabados)
            soma += a.valCusto;
        EXPECT_EQ(soma, CustoMaterias(d)) << pesos.size();
    }
    // Without any weight there is nothing to share.
    EXPECT_EQ(valores(comCusto("10", "3", {"0", "0"})), (QStringList{"0.0000", "0.0000"}));
}

TEST(ProducaoInstantanea, PrecoCustoDigitadoPrevaleceSobreAQuota) {
    AcabadoInstantaneo a;
    a.quantidade = C("3");
    a.valCusto = C("10");
    EXPECT_EQ(PrecoUnitarioAcabado(a), C("3.3333"));
    a.precoCusto = C("2.5");
    EXPECT_EQ(PrecoUnitarioAcabado(a), C("2.5"));
    a.precoCusto = Currency();
    a.quantidade = Currency();
    EXPECT_EQ(PrecoUnitarioAcabado(a), Currency()) << "no quantity, no division";
}

TEST(ProducaoInstantanea, FactorComVirgulaOuPontoEMaiorQueZero) {
    EXPECT_EQ(LerFactorReceita(QStringLiteral("2,5")), C("2.5"));
    EXPECT_EQ(LerFactorReceita(QStringLiteral(" 2.5 ")), C("2.5"));
    EXPECT_EQ(LerFactorReceita(QStringLiteral("1")), C("1"));
    for (const char* t : {"0", "-1", "", "dois", "0,00001"})
        EXPECT_FALSE(LerFactorReceita(QString::fromLatin1(t))) << t;
}

class ProducaoInstantaneaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert("Armazens", {"Codigo"}, {"001"}), 0);
        struct P {
            const char *codigo, *pmc, *upcusto, *upcompra;
        };
        for (const P& p : {P{"MP1", "1.5", "1.6", "1.7"}, P{"MP2", "3", "3.1", "3.2"}, P{"DIV", "0", "0", "0"},
                           P{"PA1", "0", "0", "0"}, P{"PA2", "0", "9.9", "0"}, P{"PA3", "0", "0", "0"}})
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "PrecoMedioCusto", "UltPrecoCusto", "UltPrecoCompra"},
                                 {p.codigo, QString("Produto ") + p.codigo, p.pmc, p.upcusto, p.upcompra}),
                      0);
        Receita r;
        r.codigo = QStringLiteral("R1");
        r.descricao = QStringLiteral("Receita");
        r.materias = {{"MP1", {}, "001", C("4"), "PrecoMedioCusto", {}, {}},
                      {"MP2", {}, "001", C("1"), "UltPrecoCompra", {}, {}},
                      {"DIV", {}, "001", C("2"), "Digitado", C("0.75"), {}}};
        r.acabados = {{"PA1", {}, "001", C("10"), "PercCusto", C("60"), {}},
                      {"PA2", {}, "001", C("1"), "UltPrecoCusto", {}, {}},
                      {"PA3", {}, "001", C("2"), "Digitado", C("4.25"), {}}};
        ASSERT_TRUE(semFalha(GravarReceita(ctx, r)));
    }
};

TEST_P(ProducaoInstantaneaTest, ReceitaMultiplicadaPeloFactorComPrecosPelaRegra) {
    DocumentoInstantaneo d;
    d.materias.push_back({QStringLiteral("OUTRA"), {}, {}, C("1"), {}, C("1"), {}, {}, {}});
    ASSERT_TRUE(semFalha(IntegraReceita(ctx, d, QStringLiteral("R1"), *LerFactorReceita(QStringLiteral("2,5")))));
    EXPECT_EQ(d.receita, "R1");
    ASSERT_EQ(d.materias.size(), 3u) << "the recipe's lines replace what was there";
    EXPECT_EQ(d.materias[0].quantidade, C("10"));
    EXPECT_EQ(d.materias[0].preco, C("1.5")) << "average cost";
    EXPECT_EQ(d.materias[1].quantidade, C("2.5"));
    EXPECT_EQ(d.materias[1].preco, C("3.2")) << "last purchase price";
    EXPECT_EQ(d.materias[2].preco, C("0.75")) << "typed";
    EXPECT_EQ(d.materias[0].descricao, "Produto MP1");
    ASSERT_EQ(d.acabados.size(), 3u);
    EXPECT_EQ(d.acabados[0].quantidade, C("25"));
    EXPECT_EQ(d.acabados[0].percCusto, C("60"));
    EXPECT_EQ(d.acabados[1].precoCusto, C("9.9"));
    EXPECT_EQ(d.acabados[2].precoCusto, C("4.25"));
    // 10 × 1.5 + 2.5 × 3.2 + 5 × 0.75 = 26.75, all of it on the only weighted product.
    EXPECT_EQ(CustoMaterias(d), C("26.75"));
    EXPECT_EQ(d.acabados[0].valCusto, C("26.75"));

    DocumentoInstantaneo ponto;
    ASSERT_TRUE(semFalha(IntegraReceita(ctx, ponto, QStringLiteral("R1"), *LerFactorReceita(QStringLiteral("2.5")))));
    EXPECT_EQ(ponto.materias[1].quantidade, d.materias[1].quantidade);

    EXPECT_FALSE(IntegraReceita(ctx, d, QStringLiteral("NAOHA"), C("1")));
    EXPECT_EQ(d.receita, "R1") << "a refused recipe leaves the lines as they were";
}

LUMO_INSTANCIAR_MOTORES(ProducaoInstantaneaTest);

// Posting a run on the small production company of the production-order tests.
class LancamentoInstantaneoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ASSERT_GT(db->insert("Produtos", Registo()("Codigo", "PB")("Descricao", "Broa")("ctrlexistencia", "1")("Lote", 0)(
                                             "UnidadeVenda", "KG")("actualizapreco", "0")("servico", "0")("portes", "0")),
                  0);
    }
    static MateriaInstantanea materia(const char* produto, const char* quant, const char* preco, const char* lote = "") {
        return {QString::fromLatin1(produto), {}, QStringLiteral("001"), C(quant), {}, C(preco), {},
                QString::fromLatin1(lote), QStringLiteral("00001")};
    }
    static AcabadoInstantaneo acabado(const char* produto, const char* quant, const char* peso, const char* preco = "0") {
        AcabadoInstantaneo a;
        a.produto = QString::fromLatin1(produto);
        a.armazem = QStringLiteral("001");
        a.quantidade = C(quant);
        a.percCusto = C(peso);
        a.precoCusto = C(preco);
        a.localizacao = QStringLiteral("00001");
        return a;
    }
    Currency saldo(const char* produto) {
        FiltroSaldo f;
        f.produto = QString::fromLatin1(produto);
        f.armazem = QStringLiteral("001");
        return SaldoProdutoArmazem(*db, f).valorOu(C("-999"));
    }
    QString fotografia() {
        QString r;
        for (const char* sql : {"SELECT COUNT(*) FROM MovProduto", "SELECT COUNT(*) FROM LoteInstantaneo",
                                "SELECT Codigo, UltNumero FROM TabTipoMov ORDER BY Codigo",
                                "SELECT Codigo, PrecoMedioCusto, UltPrecoCusto FROM Produtos ORDER BY Codigo"}) {
            auto q = db->query(sql);
            while (q && q->next())
                for (int i = 0; i < 3; ++i)
                    r += q->value(i).toString() + u'|';
        }
        return r;
    }
};

TEST_P(LancamentoInstantaneoTest, DoisAcabadosRepartemOCustoEDocumentosFicamRegistados) {
    DocumentoInstantaneo d;
    d.materias = {materia("MP1", "10", "2"), materia("MP2", "4", "0.5")};
    d.acabados = {acabado("PA", "4", "30"), acabado("PB", "2", "30")};
    const auto r = LancaProducaoInstantanea(ctx, d);
    ASSERT_TRUE(r) << r.mensagem().toStdString();
    EXPECT_EQ(r->numProcesso, "1");
    EXPECT_EQ(r->saida.tipo, "SPR");
    EXPECT_EQ(r->entrada.tipo, "EPR");
    EXPECT_EQ(saldo("MP1"), C("90"));
    EXPECT_EQ(saldo("MP2"), C("46"));
    EXPECT_EQ(saldo("PA"), C("4"));
    // 22.00 of raw materials, half each: PA 11.00 / 4, PB 11.00 / 2.
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE Codigo='PA' AND AfectaStk='E+'")),
              C("2.75"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT ValorIliq FROM MovProduto WHERE Codigo='PB' AND AfectaStk='E+'")),
              C("11"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT UltPrecoCusto FROM Produtos WHERE Codigo='PB'")), C("5.5"));
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='1' AND TipoProduto='MP'").toInt(), 2);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='1' AND TipoProduto='PA' AND Tipo='EPR'")
                  .toInt(),
              2);
    EXPECT_EQ(db->scalar("SELECT UltNumero FROM TabTipoMov WHERE Codigo='EPR'").toString(), r->entrada.numero);

    // A typed unit cost is posted as it stands; the next run takes the next number.
    DocumentoInstantaneo e;
    e.materias = {materia("MP1", "1", "2")};
    e.acabados = {acabado("PA", "3", "0", "1.25")};
    const auto r2 = LancaProducaoInstantanea(ctx, e);
    ASSERT_TRUE(r2) << r2.mensagem().toStdString();
    EXPECT_EQ(r2->numProcesso, "2");
    EXPECT_NE(r2->entrada.numero, r->entrada.numero);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM LoteInstantaneo WHERE NumProcesso='2' AND "
                                               "TipoProduto='PA'")),
              C("1.25"));
}

TEST_P(LancamentoInstantaneoTest, RecusaNoUltimoAcabadoNaoDeixaNada) {
    DocumentoInstantaneo d;
    d.materias = {materia("MP1", "10", "2")};
    // The last product's value is beyond the value limit: its entry is refused inside the run.
    d.acabados = {acabado("PA", "1", "50"), acabado("PB", "1000000", "50", "5000")};
    const QString antes = fotografia();
    const auto r = LancaProducaoInstantanea(ctx, d);
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.mensagem().startsWith("Não foi possível lançar o produto PB - ")) << r.mensagem().toStdString();
    EXPECT_EQ(fotografia(), antes);

    // Refused before anything: no cost to share, a lot missing on a lot-managed raw material.
    DocumentoInstantaneo semCusto;
    semCusto.materias = {materia("MP1", "1", "2")};
    semCusto.acabados = {acabado("PA", "1", "0")};
    const auto r2 = LancaProducaoInstantanea(ctx, semCusto);
    ASSERT_FALSE(r2);
    EXPECT_EQ(r2.mensagem().toStdString(), "Não definiu qualquer Custo a aplicar!");
    DocumentoInstantaneo semLote;
    semLote.materias = {materia("MPL", "1", "3")};
    semLote.acabados = {acabado("PA", "1", "1")};
    const auto r3 = LancaProducaoInstantanea(ctx, semLote);
    ASSERT_FALSE(r3);
    EXPECT_EQ(r3.mensagem().toStdString(), "Não definiu o Lote no produto \r\nMPL - Fermento");
    EXPECT_EQ(fotografia(), antes);
    // A run of finished products only, at cost 0, posts.
    DocumentoInstantaneo soAcabados;
    soAcabados.acabados = {acabado("PA", "2", "0")};
    const auto r4 = LancaProducaoInstantanea(ctx, soAcabados);
    ASSERT_TRUE(r4) << r4.mensagem().toStdString();
    EXPECT_TRUE(r4->saida.tipo.isEmpty()) << "no raw materials, no issue document";
}

// Pictures taken while a finished product was edited are confirmed by the run that posts it, and
// only those of that product, lot and user; a refused run confirms none.
TEST_P(LancamentoInstantaneoTest, ImagensConfirmadasSoPelaProducaoLancada) {
    ctx.CodigoUtilizador = QStringLiteral("01");
    for (auto [codigo, chave, utilizador] : {std::tuple{"PA", "", "01"}, {"PA", "", "02"}, {"PB", "", "01"}})
        ASSERT_GT(db->insert("Imagens", Registo()("Tabela", "Produtos")("Codigo", codigo)("Chave", chave)(
                                            "Utilizador", utilizador)("Fechado", "N")),
                  0);
    auto estado = [&] {
        QString r;
        auto q = db->query("SELECT Codigo, Utilizador, Fechado FROM Imagens ORDER BY NumRegisto");
        while (q && q->next())
            r += q->value(0).toString() + q->value(1).toString() + q->value(2).toString() + u' ';
        return r.toStdString();
    };
    DocumentoInstantaneo recusada;
    recusada.materias = {materia("MP1", "10", "2")};
    recusada.acabados = {acabado("PA", "1", "50"), acabado("PB", "1000000", "50", "5000")};
    ASSERT_FALSE(LancaProducaoInstantanea(ctx, recusada));
    EXPECT_EQ(estado(), "PA01N PA02N PB01N ");
    DocumentoInstantaneo d;
    d.materias = {materia("MP1", "1", "2")};
    d.acabados = {acabado("PA", "1", "1")};
    ASSERT_TRUE(LancaProducaoInstantanea(ctx, d));
    EXPECT_EQ(estado(), "PA01S PA02N PB01N ");
}

LUMO_INSTANCIAR_MOTORES(LancamentoInstantaneoTest);
