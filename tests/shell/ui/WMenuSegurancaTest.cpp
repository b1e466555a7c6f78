#include "shell/ui/WMenu.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "session/Segurancas.h"
#include "session/ui/FrmSegurancas.h"
#include "support/Ambiente.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

// The exit backup belongs to the menu's close (Log Off and Sair), before the connections close.
class WMenuSegurancaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pasta.isValid());
        isolarDefinicoes(m_pasta.filePath(QStringLiteral("definicoes")));
        servidor.motor = Dialect::Motor::SQLite;
        servidor.pasta = m_pasta.path();
        ASSERT_TRUE(semFalha(criarEmpresa(servidor, "T001", "Fábrica Teste", 2024)));
        ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, "T001")));
        ctx.CodigoUtilizador = QStringLiteral("01");
        ctx.LoginUtilizador = QStringLiteral("Supervisor");
        m_vigia.setInterval(5);
        QObject::connect(&m_vigia, &QTimer::timeout, [this] {
            if (auto* j = qobject_cast<FrmSegurancas*>(QApplication::activeModalWidget())) {
                ++janelas;
                ligadaAoFechar = ligadaAoFechar && ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen();
                j->close();
            }
        });
        m_vigia.start();
    }
    void TearDown() override { FechaLigacoes(ctx); }

    int cancelamentos() {
        auto r = Database::open(ligacaoEmpresa(servidor, QStringLiteral("T001")));
        return r ? (*r)->scalar(QStringLiteral("SELECT COUNT(*) FROM Log_DB WHERE Ficheiro=?"), {Segurancas::Cancelada})
                       .toInt()
                 : -1;
    }

    QTemporaryDir m_pasta;
    ConnectionParams servidor;
    GlobalContext ctx;
    ScriptedInteraction ui;
    QTimer m_vigia;
    int janelas = 0;
    bool ligadaAoFechar = true;
};

TEST_F(WMenuSegurancaTest, LogOffCorreACopiaDeSaidaComALigacaoAberta) {
    ASSERT_TRUE(GravarAgendaSeguranca(ctx.bd(), {"01", "Saida", "00:00", ""}).ok());
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    EXPECT_EQ(janelas, 0) << "opening the menu is no exit";
    w.findChild<QAction*>(QStringLiteral("LogOff"))->trigger();
    EXPECT_EQ(janelas, 1);
    EXPECT_TRUE(ligadaAoFechar) << "the backup runs before the connections close";
    EXPECT_FALSE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen());
    EXPECT_EQ(cancelamentos(), 1);
}

TEST_F(WMenuSegurancaTest, SemAgendaDeSaidaNadaAparece) {
    ASSERT_TRUE(GravarAgendaSeguranca(ctx.bd(), {"01", "Entrada", "00:00", ""}).ok());
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    w.findChild<QAction*>(QStringLiteral("LogOff"))->trigger();
    EXPECT_EQ(janelas, 0);
    EXPECT_EQ(cancelamentos(), 0);
}

TEST_F(WMenuSegurancaTest, CopiasDeSegurancaSoParaOSupervisor) {
    {
        WMenu w(ctx, ui);
        ASSERT_TRUE(w.abrir());
        auto* a = w.findChild<QAction*>(QStringLiteral("mnuSegurancas"));
        ASSERT_TRUE(a);
        EXPECT_TRUE(a->isVisible());
        a->trigger();
        auto* area = w.findChild<QMdiArea*>(QStringLiteral("mdiArea"));
        ASSERT_TRUE(area);
        ASSERT_EQ(area->subWindowList().size(), 1);
        auto* janela = qobject_cast<FrmSegurancas*>(area->subWindowList().first()->widget());
        ASSERT_TRUE(janela);
        EXPECT_FALSE(janela->logica().automatico());
        w.close();
    }
    ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, "T001")));
    ASSERT_TRUE(semFalha(inserirUtilizador(ctx.bd(), "05", "Rita", "Palavra-Passe-9", "001")));
    ctx.CodigoUtilizador = QStringLiteral("05");
    ctx.LoginUtilizador = QStringLiteral("Rita");
    WMenu w(ctx, ui);
    ASSERT_TRUE(w.abrir());
    EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnuSegurancas"))->isVisible());
    w.close();
}
