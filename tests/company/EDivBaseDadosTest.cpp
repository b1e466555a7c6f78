#include "company/EDiv.h"
#include "support/DbTest.h"

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class EDivBaseDados : public DbTest {
protected:
    bool executar(const EDiv::ComandoSQL& c) { return c.valido() && db->exec(c.sql, c.valores); }
    QVariant campo(const QString& codigo, const QString& nome) {
        return EDiv::GetFieldValue(*db, QStringLiteral("SELECT * FROM ediv_t WHERE Codigo = ?"), {codigo}, nome);
    }
};

TEST_P(EDivBaseDados, TextosPerigososVoltamIntactos) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE ediv_t (Codigo VARCHAR(60), Descricao VARCHAR(200), "
                                        "Activo INTEGER, Valor NUMERIC(19,4), Data VARCHAR(10))")));
    const QString codigo = QStringLiteral("X'; DROP TABLE ediv_t; --");
    const QString descricao = QStringLiteral("O'Neil /* nada */ ; -- 'fim' \\ ´`");
    const QStringList campos{"Codigo", "Descricao", "Activo", "Valor", "Data"};
    ASSERT_TRUE(executar(EDiv::InsertSQL(QStringLiteral("ediv_t"), campos,
                                         {codigo, descricao, true, QVariant::fromValue(Currency::fromRaw(-12345678)),
                                          QDate(2024, 2, 29)})))
        << db->lastError().toStdString();
    ASSERT_TRUE(executar(EDiv::InsertSQL(QStringLiteral("ediv_t"), campos,
                                         {QStringLiteral("B"), QStringLiteral("outro"), false, QVariant(), QVariant()})));

    EXPECT_EQ(campo(codigo, QStringLiteral("Descricao")).toString(), descricao);
    EXPECT_EQ(campo(codigo, QStringLiteral("activo")).toInt(), -1);
    EXPECT_EQ(campo(QStringLiteral("B"), QStringLiteral("Activo")).toInt(), 0);
    EXPECT_EQ(Currency::fromVariant(campo(codigo, QStringLiteral("Valor"))).toString(), "-1234.5678");
    EXPECT_EQ(campo(codigo, QStringLiteral("Data")).toString(), "2024-02-29");

    const QString nova = QStringLiteral("nova ' ; DELETE FROM ediv_t; /*");
    ASSERT_TRUE(executar(EDiv::UpdateSQL(QStringLiteral("ediv_t"), {"Descricao", "Activo"}, {nova, false},
                                         QStringLiteral("WHERE Codigo = ?"), {codigo})))
        << db->lastError().toStdString();
    EXPECT_EQ(campo(codigo, QStringLiteral("Descricao")).toString(), nova);
    EXPECT_EQ(campo(codigo, QStringLiteral("Activo")).toInt(), 0);
    EXPECT_EQ(campo(QStringLiteral("B"), QStringLiteral("Descricao")).toString(), "outro");
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM ediv_t")).toInt(), 2);

    // No row, no such field, or a failing query: an invalid value.
    EXPECT_FALSE(campo(QStringLiteral("Z"), QStringLiteral("Activo")).isValid());
    EXPECT_FALSE(campo(QStringLiteral("B"), QStringLiteral("NaoExiste")).isValid());
    EXPECT_FALSE(EDiv::GetFieldValue(*db, QStringLiteral("SELECT * FROM nao_existe"), {}, QStringLiteral("a")).isValid());
}

LUMO_INSTANCIAR_MOTORES(EDivBaseDados);
