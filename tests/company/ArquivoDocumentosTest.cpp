#include "company/ArquivoDocumentos.h"
#include "db/Servidor.h"
#include "support/DbTest.h"
#include "support/RelatorioFilho.h"
#include "support/SemFalha.h"

#include <QProcess>
#include <QSet>
#include <QSqlRecord>
#include <memory>

// The company's document archive on both engines: its building and upgrade, and the filing of
// documents by several workstations at once.
class ArquivoDocumentosTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // One archive per case: runs sharing a PostgreSQL server never meet.
        ctx.CodigoEmpresa = codigoEmpresaAleatorio();
    }
    void TearDown() override {
        if (db && db->isOpen())
            (void)db->servidor().apagarBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa));
        DbTest::TearDown();
    }
    std::shared_ptr<Database> abrir() {
        auto a = Abre_Connexao_DocumentosBin(ctx);
        EXPECT_TRUE(semFalha(a));
        return a.valorOu(nullptr);
    }
    // Tables, columns and every row of the archive, as text.
    QStringList retrato(Database& a) {
        QStringList r;
        const auto e = a.dialect().estrutura(a);
        for (auto it = e.cbegin(); it != e.cend(); ++it) {
            QStringList cols(it.value().cbegin(), it.value().cend());
            cols.sort();
            r << it.key() + u':' + cols.join(u',');
        }
        for (const char* t : {"HistDocBin", "HistDocBinDocs", "HistDocBinVersao", "HistDocBinConfig"})
            (void)a.percorrer(QStringLiteral("SELECT * FROM %1 ORDER BY NumRegisto").arg(QLatin1String(t)), {},
                              [&](const QSqlQuery& q) {
                                  QStringList v;
                                  for (int i = 0; i < q.record().count(); ++i)
                                      v << q.value(i).toString();
                                  r << v.join(u'|');
                              });
        r.sort();
        return r;
    }
};

TEST_P(ArquivoDocumentosTest, AbrirDuasVezesNaoMudaNadaDaSegunda) {
    auto a = abrir();
    ASSERT_TRUE(a);
    NovoDocumentoArquivo n;
    n.chave = QStringLiteral("PP000123");
    n.assunto = QStringLiteral("Folha de obra");
    n.docTipo = QStringLiteral("PP");
    n.docNumero = QStringLiteral("000123");
    n.conteudo = QByteArray("%PDF-1.4 conteúdo\0binário", 25);
    ASSERT_TRUE(semFalha(ArquivarDocumento(*a, n)));
    const QStringList antes = retrato(*a);
    a.reset();
    auto b = abrir();
    ASSERT_TRUE(b);
    EXPECT_EQ(retrato(*b), antes);
    // The file comes back byte for byte.
    EXPECT_EQ(b->scalar(QStringLiteral("SELECT Doc FROM HistDocBinDocs")).toByteArray(), n.conteudo);
}

// Rows written before the filing fields existed get them derived at the next upgrade.
TEST_P(ArquivoDocumentosTest, LinhasAntigasRecebemAnoMesEModulo) {
    auto a = abrir();
    ASSERT_TRUE(a);
    ASSERT_TRUE(db->exec(QStringLiteral("INSERT INTO TabTipoMov (Codigo, Modulo) VALUES ('FAC', 'CL')")));
    const auto linha = [&](const QString& chave, const QString& tipo, const QString& docData, const QString& data) {
        ASSERT_TRUE(a->exec(QStringLiteral("INSERT INTO HistDocBin (NumeroMov, Chave, Doc_Tipo, Doc_Data, Data) "
                                           "VALUES (1, ?, ?, ?, ?)"),
                            {chave, tipo, docData, data}));
    };
    linha("X1", "FAC", "2023-05-17", "2020-01-01");
    linha("CA0001", "", "", "2022-11-30");
    linha("C0001", "", "", "");
    linha("CX9", "", "", "");
    linha("ORC5", "", "", "");
    linha("B12", "", "", "");
    linha("ZZ", "", "", "");
    ASSERT_TRUE(a->exec(QStringLiteral("UPDATE HistDocBin SET Arq_Ano=NULL, Arq_Mes=NULL, Arq_Modulo=NULL")));
    ASSERT_TRUE(a->exec(QStringLiteral("INSERT INTO HistDocBinDocs (NumeroMov, Chave) VALUES (NULL, NULL)")));
    // An archive the suite wrote carries no fingerprint of ours.
    ASSERT_TRUE(a->exec(QStringLiteral("DELETE FROM HistDocBinVersao")));
    a.reset();
    auto b = abrir();
    ASSERT_TRUE(b);
    QHash<QString, QStringList> r;
    (void)b->percorrer(QStringLiteral("SELECT Chave, Arq_Ano, Arq_Mes, Arq_Modulo, Arq_DocFiscRelevante FROM HistDocBin"),
                       {}, [&](const QSqlQuery& q) {
                           r.insert(q.value(0).toString(), {q.value(1).toString(), q.value(2).toString(),
                                                            q.value(3).toString(), q.value(4).toString()});
                       });
    EXPECT_EQ(r.value("X1"), (QStringList{"2023", "05", "CL", "0"}));
    EXPECT_EQ(r.value("CA0001"), (QStringList{"2022", "11", "CA", "0"})) << "CA is read before C";
    EXPECT_EQ(r.value("C0001").value(2), "CL");
    EXPECT_EQ(r.value("CX9").value(2), "CA");
    EXPECT_EQ(r.value("ORC5").value(2), "CL");
    EXPECT_EQ(r.value("B12").value(2), "BA");
    EXPECT_EQ(r.value("ZZ"), (QStringList{"", "", "", "0"}));
    const auto docs = b->primeiraLinha(QStringLiteral("SELECT NumeroMov, Chave, Db, NivelDoc FROM HistDocBinDocs"));
    ASSERT_TRUE(docs);
    EXPECT_EQ(*docs, (QVariantList{0, "", 1, 0}));
    EXPECT_EQ(moduloDaChave("caixa"), "CA");
    EXPECT_EQ(moduloDaChave("FO123"), "FO");
    EXPECT_EQ(moduloDaChave("F123"), "FO");
    EXPECT_EQ(moduloDaChave("S1"), "ST");
    EXPECT_EQ(moduloDaChave("PP1"), "");
}

TEST_P(ArquivoDocumentosTest, ModosInserirEActualizar) {
    auto a = abrir();
    ASSERT_TRUE(a);
    RegistoHistDocBin r;
    r.Chave = QStringLiteral("PI55");
    r.Assunto = QStringLiteral("Primeiro");
    r.Utilizador = QStringLiteral("01");
    const auto id1 = InsertUpdateHistDocBin(*a, r);
    ASSERT_TRUE(semFalha(id1));
    EXPECT_EQ(r.NumeroMov, 1);
    RegistoHistDocBin s = r;
    s.Assunto = QStringLiteral("Segundo");
    const auto id2 = InsertUpdateHistDocBin(*a, s);
    ASSERT_TRUE(semFalha(id2));
    EXPECT_EQ(s.NumeroMov, 2);
    EXPECT_NE(*id1, *id2);

    // An update keeps the number and changes the row it names, and only it.
    RegistoHistDocBin u = r;
    u.Modo = QStringLiteral("A");
    u.NumRegisto = *id1;
    u.NumeroMov = 0;
    u.Assunto = QStringLiteral("Corrigido");
    ASSERT_TRUE(semFalha(InsertUpdateHistDocBin(*a, u)));
    EXPECT_EQ(u.NumeroMov, 1);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT Assunto FROM HistDocBin WHERE NumRegisto=?"), {*id1}).toString(),
              "Corrigido");
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT Assunto FROM HistDocBin WHERE NumRegisto=?"), {*id2}).toString(),
              "Segundo");

    // An update of a row that is not there fails and writes nothing.
    RegistoHistDocBin x = r;
    x.Modo = QStringLiteral("A");
    x.NumRegisto = 999999;
    EXPECT_FALSE(InsertUpdateHistDocBin(*a, x).ok());
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBin")).toInt(), 2);
    RegistoHistDocBinDocs f;
    f.Modo = QStringLiteral("A");
    f.NumRegisto = 424242;
    EXPECT_FALSE(InsertUpdateHistDocBinDocs(*a, f).ok());
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBinDocs")).toInt(), 0);

    // Longer than the column: refused, not cut.
    RegistoHistDocBin longo = r;
    longo.Doc_Numero = QStringLiteral("123456789");
    EXPECT_FALSE(InsertUpdateHistDocBin(*a, longo).ok());
    longo.Doc_Numero = QStringLiteral("12345678");
    EXPECT_TRUE(InsertUpdateHistDocBin(*a, longo).ok());

    // Files of a key go with it, and the others stay.
    NovoDocumentoArquivo n;
    n.chave = QStringLiteral("PP7");
    n.conteudo = "x";
    ASSERT_TRUE(semFalha(ArquivarDocumento(*a, n)));
    n.chave = QStringLiteral("PP8");
    ASSERT_TRUE(semFalha(ArquivarDocumento(*a, n)));
    const auto removidos = RemoverDocumentosArquivados(ctx, QStringLiteral("PP7"));
    ASSERT_TRUE(semFalha(removidos));
    EXPECT_EQ(*removidos, 1);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBinDocs WHERE Chave='PP7'")).toInt(), 0);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBinDocs WHERE Chave='PP8'")).toInt(), 1);
}

TEST_P(ArquivoDocumentosTest, EmpresaSemArquivoNadaTemARemover) {
    const auto r = RemoverDocumentosArquivados(ctx, QStringLiteral("PP1"));
    ASSERT_TRUE(semFalha(r));
    EXPECT_EQ(*r, 0);
    EXPECT_FALSE(db->servidor().existeBaseDados(nomeArquivoDocumentos(ctx.CodigoEmpresa)));
}

// Two workstations filing 50 documents each at once never get the same number.
TEST_P(ArquivoDocumentosTest, DoisProcessosNuncaPartilhamNumeroMov) {
    ASSERT_TRUE(abrir());
    const QList<std::pair<QString, QString>> env{
        {"LUMO_ARQ_MOTOR", isSQLite() ? "sqlite" : "pg"},
        {"LUMO_ARQ_PASTA", params.pasta},
        {"LUMO_ARQ_BD", params.baseDados},
        {"LUMO_ARQ_EMPRESA", ctx.CodigoEmpresa}};
    std::unique_ptr<QProcess> p1(iniciarFilho("Motores/ArquivoFilho.DISABLED_Arquiva50/*", env));
    std::unique_ptr<QProcess> p2(iniciarFilho("Motores/ArquivoFilho.DISABLED_Arquiva50/*", env));
    EXPECT_EQ(relatorioFilho(*p1, "ARQUIVADOS="), "50");
    EXPECT_EQ(relatorioFilho(*p2, "ARQUIVADOS="), "50");
    p1->waitForFinished(60000);
    p2->waitForFinished(60000);
    auto a = abrir();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(DISTINCT NumeroMov) FROM HistDocBin")).toInt(), 100);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBinDocs")).toInt(), 100);
    EXPECT_EQ(a->scalar(QStringLiteral("SELECT MAX(NumeroMov) FROM HistDocBin")).toInt(), 100);
}

LUMO_INSTANCIAR_MOTORES(ArquivoDocumentosTest);

// The child of the test above: opens the company the parent named and files 50 documents.
class ArquivoFilho : public ::testing::TestWithParam<Dialect::Motor> {};

TEST_P(ArquivoFilho, DISABLED_Arquiva50) {
    const bool sqlite = qEnvironmentVariable("LUMO_ARQ_MOTOR") == QStringLiteral("sqlite");
    if (sqlite != (GetParam() == Dialect::Motor::SQLite) || qEnvironmentVariable("LUMO_ARQ_BD").isEmpty())
        GTEST_SKIP();
    ConnectionParams p;
    if (sqlite)
        p = ConnectionParams::sqlite(qEnvironmentVariable("LUMO_ARQ_PASTA"));
    else
        ASSERT_TRUE(servidorPostgresTeste(&p));
    p.baseDados = qEnvironmentVariable("LUMO_ARQ_BD");
    auto e = Database::open(p);
    ASSERT_TRUE(semFalha(e));
    GlobalContext c;
    c.LigacaoEmpresa = *e;
    c.CodigoEmpresa = qEnvironmentVariable("LUMO_ARQ_EMPRESA");
    auto a = Abre_Connexao_DocumentosBin(c);
    ASSERT_TRUE(semFalha(a));
    int n = 0;
    for (int i = 0; i < 50; ++i) {
        NovoDocumentoArquivo d;
        d.chave = QStringLiteral("PP%1").arg(i);
        d.conteudo = QByteArray::number(i);
        if (ArquivarDocumento(**a, d).ok())
            ++n;
    }
    printf("ARQUIVADOS=%d\n", n);
    fflush(stdout);
}

INSTANTIATE_TEST_SUITE_P(Motores, ArquivoFilho, ::testing::Values(Dialect::Motor::SQLite, Dialect::Motor::PostgreSQL),
                         nomeMotor);
