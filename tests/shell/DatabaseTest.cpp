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

TEST_P(DatabaseTest, SomaExactaDeMuitosValores) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE v (x NUMERIC(19,4))")));
    {
        Transaction tr(*db);
        // 100 000 rows of 0.0001 and of 0.1: a sum in binary floating point drifts, ours must not.
        if (isSQLite()) {
            ASSERT_TRUE(db->exec(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<100000) "
                "INSERT INTO v (x) SELECT CASE WHEN i%2=0 THEN 0.0001 ELSE 0.1 END FROM n")));
        } else {
            ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO v (x) SELECT CASE WHEN i%2=0 THEN 0.0001 ELSE 0.1 END "
                                                "FROM generate_series(1,100000) AS i")));
        }
        ASSERT_TRUE(tr.commit());
    }
    const Currency soma = Currency::fromVariant(db->scalar(QStringLiteral("SELECT SUM(x) FROM v")));
    EXPECT_EQ(soma.toString(), QStringLiteral("5005.0000"));
    const Currency parcial =
        Currency::fromVariant(db->scalar(QStringLiteral("SELECT SUM(x) FROM v WHERE x < ?"), {Currency::fromString("0.001").toVariant()}));
    EXPECT_EQ(parcial.toString(), QStringLiteral("5.0000"));
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
