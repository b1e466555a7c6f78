#include "db/esquema/EsquemaRotinas.h"
#include "company/Mavo.h"
#include "support/DbTest.h"

#include <QDate>

class MavoBaseDadosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(CriaTabela(*db, QStringLiteral("Codigos")));
        ASSERT_TRUE(AdicionaCampo(*db, QStringLiteral("Codigos"), txt(QStringLiteral("Codigo"), 10)));
        ASSERT_TRUE(AdicionaCampo(*db, QStringLiteral("Codigos"), txt(QStringLiteral("Grupo"), 10)));
    }
    void codigos(std::initializer_list<const char*> cs, const char* grupo = "G") {
        for (const char* c : cs)
            ASSERT_TRUE(db->insert(QStringLiteral("Codigos"), {QStringLiteral("Codigo"), QStringLiteral("Grupo")},
                                   {QString::fromUtf8(c), QString::fromUtf8(grupo)}) > 0);
    }
};

TEST_P(MavoBaseDadosTest, ProximoCodigoSoContaCodigosNumericos) {
    Mavo m(ctx);
    EXPECT_EQ(m.GetProximoCodigo(*db, "Codigos", "Codigo"), "1");
    codigos({"7", "A1"});
    EXPECT_EQ(m.GetProximoCodigo(*db, "Codigos", "Codigo"), "8");
    codigos({"12\\3", "0009", " 5", "3.5"});
    EXPECT_EQ(m.GetProximoCodigo(*db, "Codigos", "Codigo"), "10");
    codigos({"99"}, "H");
    EXPECT_EQ(m.GetProximoCodigo(*db, "Codigos", "Codigo", " AND Grupo=?", {"G"}), "10");
    EXPECT_EQ(m.GetProximoCodigo(*db, "Codigos", "Codigo"), "100");
}

TEST_P(MavoBaseDadosTest, CampoDeConsultaSemLinhasDaVazioOuZero) {
    Mavo m(ctx);
    const QString sql = QStringLiteral("SELECT Codigo FROM Codigos WHERE Grupo=?");
    EXPECT_EQ(m.Select_Retorna_Campo_var(sql, {"X"}, "Codigo", true), QVariant(0));
    EXPECT_EQ(m.Select_Retorna_Campo_var(sql, {"X"}, "Codigo", false), QVariant(QString()));
    codigos({"42"});
    EXPECT_EQ(m.Select_Retorna_Campo_var(sql, {"G"}, "codigo").toString(), "42");
    // A failing query behaves as "no row", it does not throw.
    EXPECT_EQ(m.Select_Retorna_Campo_var("SELECT x FROM TabelaInexistente", {}, "x", true), QVariant(0));
}

TEST_P(MavoBaseDadosTest, ContaRegistosComCondicaoEDistintos) {
    Mavo m(ctx);
    codigos({"1", "2", "2"});
    codigos({"3"}, "H");
    EXPECT_EQ(m.ContaRegistos_lng("Codigos"), 4);
    EXPECT_EQ(m.ContaRegistos_lng("Codigos", "*", "WHERE Grupo=?", {"G"}), 3);
    EXPECT_EQ(m.ContaRegistos_lng("Codigos", "Codigo", "WHERE Grupo=?", {"G"}, true), 2);
    EXPECT_EQ(m.ContaRegistos_lng("Codigos; DROP TABLE Codigos"), 0);
    EXPECT_TRUE(ExisteTabela(*db, "Codigos"));
}

TEST_P(MavoBaseDadosTest, RotinasDeEsquemaSaoIdempotentes) {
    EXPECT_TRUE(ExisteTabela(*db, "codigos")); // names are not case-sensitive
    EXPECT_FALSE(ExisteTabela(*db, "Nada"));
    EXPECT_TRUE(ExisteCampo(*db, "Codigos", "GRUPO"));
    EXPECT_FALSE(ExisteCampo(*db, "Codigos", "Outro"));
    EXPECT_TRUE(AdicionaCampo(*db, "Codigos", money("Valor")));
    EXPECT_TRUE(AdicionaCampo(*db, "Codigos", money("Valor")));
    EXPECT_TRUE(ExisteCampo(*db, "Codigos", "Valor"));
    EXPECT_TRUE(CriaIndice(*db, "Codigos", "IX_Codigos_T", {"Grupo", "Codigo"}, false));
    EXPECT_TRUE(CriaIndice(*db, "Codigos", "IX_Codigos_T", {"Grupo", "Codigo"}, false));
    EXPECT_FALSE(CriaIndice(*db, "Codigos", "IX bad", {"Grupo"}, false));
    EXPECT_FALSE(CriaTabela(*db, "Codigos")); // exists already
}

TEST_P(MavoBaseDadosTest, TabelasTemporariasSaoDaLigacao) {
    Mavo m(ctx);
    ASSERT_TRUE(m.Cria_Tabela_Temporaria(*db, "Trabalho"));
    ASSERT_TRUE(db->exec("INSERT INTO Trabalho DEFAULT VALUES"));
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Trabalho").toInt(), 1);
    auto outra = novaLigacao();
    ASSERT_TRUE(outra);
    EXPECT_FALSE(outra->lerValor("SELECT COUNT(*) FROM Trabalho")) << "a work table must not be visible to another connection";
    EXPECT_TRUE(m.Elimina_Tabela_Temporaria(*db, "Trabalho"));
    EXPECT_FALSE(m.Cria_Tabela_Temporaria(*db, "x; drop table Codigos"));
}

TEST_P(MavoBaseDadosTest, DataDoServidor) {
    Mavo m(ctx);
    const QDateTime agora = m.Get_DataSysServer();
    ASSERT_TRUE(agora.isValid());
    EXPECT_LT(qAbs(agora.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(m.Get_DataServerStr(), agora.date().toString("yyyy-MM-dd"));
    EXPECT_EQ(m.Get_DataServer(), agora.date().toString("dd-MM-yyyy"));
    EXPECT_TRUE(Mavo::Testa_Connection(db.get()));
    auto outra = novaLigacao();
    Mavo::Fecha_Conneccao(outra.get());
    EXPECT_FALSE(Mavo::Testa_Connection(outra.get()));
}

LUMO_INSTANCIAR_MOTORES(MavoBaseDadosTest);
