#include "stock/CustoMedio.h"
#include "stock/MovimentosStock.h"
#include "support/DbTest.h"

#include <QRandomGenerator>

namespace {
Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
} // namespace

class CustoMedioTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert("ParamGeral", {"NomeEmpresa"}, {"Teste"}), 0);
    }
    void regra(const QVariant& r) { ASSERT_TRUE(db->exec("UPDATE ParamGeral SET FormulaPrecoMedioCusto=?", {r})); }

    qint64 mov(const char* afecta, const char* quant, const char* preco, const QString& data = "2026-03-01",
               const QString& armazem = "001", const QString& identifica = {}) {
        LinhaMovProduto l;
        l.definir(ColMovProduto::Codigo, "P1");
        l.definir(ColMovProduto::Tipo, "T");
        l.definir(ColMovProduto::Numero, "1");
        l.definir(ColMovProduto::Data, data);
        l.definir(ColMovProduto::AfectaStk, afecta);
        l.definir(ColMovProduto::QuantNormal, C(quant));
        l.definir(ColMovProduto::Preco, C(preco));
        l.definir(ColMovProduto::Armazem, armazem);
        l.definir(ColMovProduto::Identifica, identifica);
        const auto inserida = MeteNoMovPro(*db, l);
        EXPECT_TRUE(inserida) << inserida.mensagem().toStdString();
        const qint64 n = inserida.valorOu(0);
        EXPECT_TRUE(db->exec("UPDATE MovProduto SET Estado='N' WHERE NumRegisto=?", {n}));
        return n;
    }
    Currency pmc(const QString& data = {}, const QString& armazem = {}) {
        CorteCustoMedio c;
        c.data = data;
        c.armazem = armazem;
        return CalculaPrecoMedioCusto(*db, "P1", {}, c).valor();
    }
    // Checkpoint and whole-history computations must agree.
    void confere(const CorteCustoMedio& c, const LinhaEmCurso& l = {}) {
        const auto a = CalculaPrecoMedioCusto(*db, "P1", l, c);
        const auto b = CalculaPrecoMedioCustoCompleto(*db, "P1", l, c);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->toString(), b->toString()) << "corte " << c.data.toStdString() << " num " << c.numRegisto;
    }
};

TEST_P(CustoMedioTest, Regra1MediaPonderadaDasEntradas) {
    regra(QVariant()); // empty formula acts as rule 1
    mov("E+", "10", "2");
    mov("E+", "10", "4");
    mov("S+", "15", "9"); // exits do not move the weighted average
    EXPECT_EQ(pmc().toString(), "3.0000");
    mov("E-", "10", "4");
    EXPECT_EQ(pmc().toString(), "2.0000");
    // The row in course (10 at 8.00) counts after the stored ones.
    EXPECT_EQ(CalculaPrecoMedioCusto(*db, "P1", {"E+", C("8"), C("10"), 0}, {})->toString(), "5.0000");
    regra(0);
    EXPECT_EQ(pmc().toString(), "2.0000");
}

TEST_P(CustoMedioTest, Regra1ComecaNaUltimaAlteracaoManual) {
    regra(1);
    mov("E+", "10", "2", "2026-01-10");
    mov("E+", "10", "6", "2026-02-10", "001", "{ALT}");
    mov("E+", "10", "10", "2026-03-10");
    ASSERT_GT(db->insert("MovProdutoAlteraPMC", {"Produto", "Data", "IdentificaMP"}, {"P1", "2026-02-10", "{ALT}"}), 0);
    EXPECT_EQ(pmc().toString(), "8.0000");
    EXPECT_EQ(pmc("2026-01-31").toString(), "2.0000") << "a change after the cut-off does not count";
    // A change whose row is gone leaves nothing to average.
    ASSERT_TRUE(db->exec("UPDATE MovProdutoAlteraPMC SET IdentificaMP='{OUTRO}'"));
    EXPECT_EQ(pmc().toString(), "0.0000");
}

TEST_P(CustoMedioTest, Regra2MediaCorrida) {
    regra(2);
    mov("E+", "10", "2", "2026-01-01");
    mov("S+", "10", "0", "2026-01-02");
    mov("E+", "5", "4", "2026-01-03");
    EXPECT_EQ(pmc().toString(), "4.0000");
    // Stock driven below zero, then an entry that leaves it at zero or below: average 0.
    mov("S+", "12", "0", "2026-01-04");
    mov("E+", "7", "5", "2026-01-05");
    EXPECT_EQ(pmc().toString(), "0.0000");
    EXPECT_EQ(pmc("2026-01-03").toString(), "4.0000");
}

TEST_P(CustoMedioTest, AlteracaoManualEsqueceOHistoricoNaRegra2) {
    regra(2);
    mov("E+", "10", "2", "2026-01-01");
    mov("E+", "10", "7", "2026-01-02", "001", "{M}");
    EXPECT_EQ(pmc().toString(), "4.5000");
    ASSERT_GT(db->insert("MovProdutoAlteraPMC", {"Produto", "Data", "IdentificaMP"}, {"P1", "2026-01-02", "{M}"}), 0);
    EXPECT_EQ(pmc().toString(), "7.0000");
    mov("E+", "10", "9", "2026-01-03");
    EXPECT_EQ(pmc().toString(), "8.0000");
}

TEST_P(CustoMedioTest, Regra3RecomecaQuandoOStockAcaba) {
    regra(3);
    mov("E+", "10", "2", "2026-01-01");
    mov("S+", "10", "0", "2026-01-02");
    mov("E+", "10", "6", "2026-01-03");
    EXPECT_EQ(pmc().toString(), "6.0000");
    mov("S+", "15", "0", "2026-01-04"); // true stock -5: the average stock restarts at 0
    mov("E+", "10", "8", "2026-01-05");
    EXPECT_EQ(pmc().toString(), "8.0000");
    regra(2);
    // Rule 2 keeps the negative stock: (-5 x 6 + 80) / 5.
    EXPECT_EQ(pmc().toString(), "10.0000");
}

TEST_P(CustoMedioTest, MediaPorArmazem) {
    regra(2);
    mov("E+", "10", "2", "2026-01-01", "001");
    mov("E+", "10", "8", "2026-01-01", "002");
    EXPECT_EQ(pmc({}, "001").toString(), "2.0000");
    EXPECT_EQ(pmc({}, "002").toString(), "8.0000");
    EXPECT_EQ(pmc().toString(), "5.0000");
}

TEST_P(CustoMedioTest, PontoDeControloIgualAoCalculoCompleto) {
    QRandomGenerator rng(20261206);
    for (int r : {1, 2, 3}) {
        regra(r);
        ASSERT_TRUE(db->exec("DELETE FROM MovProduto"));
        ASSERT_TRUE(db->exec("DELETE FROM MovProdutoAlteraPMC"));
        const char* tipos[] = {"E+", "E+", "E+", "S+", "S+", "S-", "E-", "NA"};
        for (int i = 0; i < 60; ++i) {
            // Mostly in date order, sometimes backdated, sometimes on the same day.
            const int dia = (i % 7 == 3) ? 1 + int(rng.bounded(i / 2 + 1)) : 1 + i / 2;
            const QString data = QDate(2026, 1, 1).addDays(dia).toString("yyyy-MM-dd");
            const QByteArray q = QByteArray::number(1 + rng.bounded(20));
            const QByteArray p = QByteArray::number(rng.bounded(1000) / 100.0, 'f', 2);
            const QString ident = QStringLiteral("{%1}").arg(i);
            mov(tipos[rng.bounded(8)], q.constData(), p.constData(), data, i % 3 ? "001" : "002", ident);
            if (i == 40) {
                ASSERT_GT(db->insert("MovProdutoAlteraPMC", {"Produto", "Data", "IdentificaMP"}, {"P1", data, ident}), 0);
            }
            if (i % 5 == 0) {
                confere({});
                confere({data, 0, false, {}});
                confere({data, 0, false, "001"}, {"E+", C("3"), C("1.5"), 0});
            }
            if (i == 30) { // a removal before the checkpoint
                ASSERT_TRUE(db->exec("DELETE FROM MovProduto WHERE NumRegisto=(SELECT MIN(NumRegisto) FROM MovProduto)"));
            }
            if (i == 50) { // a change of an old row's price
                ASSERT_TRUE(db->exec("UPDATE MovProduto SET Preco=Preco+1 WHERE NumRegisto=(SELECT MIN(NumRegisto) FROM "
                                     "MovProduto WHERE AfectaStk='E+')"));
            }
        }
        const qint64 meio = db->scalar("SELECT MAX(NumRegisto) FROM MovProduto").toLongLong() - 10;
        confere({"2026-01-20", meio, false, {}});
        confere({"2026-01-20", meio, true, {}});
        confere({});
        confere({});
    }
}

TEST_P(CustoMedioTest, LeitoresDePrecos) {
    mov("E+", "1", "3", "2026-01-01", "001");
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET Armazem_UPCusto=3.5, Armazem_PMCusto=3.25, UPCusto=3.1"));
    mov("E+", "1", "4", "2026-02-01", "001");
    const PrecosArmazem a = PrecosArmazemUltimaEntrada(*db, "P1", "001", "2026-01-15");
    EXPECT_TRUE(a.encontrado);
    EXPECT_EQ(a.preco.toString(), "3.0000");
    EXPECT_EQ(a.upCusto.toString(), "3.5000");
    EXPECT_EQ(a.pmCusto.toString(), "3.2500");
    EXPECT_FALSE(PrecosArmazemUltimaEntrada(*db, "P1", "002", "2026-12-31").encontrado);
    ASSERT_GT(db->insert("Produtos", {"Codigo", "UltPrecoCusto", "PrecoMedioCusto"}, {"P1", "7.5", "6.25"}), 0);
    EXPECT_EQ(PrecoPorTipo(*db, "UPCUSTO", "PRODUTOS", "P1").toString(), "7.5000");
    EXPECT_EQ(PrecoPorTipo(*db, "PMCUSTO", "PRODUTOS", "P1").toString(), "6.2500");
    EXPECT_EQ(PrecoPorTipo(*db, "UPCUSTO", "MOVPRODUTO", "P1", "2026-03-01").toString(), "3.1000");
}

TEST_P(CustoMedioTest, RecalculoAposEliminarSoNaRegra2) {
    ASSERT_GT(db->insert("Produtos", {"Codigo", "PrecoMedioCusto"}, {"P1", "9"}), 0);
    mov("E+", "10", "2");
    const qint64 n = mov("E+", "10", "4");
    ASSERT_TRUE(db->exec("DELETE FROM MovProduto WHERE NumRegisto=?", {n}));
    regra(1);
    ASSERT_TRUE(RecalculaCustoMedioAposEliminacao(*db, "P1"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos")).toString(), "9.0000");
    regra(2);
    ASSERT_TRUE(RecalculaCustoMedioAposEliminacao(*db, "P1"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos")).toString(), "2.0000");
}


TEST_P(CustoMedioTest, Regra1AposAlteracaoManualSegueAOrdemDoLedger) {
    regra(1);
    mov("E+", "10", "2", "2026-01-10");
    mov("E+", "10", "10", "2026-03-10"); // recorded before the changed row, dated after it
    mov("E+", "10", "6", "2026-02-10", "001", "{ALT}");
    ASSERT_GT(db->insert("MovProdutoAlteraPMC", {"Produto", "Data", "IdentificaMP"}, {"P1", "2026-02-10", "{ALT}"}), 0);
    EXPECT_EQ(pmc().toString(), "8.0000");
    EXPECT_EQ(pmc("2026-02-28").toString(), "6.0000");
    CorteCustoMedio c;
    confere(c);
}

TEST_P(CustoMedioTest, Regra1EntradasQueSeAnulamGuardamAMediaAnterior) {
    regra(1);
    mov("E+", "10", "2", "2026-01-10");
    mov("E+", "10", "4", "2026-01-11");
    mov("E-", "20", "3", "2026-01-12");
    EXPECT_EQ(pmc().toString(), "3.0000") << "nothing left to divide by: the average before holds";
    EXPECT_EQ(CalculaPrecoMedioCusto(*db, "P1", {"E+", C("7"), C("5"), 0}, {})->toString(), "7.0000");
    // From the checkpoint too.
    EXPECT_EQ(pmc().toString(), "3.0000");
    confere({});
}

TEST_P(CustoMedioTest, FichaDoProdutoActualizadaSoNoFimDaHistoria) {
    ASSERT_GT(db->insert("Produtos", {"Codigo", "PrecoMedioCusto"}, {"P1", "1"}), 0);
    auto ficha = [&] {
        return Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='P1'"));
    };

    // Without ledger rows there is no end to compare with: nothing changes and the caller recomputes.
    EXPECT_EQ(GravaCustoMedioFichaSeUltimaData(*db, "P1", C("9"), "2026-03-01"), 0);
    EXPECT_EQ(ficha().toString(), "1.0000");

    mov("E+", "1", "2", "2026-03-01");
    EXPECT_EQ(GravaCustoMedioFichaSeUltimaData(*db, "P1", C("2"), "2026-03-01"), 1) << "same date ends the history";
    EXPECT_EQ(ficha().toString(), "2.0000");
    mov("E+", "1", "4", "2026-04-01");
    EXPECT_EQ(GravaCustoMedioFichaSeUltimaData(*db, "P1", C("7"), "2026-03-01"), 0) << "a later row exists";
    EXPECT_EQ(ficha().toString(), "2.0000");

    EXPECT_TRUE(GravaCustoMedioFicha(*db, "P1", C("3.25")));
    EXPECT_EQ(ficha().toString(), "3.2500");
}

// Postings at the end of a history move the checkpoint only now and then: every average in between
// still equals the whole-history one, per warehouse too, under each rule.
TEST_P(CustoMedioTest, PontoMovidoDeTempoATempoIgualAoCalculoCompleto) {
    QRandomGenerator rng(20261207);
    for (int r : {1, 2, 3}) {
        regra(r);
        ASSERT_TRUE(db->exec("DELETE FROM MovProduto"));
        const char* tipos[] = {"E+", "E+", "S+", "S-", "E-"};
        for (int i = 0; i < 90; ++i) {
            const QString data = QDate(2026, 1, 1).addDays(i / 3).toString("yyyy-MM-dd");
            const QByteArray q = QByteArray::number(1 + rng.bounded(9));
            const QByteArray p = QByteArray::number(1 + rng.bounded(500) / 100.0, 'f', 2);
            mov(tipos[rng.bounded(5)], q.constData(), p.constData(), data, i % 2 ? "001" : "002");
            confere({data, 0, false, {}}, {"E+", C("2"), C("1.25"), 0});
            confere({data, 0, false, "002"});
        }
    }
}

// Costs written back to a posted row leave the checkpoints; a change of what the average reads drops them.
TEST_P(CustoMedioTest, CustosEscritosNaLinhaNaoApagamOPonto) {
    regra(2);
    mov("E+", "10", "2");
    const qint64 n = mov("E+", "10", "4");
    confere({});
    const auto pontos = [&] { return db->scalar("SELECT COUNT(*) FROM MovProdutoPMCEstado").toInt(); };
    ASSERT_EQ(pontos(), 1);
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET PMCusto=3, Armazem_PMCusto=3, UPCompra=4 WHERE NumRegisto=?", {n}));
    EXPECT_EQ(pontos(), 1);
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET Preco=6 WHERE NumRegisto=?", {n}));
    EXPECT_EQ(pontos(), 0);
    EXPECT_EQ(pmc().toString(), "4.0000");
    confere({});
}

LUMO_INSTANCIAR_MOTORES(CustoMedioTest);
