#include "production/GraficoEstatProd.h"
#include "production/GraficoEstatProdJanela.h"
#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

namespace {

using producao_teste::C;

// Lots and instant runs of March 2026 on the small production company:
//   lot 12 (3 PA, 10th): takes 6 MP1 (12) and 9 MP2 (4.5); then 2 MP1 come back (4) and 1 MP2
//     more goes (0.5);
//   lot 13 (1 PA, 20th): 2 MP1 (4), 3 MP2 (1.5);
//   lot 14 (1 PA, 22nd): 2 MP1 (4), 3 MP2 (1.5); then both MP1 come back;
//   run 1 (15th): 5 MP1 at 2, 1 MPL at 3, makes PA;   run 2 (16th): the same 5 MP1 at 2, makes PA;
//   run 3 (17th): 4 MP2 at 0.5, two PA lines;          run 4 (18th): 10 MP2 at 1, makes PB.
class GraficoEstatProdTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.CodigoUtilizador = QStringLiteral("01");
        ctx.casadecquant = 3;
    }
    void lote(const char* numero, const char* quant, const char* data, FaseProducao fase) {
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
    // The second phase: MP1 and MP2 adjusted by the given quantities (negative: returned).
    void acertos(const char* numero, const char* data, const char* mp1, const char* mp2) {
        ProductionDocument p;
        p.Lote = numero;
        ASSERT_TRUE(LerLoteProducao(ctx, p));
        ASSERT_EQ(CarregarListaNomenc(ctx, p), 2);
        p.Data = data;
        for (auto& l : p.linhas)
            l.acertos = C(l.produto == "MP1" ? mp1 : mp2);
        const auto r = LancaProducao(ctx, p, FaseProducao::Encerra);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }
    void linhaInstantanea(const char* processo, const char* data, const char* tipo, const char* produto,
                          const char* quant, const char* preco) {
        ASSERT_GT(db->insert("LoteInstantaneo", Registo()("NumProcesso", processo)("Codigo", "")("Tipo", "SPR")(
                                                    "Numero", processo)("Data", data)("TipoProduto", tipo)(
                                                    "Produto", produto)("Quantidade", C(quant).toVariant())(
                                                    "Preco", C(preco).toVariant())("Equipamento", "")),
                  0);
    }
    void producaoDeMarco() {
        lote("12", "3", "2026-03-10", FaseProducao::Aguarda);
        acertos("12", "2026-03-12", "-2", "1");
        lote("13", "1", "2026-03-20", FaseProducao::Encerra);
        lote("14", "1", "2026-03-22", FaseProducao::Aguarda);
        acertos("14", "2026-03-23", "-2", "0");
        linhaInstantanea("1", "2026-03-15", "MP", "MP1", "5", "2");
        linhaInstantanea("1", "2026-03-15", "MP", "MPL", "1", "3");
        linhaInstantanea("1", "2026-03-15", "PA", "PA", "2", "6");
        linhaInstantanea("2", "2026-03-16", "MP", "MP1", "5", "2");
        linhaInstantanea("2", "2026-03-16", "PA", "PA", "2", "5");
        linhaInstantanea("3", "2026-03-17", "MP", "MP2", "4", "0.5");
        linhaInstantanea("3", "2026-03-17", "PA", "PA", "1", "1");
        linhaInstantanea("3", "2026-03-17", "PA", "PA", "1", "1");
        linhaInstantanea("4", "2026-03-18", "MP", "MP2", "10", "1");
        linhaInstantanea("4", "2026-03-18", "PA", "PB", "1", "10");
    }
    GraficoProducao calcula(FiltroGrafico f) {
        const auto g = CalculaGraficoProducao(*db, f);
        EXPECT_TRUE(g) << g.mensagem().toStdString();
        return g.valorOu({});
    }
    static const PontoGrafico* ponto(const GraficoProducao& g, const char* produto) {
        for (const PontoGrafico& p : g.pontos)
            if (p.produto == QLatin1String(produto))
                return &p;
        return nullptr;
    }
    static std::string codigos(const GraficoProducao& g) {
        QStringList c;
        for (const PontoGrafico& p : g.pontos)
            c << p.produto;
        return c.join(u',').toStdString();
    }
};

// Outputs and reinforcements less returns, plus every instant raw-material line: two runs with the
// same line both count, finished-product lines do not, a document of another year with the lot's
// type and number is not the lot's.
TEST_P(GraficoEstatProdTest, SomaLotesEProcessosInstantaneosPorMaterial) {
    producaoDeMarco();
    const auto saida = db->primeiraLinha(QStringLiteral("SELECT tipoSaida, NumeroSaida FROM Lotes WHERE lote=?"),
                                         {QStringLiteral("0000000012")});
    ASSERT_TRUE(saida);
    ASSERT_GT(db->insert("MovProduto", Registo()("Tipo", saida->at(0))("Numero", saida->at(1))("Ano", "2025")(
                                           "Data", "2025-03-10")("Codigo", "MP1")("Armazem", "001")(
                                           "QuantNormal", "1000")("Preco", "1")("ValorIliq", "1000")(
                                           "TotalDesconto", "0")("AfectaStk", "S+")),
              0);

    const GraficoProducao g = calcula({});
    ASSERT_EQ(codigos(g), "MP1,MP2,MPL");
    EXPECT_FALSE(g.limiteAtingido);
    const PontoGrafico& mp1 = g.pontos[0];
    EXPECT_EQ(mp1.descricao.toStdString(), "Farinha");
    EXPECT_EQ(mp1.quantidade, C("16")) << "lots 6 - 2 + 2 + 2 - 2, runs 5 + 5";
    EXPECT_EQ(mp1.valor, C("32"));
    EXPECT_EQ(g.pontos[1].quantidade, C("30")) << "lots 9 + 1 + 3 + 3, runs 4 + 10";
    EXPECT_EQ(g.pontos[1].valor, C("20"));
    EXPECT_EQ(g.pontos[2].quantidade, C("1"));
    EXPECT_EQ(g.pontos[2].valor, C("3"));
    EXPECT_EQ(g.totalQuantidade, C("47"));
    EXPECT_EQ(g.totalValor, C("55"));
    // Shares of the quantity: 16, 30 and 1 of 47.
    EXPECT_EQ(mp1.peso, C("34.0426"));
    EXPECT_EQ(g.pontos[1].peso, C("63.8298"));
    EXPECT_EQ(g.pontos[2].peso, C("2.1277"));

    FiltroGrafico valor;
    valor.medida = MedidaGrafico::Valor;
    const GraficoProducao v = calcula(valor);
    EXPECT_EQ(v.pontos[0].peso, C("58.1818"));
    EXPECT_EQ(v.pontos[1].peso, C("36.3636"));
    EXPECT_EQ(v.pontos[2].peso, C("5.4545"));
    EXPECT_EQ(PesoVisivel(v.pontos[0].peso).toStdString(), "58,18");
}

// A lot leaves every instant run out; a run leaves every lot out; both together chart nothing.
TEST_P(GraficoEstatProdTest, LoteExcluiProcessosEProcessoExcluiLotes) {
    producaoDeMarco();
    FiltroGrafico f;
    f.lote = "0000000012";
    GraficoProducao g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MP2");
    EXPECT_EQ(g.pontos[0].quantidade, C("4"));
    EXPECT_EQ(g.pontos[0].valor, C("8"));
    EXPECT_EQ(g.pontos[1].quantidade, C("10"));
    EXPECT_EQ(g.pontos[1].valor, C("5"));
    EXPECT_EQ(g.pontos[0].peso, C("28.5714"));
    EXPECT_EQ(g.pontos[1].peso, C("71.4286"));

    f = {};
    f.processo = "1";
    g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MPL");
    EXPECT_EQ(g.pontos[0].quantidade, C("5")) << "no lot's MP1 in a run";
    EXPECT_EQ(g.totalValor, C("13"));

    f.lote = "0000000012";
    EXPECT_TRUE(calcula(f).pontos.empty());
}

// The runs that made the product, each once even with two lines of it; lots of the product.
TEST_P(GraficoEstatProdTest, ProdutoAcabadoContaCadaProcessoUmaVez) {
    producaoDeMarco();
    FiltroGrafico f;
    f.produto = "PA";
    GraficoProducao g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MP2,MPL");
    EXPECT_EQ(g.pontos[1].quantidade, C("20")) << "lots 16 and run 3's 4 once; run 4 made PB";
    EXPECT_EQ(g.pontos[1].valor, C("10"));
    EXPECT_EQ(g.pontos[0].quantidade, C("16"));

    f.produto = "PB";
    g = calcula(f);
    ASSERT_EQ(codigos(g), "MP2");
    EXPECT_EQ(g.pontos[0].quantidade, C("10"));
    EXPECT_EQ(g.pontos[0].peso, C("100"));
}

// Each lot document counts by its own date; instant runs by theirs. A material returned beyond
// what was taken in the period is listed below zero.
TEST_P(GraficoEstatProdTest, DatasDeCadaDocumento) {
    producaoDeMarco();
    // Lot 12's adjustment documents dated two days after its output.
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Lotes SET Dataref=?, Dataret=? WHERE lote=?"),
                         {QStringLiteral("2026-03-12"), QStringLiteral("2026-03-12"), QStringLiteral("0000000012")}));
    FiltroGrafico f;
    f.de = f.ate = "2026-03-12"; // only lot 12's adjustments
    GraficoProducao g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MP2");
    EXPECT_EQ(g.pontos[0].quantidade, C("-2"));
    EXPECT_EQ(g.pontos[0].valor, C("-4"));
    EXPECT_EQ(g.pontos[1].quantidade, C("1"));
    EXPECT_EQ(g.totalQuantidade, C("-1"));

    f.de = "2026-03-15";
    f.ate = "2026-03-16"; // runs 1 and 2 only
    g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MPL");
    EXPECT_EQ(g.pontos[0].quantidade, C("10"));

    f.de = "2026-04-01";
    f.ate = {};
    EXPECT_TRUE(calcula(f).pontos.empty());
}

// Lot 14 gave back both MP1 it took: MP1 stays on the chart at zero.
TEST_P(GraficoEstatProdTest, MaterialDevolvidoPorInteiroFicaAZero) {
    producaoDeMarco();
    FiltroGrafico f;
    f.lote = "0000000014";
    f.medida = MedidaGrafico::Valor;
    const GraficoProducao g = calcula(f);
    ASSERT_EQ(codigos(g), "MP1,MP2");
    EXPECT_TRUE(g.pontos[0].quantidade.isZero());
    EXPECT_TRUE(g.pontos[0].valor.isZero());
    EXPECT_TRUE(g.pontos[0].peso.isZero());
    EXPECT_EQ(g.pontos[1].peso, C("100"));
}

// A run of nothing: every share is 0, whichever the measure.
TEST_P(GraficoEstatProdTest, TotalZeroDaPesosZero) {
    linhaInstantanea("7", "2026-04-02", "MP", "MP1", "0", "2");
    linhaInstantanea("7", "2026-04-02", "MP", "MP2", "0", "0.5");
    FiltroGrafico f;
    f.processo = "7";
    GraficoProducao g = calcula(f);
    ASSERT_EQ(g.pontos.size(), 2u);
    for (const PontoGrafico& p : g.pontos)
        EXPECT_TRUE(p.peso.isZero());
    CalculaPesos(g, MedidaGrafico::Valor);
    EXPECT_TRUE(g.pontos[0].peso.isZero());
}

// The window: 29 materials chart the first 28 with one message; shares and totals over them; the
// print gets what was calculated, as the chart buttons chose.
TEST_P(GraficoEstatProdTest, JanelaLimiteDe28UmaMensagemEImpressao) {
    for (int i = 1; i <= 29; ++i)
        linhaInstantanea("9", "2026-04-01", "MP", QStringLiteral("M%1").arg(i, 2, 10, QLatin1Char('0')).toLatin1().constData(),
                         "1", "2");
    GraficoEstatProd j(ctx, ui);
    j.txtNumProcesso = "9";
    j.txtDataInicial = QDate(2026, 1, 1);
    j.txtDataFinal = QDate(2026, 12, 31);
    ASSERT_TRUE(j.cmdCalcula_Click());
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto.toStdString(),
              "Limite de 28\nAtingiu o limite máximo de produtos a apresentar.");
    const GraficoProducao& g = *j.resultado();
    ASSERT_EQ(g.pontos.size(), 28u);
    EXPECT_EQ(g.pontos.back().produto.toStdString(), "M28");
    EXPECT_TRUE(g.limiteAtingido);
    EXPECT_EQ(g.totalQuantidade, C("28"));
    EXPECT_EQ(g.pontos[0].peso, C("3.5714"));
    EXPECT_EQ(j.lblValorTotal().toStdString(), "56,00");
    EXPECT_EQ(j.textoPonto(0).toStdString(), "Quantidade: 1,000   Peso: 3,57 %");
    j.mudarMedida(true);
    EXPECT_EQ(j.textoPonto(0).toStdString(), "Valor: 2,00   Peso: 3,57 %");

    j.cmdGraficoCircular_Click();
    TipoGrafico tipo = TipoGrafico::Barras;
    QString destino;
    int pontos = 0;
    j.imprimir = [&](const GraficoProducao& gi, const FiltroGrafico& f, const QString&, TipoGrafico t,
                     const QString& d) {
        EXPECT_EQ(f.processo.toStdString(), "9");
        pontos = int(gi.pontos.size());
        tipo = t;
        destino = d;
        return true;
    };
    ui.responder(1); // "Para o Ecran"
    EXPECT_TRUE(j.cmdImprimir_Click());
    EXPECT_EQ(pontos, 28);
    EXPECT_EQ(tipo, TipoGrafico::Circular);
    EXPECT_EQ(destino.toStdString(), "S");
    EXPECT_EQ(ui.mensagens.size(), 1u) << "printing does not read again";
}

// Nothing in the period, or a lot and a run together: a message and nothing to print.
TEST_P(GraficoEstatProdTest, JanelaSemRegistosELoteComProcessoRecusados) {
    GraficoEstatProd j(ctx, ui);
    EXPECT_EQ(j.txtProduto.descricao.toStdString(), "Todos");
    bool impresso = false;
    j.imprimir = [&](auto&&...) { return impresso = true; };
    EXPECT_FALSE(j.cmdImprimir_Click());
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem registos para esta Condição!");
    EXPECT_FALSE(impresso);

    linhaInstantanea("1", QDate::currentDate().toString(Qt::ISODate).toLatin1().constData(), "MP", "MP1", "1", "2");
    j.txtLote.codigo = "0000000012";
    j.txtNumProcesso = "1";
    EXPECT_FALSE(j.cmdCalcula_Click());
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("não os dois"))) << ui.ultimaMensagem().toStdString();
    j.txtLote.codigo.clear();
    EXPECT_TRUE(j.cmdCalcula_Click()) << ui.ultimaMensagem().toStdString();
}

LUMO_INSTANCIAR_MOTORES(GraficoEstatProdTest);

} // namespace
