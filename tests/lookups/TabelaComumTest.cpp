#include "lookups/TabelaComum.h"
#include "lookups/ListaDados.h"
#include "support/DbTest.h"

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

class TabelaComumTest : public DbTest {
protected:
    void linha(const QString& tabela, const QString& codigo, const QString& descricao) {
        ASSERT_GT(db->insert(tabela, Registo()(QStringLiteral("codigo"), codigo)(QStringLiteral("descricao"),
                                                                                 descricao)),
                  0)
            << db->lastError().toStdString();
    }
    int contar(const QString& tabela, const QString& codigo) {
        return db->scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE codigo=?").arg(tabela), {codigo})
            .toInt();
    }
    static int linhaDoCodigo(TabelaComum& t, const QString& codigo) {
        for (int l = 0; l < t.lvwLista().numLinhas(); ++l)
            if (t.lvwLista().texto(l, 1) == codigo)
                return l;
        return -1;
    }
};

TEST_P(TabelaComumTest, AdicionarPropoeCodigoERecusaRepetido) {
    linha("TabFamPro", "01", "Madeira");
    linha("TabFamPro", "02", "Metal");
    TabelaComum t(ctx, ui, QStringLiteral("TabFamPro"), QStringLiteral("Famílias de Produtos"));
    t.Form_Load();
    ASSERT_EQ(t.lvwLista().numLinhas(), 2);

    t.cmdAdicionar_Click();
    EXPECT_EQ(t.lblModo(), "N");
    EXPECT_EQ(t.txtCodigo, "03");
    EXPECT_EQ(t.focoPedido(), TabelaComum::Foco::Codigo);

    // An existing code typed short is filled and refused, and the next free code comes back.
    t.txtCodigo = QStringLiteral("2");
    EXPECT_FALSE(t.txtCodigo_LostFocus());
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral(" A T E N Ç Ã O !    Registo já existente."))
        << ui.ultimaMensagem().toUtf8().toHex().toStdString();
    EXPECT_EQ(t.txtCodigo, "03");

    // Saving needs a description; then the row is written and a new addition starts.
    EXPECT_FALSE(t.cmdGravar_Click());
    EXPECT_EQ(t.focoPedido(), TabelaComum::Foco::Descricao);
    t.txtDescricao = QStringLiteral("Plástico");
    EXPECT_TRUE(t.cmdGravar_Click());
    EXPECT_EQ(contar("TabFamPro", "03"), 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT utilizador FROM TabFamPro WHERE codigo='03'")).toString(),
              "01");
    EXPECT_EQ(t.lvwLista().numLinhas(), 3);
    EXPECT_EQ(t.lblModo(), "N");
    EXPECT_EQ(t.txtCodigo, "04");
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT COUNT(*) FROM LogGeral WHERE modulo='TB' AND accao='N'")).toInt(),
        1);

    // A code taken meanwhile by another user is not overwritten at save time.
    t.txtCodigo = QStringLiteral("04");
    t.txtDescricao = QStringLiteral("Vidro");
    linha("TabFamPro", "04", "De outro utilizador");
    EXPECT_FALSE(t.cmdGravar_Click());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT descricao FROM TabFamPro WHERE codigo='04'")).toString(),
              "De outro utilizador");
    EXPECT_EQ(contar("TabFamPro", "04"), 1);
}

TEST_P(TabelaComumTest, AlterarEEliminadoPorOutroUtilizador) {
    linha("tabGrupocli", "A1", "Retalho");
    TabelaComum t(ctx, ui, QStringLiteral("tabGrupocli"), QStringLiteral("Grupos de Clientes"));
    t.Form_Load();
    t.lvwLista().lvw_SelectLinha(0);
    ASSERT_TRUE(t.cmdAlterar_Click());
    EXPECT_FALSE(t.codigoEditavel());
    EXPECT_EQ(t.txtDescricao, "Retalho");
    t.txtDescricao = QStringLiteral("Retalho Norte");
    ASSERT_TRUE(t.cmdGravar_Click());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT descricao FROM tabGrupocli WHERE codigo='A1'")).toString(),
              "Retalho Norte");
    EXPECT_EQ(contar("tabGrupocli", "A1"), 1);
    EXPECT_EQ(t.lblModo(), "");

    // Deleted by someone else while being changed: cancelling saves nothing...
    t.lvwLista().lvw_SelectLinha(0);
    ASSERT_TRUE(t.cmdAlterar_Click());
    ASSERT_TRUE(db->exec(QStringLiteral("DELETE FROM tabGrupocli")));
    t.txtDescricao = QStringLiteral("Outra");
    ui.responder(1);
    EXPECT_FALSE(t.cmdGravar_Click());
    EXPECT_EQ(ui.perguntas.back(), "Registo Eliminado por Outro Utilizador");
    EXPECT_EQ(contar("tabGrupocli", "A1"), 0);

    // ...creating it again writes it back.
    linha("tabGrupocli", "A1", "Retalho");
    t.Refrescar();
    t.lvwLista().lvw_SelectLinha(0);
    ASSERT_TRUE(t.cmdAlterar_Click());
    ASSERT_TRUE(db->exec(QStringLiteral("DELETE FROM tabGrupocli")));
    t.txtDescricao = QStringLiteral("Recriado");
    ui.responder(0);
    EXPECT_TRUE(t.cmdGravar_Click());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT descricao FROM tabGrupocli WHERE codigo='A1'")).toString(),
              "Recriado");
}

TEST_P(TabelaComumTest, EliminarRecusaCodigoEmUso) {
    linha("TabFamPro", "01", "Madeira");
    linha("TabFamPro", "02", "Metal");
    ASSERT_GT(db->insert(QStringLiteral("Produtos"),
                         Registo()(QStringLiteral("Codigo"), QStringLiteral("P1"))(QStringLiteral("familia"),
                                                                                   QStringLiteral("01"))),
              0);
    // The customers' family of the same code does not protect the product family.
    linha("tabFamcli", "02", "Clientes metal");
    ASSERT_GT(db->insert(QStringLiteral("Clientes"),
                         Registo()(QStringLiteral("Codigo"), QStringLiteral("C1"))(QStringLiteral("familia"),
                                                                                   QStringLiteral("02"))),
              0);

    TabelaComum t(ctx, ui, QStringLiteral("TabFamPro"), QStringLiteral("Famílias de Produtos"));
    t.Form_Load();
    t.lvwLista().lvw_SelectLinha(linhaDoCodigo(t, "01"));
    ASSERT_TRUE(t.cmdEliminar_Click());
    EXPECT_TRUE(t.painelEliminar());
    EXPECT_FALSE(t.cmdSim_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Registo já inserido em Outras Fichas");
    EXPECT_EQ(contar("TabFamPro", "01"), 1);

    t.lvwLista().lvw_SelectLinha(linhaDoCodigo(t, "02"));
    ASSERT_TRUE(t.cmdEliminar_Click());
    t.cmdNao_Click();
    EXPECT_EQ(contar("TabFamPro", "02"), 1);
    ASSERT_TRUE(t.cmdEliminar_Click());
    EXPECT_TRUE(t.cmdSim_Click());
    EXPECT_EQ(contar("TabFamPro", "02"), 0);
    EXPECT_EQ(t.lvwLista().numLinhas(), 1);

    // The customers' table checks the customers.
    TabelaComum c(ctx, ui, QStringLiteral("tabFamcli"), QStringLiteral("Famílias de Clientes"));
    c.Form_Load();
    c.lvwLista().lvw_SelectLinha(0);
    ASSERT_TRUE(c.cmdEliminar_Click());
    EXPECT_FALSE(c.cmdSim_Click());
    EXPECT_EQ(contar("tabFamcli", "02"), 1);
}

TEST_P(TabelaComumTest, ProcurarETabelasRecusadas) {
    linha("TabGrupoPro", "10", "Cadeiras");
    linha("TabGrupoPro", "20", "Mesas");
    linha("TabGrupoPro", "30", "cadeirões");
    TabelaComum t(ctx, ui, QStringLiteral("TabGrupoPro"), QStringLiteral("Grupos de Produtos"));
    t.Form_Load();
    ASSERT_TRUE(t.cmdProcurar_Click(2, QStringLiteral("CADEIR")));
    EXPECT_EQ(t.lvwLista().numLinhas(), 2);
    ASSERT_TRUE(t.cmdProcurar_Click(1, QStringLiteral("2")));
    ASSERT_EQ(t.lvwLista().numLinhas(), 1);
    EXPECT_EQ(t.lvwLista().texto(0, 2), "Mesas");
    t.cmdRefresh_Click();
    EXPECT_EQ(t.lvwLista().numLinhas(), 3);

    // The product references are edited here too (the finished-product line creates them).
    TabelaComum r(ctx, ui, QStringLiteral("Referencias"), QStringLiteral("Referências"));
    ASSERT_TRUE(r.valida());
    r.Form_Load();
    r.cmdAdicionar_Click();
    r.txtCodigo = QStringLiteral("RF-CARVALHO-2026");
    EXPECT_TRUE(r.txtCodigo_LostFocus());
    r.txtDescricao = QStringLiteral("Carvalho");
    ASSERT_TRUE(r.cmdGravar_Click());
    EXPECT_EQ(contar("Referencias", "RF-CARVALHO-2026"), 1);

    // A table outside the editor's list is never opened nor written.
    TabelaComum x(ctx, ui, QStringLiteral("Utilizador"), QStringLiteral("x"));
    EXPECT_FALSE(x.valida());
    x.Form_Load();
    x.cmdAdicionar_Click();
    EXPECT_FALSE(x.emEdicao());
}

LUMO_INSTANCIAR_MOTORES(TabelaComumTest);
