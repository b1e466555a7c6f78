#include "common/Currency.h"
#include "support/DbTest.h"

#include <QSqlQuery>

class DatabaseTest : public DbTest {};

TEST_P(DatabaseTest, TransaccaoDesfeitaNaoDeixaNada) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE t1 (NumRegisto INTEGER, Codigo VARCHAR(10))")));
    {
        Transaction tr(*db);
        ASSERT_TRUE(tr.ok());
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t1 (NumRegisto, Codigo) VALUES (?,?)"), {1, "A"}));
        {
            Transaction interior(*db);
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t1 (NumRegisto, Codigo) VALUES (?,?)"), {2, "B"}));
            // no commit: the inner step is undone
        }
        ASSERT_TRUE(tr.commit());
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM t1")).toInt(), 1);
    {
        Transaction tr(*db);
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO t1 (NumRegisto, Codigo) VALUES (?,?)"), {3, "C"}));
        // destructor rolls back
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM t1")).toInt(), 1);
    EXPECT_FALSE(db->emTransaccao());
}

TEST_P(DatabaseTest, SomaExactaDeUmMilhaoDeQuantidades) {
    {
        Transaction tr(*db);
        // One million ledger rows of 0.0001 and 0.1 alternately: sums in binary floating point drift.
        // PostgreSQL's numeric is exact by itself, so a hundredth of the rows is enough there.
        const QString linhas = isSQLite()
            ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<1000000) ")
            : QString();
        const QString origem = isSQLite() ? QStringLiteral("n") : QStringLiteral("generate_series(1,10000) AS i");
        ASSERT_TRUE(db->exec(linhas + QStringLiteral("INSERT INTO MovProduto (Codigo, AfectaStk, QuantNormal) "
                                                     "SELECT 'P1', 'E+', CASE WHEN i%2=0 THEN 0.0001 ELSE 0.1 END "
                                                     "FROM ") + origem));
        ASSERT_TRUE(tr.commit());
    }
    EXPECT_EQ(Currency::fromVariant(db->scalar(QStringLiteral("SELECT SUM(QuantNormal) FROM MovProduto"))).toString(),
              isSQLite() ? QStringLiteral("50050.0000") : QStringLiteral("500.5000"));
    EXPECT_EQ(Currency::fromVariant(db->scalar(QStringLiteral("SELECT SUM(QuantNormal) FROM MovProduto WHERE QuantNormal < ?"),
                                               {Currency::fromString("0.001").toVariant()}))
                  .toString(),
              isSQLite() ? QStringLiteral("50.0000") : QStringLiteral("0.5000"));
    // Read back row by row, each value is exact too.
    auto q = db->query(QStringLiteral("SELECT QuantNormal FROM MovProduto WHERE NumRegisto <= 4 ORDER BY NumRegisto"));
    ASSERT_TRUE(q);
    QStringList lidos;
    while (q->next())
        lidos << Currency::fromVariant(q->value(0)).toString();
    EXPECT_EQ(lidos, QStringList({"0.1000", "0.0001", "0.1000", "0.0001"}));
}

TEST_P(DatabaseTest, ValoresComApostrofosVoltamIntactos) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE p (Codigo VARCHAR(40), Descricao VARCHAR(80))")));
    const QString mau = QStringLiteral("X'; DROP TABLE p; --");
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO p (Codigo, Descricao) VALUES (?, ?)"), {mau, "O'Neil /* c */"}));
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO p (Codigo, Descricao) VALUES (?, ?)"), {"B", "outro"}));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Descricao FROM p WHERE Codigo = ?"), {mau}).toString(),
              QStringLiteral("O'Neil /* c */"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM p")).toInt(), 2);
}

TEST_P(DatabaseTest, ConsultaDentroDeOutraNaoPerdeLinhas) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE n (i INTEGER)")));
    for (int i = 1; i <= 50; ++i)
        ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO n (i) VALUES (?)"), {i}));
    auto q = db->query(QStringLiteral("SELECT i FROM n ORDER BY i"));
    ASSERT_TRUE(q);
    int lidas = 0, soma = 0;
    while (q->next()) {
        ++lidas;
        soma += db->scalar(QStringLiteral("SELECT i FROM n WHERE i=?"), {q->value(0)}).toInt();
    }
    EXPECT_EQ(lidas, 50);
    EXPECT_EQ(soma, 1275);
}

LUMO_INSTANCIAR_MOTORES(DatabaseTest);
