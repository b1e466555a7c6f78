#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"
#include "lookups/ListaDados.h"
#include "lookups/ui/FrmTabelaComum.h"
#include "lookups/ui/ListaVista.h"
#include "session/Acessos.h"
#include "shell/ui/WMenu.h"
#include "support/ScriptedInteraction.h"
#include "support/SemFalha.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The table editor from the menu, with a user whose rights forbid deleting one table's rows.
TEST(MenuTabelas, AbreOEditorERespeitaOsAcessos) {
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    ConnectionParams servidor;
    servidor.motor = Dialect::Motor::SQLite;
    servidor.pasta = pasta.path();
    GlobalContext ctx;
    ScriptedInteraction ui;
    ASSERT_TRUE(semFalha(criarEmpresa(servidor, "T001", "Fábrica Teste", 2024)));
    ASSERT_TRUE(semFalha(abrirEmpresa(ctx, servidor, "T001")));
    ASSERT_TRUE(semFalha(inserirUtilizador(ctx.bd(), "05", "Rita", "Palavra-Passe-9", "001")));
    ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
    const QString titulo = QStringLiteral("Famílias de Produtos");
    ASSERT_TRUE(ctx.bd().exec(QStringLiteral("UPDATE Acessos SET value=0 WHERE utilizador='05' AND chave=?"),
                              {ChaveBotao(QStringLiteral("frmTabelaComum"), titulo, QStringLiteral("&Eliminar"))}));
    ASSERT_GT(ctx.bd().insert(QStringLiteral("TabFamPro"), Registo()(QStringLiteral("codigo"), QStringLiteral("01"))(
                                                               QStringLiteral("descricao"), QStringLiteral("Madeira"))),
              0);
    ctx.CodigoUtilizador = QStringLiteral("05");
    ctx.LoginUtilizador = QStringLiteral("Rita");
    {
        WMenu w(ctx, ui);
        ASSERT_TRUE(w.abrir());
        auto* entrada = w.findChild<QAction*>(QStringLiteral("mnuTabela_TabFamPro"));
        ASSERT_TRUE(entrada);
        EXPECT_TRUE(entrada->isVisible());
        entrada->trigger();
        ASSERT_EQ(w.area()->subWindowList().size(), 1);
        auto* f = qobject_cast<FrmTabelaComum*>(w.area()->subWindowList().front()->widget());
        ASSERT_TRUE(f);
        EXPECT_EQ(f->windowTitle(), titulo);
        EXPECT_EQ(f->lvwLista->lista()->numLinhas(), 1);
        EXPECT_TRUE(f->cmdAdicionar->isEnabled());
        EXPECT_FALSE(f->cmdEliminar->isEnabled());
        // Going through the edit state and back does not turn a forbidden button on.
        f->cmdAdicionar->click();
        f->cmdCancelar->click();
        EXPECT_TRUE(f->cmdAlterar->isEnabled());
        EXPECT_FALSE(f->cmdEliminar->isEnabled());
        w.close();
    }
    FechaLigacoes(ctx);
}
