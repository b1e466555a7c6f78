#include "shell/ui/CicloPrograma.h"

#include "company/EmpresaDemo.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "db/Database.h"
#include "session/ui/FrmLogin.h"
#include "shell/ServidoresConhecidos.h"
#include "shell/ui/FrmSelEmpresa.h"
#include "shell/ui/WMenu.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"
#include "support/Ambiente.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

// The whole life of the window program on the demo company: company selection, login, main menu,
// log off, back to login, leave it, back to company selection, cancel: the program ends.
TEST(CicloPrograma, SeleccaoLoginMenuLogOffESaida) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    VariavelAmbiente dados("LUMO_DADOS", pasta.filePath(QStringLiteral("empresas")));
    const ConnectionParams servidor = parametrosServidor(ServidoresConhecidos::servidorLocal().servidor);
    ASSERT_TRUE(semFalha(criarEmpresaDemo(servidor)));
    {
        // The demo's first passwords must be changed at the first entry; this path enters directly.
        const auto aberta = Database::open(ligacaoEmpresa(servidor, QStringLiteral("0001")));
        ASSERT_TRUE(semFalha(aberta));
        const std::shared_ptr<Database> db = *aberta;
        ASSERT_TRUE(db->exec(QStringLiteral("UPDATE Utilizador SET AlteraPassword=0, LastDtAlteraPass=%1")
                                 .arg(db->dialect().agora())));
    }

    GlobalContext ctx;
    ScriptedInteraction ui;
    int passo = 0;
    QStringList percurso;
    QTimer condutor;
    QObject::connect(&condutor, &QTimer::timeout, [&] {
        // The window on top: the modal one, or else the visible dialog.
        QWidget* modal = QApplication::activeModalWidget();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!modal && w->isVisible() && (qobject_cast<FrmLogin*>(w) || qobject_cast<FrmSelEmpresa*>(w)))
                modal = w;
        if (auto* sel = qobject_cast<FrmSelEmpresa*>(modal)) {
            if (passo == 0) {
                auto* lista = sel->findChild<QTreeWidget*>(QStringLiteral("lvwEmpresas"));
                if (!lista || lista->topLevelItemCount() == 0)
                    return;
                lista->setCurrentItem(lista->topLevelItem(0));
                percurso << QStringLiteral("seleccao");
                passo = 1;
                sel->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            } else if (passo == 4) {
                percurso << QStringLiteral("seleccao-cancelada");
                passo = 5;
                sel->reject();
            }
            return;
        }
        if (auto* login = qobject_cast<FrmLogin*>(modal)) {
            if (passo == 1) {
                login->findChild<QLineEdit*>(QStringLiteral("txtLogin"))->setText(QStringLiteral("Supervisor"));
                login->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("lumo2026"));
                percurso << QStringLiteral("login");
                passo = 2;
                login->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            } else if (passo == 3) {
                percurso << QStringLiteral("login-cancelado");
                passo = 4;
                login->reject();
            }
            return;
        }
        if (passo == 2) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<WMenu*>(w);
                if (!menu || !menu->isVisible())
                    continue;
                percurso << QStringLiteral("menu:") + menu->windowTitle();
                passo = 3;
                for (QAction* a : menu->findChildren<QAction*>())
                    if (a->objectName() == QStringLiteral("LogOff")) {
                        a->trigger();
                        break;
                    }
                return;
            }
        }
    });
    condutor.start(50);
    // Tied to the driver: a watchdog left running would end another test's event loop a minute later.
    QTimer::singleShot(60000, &condutor, [&] {
        ADD_FAILURE() << "o percurso parou no passo " << passo;
        QApplication::exit();
    });

    const int saida = CicloPrograma(ctx, ui).executar();
    condutor.stop();
    EXPECT_EQ(saida, 0);
    EXPECT_EQ(passo, 5);
    ASSERT_EQ(percurso.size(), 5) << percurso.join(u',').toStdString();
    EXPECT_TRUE(percurso[2].startsWith(QStringLiteral("menu:Menu Principal - Produção"))) << percurso[2].toStdString();
    EXPECT_EQ(ctx.CodigoUtilizador, QStringLiteral("01"));
    EXPECT_FALSE(ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen()) << "leaving closes the connections";
    for (const auto& m : ui.mensagens)
        ADD_FAILURE() << "mensagem inesperada: " << m.texto.toStdString();
}
