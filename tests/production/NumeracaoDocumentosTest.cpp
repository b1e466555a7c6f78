#include "production/NumeracaoDocumentos.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"

using namespace producao_teste;

// Numbers of several documents taken at once and the counters raised after: the same numbers as
// one by one, never one already used, and never a counter taken back.
class NumeracaoDocumentosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        criarEmpresaProducao(ctx);
    }
    QString ult(const char* tipo) {
        return db->scalar(QStringLiteral("SELECT UltNumero FROM TabTipoMov WHERE Codigo=?"), {QString::fromLatin1(tipo)})
            .toString();
    }
    void usarNoLedger(const char* tipo, const char* numero) {
        ASSERT_GT(db->insert("MovProduto", Registo()("Codigo", "MP1")("Tipo", tipo)("Numero", numero)("Ano", "2026")(
                                               "Data", "2026-03-10")("Armazem", "001")("AfectaStk", "S+")),
                  0);
    }
    QStringList numeros(const QStringList& tipos, const QHash<QString, QStringList>& reservados = {}) {
        const auto r = ProximosNumTabTipoMov(*db, tipos, QStringLiteral("2026-03-10"), reservados);
        EXPECT_TRUE(r.ok()) << r.mensagem().toStdString();
        return r.valorOu(QStringList());
    }
};

TEST_P(NumeracaoDocumentosTest, VariosDeUmaVezComoUmAUm) {
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET UltNumero='00000041' WHERE Codigo='EPR'"));
    EXPECT_EQ(numeros({"SPR", "EPR", "DPR", "RPR"}),
              QStringList({"00000001", "00000042", "00000001", "00000001"}));
    // One type twice: two numbers, past those reserved for it.
    EXPECT_EQ(numeros({"SPR", "DPR", "DPR"}, {{"DPR", {"00000001"}}}),
              QStringList({"00000001", "00000002", "00000003"}));
    // Nothing was written while numbering.
    EXPECT_EQ(ult("SPR"), "00000000");
}

TEST_P(NumeracaoDocumentosTest, ContadorAtrasadoNaoRepeteNumeros) {
    // Another program posted SPR 1 and 2 without moving the counter; a lot keeps DPR 1 for its return.
    usarNoLedger("SPR", "00000001");
    usarNoLedger("SPR", "00000002");
    ASSERT_GT(db->insert("Lotes", Registo()("lote", "0000000099")("Produto", "PA")("tipoRet", "DPR")(
                                      "Numeroret", "00000001")("Dataret", "2026-01-05")),
              0);
    EXPECT_EQ(numeros({"SPR", "EPR", "DPR"}), QStringList({"00000003", "00000001", "00000002"}));
    // Another year's number is free again.
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET Ano='2025'"));
    EXPECT_EQ(numeros({"SPR", "EPR"}), QStringList({"00000001", "00000001"}));
}

TEST_P(NumeracaoDocumentosTest, TipoInexistenteEOutrasNumeracoesRecusamOuSeguemUmAUm) {
    auto r = ProximosNumTabTipoMov(*db, {"SPR", "XYZ"}, QStringLiteral("2026-03-10"));
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.mensagem().contains("O tipo de movimento XYZ não existe")) << r.mensagem().toStdString();
    // Hash control numbers from the year's highest number in the ledger.
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET ControloHash=1 WHERE Codigo='SPR'"));
    usarNoLedger("SPR", "00000007");
    EXPECT_EQ(numeros({"SPR", "EPR"}), QStringList({"00000008", "00000001"}));
}

TEST_P(NumeracaoDocumentosTest, ContadoresSoSobem) {
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET UltNumero='00000050' WHERE Codigo='EPR'"));
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET UltNumero=NULL WHERE Codigo='DPR'"));
    ASSERT_TRUE(db->exec("UPDATE TabTipoMov SET UltNumero='A12' WHERE Codigo='RPR'"));
    ASSERT_TRUE(ActualizaUltNumeros(*db, {{"SPR", "00000003"}, {"SPR", "00000007"}, {"SPR", "00000005"},
                                          {"EPR", "00000009"}, {"DPR", "00000002"}, {"RPR", "00000004"}}));
    EXPECT_EQ(ult("SPR"), "00000007");
    EXPECT_EQ(ult("EPR"), "00000050");
    EXPECT_EQ(ult("DPR"), "00000002");
    EXPECT_EQ(ult("RPR"), "00000004");
    ASSERT_TRUE(ActualizaUltNumero(*db, "SPR", "00000006"));
    EXPECT_EQ(ult("SPR"), "00000007");

    const auto ultLote = [&] { return db->scalar("SELECT UltLote FROM configProd").toString(); };
    ASSERT_TRUE(ActualizaUltLote(*db, "0000000003"));
    EXPECT_EQ(ultLote(), "0000000005");
    ASSERT_TRUE(ActualizaUltLote(*db, "0000000012"));
    EXPECT_EQ(ultLote(), "0000000012");
    ASSERT_TRUE(db->exec("UPDATE configProd SET UltLote='F7'"));
    ASSERT_TRUE(ActualizaUltLote(*db, "0000000002"));
    EXPECT_EQ(ultLote(), "0000000002");
}

LUMO_INSTANCIAR_MOTORES(NumeracaoDocumentosTest);
