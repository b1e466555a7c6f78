#include "stock/VerificacoesStock.h"
#include "stock/MovimentosStock.h"
#include "support/DbTest.h"

class VerificacoesStockTest : public DbTest {
protected:
    void inserir(const QString& tabela, const Registo& r) {
        ASSERT_GT(db->insert(tabela, r), 0) << tabela.toStdString() << ": " << db->lastError().toStdString();
    }
    void produto(const char* codigo, const char* ctrl, const char* servico = "0", const char* portes = "0",
                 int lote = 0) {
        inserir("Produtos",
                Registo()("Codigo", codigo)("Descricao", codigo)("ctrlexistencia", ctrl)("servico", servico)(
                    "portes", portes)("Lote", lote)("UnidadeCompra", "KG")("UnidadeVenda", "UN"));
    }
    void paramGeral(const char* controlaQuant, int diversos = 0, int servicos = 0, int portes = 0) {
        ASSERT_TRUE(db->exec("DELETE FROM ParamGeral"));
        inserir("ParamGeral", Registo()("proddiversos", "DIV1")("proddiversos2", "DIV2")(
                                  "ControlaQuant", controlaQuant)("controlaQuant_Diversos", diversos)(
                                  "controlaQuant_Servicos", servicos)("controlaQuant_Portes", portes));
    }
    void movimento(const char* codigo, const char* armazem, const char* localizacao, const char* afecta,
                   const char* quant, const char* data, const char* lote = "") {
        LinhaMovProduto l;
        l.definir(ColMovProduto::Codigo, codigo);
        l.definir(ColMovProduto::Tipo, "TST");
        l.definir(ColMovProduto::Numero, "00000001");
        l.definir(ColMovProduto::Ano, "2026");
        l.definir(ColMovProduto::Data, data);
        l.definir(ColMovProduto::Armazem, armazem);
        l.definir(ColMovProduto::Localizacao, localizacao);
        l.definir(ColMovProduto::AfectaStk, afecta);
        l.definir(ColMovProduto::QuantNormal, Currency::fromString(quant));
        l.definir(ColMovProduto::Lote, lote);
        const auto n = MeteNoMovPro(*db, l);
        ASSERT_TRUE(n) << n.mensagem().toStdString();
    }
    void confGeral(int altArmazem, const char* acessos, const char* acessosTra) {
        ASSERT_TRUE(db->exec("DELETE FROM UtilConfGeral"));
        inserir("UtilConfGeral", Registo()("utilizador", "01")("armazem", "001")("AltArmazem", altArmazem)(
                                     "ArmazensAcessos", acessos)("ArmazensAcessosTRA", acessosTra));
    }
};

TEST_P(VerificacoesStockTest, ControloDeStockPorLoteArmazemEFicha) {
    VerificacoesStock m(ctx);
    inserir("Armazens", Registo()("codigo", "001")("IgnoraCtrlExistencia", 0));
    inserir("Armazens", Registo()("codigo", "009")("IgnoraCtrlExistencia", 1));
    produto("LOTE", "0", "0", "0", 1);
    produto("FICHA", "1");
    produto("LIVRE", "0");

    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "NAOEXISTE", "001"));
    // A lot-managed product is controlled even where stock is not watched, and even without parameters.
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "LOTE", "009"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "lote", "001"));
    // Without a ParamGeral row nothing else is controlled.
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "FICHA", "001"));
    paramGeral("0");
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "FICHA", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "FICHA", "002"))
        << "an unknown warehouse does not ignore control";
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "FICHA", "009"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "LIVRE", "001"));
    paramGeral("1");
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "LIVRE", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "LIVRE", "009"));
}

TEST_P(VerificacoesStockTest, ControloGeralEDiversosServicosPortes) {
    VerificacoesStock m(ctx);
    produto("NORMAL", "0");
    produto("SERV", "0", "1");
    produto("SERVCTRL", "1", "1");
    produto("PORTES", "0", "0", "1");
    produto("DIV1", "0");
    produto("DIV2", "0");
    produto("DIVSERV", "0", "1");

    paramGeral("1");
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "NORMAL", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "SERV", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "SERVCTRL", "001")) << "the product's own control comes first";
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "PORTES", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "DIV1", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "DIV2", "001"));

    paramGeral("1", 1, 0, 1);
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "DIV1", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "DIV2", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "PORTES", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "SERV", "001"));

    // A sundry product that is also a service: the sundry rule does not decide, the service rule does.
    paramGeral("1", 0, 1, 0);
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET proddiversos='DIVSERV'"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "DIVSERV", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "SERV", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "DIV1", "001")) << "no longer a sundry code";
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "DIV2", "001"));

    paramGeral("0", 1, 1, 1);
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "NORMAL", "001"));
    EXPECT_FALSE(m.CtrlExistenciaProduto(*db, "SERV", "001"));
    EXPECT_TRUE(m.CtrlExistenciaProduto(*db, "SERVCTRL", "001"));
}

TEST_P(VerificacoesStockTest, UnidadesInteirasRecusamDecimais) {
    VerificacoesStock m(ctx);
    inserir("TabUnidades", Registo()("Codigo", "UN")("ApenasUnidade", 1));
    inserir("TabUnidades", Registo()("Codigo", "KG")("ApenasUnidade", 0));
    produto("P1", "1"); // bought in KG, sold in UN
    const QString aviso = QStringLiteral("A T E N Ç Ã O !\rEsta Unidade apenas permite a movimentação de "
                                         "quantidades unitárias.");

    auto controla = [&](QString unidade, const char* quant, QString direccao = {}, const QString& tipo = {},
                        bool mostrar = false) {
        return m.ControlaUnidades(*db, unidade, Currency::fromString(quant), "P1", direccao, tipo, mostrar,
                                  &ui);
    };
    EXPECT_FALSE(controla("UN", "2.5", {}, {}, true));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, aviso);
    EXPECT_EQ(ui.mensagens[0].icone, UserInteraction::Icone::Critico);
    EXPECT_TRUE(controla("UN", "2", {}, {}, true));
    EXPECT_TRUE(controla("UN", "-3", {}, {}, true));
    EXPECT_FALSE(controla("UN", "-2.5"));
    EXPECT_FALSE(controla("UN", "0.0001"));
    EXPECT_TRUE(controla("KG", "2.5"));
    EXPECT_TRUE(controla("XX", "2.5")) << "an unknown unit allows decimals";
    EXPECT_EQ(ui.mensagens.size(), 1u) << "only asked messages are shown";

    // A blank unit comes from the product by direction; the direction from the movement type.
    struct Caso {
        const char* direccao;
        const char* tipo;
        const char* direccaoFinal;
        const char* unidade;
    };
    for (const Caso& c : {Caso{"C", "", "C", "KG"}, Caso{"c", "S+", "C", "KG"}, Caso{"", "S+", "V", "UN"},
                          Caso{"", "E+", "C", "KG"}, Caso{"", "e-", "C", "KG"}, Caso{"", "", "V", "UN"},
                          Caso{"", "NA", "V", "UN"}}) {
        QString unidade, direccao = QLatin1String(c.direccao);
        const bool ok = m.ControlaUnidades(*db, unidade, Currency::fromString("2.5"), "P1", direccao,
                                           QLatin1String(c.tipo), false, &ui);
        EXPECT_EQ(unidade, QLatin1String(c.unidade)) << c.direccao << "/" << c.tipo;
        EXPECT_EQ(direccao, QLatin1String(c.direccaoFinal)) << c.direccao << "/" << c.tipo;
        EXPECT_EQ(ok, QLatin1String(c.unidade) == QLatin1String("KG")) << c.direccao << "/" << c.tipo;
    }
    // Without a product, a blank unit stays blank and nothing is refused.
    QString unidade, direccao;
    EXPECT_TRUE(
        m.ControlaUnidades(*db, unidade, Currency::fromString("2.5"), "", direccao, "S+", false, &ui));
    EXPECT_TRUE(unidade.isEmpty());
}

TEST_P(VerificacoesStockTest, LocalizacaoFixaUltimaOuZero) {
    VerificacoesStock m(ctx);
    inserir("TabTipoMov", Registo()("Codigo", "ENT")("AfectaStk", "E+"));
    inserir("TabTipoMov", Registo()("Codigo", "TRF")("AfectaStk", "TR"));
    inserir("TabTipoMov", Registo()("Codigo", "SAI")("AfectaStk", "S+"));

    // Nothing known: "0", whatever the arguments.
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", false), "0");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "ENT", false), "0");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "SAI", true, "", Currency(1)), "0");

    inserir("ProdutosLocalizacoes",
            Registo()("Produto", "P1")("Armazem", "001")("Lote", "")("Localizacao", "L0001"));
    inserir("ProdutosLocalizacoes",
            Registo()("Produto", "P1")("Armazem", "001")("Lote", "LT9")("Localizacao", "L0009"));
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "ENT", false), "L0001");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "TRF", true), "L0001");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "ENT", false, "LT9"), "L0009");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "ENT", false, "LT8"), "0")
        << "no fixed location for that lot";
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "SAI", false), "0")
        << "exits do not take the fixed location";
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "002", "ENT", false), "0");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", false), "0");

    // Last location used in the warehouse: by date, then by row.
    movimento("P1", "001", "00007", "E+", "1", "2026-01-05");
    movimento("P1", "001", "00004", "E+", "1", "2026-01-09");
    movimento("P1", "001", "00002", "E+", "1", "2026-01-03");
    movimento("P1", "002", "00008", "E+", "1", "2026-02-01");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "SAI", false), "00004");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", false), "00004");
    movimento("P1", "001", "00003", "S+", "1", "2026-01-09");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", false), "00003") << "same date: the later row";
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "ENT", false), "L0001");
}

TEST_P(VerificacoesStockTest, LocalizacaoPorStockEscolheAQueCobre) {
    VerificacoesStock m(ctx);
    // 00003 has moved but is empty, 00002 holds 10, 00001 holds 5 and was used last.
    movimento("P1", "001", "00002", "E+", "10", "2026-01-01");
    movimento("P1", "001", "00003", "E+", "4", "2026-01-02");
    movimento("P1", "001", "00003", "S+", "4", "2026-01-02");
    movimento("P1", "001", "00001", "E+", "5", "2026-01-03");
    movimento("P1", "002", "00009", "E+", "50", "2026-01-04");

    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(1)), "00002");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(10)), "00002");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(-3)), "00002") << "the size counts";
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true), "00002") << "no quantity: the first with stock";
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(11)), "00001")
        << "none covers: last used";
    movimento("P1", "001", "00002", "S+", "8", "2026-01-01");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(3)), "00001");
    EXPECT_EQ(m.VerLocalizacao(*db, "P1", "001", "", true, "", Currency(2)), "00002");

    // With a lot, only that lot's balance counts.
    movimento("P2", "001", "00004", "E+", "5", "2026-01-01", "A");
    movimento("P2", "001", "00005", "E+", "5", "2026-01-01", "B");
    EXPECT_EQ(m.VerLocalizacao(*db, "P2", "001", "", true, "A", Currency(2)), "00004");
    EXPECT_EQ(m.VerLocalizacao(*db, "P2", "001", "", true, "B", Currency(2)), "00005");
    EXPECT_EQ(m.VerLocalizacao(*db, "P2", "001", "", true, "", Currency(2)), "00005");
    EXPECT_EQ(m.VerLocalizacao(*db, "P2", "001", "", true, "A", Currency(6)), "00005")
        << "falls back to last used";
}

TEST_P(VerificacoesStockTest, ArmazensPermitidosAoUtilizador) {
    VerificacoesStock m(ctx);
    ctx.armazem = "001";
    EXPECT_TRUE(m.UtilizadorControloArmazens("007", true, false, &ui)) << "no defaults: no restriction";

    confGeral(1, "01;03;", "");
    EXPECT_TRUE(m.UtilizadorControloArmazens("03", true, false, &ui));
    EXPECT_TRUE(m.UtilizadorControloArmazens("01", true, false, &ui));
    EXPECT_TRUE(ui.mensagens.empty());
    EXPECT_FALSE(m.UtilizadorControloArmazens("02", true, false, &ui));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, QStringLiteral("Não pode utilizar o Armazém 02."));
    EXPECT_EQ(ui.mensagens[0].icone, UserInteraction::Icone::Informacao);
    EXPECT_FALSE(m.UtilizadorControloArmazens("1", true, false, &ui)) << "whole entries, not parts of them";
    EXPECT_FALSE(m.UtilizadorControloArmazens("", true, false, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("02", false, false, &ui));
    EXPECT_EQ(ui.mensagens.size(), 2u) << "a blank warehouse and unasked refusals say nothing";

    // Only the default warehouse.
    confGeral(0, "", "");
    EXPECT_TRUE(m.UtilizadorControloArmazens("001", true, false, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("002", false, false, &ui));
    EXPECT_TRUE(m.UtilizadorControloArmazens("", true, false, &ui));
    confGeral(1, "", "");
    EXPECT_TRUE(m.UtilizadorControloArmazens("002", true, false, &ui));

    // The list wins over the default warehouse.
    confGeral(0, "002;", "");
    EXPECT_TRUE(m.UtilizadorControloArmazens("002", true, false, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("001", false, false, &ui));

    // Transfers use their own list when there is one.
    confGeral(1, "002;", "005;006;");
    EXPECT_TRUE(m.UtilizadorControloArmazens("005", true, true, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("002", false, true, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("005", false, false, &ui));
    EXPECT_TRUE(m.UtilizadorControloArmazens("002", true, false, &ui));
    confGeral(1, "002;", "");
    EXPECT_TRUE(m.UtilizadorControloArmazens("002", true, true, &ui));
    EXPECT_FALSE(m.UtilizadorControloArmazens("005", false, true, &ui));

    // The rights are the logged-in user's.
    ctx.CodigoUtilizador = "02";
    EXPECT_TRUE(m.UtilizadorControloArmazens("005", true, false, &ui));
}

LUMO_INSTANCIAR_MOTORES(VerificacoesStockTest);
