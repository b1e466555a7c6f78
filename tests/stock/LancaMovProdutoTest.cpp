#include "stock/CustoMedio.h"
#include "stock/LancaMovProduto.h"
#include "support/SemFalha.h"
#include "stock/MovimentosStock.h"
#include "support/DbTest.h"
#include "db/esquema/Esquema.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {
Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
} // namespace

class LancaMovProdutoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert("ParamGeral", {"NomeEmpresa", "FormulaPrecoMedioCusto", "PMCArmazem"}, {"Teste", 1, 0}), 0);
        ASSERT_GT(db->insert("Armazens", {"Codigo", "IgnoraCtrlExistencia"}, {"001", 0}), 0);
        ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "ctrlexistencia", "Lote", "UnidadeVenda",
                                          "UltPrecoCusto", "PrecoMedioCusto", "DiasDevolucao"},
                             {"MP1", "Farinha", "1", "0", "KG", "1.1", "1", 10}),
                  0);
        ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "ctrlexistencia", "Lote"}, {"LOT", "Fermento", "0", "1"}), 0);
        ASSERT_GT(db->insert("TabTipoMov", {"Codigo", "Descricao", "AfectaStk"}, {"SI", "ENTRADA DE SALDOS INICIAIS", "E+"}), 0);
    }

    LinhaMovProduto linha(const char* codigo, const char* afecta, const char* quant, const char* preco,
                          const char* data = "2026-03-01") {
        LinhaMovProduto l;
        l.definir(ColMovProduto::Tipo, "MOV");
        l.definir(ColMovProduto::Numero, "00000001");
        l.definir(ColMovProduto::Ano, "2026");
        l.definir(ColMovProduto::Data, data);
        l.definir(ColMovProduto::Codigo, codigo);
        l.definir(ColMovProduto::QuantNormal, C(quant));
        l.definir(ColMovProduto::Preco, C(preco));
        l.definir(ColMovProduto::Armazem, "001");
        l.definir(ColMovProduto::AfectaStk, afecta);
        return l;
    }
    // The row's NumRegisto, or 0 with the refusal in `erro`.
    qint64 lanca(const LinhaMovProduto& l, const OpcoesLancamento& opcoes = {}) {
        const auto r = LancaMovProduto(ctx, l, opcoes);
        erro = r ? QString() : r.mensagem();
        return r.valorOu(0);
    }
    QString erro;
    // Everything a refusal must leave untouched.
    QString fotografia() {
        QString r;
        for (const char* sql : {"SELECT COUNT(*), SUM(QuantNormal) FROM MovProduto",
                                "SELECT Codigo, PrecoMedioCusto, UltPrecoCusto FROM Produtos ORDER BY Codigo"}) {
            auto q = db->query(sql);
            while (q && q->next())
                for (int i = 0; i < q->record().count(); ++i)
                    r += Currency::fromVariant(q->value(i)).toString() + q->value(i).toString() + u'|';
        }
        return r;
    }
};

TEST_P(LancaMovProdutoTest, EntradaCompletaALinhaEAFicha) {
    const qint64 a = lanca(linha("MP1", "E+", "10", "2"));
    ASSERT_GT(a, 0) << erro.toStdString();
    const qint64 b = lanca(linha("MP1", "E+", "10", "4", "2026-03-02"));
    ASSERT_GT(b, 0) << erro.toStdString();
    auto q = db->query("SELECT PMCusto, UPCusto, UPCustoFicha, Estado, Hora, CodigoBarras, ProdutoCarregado, "
                       "DataDevolucao, Descricao, Unidade, Utilizador FROM MovProduto WHERE NumRegisto=?",
                       {b});
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(Currency::fromVariant(q->value(0)).toString(), "3.0000");
    EXPECT_EQ(Currency::fromVariant(q->value(1)).toString(), "1.1000") << "costs come from the product file";
    EXPECT_EQ(Currency::fromVariant(q->value(2)).toString(), "1.1000");
    EXPECT_EQ(q->value(3).toString(), "N");
    EXPECT_EQ(q->value(4).toString().size(), 8);
    EXPECT_EQ(q->value(5).toString().size(), 13);
    EXPECT_EQ(q->value(6).toString(), "MP1");
    EXPECT_EQ(q->value(7).toString(), "2026-03-12");
    EXPECT_EQ(q->value(8).toString(), "Farinha");
    EXPECT_EQ(q->value(9).toString(), "KG");
    EXPECT_EQ(q->value(10).toString(), "01");
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='MP1'")).toString(),
              "3.0000");
}

TEST_P(LancaMovProdutoTest, LimiteDeValorExceptoAcertos) {
    const QString antes = fotografia();
    EXPECT_EQ(lanca(linha("MP1", "E+", "1000000000", "1")), 0);
    EXPECT_TRUE(erro.startsWith("Ultrapassou o valor limite por produto: 999,999,999.99\nProduto: [MP1"))
        << erro.toStdString();
    EXPECT_EQ(fotografia(), antes);
    EXPECT_EQ(lanca(linha("MP1", "S-", "-1000000000", "1")), 0) << "the absolute value counts";
    EXPECT_GT(lanca(linha("MP1", "AC+", "1000000000", "1")), 0) << erro.toStdString();
    EXPECT_EQ(lanca(linha("MP1", "TL+", "1000000000", "1")), 0);
    EXPECT_GT(lanca(linha("MP1", "E+", "999999999.99", "1")), 0) << "the limit itself passes";
}

TEST_P(LancaMovProdutoTest, SaidasControladas) {
    ASSERT_GT(lanca(linha("MP1", "E+", "5", "2")), 0);
    const QString antes = fotografia();
    EXPECT_EQ(lanca(linha("MP1", "S+", "6", "0")), 0);
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_EQ(fotografia(), antes);
    EXPECT_GT(lanca(linha("MP1", "S+", "5", "0")), 0) << erro.toStdString();

    // A lot-managed product without a lot is refused before anything is written.
    const QString semLote = fotografia();
    EXPECT_EQ(lanca(linha("LOT", "S+", "1", "0")), 0);
    EXPECT_EQ(erro, "Sem lote definido para o produto LOT!");
    EXPECT_EQ(fotografia(), semLote);
    // Opening balances may take a lot out regardless of its balance, but never without a lot.
    LinhaMovProduto si = linha("LOT", "S+", "3", "0");
    si.definir(ColMovProduto::Tipo, "SI");
    si.definir(ColMovProduto::Lote, "L1");
    EXPECT_GT(lanca(si), 0) << erro.toStdString();
    LinhaMovProduto comLote = linha("LOT", "S+", "1", "0");
    comLote.definir(ColMovProduto::Lote, "L1");
    EXPECT_EQ(lanca(comLote), 0) << "the lot's balance is below the quantity";
    EXPECT_EQ(erro, "Sem lote definido para o produto LOT!");
    EXPECT_EQ(lanca(linha("NAOEXISTE", "E+", "1", "1")), 0);
}

// The exit reads only the balance that decides; a lot flag stored with blanks around it still
// counts as kept by lot, and then the lot's balance decides, not the warehouse's.
TEST_P(LancaMovProdutoTest, SaidaDecididaPeloSaldoDoLoteOuDoArmazem) {
    for (const char* flag : {"1", " 1 "}) {
        SCOPED_TRACE(flag);
        ASSERT_TRUE(db->exec("DELETE FROM MovProduto"));
        ASSERT_TRUE(db->exec("UPDATE Produtos SET Lote=?, ctrlexistencia='1' WHERE Codigo='LOT'", {flag}));
        LinhaMovProduto l1 = linha("LOT", "E+", "5", "1");
        l1.definir(ColMovProduto::Lote, "L1");
        LinhaMovProduto l2 = linha("LOT", "E+", "7", "1");
        l2.definir(ColMovProduto::Lote, "L2");
        ASSERT_GT(lanca(l1), 0) << erro.toStdString();
        ASSERT_GT(lanca(l2), 0) << erro.toStdString();
        LinhaMovProduto s = linha("LOT", "S+", "6", "0");
        s.definir(ColMovProduto::Lote, "L1");
        const QString antes = fotografia();
        EXPECT_EQ(lanca(s), 0) << "the warehouse holds 12, lot L1 only 5";
        EXPECT_EQ(fotografia(), antes);
        s.definir(ColMovProduto::QuantNormal, C("5"));
        EXPECT_GT(lanca(s), 0) << erro.toStdString();
    }
    // Without lots the warehouse's balance decides, whatever lot the row names.
    ASSERT_GT(lanca(linha("MP1", "E+", "4", "2")), 0);
    LinhaMovProduto s = linha("MP1", "S+", "4", "0");
    s.definir(ColMovProduto::Lote, "QUALQUER");
    EXPECT_GT(lanca(s), 0) << erro.toStdString();
    EXPECT_EQ(lanca(linha("MP1", "S+", "0.0001", "0")), 0);
}

TEST_P(LancaMovProdutoTest, FalhaAMeioNaoDeixaNada) {
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "2")), 0);
    // Make the update of the product file fail, after the ledger row was already written.
    if (isSQLite()) {
        ASSERT_TRUE(db->exec("CREATE TRIGGER falha BEFORE UPDATE ON Produtos "
                             "BEGIN SELECT RAISE(ABORT, 'falha provocada'); END"));
    } else {
        ASSERT_TRUE(db->exec("CREATE FUNCTION falha_fn() RETURNS trigger LANGUAGE plpgsql AS "
                             "$$ BEGIN RAISE EXCEPTION 'falha provocada'; END $$"));
        ASSERT_TRUE(db->exec("CREATE TRIGGER falha BEFORE UPDATE ON Produtos FOR EACH ROW "
                             "EXECUTE FUNCTION falha_fn()"));
    }
    const QString antes = fotografia();
    EXPECT_EQ(lanca(linha("MP1", "E+", "10", "4")), 0);
    // The user reads the program's words; the engine's own text is kept for diagnostics only.
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_FALSE(erro.contains("falha provocada")) << erro.toStdString();
    EXPECT_TRUE(db->erroTecnico().contains("falha provocada")) << db->erroTecnico().toStdString();
    EXPECT_EQ(fotografia(), antes);
    EXPECT_FALSE(db->emTransaccao());
    // Inside a caller's transaction a failure after the insert leaves that transaction unable to commit.
    {
        Transaction tr(*db);
        ASSERT_GT(db->insert("LogGeral", {"Descricao"}, {"antes"}), 0);
        EXPECT_EQ(lanca(linha("MP1", "E+", "1", "5")), 0) << "the product file still refuses";
        EXPECT_FALSE(tr.commit());
    }
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral").toInt(), 0);
    EXPECT_EQ(fotografia(), antes);
}

TEST_P(LancaMovProdutoTest, SaldosPorSinal) {
    for (const auto& [afecta, quant] : std::vector<std::pair<const char*, const char*>>{
             {"E+", "10"}, {"S-", "2.5"}, {"S+", "4"}, {"E-", "1"}, {"NA", "100"}, {"TL+", "7"},
             // Written in lower case by another program: the balance counts them all the same.
             {"e+", "3"}, {"s+", "0.5"}, {"na", "50"}}) {
        LinhaMovProduto l = linha("P9", afecta, quant, "1");
        l.definir(ColMovProduto::Localizacao, "A1");
        l.definir(ColMovProduto::Lote, "X");
        ASSERT_TRUE(semFalha(MeteNoMovPro(*db, l)));
    }
    FiltroSaldo f;
    f.produto = "P9";
    EXPECT_EQ(SaldoProdutoArmazem(*db, f)->toString(), "10.0000");
    f.lote = "X";
    EXPECT_EQ(escolherFuncaoSaldo(f), FuncaoSaldo::ProLote);
    EXPECT_EQ(SaldoProdutoArmazem(*db, f)->toString(), "10.0000");
    f.armazem = "001";
    EXPECT_EQ(escolherFuncaoSaldo(f), FuncaoSaldo::ProArmLote);
    f.localizacao = "A1";
    EXPECT_EQ(escolherFuncaoSaldo(f), FuncaoSaldo::ProArmLocLote);
    f.localizacao = "B2";
    EXPECT_EQ(SaldoProdutoArmazem(*db, f)->toString(), "0.0000");
    FiltroSaldo cor;
    cor.produto = "P9";
    cor.cor = "";
    EXPECT_EQ(escolherFuncaoSaldo(cor), FuncaoSaldo::Generica);
    EXPECT_EQ(SaldoProdutoArmazem(*db, cor)->toString(), "10.0000") << "other dimensions match anything";
    cor.cor = "AZUL";
    EXPECT_EQ(SaldoProdutoArmazem(*db, cor)->toString(), "0.0000");

    const auto porLote = SaldosPorLoteLocalizacao(*db, "P9", "001");
    ASSERT_TRUE(porLote.ok());
    ASSERT_EQ(porLote->size(), 1u);
    EXPECT_EQ(porLote->front().saldo.toString(), "10.0000");

    FiltroExistencia e;
    e.produto = "P9";
    e.armazem = "001";
    EXPECT_EQ(ExistenciaProduto(ctx, e).toString(), "10.0000");
    e.data = "2026-02-28";
    EXPECT_EQ(ExistenciaProduto(ctx, e).toString(), "0.0000");
    EXPECT_EQ(RetornaCampoTabela(*db, "Produtos", "Descricao", "Codigo", "MP1"), "Farinha");
    EXPECT_EQ(RetornaCampoTabela(*db, "Produtos", "Descricao FROM Produtos; --", "Codigo", "MP1"), "");
    EXPECT_EQ(RetornaCampoTabela(*db, "ParamGeral", "NomeEmpresa"), "Teste");
}

LUMO_INSTANCIAR_MOTORES(LancaMovProdutoTest);

TEST_P(LancaMovProdutoTest, MontantesQueNaoCabemNoTipoSaoRecusadosSemEscrever) {
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "2")), 0) << erro.toStdString();
    const QString antes = fotografia();
    // The product would wrap past the 64-bit range into a small value under the limit.
    for (auto [q, p, afecta] : {std::tuple{"42949672.96", "42949672.96", "E+"}, {"922337203685477", "2", "E+"},
                                {"922337203685477", "2", "AC+"}, {"922337203685477", "2", "S+"}}) {
        EXPECT_EQ(lanca(linha("MP1", afecta, q, p)), 0) << q << " × " << p << " " << afecta;
        EXPECT_TRUE(erro.startsWith("Ultrapassou o valor limite por produto: 999,999,999.99"))
            << erro.toStdString();
        EXPECT_EQ(fotografia(), antes);
    }
    // A small ValorIliq does not hide a quantity × price beyond the limit.
    LinhaMovProduto l = linha("MP1", "E+", "922337203685", "2000");
    l.definir(ColMovProduto::ValorIliq, C("1"));
    EXPECT_EQ(lanca(l), 0);
    EXPECT_EQ(fotografia(), antes);
    // Quantities that fit one by one but whose sum would not: the second entry is refused.
    ASSERT_GT(lanca(linha("MP1", "E+", "900000000000000", "0")), 0) << erro.toStdString();
    const QString umaGrande = fotografia();
    EXPECT_EQ(lanca(linha("MP1", "E+", "900000000000000", "0")), 0);
    EXPECT_EQ(fotografia(), umaGrande);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='MP1'")).toString(),
              "0.0000");
}

TEST_P(LancaMovProdutoTest, Regra2SaidaRetroactivaActualizaAFicha) {
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=2"));
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "2", "2026-01-01")), 0) << erro.toStdString();
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "6", "2026-03-01")), 0) << erro.toStdString();
    auto ficha = [&] {
        return Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='MP1'")).toString();
    };
    ASSERT_EQ(ficha(), "4.0000");
    // Taking the first ten out before the second entry leaves that entry alone in stock.
    ASSERT_GT(lanca(linha("MP1", "S+", "10", "0", "2026-02-01")), 0) << erro.toStdString();
    EXPECT_EQ(ficha(), "6.0000");
    EXPECT_EQ(CalculaPrecoMedioCustoCompleto(*db, "MP1", {}, {})->toString(), "6.0000");
    // Putting them back before it restores the mix.
    ASSERT_GT(lanca(linha("MP1", "S-", "10", "0", "2026-02-02")), 0) << erro.toStdString();
    EXPECT_EQ(ficha(), CalculaPrecoMedioCustoCompleto(*db, "MP1", {}, {})->toString());
    // An exit at the end of the history does not move the running average.
    ASSERT_GT(lanca(linha("MP1", "S+", "1", "0", "2026-04-01")), 0) << erro.toStdString();
    EXPECT_EQ(ficha(), CalculaPrecoMedioCustoCompleto(*db, "MP1", {}, {})->toString());
}

TEST_P(LancaMovProdutoTest, TransferenciasEAcertosValoradosPeloParametro) {
    ASSERT_TRUE(db->exec("UPDATE Produtos SET UltPrecoCompra='1.5', UltPrecoCusto='1.1' WHERE Codigo='MP1'"));
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "2")), 0) << erro.toStdString();
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "4")), 0) << erro.toStdString();
    auto preco = [&](qint64 n) {
        return std::pair{Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE NumRegisto=?", {n})).toString(),
                         Currency::fromVariant(db->scalar("SELECT ValorIliq FROM MovProduto WHERE NumRegisto=?", {n})).toString()};
    };
    auto transferencia = [&](const char* afecta) {
        LinhaMovProduto l = linha("MP1", afecta, "2", "99");
        l.definir(ColMovProduto::Tipo, "TRA");
        l.definir(ColMovProduto::ValorIliq, C("198"));
        return lanca(l);
    };
    struct Caso {
        int regra;
        const char* preco;
        const char* valor;
    };
    for (const Caso& c : {Caso{0, "99.0000", "198.0000"}, Caso{1, "3.0000", "6.0000"}, Caso{2, "1.5000", "3.0000"},
                          Caso{3, "1.1000", "2.2000"}}) {
        ASSERT_TRUE(db->exec("UPDATE ParamGeral SET PrecoTranfAcertos=?", {c.regra}));
        const qint64 n = transferencia("S+");
        ASSERT_GT(n, 0) << erro.toStdString();
        EXPECT_EQ(preco(n), (std::pair{QString(c.preco), QString(c.valor)})) << "regra " << c.regra;
    }
    // Stock adjustments follow the same rule; other rows keep their own price.
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET PrecoTranfAcertos=3"));
    const qint64 ac = lanca(linha("MP1", "AC+", "2", "99"));
    ASSERT_GT(ac, 0);
    EXPECT_EQ(preco(ac).first, "1.1000");
    const qint64 s = lanca(linha("MP1", "S+", "1", "99"));
    ASSERT_GT(s, 0);
    EXPECT_EQ(preco(s).first, "99.0000");
    // With costs per warehouse, rule 1 takes the warehouse's average.
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET PMCArmazem=1, PrecoTranfAcertos=1"));
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET Armazem_PMCusto='2.5' WHERE AfectaStk='E+'"));
    const qint64 t = transferencia("S+");
    ASSERT_GT(t, 0) << erro.toStdString();
    EXPECT_EQ(preco(t).first, "2.5000");
}

TEST_P(LancaMovProdutoTest, SomaDoLedgerForaDoTipoNaoDaVolta) {
    // Two rows that fit; their sum does not. The engine's sum must fail or come back as a refusal,
    // never as a wrapped small number.
    for (int i = 0; i < 2; ++i)
        ASSERT_GT(db->insert("MovProduto", Registo()("Codigo", "MP1")("Tipo", "SI")("Numero", "1")("Ano", "2026")(
                                               "Data", "2026-01-01")("AfectaStk", "E+")("QuantNormal", "900000000000000")(
                                               "Preco", "0")("Armazem", "001")),
                  0);
    const auto v = db->lerValor("SELECT SUM(QuantNormal) FROM MovProduto WHERE Codigo='MP1'");
    if (v) {
        EXPECT_THROW(Currency::fromVariant(*v), EstouroMontante) << v->toString().toStdString();
    }
    // An exit checks the balance over that sum: refused, nothing written.
    const QString antes = db->scalar("SELECT COUNT(*) FROM MovProduto").toString();
    EXPECT_EQ(lanca(linha("MP1", "S+", "1", "0")), 0);
    EXPECT_FALSE(erro.isEmpty());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM MovProduto").toString(), antes);
}

// Rows of one document read together, then posted in order: the same numbers, balances and costs
// as each row reading its own, and nothing read otherwise lost.
TEST_P(LancaMovProdutoTest, LeiturasDeVariasLinhasDeUmaVez) {
    ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "ctrlexistencia", "Lote"}, {"MP2", "Sal", "1", "0"}), 0);
    ASSERT_GT(lanca(linha("MP1", "E+", "10", "2")), 0);
    ASSERT_GT(lanca(linha("MP2", "E+", "4", "1")), 0);
    LinhaMovProduto lote = linha("LOT", "E+", "5", "3");
    lote.definir(ColMovProduto::Lote, "L1");
    ASSERT_GT(lanca(lote), 0);
    const qint64 antes = db->scalar("SELECT MAX(NumRegisto) FROM MovProduto").toLongLong();

    // An exit of each, one from the lot, read at once.
    LinhaMovProduto saidaLote = linha("LOT", "S+", "2", "3");
    saidaLote.definir(ColMovProduto::Lote, "L1");
    std::vector<LinhaMovProduto> linhas{linha("MP1", "S+", "6", "2"), linha("MP2", "S+", "4", "1"), saidaLote};
    auto lidos = LerContextosLancamento(*db, linhas);
    ASSERT_TRUE(lidos.ok()) << lidos.mensagem().toStdString();
    ASSERT_EQ(lidos->size(), 3u);
    for (size_t i = 0; i < linhas.size(); ++i) {
        ASSERT_TRUE((*lidos)[i]) << i;
        const auto r = LancaMovProduto(ctx, linhas[i], {}, (*lidos)[i].get());
        ASSERT_TRUE(r.ok()) << r.mensagem().toStdString();
        EXPECT_EQ(*r, antes + qint64(i) + 1);
    }
    // A row posted afterwards takes the next number.
    EXPECT_EQ(lanca(linha("MP1", "E+", "1", "2")), antes + 4);
    EXPECT_EQ(db->scalar("SELECT COUNT(DISTINCT NumRegisto) FROM MovProduto").toInt(), 7);
    EXPECT_EQ(db->scalar("SELECT COUNT(DISTINCT CodigoBarras) FROM MovProduto").toInt(), 7);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PMCusto FROM MovProduto WHERE Codigo='MP1' AND AfectaStk='S+'")),
              C("2"));

    // The balances read together still refuse what the stock does not cover, the lot's as well.
    linhas = {linha("MP1", "S+", "6", "2"), saidaLote};
    linhas[1].definir(ColMovProduto::QuantNormal, C("4"));
    lidos = LerContextosLancamento(*db, linhas);
    ASSERT_TRUE(lidos.ok());
    const QString foto = fotografia();
    EXPECT_FALSE(LancaMovProduto(ctx, linhas[0], {}, (*lidos)[0].get()).ok());
    EXPECT_FALSE(LancaMovProduto(ctx, linhas[1], {}, (*lidos)[1].get()).ok());
    EXPECT_EQ(fotografia(), foto);

    // A product that does not exist: every row reads its own, and that one is refused by name.
    linhas = {linha("MP1", "S+", "1", "2"), linha("NADA", "E+", "1", "1")};
    lidos = LerContextosLancamento(*db, linhas);
    ASSERT_TRUE(lidos.ok());
    EXPECT_FALSE((*lidos)[0]);
    EXPECT_FALSE((*lidos)[1]);
    const auto r = LancaMovProduto(ctx, linhas[1], {}, (*lidos)[1].get());
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.mensagem(), "Produto inexistente: NADA");
}

TEST_P(LancaMovProdutoTest, ColunasNaoDadasGravadasComoVazioOuZero) {
    // Rows that give different sets of columns go through different statements: each must store what
    // it gave, "" for the texts and 0 for the numbers it left out, and never another row's values.
    LinhaMovProduto minima = linha("MP1", "E+", "10", "2");
    LinhaMovProduto completa = linha("MP1", "E+", "3", "4");
    completa.definir(ColMovProduto::Localizacao, "A1");
    completa.definir(ColMovProduto::ObsLinha, "Paletes");
    completa.definir(ColMovProduto::Terceiro, "F001");
    LinhaMovProduto outraMinima = linha("MP1", "S+", "1", "2");
    const qint64 a = lanca(minima), b = lanca(completa), c = lanca(outraMinima);
    ASSERT_GT(a, 0) << erro.toStdString();
    ASSERT_GT(b, 0) << erro.toStdString();
    ASSERT_GT(c, 0) << erro.toStdString();

    auto linhaGravada = [&](qint64 n) {
        auto q = db->query("SELECT * FROM MovProduto WHERE NumRegisto=?", {n});
        EXPECT_TRUE(q && q->next());
        return q ? q->record() : QSqlRecord();
    };
    const QSqlRecord ra = linhaGravada(a), rb = linhaGravada(b), rc = linhaGravada(c);
    int vistas = 0;
    for (const ColunaDef& col : tabelaEmpresa("MovProduto")->colunas) {
        const QVariant va = ra.value(col.nome), vb = rb.value(col.nome);
        if (col.tipo == TipoColuna::Texto || col.tipo == TipoColuna::Memo) {
            EXPECT_FALSE(va.isNull()) << col.nome.toStdString();
            EXPECT_FALSE(vb.isNull()) << col.nome.toStdString();
        } else if (col.tipo != TipoColuna::DataHora && col.tipo != TipoColuna::Binario) {
            EXPECT_FALSE(va.isNull()) << col.nome.toStdString();
            ++vistas;
        }
    }
    EXPECT_GT(vistas, 20);
    EXPECT_EQ(ra.value("Localizacao").toString(), "");
    EXPECT_EQ(ra.value("ObsLinha").toString(), "");
    EXPECT_EQ(rb.value("Localizacao").toString(), "A1");
    EXPECT_EQ(rb.value("ObsLinha").toString(), "Paletes");
    EXPECT_EQ(rb.value("Terceiro").toString(), "F001");
    EXPECT_EQ(rc.value("Terceiro").toString(), "");
    EXPECT_EQ(Currency::fromVariant(ra.value("TotalDesconto")), Currency());
    EXPECT_EQ(Currency::fromVariant(ra.value("QuantNormal")), C("10"));
    EXPECT_EQ(Currency::fromVariant(rb.value("QuantNormal")), C("3"));
    EXPECT_EQ(Currency::fromVariant(rc.value("QuantNormal")), C("1"));
    EXPECT_FALSE(ra.value("DataSys").toString().isEmpty());
    EXPECT_EQ(rc.value("AfectaStk").toString(), "S+");

    // A given text longer than its column is still refused by name, and nothing is written.
    LinhaMovProduto longa = linha("MP1", "E+", "1", "1");
    longa.definir(ColMovProduto::Localizacao, QString(200, u'X'));
    const QString foto = fotografia();
    EXPECT_EQ(lanca(longa), 0);
    EXPECT_TRUE(erro.startsWith("O valor de Localizacao excede")) << erro.toStdString();
    EXPECT_EQ(fotografia(), foto);
}

TEST_P(LancaMovProdutoTest, VariasLinhasNumaInsercaoComoUmaAUma) {
    // Two sets of products with the same history: one set's rows posted together, the other's one by
    // one. Every column but the row's identity must come out the same, and so must the product files,
    // under the running rule with one exit dated inside the history.
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=2"));
    for (const char* s : {"X", "Y"}) {
        for (const char* p : {"A", "B", "C"}) {
            const QString codigo = QString::fromLatin1(p) + QString::fromLatin1(s);
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "ctrlexistencia", "Lote", "UnidadeVenda"},
                                 {codigo, QStringLiteral("Produto ") + p, "1", QString::fromLatin1(p) == "C" ? "1" : "0", "UN"}),
                      0);
            LinhaMovProduto e1 = linha("", "E+", "10", "2", "2026-01-01");
            e1.definir(ColMovProduto::Codigo, codigo);
            e1.definir(ColMovProduto::Lote, QString::fromLatin1(p) == "C" ? "L1" : "");
            LinhaMovProduto e2 = e1;
            e2.definir(ColMovProduto::Data, "2026-03-01");
            e2.definir(ColMovProduto::Preco, C("6"));
            ASSERT_GT(lanca(e1), 0) << erro.toStdString();
            ASSERT_GT(lanca(e2), 0) << erro.toStdString();
        }
    }
    auto saidas = [&](const char* s) {
        std::vector<LinhaMovProduto> r;
        for (const char* p : {"A", "B", "C"}) {
            // A's exit is dated before B's and C's last entry: it changes the product's average.
            LinhaMovProduto l = linha("", "S+", QString::fromLatin1(p) == "B" ? "4" : "10", "0",
                                      QString::fromLatin1(p) == "A" ? "2026-02-01" : "2026-04-01");
            l.definir(ColMovProduto::Codigo, QString::fromLatin1(p) + QString::fromLatin1(s));
            l.definir(ColMovProduto::Lote, QString::fromLatin1(p) == "C" ? "L1" : "");
            r.push_back(l);
        }
        return r;
    };
    Transaction tr(*db);
    const auto juntas = saidas("X");
    const auto lidos = LerContextosLancamento(*db, juntas);
    ASSERT_TRUE(lidos.ok());
    const auto numeros = LancaMovProdutos(ctx, juntas, *lidos);
    ASSERT_TRUE(numeros.ok()) << numeros.mensagem().toStdString();
    for (const LinhaMovProduto& l : saidas("Y"))
        ASSERT_GT(lanca(l), 0) << erro.toStdString();
    ASSERT_TRUE(tr.commit());
    ASSERT_EQ(numeros->size(), 3u);
    EXPECT_EQ((*numeros)[1], (*numeros)[0] + 1);
    EXPECT_EQ((*numeros)[2], (*numeros)[0] + 2);

    const QStringList proprias{"numregisto", "codigo", "codigobarras", "datasys", "hora", "estado_datasys",
                               "produtocarregado"};
    for (const char* p : {"A", "B", "C"}) {
        auto q = db->query("SELECT * FROM MovProduto WHERE Codigo IN (?, ?) AND AfectaStk='S+' ORDER BY Codigo",
                           {QString::fromLatin1(p) + "X", QString::fromLatin1(p) + "Y"});
        ASSERT_TRUE(q && q->next());
        const QSqlRecord x = q->record();
        ASSERT_TRUE(q->next());
        const QSqlRecord y = q->record();
        for (int i = 0; i < x.count(); ++i)
            if (!proprias.contains(x.fieldName(i).toLower()))
                EXPECT_EQ(x.value(i).toString(), y.value(i).toString()) << p << " " << x.fieldName(i).toStdString();
        EXPECT_EQ(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo=?", {QString::fromLatin1(p) + "X"}).toString(),
                  db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo=?", {QString::fromLatin1(p) + "Y"}).toString())
            << p;
    }
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='AX'")), C("6"));

    // A refusal in the second row names that row and, rolled back, leaves the ledger as it was.
    const QString foto = fotografia();
    {
        Transaction falha(*db);
        auto linhas = saidas("X");
        linhas[1].definir(ColMovProduto::QuantNormal, C("100"));
        const auto lidos2 = LerContextosLancamento(*db, linhas);
        ASSERT_TRUE(lidos2.ok());
        size_t recusada = 99;
        const auto r = LancaMovProdutos(ctx, linhas, *lidos2, {}, &recusada);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(recusada, 1u);
        EXPECT_TRUE(r.mensagem().startsWith("Stock insuficiente do produto BX")) << r.mensagem().toStdString();
    }
    EXPECT_EQ(fotografia(), foto);
}
