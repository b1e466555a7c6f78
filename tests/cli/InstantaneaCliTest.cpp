#include "cli/LinhaComandosCli.h"
#include "support/EmpresaDemoTest.h"
#include "support/Saldos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

// Instant runs through the command line on a demo company, in-process and as child processes.
class InstantaneaCliTest : public EmpresaDemoTest {
protected:
    qint64 contar(const QString& sql) { return empresaDb->scalar(sql).toLongLong(); }
    static QJsonObject corrida() {
        return QJsonObject{{"materias", QJsonArray{QJsonObject{{"produto", "MP008"}, {"armazem", "001"}, {"quantidade", 2}}}},
                           {"acabados", QJsonArray{QJsonObject{{"produto", "PA003"}, {"armazem", "002"},
                                                               {"quantidade", 1}, {"percCusto", 1}}}}};
    }
    QProcess* filho(const QString& json) {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (isSQLite())
            env.insert("LUMO_DADOS", servidor.pasta);
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(LUMO_CLI_PATH), argumentosCli({"instantanea", "lancar", json}));
        return p;
    }
};

// Four workstations posting 100 runs each at once: no run number and no document number given
// twice, and the balances are what the documents say.
TEST_P(InstantaneaCliTest, QuatroProcessosEmSimultaneo) {
    QJsonArray corridas;
    for (int i = 0; i < 100; ++i)
        corridas.append(corrida());
    const QString json = ficheiro(QJsonDocument(corridas).toJson());
    std::vector<std::unique_ptr<QProcess>> filhos;
    for (int i = 0; i < 4; ++i)
        filhos.emplace_back(filho(json));
    for (auto& p : filhos) {
        ASSERT_TRUE(p->waitForFinished(240000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardOutput().left(300).toStdString();
    }
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT NumProcesso) FROM LoteInstantaneo"), 400);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM LoteInstantaneo"), 800);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM (SELECT Tipo, Numero, Ano FROM MovProduto WHERE Tipo IN ('SPR','EPR') "
                     "GROUP BY Tipo, Numero, Ano HAVING COUNT(*)>1) x"),
              0)
        << "a document number given twice";
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo IN ('SPR','EPR')"), 800);
    EXPECT_EQ(saldoArmazem(*empresaDb, "MP008", "001"), Currency::fromInt64(2500 - 800));
    EXPECT_EQ(saldoArmazem(*empresaDb, "PA003", "002"), Currency::fromInt64(400));
}

// A list stops at its first refused run, naming the runs already posted; a run whose file is
// wrong anywhere posts nothing at all.
TEST_P(InstantaneaCliTest, ListaParaNaPrimeiraRecusa) {
    QJsonObject sem = corrida();
    sem["acabados"] = QJsonArray{};
    const QString f = ficheiro(QJsonDocument(QJsonArray{corrida(), sem, corrida()}).toJson());
    QByteArray saida;
    EXPECT_EQ(executarLinhaComandos(argumentosCli({"instantanea", "lancar", f}), &saida), 1);
    const QJsonObject r = QJsonDocument::fromJson(saida).object();
    EXPECT_EQ(r["erro"].toString(), QStringLiteral("Produção 2: Não definiu nenhum Produto Acabado!"));
    EXPECT_EQ(r["processos"].toArray().size(), 1);
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT NumProcesso) FROM LoteInstantaneo"), 1);

    QJsonObject errada = corrida();
    errada["acabadas"] = QJsonArray{};
    const QString g = ficheiro(QJsonDocument(QJsonArray{corrida(), errada}).toJson());
    EXPECT_EQ(executarLinhaComandos(argumentosCli({"instantanea", "lancar", g}), &saida), 1);
    EXPECT_TRUE(QJsonDocument::fromJson(saida).object()["erro"].toString().startsWith("Chave desconhecida em produção 2"));
    EXPECT_EQ(contar("SELECT COUNT(DISTINCT NumProcesso) FROM LoteInstantaneo"), 1) << "the first run waited";
}

LUMO_INSTANCIAR_MOTORES(InstantaneaCliTest);
