#include "shell/Menu.h"
#include "company/Empresas.h"
#include "support/DbTest.h"

#include <QSqlQuery>
#include <QSysInfo>
#include <algorithm>

class MenuTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.CodigoUtilizador = "05";
        ctx.LoginUtilizador = "Rita";
        ctx.NomeEmpresa = "Fábrica Teste";
        ctx.NomePosto.clear();
    }
    void configurar() {
        ASSERT_GT(
            db->insert("ParamGeral", Registo()("NomeEmpresa", "Fábrica Teste")("ano", "2024")("mes", "3")),
            0);
        ASSERT_GT(db->insert("configProd", Registo()("CasasDec", 3)), 0);
    }
};

TEST_P(MenuTest, CarregarRegistaEntradaEFecharRegistaSaida) {
    configurar();
    ASSERT_GT(
        db->insert("UtilConfGeral", Registo()("Utilizador", "05")("ActivaLogGeral", 0)("armazem", "001")), 0);
    for (const auto& [u, f] : {std::pair{"05", "N"}, {"05", "S"}, {"06", "N"}})
        ASSERT_GT(db->insert("Imagens", Registo()("Utilizador", u)("Fechado", f)("Tabela", "Produtos")), 0);

    Menu menu(ctx, ui);
    menu.definirPastaPrograma("/opt/lumo");
    EXPECT_EQ(menu.titulo(), "Menu Principal - Produção    ( Versão: " + Menu::Versao() + " )");
    EXPECT_EQ(menu.painelUtilizador(), "05 - Rita");
    EXPECT_FALSE(menu.mostraAcessos());
    ASSERT_TRUE(menu.carregar());

    EXPECT_EQ(ctx.NomePosto, QSysInfo::machineHostName());
    EXPECT_EQ(ctx.casasdecProducao, 3);
    EXPECT_EQ(ctx.ano, "2024") << "general parameters loaded";
    EXPECT_EQ(menu.painelArmazem(), "Arm.-> 001");
    auto q = db->query("SELECT Utilizador, Modulo, Accao, Descricao, Observa FROM LogGeral");
    ASSERT_TRUE(q && q->next()) << "the entry is logged even with the user's log off";
    EXPECT_EQ(q->value(0).toString(), "05");
    EXPECT_EQ(q->value(1).toString(), "MN");
    EXPECT_EQ(q->value(2).toString(), "M");
#ifdef Q_OS_WIN
    EXPECT_EQ(q->value(3).toString(), "Entrada no WLumoProd (\\opt\\lumo\\WLumoProd.exe)");
#else
    EXPECT_EQ(q->value(3).toString(), "Entrada no WLumoProd (/opt/lumo/WLumoProd)");
#endif
    EXPECT_EQ(q->value(4).toString(), "Menu de WLumoProd (" + QSysInfo::machineHostName() + ")");
    EXPECT_FALSE(q->next());
    q.reset();
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Imagens").toInt(), 2)
        << "only the user's unfinished pictures go";
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Imagens WHERE Utilizador='05' AND Fechado='N'").toInt(), 0);

    // Closing: presence first, with the connection still open and the exit not yet logged.
    int chamadas = 0;
    menu.definirSaidaUtilizador([&](GlobalContext& c) {
        ++chamadas;
        ASSERT_TRUE(c.LigacaoEmpresa && c.LigacaoEmpresa->isOpen());
        EXPECT_EQ(c.bd().scalar("SELECT COUNT(*) FROM LogGeral").toInt(), 1);
    });
    ctx.LigacaoAuxiliar1 = novaLigacao();
    auto aux = ctx.LigacaoAuxiliar1;
    menu.fechar();
    EXPECT_EQ(chamadas, 1);
    EXPECT_FALSE(ctx.LigacaoEmpresa);
    EXPECT_FALSE(ctx.LigacaoAuxiliar1);
    EXPECT_FALSE(db->isOpen());
    EXPECT_FALSE(aux->isOpen());
    EXPECT_EQ(ctx.CodigoUtilizador, "05") << "closing keeps the user";
    menu.fechar();
    EXPECT_EQ(chamadas, 1) << "the close sequence runs once";

    auto outra = novaLigacao();
    ASSERT_TRUE(outra);
    auto s = outra->query("SELECT Descricao, Observa FROM LogGeral WHERE Modulo='MN' ORDER BY NumRegisto");
    ASSERT_TRUE(s && s->next() && s->next());
    EXPECT_TRUE(s->value(0).toString().startsWith("Saida do WLumoProd ("));
    EXPECT_EQ(s->value(1).toString(), "Menu de WLumoProd (" + QSysInfo::machineHostName() + ")");
}

TEST_P(MenuTest, ParamGeralVazioTerminaComMensagem) {
    Menu menu(ctx, ui);
    int chamadas = 0;
    menu.definirSaidaUtilizador([&](GlobalContext&) { ++chamadas; });
    EXPECT_FALSE(menu.carregar());
    ASSERT_FALSE(ui.mensagens.empty());
    EXPECT_EQ(ui.mensagens.back().texto, "Empresa não está devidamente configurada!");
    EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Critico);
    EXPECT_FALSE(ctx.LigacaoEmpresa) << "the program ends: connections closed";
    menu.fechar();
    EXPECT_EQ(chamadas, 0) << "a menu that never opened has nothing to close";
    auto outra = novaLigacao();
    EXPECT_EQ(outra->scalar("SELECT COUNT(*) FROM LogGeral").toInt(), 0);
}

TEST_P(MenuTest, LigacaoMortaTermina) {
    configurar();
    db->close();
    Menu menu(ctx, ui);
    EXPECT_FALSE(menu.carregar());
    EXPECT_EQ(ui.ultimaMensagem(),
              "O Aplicativo foi forçado a encerrar enquanto estava em operação.\r\nVai ser encerrado agora.");
    EXPECT_FALSE(ctx.LigacaoEmpresa);
}

TEST_P(MenuTest, InformacaoNomeiaOMotorDaBaseDados) {
    Menu menu(ctx, ui);
    const auto info = menu.informacao();
    const auto bd = std::find_if(info.begin(), info.end(), [](const auto& l) { return l.first == "Base de Dados"; });
    ASSERT_NE(bd, info.end());
    EXPECT_EQ(bd->second, params.baseDados + (isSQLite() ? " (SQLite)" : " (PostgreSQL)"));
}

TEST_P(MenuTest, VersaoDaBaseDadosSuperior) {
    Menu menu(ctx, ui);
    EXPECT_FALSE(menu.baseDadosMaisRecente()) << "no version row";
    ASSERT_GT(db->insert("Actualiza", Registo()("versao", versaoBaseDados())), 0);
    EXPECT_FALSE(menu.baseDadosMaisRecente());
    ASSERT_TRUE(db->exec("UPDATE Actualiza SET versao='000000090000'"));
    EXPECT_FALSE(menu.baseDadosMaisRecente()) << "an older database is the company selection's matter";
    ASSERT_TRUE(db->exec("UPDATE Actualiza SET versao='999900000000'"));
    EXPECT_TRUE(menu.baseDadosMaisRecente());
    menu.avisarVersaoSuperior();
    EXPECT_EQ(ui.ultimaMensagem(),
              "Atenção que a base de dados foi actualizada por uma versão do aplicativo superior à sua !");
}

TEST_P(MenuTest, ActualizacoesDasTabelasDeProducao) {
    ASSERT_GT(db->insert("Nomenclatura", Registo()("ProdutoAcabado",
                                                   "PA")("Factor", QVariant())("FactorFormula", QVariant())),
              0);
    ASSERT_GT(
        db->insert("Prod_Equipamentos", Registo()("Codigo", "E1")("Utilizador", "")(
                                            "Utilizadores", QVariant())("DataSys", "2016-05-01 10:00:00")),
        0);
    ASSERT_GT(db->insert("Prod_Equipamentos", Registo()("Codigo", "E2")("Utilizador", "07")(
                                                  "Utilizadores", "07")("DataSys", "2020-05-01 10:00:00")),
              0);
    Menu menu(ctx, ui);
    ASSERT_TRUE(menu.actualizacoesProducao());
    auto q = db->query("SELECT Factor, FactorFormula FROM Nomenclatura");
    ASSERT_TRUE(q && q->next());
    EXPECT_FALSE(q->value(0).isNull());
    EXPECT_EQ(q->value(0).toDouble(), 0.0);
    EXPECT_EQ(q->value(1).toString(), "A");
    q = db->query("SELECT Codigo, Utilizador, Utilizadores, DataSys FROM Prod_Equipamentos ORDER BY Codigo");
    ASSERT_TRUE(q && q->next());
    EXPECT_EQ(q->value(1).toString(), "01");
    EXPECT_FALSE(q->value(2).isNull());
    EXPECT_GE(q->value(3).toDateTime().date().year(), 2024) << "dates before 2017 become today";
    ASSERT_TRUE(q->next());
    EXPECT_EQ(q->value(1).toString(), "07");
    EXPECT_EQ(q->value(3).toDateTime().date().year(), 2020);
}

LUMO_INSTANCIAR_MOTORES(MenuTest);
