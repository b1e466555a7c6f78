#include "session/Presenca.h"
#include "db/Servidor.h"
#include "support/DbTest.h"
#include "support/RelatorioFilho.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <iostream>
#include <string>

// The other holder of a mark is a real second process: this test program run again with the
// entry point below selected, told what to do through the environment.

namespace {
const char* const MarcaSaida = "@@PRESENCA@@ ";

std::unique_ptr<QProcess> lancarFilho(const ConnectionParams& p, const QString& empresa, const QString& utilizador) {
    return std::unique_ptr<QProcess>(iniciarFilho(
        "PresencaFilho.DISABLED_Marca",
        {{QStringLiteral("LUMO_TESTE_PRESENCA_PG"),
          p.motor == Dialect::Motor::PostgreSQL ? QStringLiteral("1") : QStringLiteral("0")},
         {QStringLiteral("LUMO_TESTE_PRESENCA_PASTA"), p.pasta},
         {QStringLiteral("LUMO_TESTE_PRESENCA_BASE"), p.baseDados},
         {QStringLiteral("LUMO_TESTE_PRESENCA_EMPRESA"), empresa},
         {QStringLiteral("LUMO_TESTE_PRESENCA_UTILIZADOR"), utilizador}}));
}

QString relatorio(QProcess& p) { return relatorioFilho(p, MarcaSaida); }

class PresencaTest : public DbTest {};
} // namespace

// Entry point of the child process, not a test of its own: marks the user and holds the mark
// until its input is closed or it is killed.
TEST(PresencaFilho, DISABLED_Marca) {
    ConnectionParams p;
    if (qEnvironmentVariable("LUMO_TESTE_PRESENCA_PG") == QStringLiteral("1")) {
        ASSERT_TRUE(servidorPostgresTeste(&p));
    }
    p.pasta = qEnvironmentVariable("LUMO_TESTE_PRESENCA_PASTA");
    p.baseDados = qEnvironmentVariable("LUMO_TESTE_PRESENCA_BASE");
    GlobalContext ctx;
    ctx.LigacaoEmpresa = Database::open(p).valorOu(nullptr);
    ASSERT_TRUE(ctx.LigacaoEmpresa);
    ctx.CodigoEmpresa = qEnvironmentVariable("LUMO_TESTE_PRESENCA_EMPRESA");
    const bool marcou = Presenca(ctx).Utilizador_Entrada(qEnvironmentVariable("LUMO_TESTE_PRESENCA_UTILIZADOR"));
    std::cout << MarcaSaida << (marcou ? "MARCADA" : "RECUSADA") << std::endl;
    std::string linha;
    std::getline(std::cin, linha);
}

TEST_P(PresencaTest, OutroProcessoERecusadoEnquantoAMarcaExisteEPassaQuandoEleMorre) {
    auto primeiro = lancarFilho(params, ctx.CodigoEmpresa, QStringLiteral("02"));
    ASSERT_EQ(relatorio(*primeiro), QStringLiteral("MARCADA"));

    Presenca aqui(ctx);
    EXPECT_TRUE(aqui.Utilizador_EmUso(QStringLiteral("02")));
    EXPECT_TRUE(aqui.Utilizador_EmUso_TodosModulos(QStringLiteral("02")));
    EXPECT_FALSE(aqui.Utilizador_Entrada(QStringLiteral("02")));
    auto segundo = lancarFilho(params, ctx.CodigoEmpresa, QStringLiteral("02"));
    EXPECT_EQ(relatorio(*segundo), QStringLiteral("RECUSADA"));
    segundo->kill();
    segundo->waitForFinished(30000);
    // Another user of the same company is not affected.
    EXPECT_FALSE(aqui.Utilizador_EmUso(QStringLiteral("03")));

    primeiro->kill();
    ASSERT_TRUE(primeiro->waitForFinished(30000));
    // The server notices the dead connection a moment later.
    QDeadlineTimer prazo(20000);
    while (aqui.Utilizador_EmUso(QStringLiteral("02")) && !prazo.hasExpired())
        QThread::msleep(100);
    EXPECT_FALSE(aqui.Utilizador_EmUso_TodosModulos(QStringLiteral("02")));
    EXPECT_TRUE(aqui.Utilizador_Entrada(QStringLiteral("02")));
    aqui.Utilizador_Saida(QStringLiteral("02"));
}

TEST_P(PresencaTest, MarcaPorProgramaUtilizadorEEmpresa) {
    Presenca prod(ctx);
    Presenca gest(ctx, QStringLiteral("WLumoGest"));
    EXPECT_FALSE(prod.Utilizador_EmUso(QStringLiteral("02")));
    ASSERT_TRUE(prod.Utilizador_Entrada(QStringLiteral("02")));
    // Not even this process gets the same mark twice.
    EXPECT_FALSE(prod.Utilizador_Entrada(QStringLiteral("02")));
    EXPECT_FALSE(Presenca(ctx).Utilizador_Entrada(QStringLiteral("02")));
    EXPECT_TRUE(prod.Utilizador_EmUso(QStringLiteral("02")));

    // The same user may work in another program at the same time, which "any program" sees.
    EXPECT_FALSE(gest.Utilizador_EmUso(QStringLiteral("02")));
    EXPECT_TRUE(gest.Utilizador_EmUso_TodosModulos(QStringLiteral("02")));
    EXPECT_FALSE(gest.Utilizador_EmUso_TodosModulos(QStringLiteral("03")));
    ASSERT_TRUE(gest.Utilizador_Entrada(QStringLiteral("02")));

    GlobalContext outra;
    outra.LigacaoEmpresa = db;
    outra.CodigoEmpresa = QStringLiteral("OUTR");
    EXPECT_FALSE(Presenca(outra).Utilizador_EmUso_TodosModulos(QStringLiteral("02")));

    prod.Utilizador_Saida(QStringLiteral("02"));
    EXPECT_FALSE(prod.Utilizador_EmUso(QStringLiteral("02")));
    EXPECT_TRUE(prod.Utilizador_EmUso_TodosModulos(QStringLiteral("02")));
    gest.Utilizador_Saida(QStringLiteral("02"));
    EXPECT_FALSE(prod.Utilizador_EmUso_TodosModulos(QStringLiteral("02")));
    // Leaving twice is harmless.
    gest.Utilizador_Saida(QStringLiteral("02"));
    EXPECT_TRUE(prod.Utilizador_Entrada(QStringLiteral("02")));
    prod.Utilizador_Saida(QStringLiteral("02"));
}

TEST_P(PresencaTest, AntesDeAbrirAEmpresa) {
    GlobalContext antes;
    antes.Servidor = db->servidor().texto();
    antes.CodigoEmpresa = ctx.CodigoEmpresa;
    Presenca semLigacao(antes);
    if (!isSQLite()) {
        // The marks live in the company connection: none without it.
        EXPECT_FALSE(semLigacao.Utilizador_Entrada("02"));
        EXPECT_FALSE(Presenca(ctx).Utilizador_EmUso("02"));
        return;
    }
    // The folder named by the server text is the company connection's own.
    ASSERT_TRUE(semLigacao.Utilizador_Entrada("02"));
    EXPECT_TRUE(Presenca(ctx).Utilizador_EmUso("02"));
    EXPECT_FALSE(Presenca(ctx).Utilizador_Entrada("02"));
    Presenca(ctx).Utilizador_Saida("02");
    EXPECT_FALSE(semLigacao.Utilizador_EmUso("02"));
}

LUMO_INSTANCIAR_MOTORES(PresencaTest);
