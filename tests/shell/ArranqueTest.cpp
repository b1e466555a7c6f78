#include "shell/Arranque.h"
#include "shell/InstanciaUnica.h"
#include "support/DbTest.h"
#include "support/ScriptedInteraction.h"
#include "support/RelatorioFilho.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <iostream>
#include <string>

// ---------------------------------------------------------------- command line

TEST(LinhaComando, NomeDoFicheiroDeVersao) {
    EXPECT_EQ(NomeFicheiroVersao(QStringLiteral("WLumoProd"), 1, 2, 34),
              QStringLiteral("WLumoProd0102034.txt"));
    EXPECT_EQ(NomeFicheiroVersao(QStringLiteral("WLumoProd"), 12, 0, 7),
              QStringLiteral("WLumoProd1200007.txt"));
}

TEST(LinhaComando, ActChkEmQualquerCaixaEscreveAMarcaETermina) {
    for (const QString& verbo :
         {QStringLiteral("act_chk"), QStringLiteral("ACT_CHK"), QStringLiteral("Act_Chk")}) {
        QTemporaryDir pasta;
        ASSERT_TRUE(pasta.isValid());
        const QString linha = QStringLiteral("  <@>") + verbo + QStringLiteral("<@>x<@>y  ");
        EXPECT_EQ(TrataLinhaComando(linha, pasta.path(), QStringLiteral("WLumoProd"), 1, 2, 34),
                  AccaoLinhaComando::Terminar)
            << verbo.toStdString();
        const QFileInfo marca(QDir(pasta.path()).filePath(QStringLiteral("WLumoProd0102034.txt")));
        EXPECT_TRUE(marca.exists()) << verbo.toStdString();
        EXPECT_EQ(marca.size(), 0);
        EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
    }
}

TEST(LinhaComando, OutroVerboTerminaSemEscreverNada) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    for (const QString& linha : {QStringLiteral("<@>ACTUALIZA<@>1"), QStringLiteral("<@>"),
                                 QStringLiteral("<@>ACT_CHKX"), QStringLiteral("<@> ACT_CHK")}) {
        EXPECT_EQ(TrataLinhaComando(linha, pasta.path(), QStringLiteral("WLumoProd"), 1, 2, 34),
                  AccaoLinhaComando::Terminar)
            << linha.toStdString();
    }
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty());
}

TEST(LinhaComando, SemMarcadorNoInicioEIgnorada) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    for (const QString& linha : {QString(), QStringLiteral("   "), QStringLiteral("ACT_CHK"),
                                 QStringLiteral("x<@>ACT_CHK"), QStringLiteral("-platform offscreen")}) {
        EXPECT_EQ(TrataLinhaComando(linha, pasta.path(), QStringLiteral("WLumoProd"), 1, 2, 34),
                  AccaoLinhaComando::Continuar)
            << linha.toStdString();
    }
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::Files).isEmpty());
}

// ---------------------------------------------------------------- single instance
//
// The second instance is a real second process: this test program run again with the entry point
// below selected, told what to do through the environment.

namespace {
const char* const MarcaSaida = "@@INSTANCIA@@ ";

struct Filho {
    QString nome;
    QString pasta;
};

QProcess* lancarFilho(const Filho& f, const QString& modo, QObject* dono = nullptr) {
    return iniciarFilho("InstanciaUnicaFilho.DISABLED_Executa",
                        {{QStringLiteral("LUMO_TESTE_INSTANCIA_MODO"), modo},
                         {QStringLiteral("LUMO_TESTE_INSTANCIA_NOME"), f.nome},
                         {QStringLiteral("LUMO_TESTE_INSTANCIA_PASTA"), f.pasta}},
                        dono);
}

// Reads the child's output until its report line appears (or it ends, or a generous wait passes).
QString esperarRelatorio(QProcess& p, QByteArray& acumulado) {
    QDeadlineTimer prazo(60000);
    while (!prazo.hasExpired()) {
        const int i = acumulado.indexOf(MarcaSaida);
        if (i >= 0) {
            const int fim = acumulado.indexOf('\n', i);
            if (fim >= 0)
                return QString::fromUtf8(
                    acumulado.mid(i + qstrlen(MarcaSaida), fim - i - qstrlen(MarcaSaida)));
        }
        if (p.state() == QProcess::NotRunning) {
            acumulado += p.readAllStandardOutput();
            if (acumulado.indexOf(MarcaSaida) < 0)
                return {};
            continue;
        }
        p.waitForReadyRead(1000);
        acumulado += p.readAllStandardOutput();
    }
    return {};
}

QString tentarNoutroProcesso(const Filho& f) {
    std::unique_ptr<QProcess> p(lancarFilho(f, QStringLiteral("tentar")));
    QByteArray saida;
    const QString r = esperarRelatorio(*p, saida);
    p->waitForFinished(60000);
    return r;
}

class InstanciaUnicaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pasta.isValid());
        f.nome = QStringLiteral("WLumoProdTeste_") + QUuid::createUuid().toString(QUuid::Id128).left(12);
        f.pasta = m_pasta.path();
    }
    QTemporaryDir m_pasta;
    Filho f;
};
} // namespace

// Entry point of the child process, not a test of its own.
TEST(InstanciaUnicaFilho, DISABLED_Executa) {
    const QString modo = qEnvironmentVariable("LUMO_TESTE_INSTANCIA_MODO");
    ASSERT_FALSE(modo.isEmpty());
    InstanciaUnica instancia(qEnvironmentVariable("LUMO_TESTE_INSTANCIA_NOME"),
                             qEnvironmentVariable("LUMO_TESTE_INSTANCIA_PASTA"));
    ScriptedInteraction ui;
    const bool arrancou = verificarInstanciaUnica(instancia, ui);
    std::string relatorio = arrancou ? "ADQUIRIDA" : "RECUSADA";
    if (!ui.mensagens.empty()) {
        relatorio += ui.mensagens.front().icone == UserInteraction::Icone::Critico ? " critico:" : " outro:";
        relatorio += ui.mensagens.front().texto.toStdString();
    }
    std::cout << MarcaSaida << relatorio << std::endl;
    if (modo == QStringLiteral("segurar") && arrancou) {
        // Holds the mark until the parent closes our input (or kills us).
        std::string linha;
        std::getline(std::cin, linha);
    }
}

TEST_F(InstanciaUnicaTest, SegundoProcessoERecusadoEnquantoOPrimeiroCorre) {
    InstanciaUnica primeira(f.nome, f.pasta);
    ASSERT_TRUE(primeira.adquirir());
    EXPECT_TRUE(primeira.adquirir()) << "the holder asking again keeps it";

    EXPECT_EQ(tentarNoutroProcesso(f),
              QStringLiteral("RECUSADA critico:Só pode iniciar uma instância da aplicação de cada vez!"));
    EXPECT_TRUE(primeira.adquirida());

    // Another program name (or another user, whose name is in the file) is a separate mark.
    Filho outro = f;
    outro.nome += QStringLiteral("_outro");
    EXPECT_EQ(tentarNoutroProcesso(outro), QStringLiteral("ADQUIRIDA"));

    primeira.libertar();
    EXPECT_EQ(tentarNoutroProcesso(f), QStringLiteral("ADQUIRIDA"));
}

TEST_F(InstanciaUnicaTest, MarcaLibertaQuandoOOutroProcessoTerminaOuMorre) {
    InstanciaUnica esta(f.nome, f.pasta);

    // A holder that ends normally.
    {
        std::unique_ptr<QProcess> p(lancarFilho(f, QStringLiteral("segurar")));
        QByteArray saida;
        ASSERT_EQ(esperarRelatorio(*p, saida), QStringLiteral("ADQUIRIDA"));
        ScriptedInteraction ui;
        EXPECT_FALSE(verificarInstanciaUnica(esta, ui));
        ASSERT_EQ(ui.mensagens.size(), 1u);
        EXPECT_EQ(ui.mensagens[0].icone, UserInteraction::Icone::Critico);
        p->closeWriteChannel();
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_TRUE(esta.adquirir());
        esta.libertar();
    }

    // A holder that is killed leaves its file behind; the next start takes it over.
    {
        std::unique_ptr<QProcess> p(lancarFilho(f, QStringLiteral("segurar")));
        QByteArray saida;
        ASSERT_EQ(esperarRelatorio(*p, saida), QStringLiteral("ADQUIRIDA"));
        EXPECT_FALSE(esta.adquirir());
        p->kill();
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_TRUE(QFileInfo::exists(esta.ficheiro()));
        EXPECT_TRUE(esta.adquirir());
    }
}

// ---------------------------------------------------------------- connection check at menu load

class VerificaLigacaoTest : public DbTest {};

TEST_P(VerificaLigacaoTest, LigacaoVivaNaoMostraNada) {
    ctx.LigacaoAuxiliar1 = novaLigacao();
    EXPECT_TRUE(VerificaLigacao(ctx, ui));
    EXPECT_TRUE(ui.mensagens.empty());
    EXPECT_TRUE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen());
    EXPECT_TRUE(ctx.LigacaoAuxiliar1 && ctx.LigacaoAuxiliar1->isOpen());
}

TEST_P(VerificaLigacaoTest, LigacaoFechadaAvisaEFechaTodas) {
    auto aux1 = novaLigacao();
    auto aux2 = novaLigacao();
    ctx.LigacaoAuxiliar1 = aux1;
    ctx.LigacaoAuxiliar2 = aux2;
    db->close();

    EXPECT_FALSE(VerificaLigacao(ctx, ui));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto,
              QStringLiteral("O Aplicativo foi forçado a encerrar enquanto estava em operação."
                             "\r\nVai ser encerrado agora."));
    EXPECT_FALSE(ctx.LigacaoEmpresa);
    EXPECT_FALSE(ctx.LigacaoAuxiliar1);
    EXPECT_FALSE(ctx.LigacaoAuxiliar2);
    EXPECT_FALSE(ctx.LigacaoContabilidade);
    EXPECT_FALSE(aux1->isOpen());
    EXPECT_FALSE(aux2->isOpen());
}

TEST_P(VerificaLigacaoTest, SessaoTerminadaNoServidor) {
    if (isSQLite())
        GTEST_SKIP() << "an embedded database has no server session to lose";
    auto outra = novaLigacao();
    ASSERT_TRUE(outra);
    const QVariant pid = db->scalar(QStringLiteral("SELECT pg_backend_pid()"));
    ASSERT_TRUE(outra->exec(QStringLiteral("SELECT pg_terminate_backend(?, 30000)"), {pid.toInt()}));
    EXPECT_FALSE(VerificaLigacao(ctx, ui));
    EXPECT_EQ(ui.mensagens.size(), 1u);
    EXPECT_FALSE(ctx.LigacaoEmpresa);
}

LUMO_INSTANCIAR_MOTORES(VerificaLigacaoTest);
