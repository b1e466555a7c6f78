#include "common/CifraSegredos.h"
#include "common/FicheiroSaida.h"
#include "company/Empresas.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

// Workstations that open the company right after a schema change: one brings the schema up to date,
// the others find it done, and everybody's posting goes through.
class EsquemaConcorrenciaTest : public EmpresaDemoTest {};

TEST_P(EsquemaConcorrenciaTest, QuatroPostosAbremEPostamLogoAposUmaMudancaDeEsquema) {
    produtoSimples();
    const QString ordem = ficheiro(QJsonDocument(QJsonObject{{"produto", "PA900"}, {"quantidade", "1"},
                                                             {"data", ano + "-03-02"}, {"armazem", "002"}})
                                       .toJson());
    for (int ronda = 0; ronda < 25; ++ronda) {
        ASSERT_TRUE(empresaDb->exec("UPDATE EsquemaVersao SET Assinatura='mudou'"));
        std::vector<std::unique_ptr<QProcess>> postos;
        for (int i = 0; i < 4; ++i) {
            auto p = std::make_unique<QProcess>();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            if (isSQLite())
                env.insert("LUMO_DADOS", servidor.pasta);
            p->setProcessEnvironment(env);
            p->start(QStringLiteral(LUMO_CLI_PATH), argumentosCli({"producao", "lancar", ordem}));
            postos.push_back(std::move(p));
        }
        for (auto& p : postos) {
            ASSERT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitCode(), 0) << "ronda " << ronda << ": " << p->readAllStandardOutput().left(300).toStdString();
        }
    }
    EXPECT_EQ(empresaDb->scalar("SELECT COUNT(*) FROM Lotes").toInt(), 100);
    EXPECT_NE(empresaDb->scalar("SELECT Assinatura FROM EsquemaVersao").toString(), "mudou");
}

LUMO_INSTANCIAR_MOTORES(EsquemaConcorrenciaTest);

TEST(FicheirosPrivados, ChaveBasesDeDadosEPastaSoDoDono) {
    QTemporaryDir raiz;
    ASSERT_TRUE(raiz.isValid());
    const QFileDevice::Permissions doDono = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    auto modo = [](const QString& f) {
        return QFileInfo(f).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    };

    const QString chave = raiz.filePath("config/chave.bin");
    CifraSegredos cifra(chave);
    ASSERT_FALSE(cifra.cifrar("segredo").isEmpty());
    EXPECT_EQ(modo(chave), doDono);

    const QString pasta = raiz.filePath("dados/empresas");
    ASSERT_TRUE(CriarPastaPrivada(pasta));
    EXPECT_EQ(modo(pasta), doDono | QFileDevice::ExeOwner);
    ConnectionParams s;
    s.motor = Dialect::Motor::SQLite;
    s.pasta = pasta;
    NovaEmpresa nova;
    nova.codigo = "PRIV";
    nova.nome = "Privada";
    nova.ano = 2026;
    ASSERT_TRUE(semFalha(criarEmpresa(s, nova)));
    s.baseDados = nomeBaseDadosEmpresa("PRIV");
    EXPECT_EQ(modo(s.ficheiroSQLite()), doDono);
    for (const char* extra : {"-wal", "-shm"}) {
        if (QFileInfo::exists(s.ficheiroSQLite() + extra)) {
            EXPECT_EQ(modo(s.ficheiroSQLite() + extra), doDono) << extra;
        }
    }
}
