#include "db/esquema/Esquema.h"
#include "common/Currency.h"
#include "support/DbTest.h"
#include "support/Golden.h"
#include "support/SemFalha.h"

#include <QFile>
#include <QSet>
#include <QSqlQuery>
#include <QTextStream>

namespace {

QString ficheiroGolden(const Dialect& d) {
    return QStringLiteral(LUMO_TESTS_DIR "/db/esquema/golden/empresa_%1.sql").arg(d.nome());
}

QStringList lerLinhas(const QString& caminho) {
    const auto conteudo = lerGolden(caminho);
    if (!conteudo)
        return {};
    QStringList r = QString::fromUtf8(*conteudo).split(u'\n');
    while (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

} // namespace

// A schema change must show up as a diff of the golden files. LUMO_ACTUALIZAR_GOLDEN=1 rewrites them.
TEST(SchemaGolden, DdlIgualAosFicheirosGuardados) {
    for (Dialect::Motor m : {Dialect::Motor::SQLite, Dialect::Motor::PostgreSQL}) {
        const auto d = Dialect::criar(m);
        const QStringList ddl = ddlEmpresa(*d);
        const QString caminho = ficheiroGolden(*d);
        if (actualizarGolden()) {
            ASSERT_TRUE(escreverGolden(caminho, (ddl.join(u'\n') + u'\n').toUtf8())) << caminho.toStdString();
            continue;
        }
        const QStringList guardado = lerLinhas(caminho);
        ASSERT_FALSE(guardado.isEmpty()) << "falta " << caminho.toStdString();
        for (qsizetype i = 0; i < qMin(ddl.size(), guardado.size()); ++i)
            ASSERT_EQ(ddl[i].toStdString(), guardado[i].toStdString())
                << d->nome().toStdString() << " linha " << i + 1;
        EXPECT_EQ(ddl.size(), guardado.size()) << d->nome().toStdString();
    }
}

// Names that collide without regard to case would silently leave a table or index uncreated.
TEST(SchemaGolden, NomesDeclaradosNaoSeRepetem) {
    QSet<QString> tabelas, indices;
    for (const TabelaDef& t : tabelasEmpresa()) {
        EXPECT_FALSE(tabelas.contains(t.nome.toLower())) << t.nome.toStdString();
        tabelas.insert(t.nome.toLower());
        QSet<QString> colunas{QStringLiteral("numregisto")};
        for (const ColunaDef& c : t.colunas) {
            EXPECT_FALSE(colunas.contains(c.nome.toLower()))
                << t.nome.toStdString() << "." << c.nome.toStdString();
            colunas.insert(c.nome.toLower());
            if (c.tipo == TipoColuna::Texto) {
                EXPECT_GT(c.tamanho, 0) << t.nome.toStdString() << "." << c.nome.toStdString();
            }
        }
        for (const IndiceDef& i : t.indices) {
            EXPECT_FALSE(indices.contains(i.nome.toLower())) << i.nome.toStdString();
            indices.insert(i.nome.toLower());
            for (const QString& c : i.colunas)
                EXPECT_TRUE(colunas.contains(c.toLower())) << i.nome.toStdString() << ": " << c.toStdString();
        }
    }
}

class SchemaTest : public DbTest {};

TEST_P(SchemaTest, AplicarDuasVezesMantemDadosEVersao) {
    ASSERT_TRUE(db->insert(QStringLiteral("Produtos"), {"Codigo", "Descricao", "PrecoMedioCusto"},
                           {"MP001", "Tábua de pinho", "12.5000"}));
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM EsquemaVersao")).toInt(), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Versao FROM EsquemaVersao")).toInt(), VersaoEsquema);
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {"mp001"}).toString(),
        QStringLiteral("Tábua de pinho"));
}

TEST_P(SchemaTest, TabelaEColunaEmFaltaSaoRepostas) {
    // An older database: TabLotes missing, MovProdutoAlteraPMC without most of its columns.
    ASSERT_TRUE(db->exec(QStringLiteral("DROP TABLE TabLotes")));
    ASSERT_TRUE(db->exec(QStringLiteral("DROP TABLE MovProdutoAlteraPMC")));
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE MovProdutoAlteraPMC (%1, Produto VARCHAR(15))")
                             .arg(db->dialect().colunaIdentidade())));
    ASSERT_TRUE(db->insert(QStringLiteral("MovProdutoAlteraPMC"), {"Produto"}, {"PA001"}));
    ASSERT_TRUE(db->insert(QStringLiteral("MovProdutoAlteraPMC"), {"Produto"}, {"PA002"}));

    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));

    EXPECT_TRUE(db->dialect().existeTabela(*db, QStringLiteral("TabLotes")));
    EXPECT_TRUE(db->dialect().existeCampo(*db, QStringLiteral("MovProdutoAlteraPMC"),
                                          QStringLiteral("IdentificaMP")));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM MovProdutoAlteraPMC")).toInt(), 2);
    // The new columns are usable on the old rows.
    ASSERT_TRUE(db->update(QStringLiteral("MovProdutoAlteraPMC"), {"Data", "IdentificaMP"},
                           {"2026-01-31", "{abc}"}, QStringLiteral("WHERE Produto=?"), {"PA002"}));
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT Produto FROM MovProdutoAlteraPMC WHERE Data=?"), {"2026-01-31"})
            .toString(),
        QStringLiteral("PA002"));
    ASSERT_TRUE(db->insert(QStringLiteral("TabLotes"), {"Produto", "Codigo"}, {"MP001", "L1"}));
    // The unique index came back with the table.
    EXPECT_FALSE(db->insert(QStringLiteral("TabLotes"), {"Produto", "Codigo"}, {"MP001", "L1"}));
}

TEST_P(SchemaTest, ValoresMonetariosVoltamExactos) {
    const QStringList valores{"922337203.5807", "-0.0001", "12345678.1234", "0.1000", "-99999.9999"};
    Currency esperado;
    for (const QString& v : valores) {
        const Currency c = Currency::fromString(v);
        esperado += c;
        ASSERT_TRUE(db->insert(QStringLiteral("MovProduto"), {"Codigo", "Preco", "QuantNormal", "ValorIliq"},
                               {"MP001", c.toVariant(), c.toVariant(), c.toVariant()}))
            << db->lastError().toStdString();
    }
    auto q =
        db->query(QStringLiteral("SELECT Preco, QuantNormal, ValorIliq FROM MovProduto ORDER BY NumRegisto"));
    ASSERT_TRUE(q);
    int i = 0;
    while (q->next()) {
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(Currency::fromVariant(q->value(col)).toString(),
                      Currency::fromString(valores[i]).toString())
                << "linha " << i << " coluna " << col;
        ++i;
    }
    EXPECT_EQ(i, valores.size());
    EXPECT_EQ(Currency::fromVariant(db->scalar(QStringLiteral("SELECT SUM(QuantNormal) FROM MovProduto"))),
              esperado);
    EXPECT_EQ(Currency::fromVariant(db->scalar(
                  QStringLiteral("SELECT SUM(ValorIliq) FROM MovProduto WHERE Codigo=?"), {"MP001"})),
              esperado);
}

LUMO_INSTANCIAR_MOTORES(SchemaTest);

// Opening a company at the current schema runs no DDL (it would take locks that deadlock with other
// workstations' postings); a changed schema is applied again.
TEST_P(SchemaTest, EsquemaActualNaoVoltaAAplicarDdl) {
    auto temIndice = [&] {
        const QString sql = isSQLite()
            ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='index' AND lower(name)='ix_movproduto_1'")
            : QStringLiteral("SELECT COUNT(*) FROM pg_indexes WHERE indexname='ix_movproduto_1'");
        return db->scalar(sql).toInt() == 1;
    };
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT Assinatura FROM EsquemaVersao")).toString(),
              assinaturaEsquema(db->dialect()));
    ASSERT_TRUE(temIndice());
    ASSERT_TRUE(db->exec(QStringLiteral("DROP INDEX IX_MovProduto_1")));
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    EXPECT_FALSE(temIndice()) << "DDL ran although the schema was current";
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE EsquemaVersao SET Assinatura='anterior'")));
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    EXPECT_TRUE(temIndice());
}

// A trigger whose definition changed is replaced when the schema is applied again, on both engines
// (SQLite's CREATE TRIGGER IF NOT EXISTS alone kept the old body for ever).
TEST_P(SchemaTest, GatilhoMudadoESubstituido) {
    auto definicao = [&] {
        return db->scalar(isSQLite() ? QStringLiteral("SELECT sql FROM sqlite_master WHERE type='trigger' AND "
                                                      "name='TR_MovProduto_PMC_U'")
                                     : QStringLiteral("SELECT pg_get_triggerdef(oid) FROM pg_trigger WHERE "
                                                      "tgname='tr_movproduto_pmc_u'"))
            .toString();
    };
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    ASSERT_TRUE(definicao().contains(QStringLiteral("UPDATE OF"), Qt::CaseInsensitive)) << definicao().toStdString();
    if (isSQLite()) {
        ASSERT_TRUE(db->exec(QStringLiteral("DROP TRIGGER TR_MovProduto_PMC_U")));
        ASSERT_TRUE(db->exec(QStringLiteral("CREATE TRIGGER TR_MovProduto_PMC_U AFTER UPDATE ON MovProduto FOR EACH "
                                            "ROW BEGIN DELETE FROM MovProdutoPMCEstado; END")));
    } else {
        ASSERT_TRUE(db->exec(QStringLiteral("CREATE OR REPLACE TRIGGER TR_MovProduto_PMC_U AFTER UPDATE ON MovProduto "
                                            "FOR EACH ROW EXECUTE FUNCTION TR_MovProduto_PMC_U_fn()")));
    }
    ASSERT_FALSE(definicao().contains(QStringLiteral("UPDATE OF"), Qt::CaseInsensitive));
    ASSERT_TRUE(db->exec(QStringLiteral("UPDATE EsquemaVersao SET Assinatura='anterior'")));
    ASSERT_TRUE(semFalha(aplicarEsquemaEmpresa(*db)));
    EXPECT_TRUE(definicao().contains(QStringLiteral("UPDATE OF"), Qt::CaseInsensitive)) << definicao().toStdString();
    EXPECT_EQ(db->scalar(isSQLite() ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='trigger'")
                                    : QStringLiteral("SELECT COUNT(*) FROM pg_trigger WHERE NOT tgisinternal"))
                  .toInt(),
              int(gatilhosEmpresa().size()));
}
