#include "session/LogGeral.h"
#include "support/DbTest.h"

#include <QSqlField>

class LogGeralTest : public DbTest {
protected:
    int entradas() { return db->scalar("SELECT COUNT(*) FROM LogGeral").toInt(); }
};

TEST_P(LogGeralTest, EscreveSalvoQuandoOUtilizadorODesligou) {
    EntradaLog e;
    e.modulo = "TB";
    e.accao = "N";
    e.descricao = QString(120, u'x');
    e.observa = "Grupo 'A'; -- novo";
    e.valor = Currency::fromString("12.3456");
    ASSERT_TRUE(LogGeral(ctx, e)); // no UtilConfGeral row: the log is on
    ASSERT_EQ(entradas(), 1);
    auto q = db->query("SELECT Utilizador, Descricao, Observa, Valor FROM LogGeral");
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(0).toString(), "01");
    EXPECT_EQ(q->value(1).toString().size(), 100);
    EXPECT_EQ(q->value(2).toString(), "Grupo 'A'; -- novo");
    EXPECT_EQ(Currency::fromVariant(q->value(3)).toString(), "12.3456");

    ASSERT_TRUE(db->insert("UtilConfGeral", {"Utilizador", "ActivaLogGeral"}, {"01", 0}) > 0);
    EXPECT_TRUE(LogGeral(ctx, e));
    EXPECT_EQ(entradas(), 1) << "a user with the log turned off writes nothing";
    ASSERT_TRUE(db->exec("UPDATE UtilConfGeral SET ActivaLogGeral=1"));
    EXPECT_TRUE(LogGeral(ctx, e));
    EXPECT_EQ(entradas(), 2);
}

TEST_P(LogGeralTest, AlteracoesListadasSemValoresDePasswords) {
    const qint64 n = db->insert("Utilizador", {"Codigo", "Login", "Password", "Contactos"},
                                {"05", "Rita", "hash-antigo-secreto", "912000000"});
    ASSERT_GT(n, 0);
    const QSqlRecord antes = lerRegisto(*db, "Utilizador", n);
    ASSERT_TRUE(db->update("Utilizador", {"Login", "Password", "Contactos"}, {"Rita S", "hash-novo-secreto", "912000000"},
                           "WHERE NumRegisto=?", {n}));
    const QSqlRecord depois = lerRegisto(*db, "Utilizador", n);
    EntradaLog e;
    e.modulo = "TB";
    e.accao = "A";
    e.descricao = "Utilizador 05";
    ASSERT_TRUE(LogGeral(ctx, e, &antes, &depois));
    const QString obs = db->scalar("SELECT Observa FROM LogGeral").toString();
    EXPECT_TRUE(obs.contains("Login: (Rita -> Rita S)")) << obs.toStdString();
    EXPECT_TRUE(obs.contains("Password")) << obs.toStdString();
    EXPECT_FALSE(obs.contains("secreto")) << "no password value is ever written to the log";
    EXPECT_FALSE(obs.contains("Contactos")) << "unchanged columns are not listed";
}

TEST_P(LogGeralTest, DuracaoDeSessaoRecuaAData) {
    EntradaLog e;
    e.modulo = "LI";
    e.accao = "M";
    e.valor = Currency(3600);
    ASSERT_TRUE(LogGeral(ctx, e));
    const QDateTime quando =
        QDateTime::fromString(db->scalar("SELECT DataSys FROM LogGeral").toString(), "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(quando.isValid());
    EXPECT_NEAR(quando.secsTo(QDateTime::currentDateTime()), 3600, 120);
}

TEST_P(LogGeralTest, HistoricoDeCopias) {
    ASSERT_TRUE(LancaLOG_DB(ctx, "Segurança", "/copias/ExportTARVOEXTEST.zip"));
    ctx.CodigoUtilizador = "03";
    ASSERT_TRUE(LancaLOG_DB(ctx, "Segurança", "Cancelada", true));
    auto q = db->query("SELECT Accao, Data, Hora, Ficheiro, Utilizador, Posto FROM Log_DB ORDER BY NumRegisto");
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(0).toString(), "Segurança");
    EXPECT_EQ(q->value(1).toString(), QDate::currentDate().toString("yyyy-MM-dd"));
    EXPECT_EQ(q->value(2).toString().size(), 5);
    EXPECT_EQ(q->value(4).toString(), "01");
    EXPECT_EQ(q->value(5).toString(), "POSTO1");
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(4).toString(), "01") << "asked for the supervisor";
}

LUMO_INSTANCIAR_MOTORES(LogGeralTest);
