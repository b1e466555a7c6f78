#include "session/Acessos.h"
#include "session/AcessosEditor.h"
#include "shell/Menu.h"
#include "support/DbTest.h"

#include <algorithm>

namespace {

const JanelaProtegida Nova{
    "frmNova", "Janela Nova", {{"cmdGravar", "&Gravar"}, {"cmdApagar", "&Apagar"}, {"cmdSair", "Sai&r"}}};

int contarRegistos(const std::vector<JanelaProtegida>& janelas) {
    int n = 1; // the program's own row
    for (const auto& j : janelas)
        n += 1 + int(std::count_if(j.botoes.begin(), j.botoes.end(), [](const BotaoProtegido& b) {
                 return BotaoControlado(b.ctrl, b.caption);
             }));
    return n;
}

bool botaoActivo(const ResultadoFormAcessos& r, const QString& ctrl) {
    for (const auto& [nome, activo] : r.botoes)
        if (nome == ctrl)
            return activo;
    ADD_FAILURE() << "botão não controlado: " << ctrl.toStdString();
    return false;
}

} // namespace

class AcessosTest : public DbTest {
protected:
    int linhas(const QString& utilizador, const QString& condicao = {}) {
        return db->scalar("SELECT COUNT(*) FROM Acessos WHERE utilizador=? " + condicao, {utilizador})
            .toInt();
    }
    int valor(const QString& utilizador, const QString& chave) {
        return CheckUtilizApp(ctx, chave, utilizador);
    }
};

TEST_P(AcessosTest, NovoUtilizadorRecebeTodosOsAcessosUmaSoVez) {
    ASSERT_FALSE(JanelasProtegidas().empty());
    ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
    const int esperadas = contarRegistos(JanelasProtegidas());
    EXPECT_EQ(linhas("05"), esperadas);
    EXPECT_EQ(linhas("05", "AND value=1"), esperadas);
    EXPECT_EQ(valor("05", NomePrograma), 1);
    const auto& j = JanelasProtegidas().front();
    EXPECT_EQ(valor("05", ChaveJanela(j.form, j.caption)), 1);

    ASSERT_TRUE(db->exec("UPDATE Acessos SET value=0 WHERE utilizador='05' AND chave=?", {NomePrograma}));
    ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
    EXPECT_EQ(linhas("05"), esperadas) << "existing rows are never duplicated";
    EXPECT_EQ(valor("05", NomePrograma), 0) << "existing rows keep the supervisor's choice";

    ASSERT_TRUE(CriaTodososAcessos(ctx, "01"));
    ASSERT_TRUE(CriaTodososAcessos(ctx, "00"));
    EXPECT_EQ(linhas("01") + linhas("00"), 0) << "the exempt users get no rows";
    EXPECT_FALSE(CriaTodososAcessos(ctx, ""));
}

TEST_P(AcessosTest, JanelaAcrescentadaDepoisNegadaAtePermitida) {
    ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
    const QString chave = ChaveJanela(Nova.form, Nova.caption);
    EXPECT_EQ(valor("05", chave), -1);

    EXPECT_FALSE(FormAcessos(ctx, "05", Nova).permitido);
    EXPECT_EQ(valor("05", chave), 0) << "the first attempt leaves the row for the supervisor";
    EXPECT_EQ(valor("05", ChaveBotao(Nova.form, Nova.caption, "&Gravar")), 0);
    EXPECT_EQ(valor("05", ChaveBotao(Nova.form, Nova.caption, "Sai&r")), -1) << "closing buttons have no row";
    EXPECT_FALSE(FormAcessos(ctx, "05", Nova).permitido);
    EXPECT_EQ(linhas("05"), contarRegistos(JanelasProtegidas()) + 3)
        << "the window and its two buttons, once";

    // Visible in the editor, under the program, with its button below it.
    AcessosEditor ed(ctx, ui);
    ASSERT_TRUE(ed.Utilizador("05"));
    const auto& nos = ed.nos();
    auto it = std::find_if(nos.begin(), nos.end(), [&](const auto& n) { return n.chave == chave; });
    ASSERT_NE(it, nos.end());
    EXPECT_FALSE(it->ligado);
    const int i = int(it - nos.begin());
    ASSERT_GE(ed.pai(i), 0);
    EXPECT_EQ(nos[ed.pai(i)].chave, NomePrograma);
    ed.alternarRamo(i); // the window and its buttons
    ASSERT_TRUE(ed.gravar());

    const ResultadoFormAcessos r = FormAcessos(ctx, "05", Nova);
    EXPECT_TRUE(r.permitido);
    EXPECT_TRUE(botaoActivo(r, "cmdGravar"));
    EXPECT_EQ(r.botoes.size(), 2u) << "Sai&r is never controlled";
}

TEST_P(AcessosTest, ExentosPassamMesmoComValorZero) {
    for (const QString u : {"01", "00"}) {
        ASSERT_TRUE(GetBotoes(*db, u, Nova, 0));
        EXPECT_EQ(valor(u, ChaveJanela(Nova.form, Nova.caption)), 0);
        const ResultadoFormAcessos r = FormAcessos(ctx, u, Nova);
        EXPECT_TRUE(r.permitido) << u.toStdString();
        EXPECT_TRUE(r.botoes.empty()) << "nothing is disabled for " << u.toStdString();
        EXPECT_TRUE(Acesso(ctx, &ui, u, ChaveJanela(Nova.form, Nova.caption), true));
    }
    EXPECT_TRUE(ui.mensagens.empty());
}

TEST_P(AcessosTest, ValorZeroNegaComMensagem) {
    ASSERT_TRUE(GetBotoes(*db, "05", Nova, 1));
    const QString chave = ChaveBotao(Nova.form, Nova.caption, "&Apagar");
    EXPECT_TRUE(Acesso(ctx, &ui, "05", chave, true));
    ASSERT_TRUE(db->exec("UPDATE Acessos SET value=0 WHERE chave=?", {chave}));
    EXPECT_FALSE(Acesso(ctx, &ui, "05", chave, false));
    EXPECT_TRUE(ui.mensagens.empty());
    EXPECT_FALSE(Acesso(ctx, &ui, "05", chave, true));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto,
              "Acesso Negado!\r\nFavor de contactar o SUPERVISOR.\r\n\r\n[" + chave + "]");
    EXPECT_EQ(ui.mensagens[0].titulo, "CONTROLO DE ACESSOS");
    EXPECT_FALSE(Acesso(ctx, &ui, "06", chave, false)) << "no row denies";

    // A null value grants nothing either.
    ASSERT_TRUE(
        db->exec("UPDATE Acessos SET value=NULL WHERE chave=?", {ChaveJanela(Nova.form, Nova.caption)}));
    EXPECT_FALSE(FormAcessos(ctx, "05", Nova).permitido);

    // The menu entry tells the refusal.
    ctx.CodigoUtilizador = "05";
    ASSERT_TRUE(db->exec("UPDATE Acessos SET value=0 WHERE chave=?", {ChaveJanela(Nova.form, Nova.caption)}));
    Menu menu(ctx, ui);
    EXPECT_FALSE(menu.entrada(Nova).permitido);
    EXPECT_EQ(ui.ultimaMensagem(), "Acesso Negado !");
    EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Critico);
}

TEST_P(AcessosTest, BotoesActivosConformeOsSeusRegistos) {
    JanelaProtegida antiga = Nova;
    antiga.botoes.pop_back();
    antiga.botoes.pop_back(); // only cmdGravar existed when the rows were made
    ASSERT_TRUE(GetBotoes(*db, "05", antiga, 1));
    ResultadoFormAcessos r = FormAcessos(ctx, "05", Nova);
    ASSERT_TRUE(r.permitido);
    EXPECT_TRUE(botaoActivo(r, "cmdGravar"));
    EXPECT_TRUE(botaoActivo(r, "cmdApagar")) << "a button without a row stays enabled";

    ASSERT_TRUE(GetBotoes(*db, "05", Nova, 0)); // adds the missing button row only
    EXPECT_EQ(valor("05", ChaveJanela(Nova.form, Nova.caption)), 1);
    r = FormAcessos(ctx, "05", Nova);
    EXPECT_TRUE(botaoActivo(r, "cmdGravar"));
    EXPECT_FALSE(botaoActivo(r, "cmdApagar"));
}

TEST_P(AcessosTest, BotoesDeFechoNuncaControlados) {
    EXPECT_TRUE(BotaoControlado("cmdGravar", "&Gravar"));
    EXPECT_TRUE(BotaoControlado("cmdSaldo", "Saldo")) << "SAI only as the caption's start";
    EXPECT_FALSE(BotaoControlado("cmdCancelar", "Cance&lar"));
    EXPECT_FALSE(BotaoControlado("cmdFechar", "&fechar"));
    EXPECT_FALSE(BotaoControlado("cmdVoltar", " Voltar"));
    EXPECT_FALSE(BotaoControlado("cmdSair", "Sai&r"));
    EXPECT_FALSE(BotaoControlado("cmdPesq", "..."));
    EXPECT_FALSE(BotaoControlado("btnGravar", "&Gravar"));
    EXPECT_EQ(TextoSemAcelerador("&Gravar && Sair"), "Gravar & Sair");
}

TEST_P(AcessosTest, ApagarSoOsDoPrograma) {
    ASSERT_TRUE(CriaTodososAcessos(ctx, "05"));
    ASSERT_TRUE(CriaTodososAcessos(ctx, "06"));
    ASSERT_GT(
        db->insert("Acessos", Registo()("utilizador", "05")("chave", "WLumoGestfrmClientes")("value", 1)), 0);
    ASSERT_TRUE(ApagaTodososAcessos(ctx, "05"));
    EXPECT_EQ(linhas("05"), 1) << "rows of the suite's other programs stay";
    EXPECT_EQ(linhas("06"), contarRegistos(JanelasProtegidas()));
    ASSERT_TRUE(ApagaTodososAcessos(ctx, "TODOS"));
    EXPECT_EQ(linhas("06"), 0);
    EXPECT_EQ(linhas("05"), 1);
}

TEST_P(AcessosTest, DireitosPorProduto) {
    ASSERT_GT(db->insert("UtilizadorProduto",
                         Registo()("Utilizador", "05")("Produto", "P1")("Consulta", 1)("VerCustos", 0)),
              0);
    ctx.CodigoUtilizador = "05";
    EXPECT_TRUE(Acesso_Utilizador_Produto(ctx, "Consulta", "P1"));
    EXPECT_TRUE(Acesso_Utilizador_Produto(ctx, "consulta", "P1"));
    EXPECT_FALSE(Acesso_Utilizador_Produto(ctx, "VerCustos", "P1"));
    EXPECT_FALSE(Acesso_Utilizador_Produto(ctx, "Movimenta", "P1")) << "null";
    EXPECT_FALSE(Acesso_Utilizador_Produto(ctx, "Consulta", "P2"));
    EXPECT_FALSE(Acesso_Utilizador_Produto(ctx, "Consulta FROM Acessos --", "P1"));
    ctx.CodigoUtilizador = "01";
    EXPECT_TRUE(Acesso_Utilizador_Produto(ctx, "VerCustos", "P1"));
}

TEST_P(AcessosTest, EditorCriaGravaEProcura) {
    ASSERT_GT(db->insert("Utilizador", Registo()("Codigo", "05")("Login", "Rita")), 0);
    ASSERT_GT(db->insert("Utilizador", Registo()("Codigo", "01")("Login", "Supervisor")), 0);
    AcessosEditor ed(ctx, ui);
    const auto us = ed.utilizadores();
    ASSERT_EQ(us.size(), 1u);
    EXPECT_EQ(us[0].login, "Rita");

    ui.responder(0); // cancel
    ASSERT_TRUE(ed.Utilizador("05"));
    EXPECT_TRUE(ed.nos().empty());
    EXPECT_EQ(linhas("05"), 0);
    ui.responder(1); // create
    ASSERT_TRUE(ed.Utilizador("05"));
    EXPECT_EQ(int(ed.nos().size()), contarRegistos(JanelasProtegidas()));
    EXPECT_EQ(ui.perguntas.back(), "Não existe Registo em Base de Dados dos Acessos deste Utilizador");

    // "Recarregar" is a button only the access window has, so the search finds it once.
    const int gravar = ed.procurar("recarregar");
    ASSERT_GE(gravar, 0);
    EXPECT_EQ(ed.procurar("recarregar", gravar), -1);
    EXPECT_EQ(ed.nos()[gravar].ctrl, "cmdRecarregar");
    ed.ligar(gravar, false);
    EXPECT_TRUE(ed.alterado());
    ASSERT_TRUE(ed.gravar());
    EXPECT_EQ(linhas("05", "AND value=0"), 1);

    ed.alternarTodos(); // not all on: all on
    EXPECT_TRUE(std::all_of(ed.nos().begin(), ed.nos().end(), [](const auto& n) { return n.ligado; }));
    ed.alternarTodos();
    EXPECT_TRUE(std::none_of(ed.nos().begin(), ed.nos().end(), [](const auto& n) { return n.ligado; }));
    ASSERT_TRUE(ed.gravar());
    EXPECT_EQ(linhas("05", "AND value=1"), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Descricao=?",
                         {"Acessos do Utilizador 05"})
                  .toInt(),
              2);

    // The service user's rows are never written.
    ASSERT_TRUE(GetBotoes(*db, "00", Nova, 1));
    ASSERT_TRUE(ed.Utilizador("00"));
    ed.alternarTodos();
    ASSERT_TRUE(ed.gravar());
    EXPECT_EQ(linhas("00", "AND value=0"), 0);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(AcessosTest);
