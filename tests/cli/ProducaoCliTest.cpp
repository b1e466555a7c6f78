#include "stock/MovimentosStock.h"
#include "db/AdminServidor.h"
#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

// The production commands on a demo company of each engine, in-process and as child processes.
class ProducaoCliTest : public EmpresaDemoTest {
protected:

    QStringList argumentos(const QStringList& args) const { return argumentosCli(args); }
    QString ficheiro(const QJsonDocument& d) { return EmpresaDemoTest::ficheiro(d.toJson()); }
    QJsonObject cli(const QStringList& args, int* codigo) {
        QByteArray saida;
        *codigo = executarLinhaComandos(argumentos(args), &saida);
        const QJsonDocument d = QJsonDocument::fromJson(saida);
        return d.isArray() ? QJsonObject{{"lista", d.array()}} : d.object();
    }
    QProcess* filho(const QString& json) {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (isSQLite())
            env.insert("LUMO_DADOS", servidor.pasta);
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(LUMO_CLI_PATH), argumentos({"producao", "lancar", json}));
        return p;
    }
    QJsonDocument ordens(int n) {
        QJsonArray a;
        for (int i = 0; i < n; ++i)
            a.append(QJsonObject{{"produto", "PA900"}, {"quantidade", 1}, {"data", ano + "-03-02"}, {"armazem", "002"}});
        return QJsonDocument(a);
    }
    Currency saldo(const char* produto, const char* armazem) { return saldoArmazem(*empresaDb, produto, armazem); }
    qint64 contar(const QString& sql) { return empresaDb->scalar(sql).toLongLong(); }
    // Every lot has its entry and both consumption rows; no production row lacks its lot.
    void postagensInteiras(qint64 lotes) {
        EXPECT_EQ(contar("SELECT COUNT(DISTINCT lote) FROM Lotes"), lotes);
        EXPECT_EQ(contar("SELECT COUNT(DISTINCT NumeroSaida) FROM Lotes"), lotes);
        EXPECT_EQ(contar("SELECT COUNT(DISTINCT Numeroent) FROM Lotes"), lotes);
        EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes l WHERE (SELECT COUNT(*) FROM MovProduto m WHERE m.Tipo=l.tipoent "
                         "AND m.Numero=l.Numeroent AND m.Ano=substr(l.Dataent,1,4))<>1 OR (SELECT COUNT(*) FROM "
                         "MovProduto m WHERE m.Tipo=l.tipoSaida AND m.Numero=l.NumeroSaida AND "
                         "m.Ano=substr(l.DataSaida,1,4))<>2"),
                  0);
        EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto m WHERE m.Tipo IN ('SPR','EPR') AND NOT EXISTS (SELECT 1 "
                         "FROM Lotes l WHERE (m.Tipo=l.tipoSaida AND m.Numero=l.NumeroSaida) OR (m.Tipo=l.tipoent AND "
                         "m.Numero=l.Numeroent))"),
                  0);
        EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT Tipo, Numero, Ano, Codigo FROM MovProduto WHERE Tipo IN "
                         "('SPR','EPR') GROUP BY Tipo, Numero, Ano, Codigo HAVING COUNT(*)>1) x"),
                  0)
            << "a document number given twice";
        EXPECT_EQ(saldo("MP008", "001"), Currency::fromInt64(2500 - lotes));
        EXPECT_EQ(saldo("MP009", "001"), Currency::fromInt64(1800 - lotes));
        EXPECT_EQ(saldo("PA900", "002"), Currency::fromInt64(lotes));
        EXPECT_EQ(contar("SELECT UltLote FROM configProd"), contar("SELECT MAX(lote) FROM Lotes"));
    }

};

TEST_P(ProducaoCliTest, PrimeiraProducaoDaDemoComLotesEAcertos) {
    // A chair: MP005 and MP006 are lot-managed, so their lots are given.
    const QJsonObject ordem{{"lote", "7"},
                            {"produto", "PA002"},
                            {"quantidade", "2"},
                            {"data", ano + "-03-02"},
                            {"armazem", "002"},
                            {"fase", "aguarda"},
                            {"linhas", QJsonArray{QJsonObject{{"produto", "MP005"}, {"lote", "CV-0118"}},
                                                  QJsonObject{{"produto", "MP006"}, {"lote", "VA-0931"}}}}};
    int codigo = -1;
    QJsonObject r = cli({"producao", "lancar", ficheiro(QJsonDocument(ordem))}, &codigo);
    ASSERT_EQ(codigo, 0) << r.value("erro").toString().toStdString();
    EXPECT_EQ(r.value("lote").toString(), "0000000007");
    EXPECT_FALSE(r.value("fechado").toBool());
    EXPECT_EQ(r.value("saida").toObject().value("linhas").toArray().size(), 5);
    EXPECT_EQ(r.value("entrada").toObject().value("linhas").toArray().at(0).toObject().value("quantidade").toString(),
              "2.0000");
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("91.1")) << "95.5 - 2 × 2.2";

    // The sheet of an open lot is refused.
    r = cli({"producao", "folha", "--lote", "7", "--pdf", pasta.filePath("f.pdf")}, &codigo);
    EXPECT_EQ(codigo, 1);

    const QJsonObject acertos{{"lote", "0000000007"},
                              {"acertos", QJsonArray{QJsonObject{{"produto", "MP002"}, {"lote", ""}, {"quantidade", "-0.4"}},
                                                     QJsonObject{{"produto", "MP005"}, {"lote", "CV-0118"}, {"quantidade", "0.1"}}}}};
    r = cli({"producao", "acertos", ficheiro(QJsonDocument(acertos))}, &codigo);
    ASSERT_EQ(codigo, 0) << r.value("erro").toString().toStdString();
    EXPECT_TRUE(r.value("fechado").toBool());
    EXPECT_EQ(r.value("retorno").toObject().value("linhas").toArray().at(0).toObject().value("afectaStk").toString(), "S-");
    EXPECT_EQ(saldo("MP002", "001"), Currency::fromString("91.5"));
    r = cli({"producao", "acertos", ficheiro(QJsonDocument(acertos))}, &codigo);
    EXPECT_EQ(codigo, 1) << "a closed lot takes no more adjustments";

    // Refusals: a lot-managed material without its lot, and more than the lot holds.
    QJsonObject semLote = ordem;
    semLote.remove("linhas");
    semLote["lote"] = "8";
    r = cli({"producao", "lancar", ficheiro(QJsonDocument(semLote))}, &codigo);
    EXPECT_EQ(codigo, 1);
    EXPECT_TRUE(r.value("erro").toString().startsWith("Não definiu o LOTE no produto MP005"));
    QJsonObject demais = ordem;
    demais["lote"] = "8";
    demais["quantidade"] = "200";
    r = cli({"producao", "lancar", ficheiro(QJsonDocument(demais))}, &codigo);
    EXPECT_EQ(codigo, 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Lotes"), 1);
}

TEST_P(ProducaoCliTest, QuatroProcessosEmSimultaneo) {
    produtoSimples();
    const QString json = ficheiro(ordens(60));
    std::vector<std::unique_ptr<QProcess>> filhos;
    for (int i = 0; i < 4; ++i)
        filhos.emplace_back(filho(json));
    for (auto& p : filhos) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().left(300).toStdString();
    }
    postagensInteiras(240);
}

TEST_P(ProducaoCliTest, ProcessosInterrompidosDeixamSoPostagensInteiras) {
    produtoSimples();
    const QString json = ficheiro(ordens(3));
    auto* rnd = QRandomGenerator::global();
    for (int ronda = 0; ronda < 25; ++ronda) {
        // Every other round right after a schema change: killed in the middle of the schema steps too.
        if (ronda % 2) {
            ASSERT_TRUE(empresaDb->exec("UPDATE EsquemaVersao SET Assinatura='mudou'"));
        }
        std::vector<std::unique_ptr<QProcess>> filhos;
        for (int i = 0; i < 4; ++i)
            filhos.emplace_back(filho(json));
        QThread::msleep(rnd->bounded(50, 400));
        for (auto& p : filhos) {
            p->kill();
            p->waitForFinished(10000);
        }
    }
    const qint64 lotes = contar("SELECT COUNT(*) FROM Lotes");
    postagensInteiras(lotes);
    // Whoever was killed, the schema is whole and the company opens.
    int codigo = -1;
    QJsonObject r = cli({"saldo", "--produto", "MP008"}, &codigo);
    EXPECT_EQ(codigo, 0) << r.value("erro").toString().toStdString();
}

LUMO_INSTANCIAR_MOTORES(ProducaoCliTest);
