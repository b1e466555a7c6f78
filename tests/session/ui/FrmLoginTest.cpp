#include "session/ui/FrmLogin.h"

#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "db/AdminServidor.h"
#include "session/Presenca.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"
#include "support/Ambiente.h"
#include "support/ui/Controlos.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

namespace {


class FrmLoginTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
        m_servidor = params;
        m_servidor.baseDados.clear();
        m_codigo = QStringLiteral("J") + QUuid::createUuid().toString(QUuid::Id128).left(3).toUpper();
        ASSERT_TRUE(semFalha(criarEmpresa(m_servidor, m_codigo, QStringLiteral("Fábrica de Teste"), 2024)));
        m_criada = true;
        ctx = GlobalContext();
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, m_servidor, m_codigo)));
    }

    void TearDown() override {
        Presenca(ctx).Utilizador_Saida(QStringLiteral("01"));
        FechaLigacoes(ctx);
        if (m_criada && !isSQLite())
            (void)AdminServidor::apagarBaseDados(m_servidor, nomeBaseDadosEmpresa(m_codigo));
        DbTest::TearDown();
    }

private:
    QTemporaryDir m_definicoes;
    ConnectionParams m_servidor;
    QString m_codigo;
    bool m_criada = false;
};

} // namespace

TEST_P(FrmLoginTest, SupervisorMudaAPasswordNaPrimeiraEntradaEEntra) {
    FrmLogin janela(ctx, ui);
    janela.Abrir();
    auto* txtLogin = controlo<QLineEdit>(janela, "txtLogin");
    auto* txtPassword = controlo<QLineEdit>(janela, "txtPassword");
    auto* txtPassValidacao = controlo<QLineEdit>(janela, "txtPassValidacao");
    auto* fraMudaPass = controlo<QGroupBox>(janela, "fraMudaPass");
    ASSERT_TRUE(txtLogin && txtPassword && txtPassValidacao && fraMudaPass);
    EXPECT_EQ(txtPassValidacao->text(), QStringLiteral("Fraca"));
    EXPECT_FALSE(fraMudaPass->isVisible());

    QTest::keyClicks(txtLogin, QStringLiteral("Supervisor"));
    QTest::keyClicks(txtPassword, QStringLiteral("supervisor"));
    QTest::keyClick(txtPassword, Qt::Key_Return);
    ASSERT_TRUE(fraMudaPass->isVisible()) << "the first entry asks for a new password";
    EXPECT_FALSE(txtLogin->isVisible());

    auto* txtOldPass = controlo<QLineEdit>(janela, "txtOldPass");
    auto* txtNovaPassword = controlo<QLineEdit>(janela, "txtNovaPassword");
    auto* txtConfirmacao = controlo<QLineEdit>(janela, "txtNovaPasswordConfirmacao");
    auto* txtNovaPassValidacao = controlo<QLineEdit>(janela, "txtNovaPassValidacao");
    ASSERT_TRUE(txtOldPass && txtNovaPassword && txtConfirmacao && txtNovaPassValidacao);
    QTest::keyClicks(txtOldPass, QStringLiteral("supervisor"));
    QTest::keyClicks(txtNovaPassword, QStringLiteral("ab"));
    EXPECT_EQ(txtNovaPassValidacao->text(), QStringLiteral("Fraca"));
    QTest::keyClicks(txtNovaPassword, QStringLiteral("C#2024x"));
    EXPECT_EQ(txtNovaPassValidacao->text(), QStringLiteral("Forte"));
    QTest::keyClicks(txtConfirmacao, QStringLiteral("abC#2024x"));
    QTest::keyClick(txtConfirmacao, Qt::Key_Return);
    ASSERT_FALSE(fraMudaPass->isVisible()) << (ui.mensagens.empty() ? "" : ui.ultimaMensagem().toStdString());
    EXPECT_TRUE(txtPassword->isVisible());

    QTest::keyClicks(txtPassword, QStringLiteral("abC#2024x"));
    controlo<QPushButton>(janela, "cmdOk")->click();
    EXPECT_EQ(janela.resultado(), Login::Resultado::Entrou);
    EXPECT_EQ(janela.result(), QDialog::Accepted);
    EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("01"));
    // At most the list of other companies on the server (other tests' ones) left with their password.
    for (const auto& m : ui.mensagens)
        EXPECT_TRUE(m.texto.startsWith("A password não foi alterada nas seguintes empresas")) << m.texto.toStdString();
}

LUMO_INSTANCIAR_MOTORES(FrmLoginTest);

// The window as the documentation shows it (LUMO_CAPTURAS=1), else a check that it renders.
TEST(FrmLoginCaptura, Janela) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    isolarDefinicoes(pasta.path());
    QSettings().setValue(QStringLiteral("NomeUtilizador"), QStringLiteral("Supervisor"));
    GlobalContext ctx;
    ctx.NomeEmpresa = QStringLiteral("Fábrica de Exemplo, Lda.");
    ScriptedInteraction ui;
    FrmLogin janela(ctx, ui);
    janela.Abrir();
    janela.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("Fabrica#2024"));

    QString ficheiro = pasta.filePath(QStringLiteral("frmLogin.png"));
    if (qEnvironmentVariable("LUMO_CAPTURAS") == QStringLiteral("1")) {
        const QString imagens = QStringLiteral(LUMO_DOCS_DIR "/imagens");
        ASSERT_TRUE(QDir().mkpath(imagens));
        ficheiro = imagens + QStringLiteral("/frmLogin.png");
    }
    ASSERT_TRUE(janela.grab().save(ficheiro));
    const QImage imagem(ficheiro);
    ASSERT_FALSE(imagem.isNull());
    EXPECT_GT(imagem.width(), 100);
    EXPECT_GT(imagem.height(), 50);
}
