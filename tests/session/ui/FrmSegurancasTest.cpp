#include "session/ui/FrmSegurancas.h"

#include "company/Empresas.h"
#include "company/Ligacoes.h"
#include "db/AdminServidor.h"
#include "session/Presenca.h"
#include "session/ui/FrmLogin.h"
#include "controls/ui/frmTeclado.h"
#include "support/Ambiente.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"
#include "support/ui/Controlos.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QCheckBox>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QUuid>

namespace {

// Closes every backup window as soon as it shows, noting each, while it lives.
struct FecharAoAbrir {
    QStringList vistas;
    QTimer relogio;
    FecharAoAbrir() {
        relogio.setInterval(5);
        QObject::connect(&relogio, &QTimer::timeout, [this] {
            if (auto* j = qobject_cast<FrmSegurancas*>(QApplication::activeModalWidget())) {
                vistas << j->logica().lblEmpresa;
                j->close();
            }
        });
        relogio.start();
    }
};

class FrmSegurancasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
        ctx.NomeEmpresa = QStringLiteral("Fábrica Teste");
    }
    int linhas(const QString& ficheiro) {
        return db->scalar(QStringLiteral("SELECT COUNT(*) FROM Log_DB WHERE Ficheiro=?"), {ficheiro}).toInt();
    }
    QTemporaryDir m_definicoes;
};

} // namespace

TEST_P(FrmSegurancasTest, AutomaticaSoComSegurancaEFechoRegistaCancelamento) {
    FrmSegurancas semAgenda(ctx, ui);
    EXPECT_FALSE(semAgenda.Abrir(QStringLiteral("Saida"), QStringLiteral("AUTO")));
    EXPECT_FALSE(SegurancaAutomatica(ctx, ui, QStringLiteral("Saida")));

    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Saida", "00:00", ""}).ok());
    FrmSegurancas janela(ctx, ui);
    ASSERT_TRUE(janela.Abrir(QStringLiteral("Saida"), QStringLiteral("AUTO")));
    auto* tab = controlo<QTabWidget>(janela, "tabPaginas");
    auto* pagRepor = controlo<QWidget>(janela, "pagRepor");
    ASSERT_TRUE(tab && pagRepor);
    EXPECT_FALSE(tab->isTabVisible(tab->indexOf(pagRepor))) << "automatic: only the backup";
    EXPECT_EQ(controlo<QLabel>(janela, "lblEmpresa")->text(), QStringLiteral("TEST - Fábrica Teste"));
    EXPECT_TRUE(controlo<QLabel>(janela, "lblInfo")->text().contains(QStringLiteral("Total de Tabelas: ")));
    auto* lista = controlo<QTreeWidget>(janela, "lvwHistorico");
    ASSERT_TRUE(lista);
    ASSERT_EQ(lista->columnCount(), 7);
    EXPECT_EQ(lista->headerItem()->text(6), QStringLiteral("Ficheiro de Segurança-Reposição"));
    EXPECT_TRUE(lista->isColumnHidden(3)) << "C.Util. has width 0";

    // Empty folder: refused before anything is asked.
    controlo<QLineEdit>(janela, "txtPath_Files")->setText(QString());
    controlo<QPushButton>(janela, "cmdSeguranca")->click();
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não definiu a localização dos ficheiros!"));

    janela.close();
    EXPECT_EQ(linhas(Segurancas::Cancelada), 1);
    ASSERT_EQ(janela.logica().lvwHistorico.size(), 0u) << "read when opened";
}

TEST_P(FrmSegurancasTest, ManualMostraReposicaoELeOFicheiro) {
    FrmSegurancas janela(ctx, ui);
    ASSERT_TRUE(janela.Abrir(QString()));
    auto* tab = controlo<QTabWidget>(janela, "tabPaginas");
    EXPECT_TRUE(tab->isTabVisible(tab->indexOf(controlo<QWidget>(janela, "pagRepor"))));

    QTemporaryDir pasta;
    const QString falso = pasta.filePath(QStringLiteral("ExportTARVOEXTEST.zip"));
    QFile f(falso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("isto não é um zip");
    f.close();
    ui.responder(falso);
    controlo<QPushButton>(janela, "cmdFicheiroRepor")->click();
    EXPECT_EQ(controlo<QLineEdit>(janela, "txtFicheiroRepor")->text(), falso);
    EXPECT_TRUE(controlo<QLabel>(janela, "lblInfoCopia")->text().isEmpty()) << "a file that is no backup says nothing";
    EXPECT_FALSE(ui.mensagens.empty()) << "its refusal is shown";

    janela.close();
    EXPECT_EQ(linhas(Segurancas::Cancelada), 0) << "the supervisor's window records no refusal";
}

// A real backup (needs the backup engine): the history gets the file and the automatic window closes.
TEST_P(FrmSegurancasTest, CopiaAutomaticaGravaFicheiroEFecha) {
    ASSERT_TRUE(GravarAgendaSeguranca(*db, {"01", "Entrada", "00:00", ""}).ok());
    QTemporaryDir pasta;
    FrmSegurancas janela(ctx, ui);
    ASSERT_TRUE(janela.Abrir(QStringLiteral("Entrada"), QStringLiteral("AUTO")));
    janela.show();
    controlo<QLineEdit>(janela, "txtPath_Files")->setText(pasta.path());
    ui.responder(0); // "Sim"
    controlo<QPushButton>(janela, "cmdSeguranca")->click();
    ASSERT_EQ(ui.ultimaMensagem(), QStringLiteral("Exportação Terminada!"));
    EXPECT_FALSE(janela.isVisible()) << "automatic: closes by itself";
    const QString ficheiro = db->scalar(QStringLiteral("SELECT Ficheiro FROM Log_DB WHERE Accao=?"),
                                        {QStringLiteral("Segurança")}).toString();
    EXPECT_TRUE(QFileInfo(ficheiro).isFile()) << ficheiro.toStdString();
    EXPECT_EQ(linhas(Segurancas::Cancelada), 0) << "a backup made is no refusal";
    EXPECT_EQ(QSettings().value(Segurancas::ChavePasta).toString(), pasta.path()) << "the folder is kept";
}

LUMO_INSTANCIAR_MOTORES(FrmSegurancasTest);

// ---------------------------------------------------------------- through the login window

namespace {
class FrmLoginSegurancaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(m_definicoes.isValid());
        isolarDefinicoes(m_definicoes.path());
        m_servidor = params;
        m_servidor.baseDados.clear();
        m_codigo = QStringLiteral("S") + QUuid::createUuid().toString(QUuid::Id128).left(3).toUpper();
        ASSERT_TRUE(semFalha(criarEmpresa(m_servidor, m_codigo, QStringLiteral("Fábrica de Teste"), 2024)));
        m_criada = true;
        ctx = GlobalContext();
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, m_servidor, m_codigo)));
        ASSERT_TRUE(semFalha(inserirUtilizador(ctx.bd(), QStringLiteral("02"), QStringLiteral("Maria"),
                                               QStringLiteral("Fabrica#2024"), QStringLiteral("001"))));
        ASSERT_TRUE(ctx.bd().exec(QStringLiteral("UPDATE Utilizador SET AlteraPassword=0 WHERE Codigo='02'")));
    }
    void TearDown() override {
        Presenca(ctx).Utilizador_Saida(QStringLiteral("02"));
        FechaLigacoes(ctx);
        if (m_criada && !isSQLite())
            (void)AdminServidor::apagarBaseDados(m_servidor, nomeBaseDadosEmpresa(m_codigo));
        DbTest::TearDown();
    }
    QTemporaryDir m_definicoes;
    ConnectionParams m_servidor;
    QString m_codigo;
    bool m_criada = false;
};
} // namespace

TEST_P(FrmLoginSegurancaTest, EntradaCorreSoACopiaDeEntrada) {
    Database& bd = ctx.bd();
    ASSERT_TRUE(GravarAgendaSeguranca(bd, {"02", "Entrada", "00:00", ""}).ok());
    ASSERT_TRUE(GravarAgendaSeguranca(bd, {"02", "Saida", "00:00", ""}).ok());
    FrmLogin janela(ctx, ui);
    janela.Abrir();
    controlo<QLineEdit>(janela, "txtLogin")->setText(QStringLiteral("Maria"));
    controlo<QLineEdit>(janela, "txtPassword")->setText(QStringLiteral("Fabrica#2024"));
    FecharAoAbrir fecho;
    controlo<QPushButton>(janela, "cmdOk")->click();
    ASSERT_EQ(janela.resultado(), Login::Resultado::Entrou) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(fecho.vistas.size(), 1) << "one backup window: the entry's";
    // Closed without a backup: one refusal, and it is the entry's window that wrote it.
    EXPECT_EQ(bd.scalar(QStringLiteral("SELECT COUNT(*) FROM Log_DB WHERE Ficheiro=?"), {Segurancas::Cancelada}).toInt(),
              1);
    EXPECT_FALSE(controlo<QPushButton>(janela, "cmdRecarregarAcessos")->isEnabled());
}

TEST_P(FrmLoginSegurancaTest, TecladoNoEcraNosCamposDeEntrada) {
    FrmLogin janela(ctx, ui);
    janela.Abrir();
    janela.show();
    auto* txtLogin = controlo<QLineEdit>(janela, "txtLogin");
    auto* txtPassword = controlo<QLineEdit>(janela, "txtPassword");
    txtLogin->clear();
    int teclados = 0;
    QString eco;
    QTimer vigia;
    vigia.setInterval(5);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        auto* t = qobject_cast<frmTeclado*>(QApplication::activeModalWidget());
        if (!t)
            return;
        ++teclados;
        eco = t->txtResultado->echoMode() == QLineEdit::Password ? QStringLiteral("oculto") : QStringLiteral("visivel");
        t->botao(QStringLiteral("M"))->click();
        t->botao(QStringLiteral("A"))->click();
        t->cmdEnter->click();
    });
    vigia.start();

    QTest::mouseClick(txtLogin, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(teclados, 0) << "not without the check box";
    controlo<QCheckBox>(janela, "chkUsaTeclado")->setChecked(true);
    QTest::mouseClick(txtLogin, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return teclados == 1 && !txtLogin->text().isEmpty(); }, 2000));
    EXPECT_EQ(txtLogin->text().toUpper(), QStringLiteral("MA"));
    EXPECT_EQ(eco, QStringLiteral("visivel"));
    QTest::mouseClick(txtPassword, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return teclados == 2 && !txtPassword->text().isEmpty(); }, 2000));
    EXPECT_EQ(eco, QStringLiteral("oculto")) << "a password is not shown on the keyboard";
    EXPECT_EQ(txtPassword->text().toUpper(), QStringLiteral("MA"));
    EXPECT_EQ(janela.logica().txtPassword.toUpper(), QStringLiteral("MA")) << "the logic sees what was typed";
}

LUMO_INSTANCIAR_MOTORES(FrmLoginSegurancaTest);
