#include "production/LancamentoProducao.h"
#include "production/LinhasProducao.h"
#include "stock/MovimentosStock.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/Saldos.h"

#include <QSqlQuery>

using namespace producao_teste;

class LancamentoProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        criarEmpresaProducao(ctx);
    }

    // An order for PA with its lines generated from the bill.
    ProductionDocument ordem(const char* quant = "3", const char* lote = "12", const char* data = "2026-03-10") {
        ProductionDocument d;
        d.Lote = lote;
        EXPECT_FALSE(LerLoteProducao(ctx, d));
        d.ProdutoAcabado = "PA";
        d.Quantidade = C(quant);
        d.Data = data;
        d.Armazem = "002";
        EXPECT_EQ(CarregarListaNomenc(ctx, d), 2);
        return d;
    }
    Currency saldo(const char* produto, const char* armazem = "001") { return saldoArmazem(*db, produto, armazem); }
    // Posts as the window does; false with the refusal in `erro`.
    bool lanca(ProductionDocument& d, FaseProducao fase, ResultadoProducao* resultado = nullptr) {
        const auto r = LancaProducao(ctx, d, fase);
        erro = r ? QString() : r.mensagem();
        if (r && resultado)
            *resultado = *r;
        return r.ok();
    }
    QString erro;
    QString contar(const char* sql) { return db->scalar(sql).toString(); }
    // Everything a refused posting must leave as it was.
    QString fotografia() {
        QString r;
        for (const char* sql : {"SELECT COUNT(*) FROM MovProduto", "SELECT COUNT(*) FROM Lotes",
                                "SELECT UltLote FROM configProd", "SELECT Codigo, UltNumero FROM TabTipoMov ORDER BY Codigo",
                                "SELECT Codigo, PrecoMedioCusto, UltPrecoCusto FROM Produtos ORDER BY Codigo"}) {
            auto q = db->query(sql);
            while (q && q->next())
                for (int i = 0; i < 3; ++i)
                    r += q->value(i).toString() + u'|';
        }
        return r;
    }
};

TEST_P(LancamentoProducaoTest, LoteProximoEZeros) {
    EXPECT_EQ(ZerarLote("12"), "0000000012");
    EXPECT_EQ(ProximoLote(*db), "0000000006");
    ProductionDocument d;
    d.Lote = "12";
    EXPECT_FALSE(LerLoteProducao(ctx, d));
    EXPECT_EQ(d.Lote, "0000000012");
    EXPECT_TRUE(d.Nova);
    EXPECT_EQ(d.Situacao, SituacaoInicio);
}

TEST_P(LancamentoProducaoTest, GeracaoDasLinhas) {
    ProductionDocument d = ordem("5");
    EXPECT_EQ(d.linhas[0].produto, "MP1");
    EXPECT_EQ(d.linhas[0].ordemProducao, C("10"));
    EXPECT_EQ(d.linhas[0].armazem, "001");
    EXPECT_EQ(d.linhas[0].localizacao, "00001") << "the location last used in that warehouse";
    EXPECT_EQ(d.linhas[1].ordemProducao, C("15"));

    d.NaoMultiplica = true;
    CarregarListaNomenc(ctx, d);
    EXPECT_EQ(d.linhas[0].ordemProducao, C("2")) << "the bill quantity as it stands";

    // Whole units only: a need of 2.1 is rounded up, a fractional unit keeps its decimals.
    EXPECT_EQ(QuantidadeOrdem(ctx, "MP2", C("0.7"), C("3"), false), C("3"));
    EXPECT_EQ(QuantidadeOrdem(ctx, "MP1", C("0.7"), C("3"), false), C("2.1"));
}

TEST_P(LancamentoProducaoTest, FactorDeConversao) {
    EXPECT_EQ(CalculaQuantidadeFactor(C("4"), C("10"), "B", true, 4), C("2.5"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("5"), C("10"), "B", false, 4), C("2"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("4"), C("10"), "A", true, 4), C("40"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("40"), C("10"), "A", false, 4), C("4"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("4"), C("0"), "A", true, 4), C("0"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("0"), C("10"), "B", true, 4), C("0"));
    EXPECT_EQ(CalculaQuantidadeFactor(C("1"), C("3"), "A", false, 2), C("0.33"));
}

TEST_P(LancamentoProducaoTest, PrimeiraFaseEncerraOLote) {
    ProductionDocument d = ordem("3");
    ResultadoProducao r;
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra, &r)) << erro.toStdString();
    EXPECT_EQ(r.lote, "0000000012");
    EXPECT_EQ(r.saida.numero, "00000001");
    EXPECT_EQ(r.ent.numero, "00000001");
    EXPECT_EQ(r.ret.numero, "00000001") << "the adjustment documents are numbered with the lot";
    // 6 × 2 + 9 × 0.5 consumed.
    EXPECT_EQ(r.custoTotal, C("16.5"));
    EXPECT_EQ(r.precario, C("5.5"));
    EXPECT_EQ(saldo("MP1"), C("94"));
    EXPECT_EQ(saldo("MP2"), C("41"));
    EXPECT_EQ(saldo("PA", "002"), C("3"));

    auto l = db->primeiraLinha("SELECT Fechado, custoTotal, precario, NumeroSaida, DataSaida, Numeroent, Produto "
                               "FROM Lotes WHERE lote='0000000012'");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->at(0).toInt(), 1);
    EXPECT_EQ(Currency::fromVariant(l->at(1)), C("16.5"));
    EXPECT_EQ(Currency::fromVariant(l->at(2)), C("5.5"));
    EXPECT_EQ(l->at(4).toString(), "2026-03-10");

    auto e = db->primeiraLinha("SELECT Preco, ValorIliq, PMCusto, CliFor, Terceiro, ObsLinha FROM MovProduto "
                               "WHERE Tipo='EPR' AND Codigo='PA'");
    ASSERT_TRUE(e);
    EXPECT_EQ(Currency::fromVariant(e->at(0)), C("5.5"));
    EXPECT_EQ(Currency::fromVariant(e->at(1)), C("16.5"));
    EXPECT_EQ(Currency::fromVariant(e->at(2)), C("5.5"));
    EXPECT_EQ(e->at(3).toString(), "F");
    EXPECT_EQ(e->at(4).toString(), "PROD");
    EXPECT_EQ(e->at(5).toString(), "Ref. lote de produção: 0000000012");
    auto p = db->primeiraLinha("SELECT PrecoMedioCusto, UltPrecoCompra, UltPrecoCusto FROM Produtos WHERE Codigo='PA'");
    EXPECT_EQ(Currency::fromVariant(p->at(0)), C("5.5"));
    EXPECT_EQ(Currency::fromVariant(p->at(1)), C("5.5"));
    EXPECT_EQ(Currency::fromVariant(p->at(2)), C("5.5"));
    EXPECT_EQ(contar("SELECT UltLote FROM configProd"), "0000000012");
    EXPECT_EQ(contar("SELECT UltNumero FROM TabTipoMov WHERE Codigo='SPR'"), "00000001");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='SPR' AND ValorIliq>0"), "2");

    // The next order takes the next numbers.
    ProductionDocument d2 = ordem("1", "13");
    ASSERT_TRUE(lanca(d2, FaseProducao::Encerra, &r)) << erro.toStdString();
    EXPECT_EQ(r.saida.numero, "00000002");
    EXPECT_EQ(ProximoLote(*db), "0000000014");
}

TEST_P(LancamentoProducaoTest, LoteTomadoPorOutroPostoPassaAoSeguinte) {
    ProductionDocument d = ordem("1", "12");
    // Another workstation posts lot 12 while this order is being edited.
    ProductionDocument outro = ordem("1", "12");
    ASSERT_TRUE(lanca(outro, FaseProducao::Encerra));
    ResultadoProducao r;
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra, &r)) << erro.toStdString();
    EXPECT_EQ(r.lote, "0000000013");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), "2");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE ObsLinha LIKE '%0000000013'"), "3");
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT Numero) FROM MovProduto WHERE Tipo='SPR'"), "2");
}

TEST_P(LancamentoProducaoTest, PrecoFixoDaNomenclatura) {
    ASSERT_TRUE(db->exec("UPDATE Nomenclatura SET ProdutoAcabadoPreco=10"));
    ProductionDocument d = ordem("3");
    ResultadoProducao r;
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra, &r)) << erro.toStdString();
    EXPECT_EQ(r.custoTotal, C("30"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT custoTotal FROM Lotes")), C("30"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE Tipo='EPR'")), C("10"));
}

TEST_P(LancamentoProducaoTest, SegundaFaseRetornoEReforco) {
    ProductionDocument d = ordem("3");
    ASSERT_TRUE(lanca(d, FaseProducao::Aguarda)) << erro.toStdString();
    EXPECT_EQ(contar("SELECT Fechado FROM Lotes"), "0");

    ProductionDocument p;
    p.Lote = "12";
    ASSERT_TRUE(LerLoteProducao(ctx, p));
    EXPECT_EQ(p.Situacao, SituacaoPendente);
    EXPECT_EQ(p.ProdutoAcabado, "PA");
    ASSERT_EQ(CarregarListaNomenc(ctx, p), 2);
    EXPECT_EQ(p.linhas[0].ordemProducao, C("6"));
    p.linhas[0].acertos = C("-2"); // 2 of MP1 come back
    p.linhas[1].acertos = C("1");  // one more MP2
    ResultadoProducao r;
    ASSERT_TRUE(lanca(p, FaseProducao::Encerra, &r)) << erro.toStdString();
    // 16.5 - 2 × 2 + 1 × 0.5
    EXPECT_EQ(r.custoTotal, C("13"));
    EXPECT_TRUE(r.fechado);
    auto ret = db->primeiraLinha("SELECT AfectaStk, QuantNormal, Numero, ObsLinha FROM MovProduto WHERE Tipo='DPR'");
    ASSERT_TRUE(ret);
    EXPECT_EQ(ret->at(0).toString(), "S-");
    EXPECT_EQ(Currency::fromVariant(ret->at(1)), C("2"));
    EXPECT_EQ(ret->at(2).toString(), "00000001");
    EXPECT_EQ(ret->at(3).toString(), "Ref. lote de produção: 0000000012 (2ª fase)");
    EXPECT_EQ(saldo("MP1"), C("96"));
    EXPECT_EQ(saldo("MP2"), C("40"));
    EXPECT_EQ(contar("SELECT Fechado FROM Lotes"), "1");
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE Tipo='EPR'")), C("4.3333"));

    // Read back, the adjustments show what was posted; a closed lot takes no further phase.
    ProductionDocument f;
    f.Lote = "12";
    ASSERT_TRUE(LerLoteProducao(ctx, f));
    EXPECT_EQ(f.Situacao, SituacaoEncerrada);
    CarregarListaNomenc(ctx, f);
    EXPECT_EQ(f.linhas[0].acertos, C("-2"));
    EXPECT_EQ(f.linhas[1].acertos, C("1"));
    const QString antes = fotografia();
    EXPECT_FALSE(lanca(f, FaseProducao::Encerra));
    EXPECT_EQ(fotografia(), antes);
}

TEST_P(LancamentoProducaoTest, EntradaAnteriorAOutraNaoMexeNosUltimosPrecos) {
    entradaStock(ctx, "PA", "1", "7", "", "2026-05-01");
    ASSERT_TRUE(db->exec("UPDATE Produtos SET UltPrecoCompra=7, UltPrecoCusto=7 WHERE Codigo='PA'"));
    ProductionDocument d = ordem("3", "12", "2026-03-10");
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra)) << erro.toStdString();
    auto p = db->primeiraLinha("SELECT UltPrecoCompra, UltPrecoCusto, PrecoMedioCusto FROM Produtos WHERE Codigo='PA'");
    EXPECT_EQ(Currency::fromVariant(p->at(0)), C("7"));
    EXPECT_EQ(Currency::fromVariant(p->at(1)), C("7"));
    // (3 × 5.5 + 1 × 7) / 4 over the whole history
    EXPECT_EQ(Currency::fromVariant(p->at(2)), C("5.875"));
}

// The product file keeps the average of the whole history: a change of the average dated after the
// order (here one whose row is gone, leaving nothing to average) counts there, not on the entry.
TEST_P(LancamentoProducaoTest, CustoMedioDaFichaVeAlteracaoPosterior) {
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=1"));
    ASSERT_GT(db->insert("MovProdutoAlteraPMC", {"Produto", "Data", "IdentificaMP"}, {"PA", "2026-04-01", "{X}"}), 0);
    ProductionDocument d = ordem("3", "12", "2026-03-10");
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra)) << erro.toStdString();
    EXPECT_EQ(contar("SELECT PMCusto FROM MovProduto WHERE Tipo='EPR' AND Codigo='PA'").toDouble(), 5.5);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='PA'")), C("0"));
}

TEST_P(LancamentoProducaoTest, RecusaNaUltimaLinhaNaoDeixaNada) {
    ProductionDocument d = ordem("3");
    d.linhas[1].ordemProducao = C("500"); // more than the stock of MP2
    const QString antes = fotografia();
    EXPECT_FALSE(lanca(d, FaseProducao::Encerra));
    EXPECT_TRUE(erro.startsWith("Não foi possível lançar o produto MP2!\nFavor de verificar a existência."))
        << erro.toStdString();
    EXPECT_EQ(fotografia(), antes);
    EXPECT_TRUE(d.Nova) << "the caller's document is untouched";
}

TEST_P(LancamentoProducaoTest, ExecutarLoteVerificaLotesEQuantidades) {
    ASSERT_TRUE(db->insert("Nomenclatura", Registo()("ProdutoAcabado", "PA")("ProdutoPrima", "MPL")("descprodutoprima", "Fermento")("quantidade", "2")(
                                               "Armazem", "001")("precario", "PrecoMedioCusto")("Factor", "0")) > 0);
    ProductionDocument d;
    d.Lote = "20";
    d.ProdutoAcabado = "PA";
    d.Quantidade = C("3");
    d.Data = "2026-03-10";
    d.Armazem = "002";
    ASSERT_EQ(CarregarListaNomenc(ctx, d), 3);
    ASSERT_EQ(d.linhas[2].produto, "MPL");
    VerificacaoLote v = VerificaExecutarLote(ctx, d);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.linha, 2);
    EXPECT_EQ(v.mensagem, "Não definiu o LOTE no produto MPL\n(Fermento)");

    // Lot L1 holds 10: two lines of 6 and 5 on it are more than it has.
    d.linhas[2].lote = "L1";
    d.linhas[2].ordemProducao = C("6");
    d.linhas.push_back(d.linhas[2]);
    d.linhas[3].ordemProducao = C("5");
    v = VerificaExecutarLote(ctx, d);
    EXPECT_FALSE(v.ok);
    EXPECT_TRUE(v.mensagem.startsWith("O produto MPL  Fermento não tem existência!")) << v.mensagem.toStdString();
    d.linhas[3].ordemProducao = C("4");
    EXPECT_TRUE(VerificaExecutarLote(ctx, d).ok);

    ASSERT_TRUE(db->exec("UPDATE Nomenclatura SET CtrlQuantidades=1"));
    CarregarListaNomenc(ctx, d);
    d.linhas[2].lote = "L1";
    v = VerificaExecutarLote(ctx, d);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.titulo, "Controlo de Quantidades (def. na nomenclatura)");

    // Posted with the lot, the lot's balance goes down.
    ASSERT_TRUE(db->exec("UPDATE Nomenclatura SET CtrlQuantidades=0"));
    CarregarListaNomenc(ctx, d);
    d.linhas[2].lote = "L1";
    ASSERT_TRUE(lanca(d, FaseProducao::Encerra)) << erro.toStdString();
    FiltroSaldo f;
    f.produto = "MPL";
    f.lote = QStringLiteral("L1");
    EXPECT_EQ(SaldoProdutoArmazem(*db, f).valor(), C("4"));
}

TEST_P(LancamentoProducaoTest, AnaliseCapacidadeECusto) {
    ProductionDocument d = ordem("20");
    const AnaliseProducao a = AnalisaProducao(ctx, d, true);
    // MP1: 100 / 2 = 50; MP2: 50 / 3 = 16.6667
    EXPECT_EQ(a.capacidade, C("16.6667"));
    EXPECT_EQ(a.custoUnitario, C("5.5"));
    ASSERT_EQ(a.insuficientes.size(), 1) << "60 of MP2 needed, 50 in stock";
    EXPECT_EQ(a.insuficientes[0].first, "MP2");
}

LUMO_INSTANCIAR_MOTORES(LancamentoProducaoTest);

TEST_P(LancamentoProducaoTest, NumeracaoMensalNaoRepeteDocumentosReservadosPorOutroLote) {
    // Return and reinforcement numbers are kept in the lot record before any row is posted on them.
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET IncrementaMes=1"));
    ProductionDocument a = ordem("1", "12");
    ASSERT_TRUE(lanca(a, FaseProducao::Aguarda)) << erro.toStdString();
    ProductionDocument b = ordem("1", "13");
    ASSERT_TRUE(lanca(b, FaseProducao::Aguarda)) << erro.toStdString();
    EXPECT_NE(a.Ret.numero, b.Ret.numero);
    EXPECT_NE(a.Ref.numero, b.Ref.numero);
    EXPECT_NE(a.Saida.numero, b.Saida.numero);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT tipoRet, Numeroret FROM Lotes GROUP BY tipoRet, Numeroret "
                     "HAVING COUNT(*)>1) x"),
              "0");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT tiporef, Numeroref FROM Lotes GROUP BY tiporef, Numeroref "
                     "HAVING COUNT(*)>1) x"),
              "0");
}

TEST_P(LancamentoProducaoTest, UmTipoUsadoEmDoisDocumentosDaDoisNumeros) {
    ASSERT_TRUE(db->exec("UPDATE configProd SET TipoRef='DPR'"));
    ProductionDocument d = ordem("1");
    ASSERT_TRUE(lanca(d, FaseProducao::Aguarda)) << erro.toStdString();
    EXPECT_EQ(d.Ret.tipo, d.Ref.tipo);
    EXPECT_NE(d.Ret.numero, d.Ref.numero);
}

TEST_P(LancamentoProducaoTest, TipoDeMovimentoInexistenteRecusaSemEscrever) {
    ASSERT_TRUE(db->exec("DELETE FROM TabTipoMov WHERE Codigo='SPR'"));
    const QString antes = fotografia();
    ProductionDocument d = ordem("1");
    EXPECT_FALSE(lanca(d, FaseProducao::Encerra));
    EXPECT_TRUE(erro.contains("O tipo de movimento SPR não existe")) << erro.toStdString();
    EXPECT_EQ(fotografia(), antes);
    // The same for a type of the second phase: its number would be shared by every lot.
    ASSERT_GT(db->insert("TabTipoMov", Registo()("Codigo", "SPR")("Descricao", "SPR")("UltNumero", "00000000")(
                                           "IncrementaMes", 0)("ControloHash", 0)("Modulo", "ST")("AfectaStk", "S+")),
              0);
    ASSERT_TRUE(db->exec("DELETE FROM TabTipoMov WHERE Codigo='DPR'"));
    const QString antes2 = fotografia();
    EXPECT_FALSE(lanca(d, FaseProducao::Aguarda));
    EXPECT_TRUE(erro.contains("DPR")) << erro.toStdString();
    EXPECT_EQ(fotografia(), antes2);
}

TEST_P(LancamentoProducaoTest, SegundaFaseNumPeriodoFechadoERecusada) {
    ProductionDocument d = ordem("1", "12", "2026-03-10");
    ASSERT_TRUE(lanca(d, FaseProducao::Aguarda)) << erro.toStdString();
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET DataEmAberto='2026-04-01'"));
    ProductionDocument p;
    p.Lote = "12";
    ASSERT_TRUE(LerLoteProducao(ctx, p));
    CarregarListaNomenc(ctx, p);
    p.linhas[0].acertos = C("-1");
    const QString antes = fotografia();
    EXPECT_FALSE(lanca(p, FaseProducao::Encerra));
    EXPECT_EQ(erro, "Apenas pode efectuar operações a partir de 01-04-2026");
    EXPECT_EQ(fotografia(), antes);
    // The first phase the same way.
    ProductionDocument n = ordem("1", "14", "2026-03-31");
    EXPECT_FALSE(lanca(n, FaseProducao::Encerra));
    EXPECT_EQ(fotografia(), antes);
}

TEST_P(LancamentoProducaoTest, MontanteForaDoTipoRecusaComOLimiteDeValor) {
    // 922337203685477 × 2 does not fit the money type: the posting stops whole, nothing wraps.
    ProductionDocument d = ordem("1", "12");
    d.linhas[0].ordemProducao = C("922337203685477");
    ASSERT_TRUE(db->exec("UPDATE Produtos SET PrecoMedioCusto='2' WHERE Codigo='MP1'"));
    const QString antes = fotografia();
    EXPECT_FALSE(lanca(d, FaseProducao::Encerra));
    EXPECT_TRUE(erro.contains("Ultrapassou o valor limite por produto: 999,999,999.99"))
        << erro.toStdString();
    EXPECT_EQ(fotografia(), antes);
}
