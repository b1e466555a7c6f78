#include "production/ConfigProd.h"
#include "production/NomenclaturaDados.h"
#include "production/Nomenclatura.h"
#include "support/DbTest.h"

#include <QSqlQuery>

namespace {
Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
} // namespace

class NomenclaturaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.proddiversos = QStringLiteral("DIV");
        ctx.armazem = QStringLiteral("001");
        ASSERT_GT(db->insert("Armazens", {"Codigo", "Descricao"}, {"001", "Central"}), 0);
        ASSERT_GT(db->insert("Armazens", {"Codigo", "Descricao"}, {"002", "Fábrica"}), 0);
        struct P {
            const char *codigo, *descricao, *pmc, *upc, *upcompra;
        };
        for (const P& p : {P{"PA1", "Pão", "0", "0", "0"}, P{"PA2", "Bolo", "0", "0", "0"},
                           P{"MP1", "Farinha", "1.5", "1.6", "1.7"}, P{"MP2", "Fermento", "3", "3.1", "3.2"},
                           P{"DIV", "Diversos", "9", "9", "9"}})
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "PrecoMedioCusto", "UltPrecoCusto", "UltPrecoCompra"},
                                 {p.codigo, p.descricao, p.pmc, p.upc, p.upcompra}),
                      0);
        for (const char* t : {"SMP", "SPR", "SRF"})
            ASSERT_GT(db->insert("TabTipoMov", {"Codigo", "Modulo", "AfectaStk", "AfectaIVA"}, {t, "ST", "S+", 0}), 0);
        ASSERT_GT(db->insert("TabTipoMov", {"Codigo", "Modulo", "AfectaStk", "AfectaIVA"}, {"EPA", "ST", "E+", 0}), 0);
        ASSERT_GT(db->insert("TabTipoMov", {"Codigo", "Modulo", "AfectaStk", "AfectaIVA"}, {"RMP", "ST", "S-", 0}), 0);
    }

    int linhas(const char* pa) {
        return db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE ProdutoAcabado=?", {pa}).toInt();
    }
    // A bill "PA1" with lines through the window logic.
    void linha(Nomenclatura& n, const char* mp, const char* quant, const char* preco = "0") {
        ASSERT_TRUE(n.adicionarProduto());
        n.txtProdutoPrima.codigo = mp;
        ASSERT_TRUE(n.produtoPrimaSaiu());
        n.txtQuantidade = C(quant);
        if (n.precoActivo())
            n.txtPreco = C(preco);
        ASSERT_TRUE(n.gravarLinha()) << ui.ultimaMensagem().toStdString();
    }
    void novaNomenclatura(Nomenclatura& n, const char* pa = "PA1") {
        n.abrir();
        n.adicionar();
        n.txtProdutoAcabado.codigo = pa;
        ASSERT_TRUE(n.produtoAcabadoSaiu());
    }
    void comConfig() {
        ASSERT_GT(db->insert("configProd", {"TipoSaida", "Precario", "CasasDec"}, {"SMP", "UltPrecoCusto", 3}), 0);
    }
};

TEST_P(NomenclaturaTest, ConfigProdGravaNaTabelaVaziaPreencheLoteEAplicaCasas) {
    ConfigProd c(ctx, ui);
    c.carregar();
    c.alterar();
    c.dados.TipoSaida = "SMP";
    c.dados.Tipoent = "EPA";
    c.dados.Tiporet = "RMP";
    c.dados.TipoRef = "SRF";
    c.dados.Processo_TipoSaida = "SPR";
    c.dados.UltLote = "57";
    c.dados.CasasDec = 3;
    c.ultLoteSaiu();
    EXPECT_EQ(c.dados.UltLote, "0000000057");
    ASSERT_TRUE(c.gravar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM configProd").toInt(), 1);
    EXPECT_EQ(db->scalar("SELECT UltLote FROM configProd").toString(), "0000000057");
    EXPECT_EQ(ctx.casasdecProducao, 3);
    EXPECT_FALSE(c.emEdicao());

    // A second save changes the one row and logs what changed.
    c.alterar();
    c.dados.UltLote = "58";
    ASSERT_TRUE(c.gravar());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM configProd").toInt(), 1);
    EXPECT_EQ(db->scalar("SELECT UltLote FROM configProd").toString(), "0000000058");
    const QString obs = db->scalar("SELECT Observa FROM LogGeral WHERE Modulo='TB' AND Accao='A' ORDER BY NumRegisto DESC").toString();
    EXPECT_TRUE(obs.contains("UltLote")) << obs.toStdString();
    EXPECT_FALSE(obs.contains("TipoSaida")) << obs.toStdString();
}

TEST_P(NomenclaturaTest, ConfigProdRecusaTiposIguaisOuDeOutroSentido) {
    ConfigProd c(ctx, ui);
    c.carregar();
    c.dados.TipoRef = "SRF";
    c.dados.Processo_TipoSaida = "SRF";
    EXPECT_FALSE(c.gravar());
    EXPECT_TRUE(ui.ultimaMensagem().contains("Reforço")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(c.campoFoco(), ConfigProd::Campo::Processo_TipoSaida);

    c.dados.Processo_TipoSaida = "SPR";
    c.dados.Tiporet = "SMP"; // an exit type where a return is asked
    EXPECT_FALSE(c.gravar());
    EXPECT_EQ(c.campoFoco(), ConfigProd::Campo::Tiporet);
    c.dados.Tiporet.clear();
    c.dados.UltLote = "12A";
    EXPECT_FALSE(c.gravar());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM configProd").toInt(), 0);
}

TEST_P(NomenclaturaTest, SemConfigProdAvisaEAbreNaMesma) {
    ASSERT_GT(db->insert("Nomenclatura", {"ProdutoAcabado", "ProdutoPrima", "Fixa"}, {"PA2", "MP1", 1}), 0);
    Nomenclatura n(ctx, ui);
    n.abrir();
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, "Não tem as configurações da produção bem definidas!");
    EXPECT_EQ(n.lvwLista.numLinhas(), 1);
    EXPECT_EQ(n.captionFixa(), "Não Fixa");
    EXPECT_EQ(n.precarioPadrao(), "PrecoMedioCusto");
}

TEST_P(NomenclaturaTest, MesmaMateriaPrimaDuasVezesFicaUmaLinhaComOsUltimosValores) {
    comConfig();
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    linha(n, "MP1", "2");
    linha(n, "MP2", "0.5");
    linha(n, "MP1", "3.25");
    EXPECT_EQ(linhas("PA1"), 2);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT quantidade FROM Nomenclatura WHERE ProdutoPrima='MP1'")), C("3.25"));
    EXPECT_EQ(n.lvwListaNomec.numLinhas(), 2);
    EXPECT_EQ(n.lvwListaNomec.texto(0, 3), "3,250") << "three production decimals";
    EXPECT_EQ(db->scalar("SELECT precario FROM Nomenclatura WHERE ProdutoPrima='MP2'").toString(), "UltPrecoCusto");
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Accao='A'").toInt(), 1);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Accao='N'").toInt(), 2);
}

TEST_P(NomenclaturaTest, PrecoSoFicaNoProdutoDiverso) {
    comConfig();
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    linha(n, "MP1", "1");
    EXPECT_EQ(n.txtPreco, Currency()) << "panel cleared";
    // The price shown for a regular product (its cost) is never stored.
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT preco FROM Nomenclatura WHERE ProdutoPrima='MP1'")), Currency());
    ASSERT_TRUE(n.adicionarProduto());
    n.txtProdutoPrima.codigo = "MP2";
    ASSERT_TRUE(n.produtoPrimaSaiu());
    EXPECT_EQ(n.txtPreco, C("3.1")) << "last cost price, the configured basis";
    n.escolherPrecario(PrecarioUPCompra);
    EXPECT_EQ(n.txtPreco, C("3.2"));
    n.txtQuantidade = C("1");
    ASSERT_TRUE(n.gravarLinha());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT preco FROM Nomenclatura WHERE ProdutoPrima='MP2'")), Currency());
    EXPECT_EQ(db->scalar("SELECT precario FROM Nomenclatura WHERE ProdutoPrima='MP2'").toString(), "UltPrecoCompra");

    ASSERT_TRUE(n.adicionarProduto());
    n.txtProdutoPrima.codigo = "DIV";
    ASSERT_TRUE(n.produtoPrimaSaiu());
    EXPECT_TRUE(n.precoActivo());
    EXPECT_FALSE(n.opcoesPrecoActivas());
    n.txtPreco = C("12.34");
    n.txtQuantidade = C("1");
    ASSERT_TRUE(n.gravarLinha());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT preco FROM Nomenclatura WHERE ProdutoPrima='DIV'")), C("12.34"));
}

TEST_P(NomenclaturaTest, PrecoPorArmazemQuandoPMCArmazem) {
    comConfig();
    ASSERT_GT(db->insert("ParamGeral", {"NomeEmpresa", "PMCArmazem"}, {"T", 1}), 0);
    ASSERT_GT(db->insert("MovProduto", {"Codigo", "Armazem", "Data", "AfectaStk", "QuantNormal", "Armazem_PMCusto",
                                        "Armazem_UPCusto", "Armazem_UPCompra"},
                         {"MP1", "002", "2026-01-10", "E+", "1", "7.5", "7.6", "7.7"}),
              0);
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    ASSERT_TRUE(n.adicionarProduto());
    n.txtProdutoPrima.codigo = "MP1";
    ASSERT_TRUE(n.produtoPrimaSaiu());
    EXPECT_EQ(n.txtPreco, Currency()) << "nothing entered in warehouse 001";
    n.txtArmazem.codigo = "002";
    n.armazemSaiu();
    EXPECT_EQ(n.txtPreco, C("7.6"));
}

TEST_P(NomenclaturaTest, CabecalhoReescritoEmTodasAsLinhas) {
    comConfig();
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    linha(n, "MP1", "1");
    linha(n, "MP2", "1");
    n.txtProdutoAcabado.descricao = "Pão de forma";
    n.txtPrecoProdutoAcabado = C("4.5");
    linha(n, "MP2", "2");
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE ProdutoAcabado='PA1' AND DescProdutoAcabado='Pão de forma' "
                         "AND ProdutoAcabadoPreco=4.5")
                  .toInt(),
              2);
    // The price dialog writes every row too; "*VAZIO*" is a cancel.
    ui.responder(QStringLiteral("6,25"));
    ASSERT_TRUE(n.precoProdutoAcabado());
    ui.responder(QStringLiteral("*VAZIO*"));
    EXPECT_FALSE(n.precoProdutoAcabado());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE ProdutoAcabadoPreco=6.25").toInt(), 2);
    // Check boxes write at once.
    n.definirCtrlQuantidades(true);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE CtrlQuantidades=1").toInt(), 2);
}

TEST_P(NomenclaturaTest, ImportacaoRecusadaComLinhasENadaDeOrigemVazia) {
    comConfig();
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    linha(n, "MP1", "2");
    linha(n, "MP2", "1");
    n.fimNomenclatura();

    Nomenclatura b(ctx, ui);
    novaNomenclatura(b, "PA2");
    EXPECT_FALSE(b.importar("XXX")) << "empty source";
    EXPECT_EQ(linhas("PA2"), 0);
    EXPECT_TRUE(b.importar("PA1"));
    EXPECT_EQ(linhas("PA2"), 2);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Nomenclatura WHERE ProdutoAcabado='PA2' AND DescProdutoAcabado='Bolo'").toInt(), 2);
    EXPECT_EQ(linhas("PA1"), 2) << "source untouched";
    ui.mensagens.clear();
    EXPECT_FALSE(b.importar("PA1"));
    EXPECT_EQ(ui.ultimaMensagem(),
              "Não pode importar produtos de outras nomenclaturas porque já existem registos para este Produto Acabado.");
    EXPECT_EQ(linhas("PA2"), 2);
}

TEST_P(NomenclaturaTest, NomenclaturaEmObrasNaoSeEliminaMasAsLinhasSim) {
    comConfig();
    ASSERT_GT(db->insert("ObrasProdutosAcabados", {"ProdutoAcabado"}, {"PA1"}), 0);
    Nomenclatura n(ctx, ui);
    novaNomenclatura(n);
    linha(n, "MP1", "2");
    linha(n, "MP2", "1");
    n.fimNomenclatura();
    ASSERT_EQ(n.lvwLista.numLinhas(), 1);
    ui.responder(2);
    EXPECT_FALSE(n.eliminar());
    EXPECT_EQ(ui.ultimaMensagem(), "Este produto está inserido em obras!");
    EXPECT_EQ(linhas("PA1"), 2);

    ASSERT_TRUE(n.alterar());
    n.lvwListaNomec.lvw_SelectLinha(0);
    ui.responder(1); // "Não"
    EXPECT_FALSE(n.eliminarProduto());
    ui.responder(2);
    EXPECT_TRUE(n.eliminarProduto());
    EXPECT_EQ(linhas("PA1"), 1);
    EXPECT_EQ(db->scalar("SELECT ProdutoPrima FROM Nomenclatura").toString(), "MP2");

    // Without works, the whole bill goes.
    ASSERT_TRUE(db->exec("DELETE FROM ObrasProdutosAcabados"));
    n.fimNomenclatura();
    ui.responder(2);
    EXPECT_TRUE(n.eliminar());
    EXPECT_EQ(linhas("PA1"), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Accao='E'").toInt(), 2);
}

TEST_P(NomenclaturaTest, RecusasDoPainelEListaPesquisaEFixa) {
    comConfig();
    Nomenclatura n(ctx, ui);
    n.abrir();
    n.adicionar();
    EXPECT_FALSE(n.adicionarProduto());
    EXPECT_EQ(ui.ultimaMensagem(), "Não tem Produto Acabado Definido!");
    n.txtProdutoAcabado.codigo = "PA1";
    ASSERT_TRUE(n.produtoAcabadoSaiu());
    ASSERT_TRUE(n.adicionarProduto());
    EXPECT_FALSE(n.gravarLinha());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o produto!");
    n.txtProdutoPrima.codigo = "MP1";
    n.txtArmazem.codigo.clear();
    EXPECT_FALSE(n.gravarLinha());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o armazém!");
    n.txtArmazem.codigo = "999";
    EXPECT_FALSE(n.gravarLinha());
    EXPECT_EQ(linhas("PA1"), 0);
    linha(n, "MP1", "1");

    Nomenclatura outra(ctx, ui);
    outra.abrir();
    outra.adicionar();
    outra.txtProdutoAcabado.codigo = "PA1";
    EXPECT_FALSE(outra.produtoAcabadoSaiu());
    EXPECT_EQ(ui.ultimaMensagem(), "Produto Acabado já Existente!");
    EXPECT_TRUE(outra.txtProdutoAcabado.codigo.isEmpty());

    ASSERT_GT(db->insert("Nomenclatura", {"ProdutoAcabado", "DescProdutoAcabado", "ProdutoPrima"}, {"PA2", "Bolo", "MP1"}), 0);
    outra.txtPesqDescricao = "bol";
    outra.Carregar();
    ASSERT_EQ(outra.lvwLista.numLinhas(), 1);
    EXPECT_EQ(outra.lvwLista.texto(0, 1), "PA2");
    EXPECT_EQ(outra.captionFixa(), "Fixa");
    EXPECT_TRUE(outra.alternarFixa());
    EXPECT_EQ(outra.lvwLista.texto(0, 3), "Fixa");
    EXPECT_EQ(outra.captionFixa(), "Não Fixa");
    EXPECT_EQ(db->scalar("SELECT Fixa FROM Nomenclatura WHERE ProdutoAcabado='PA2'").toInt(), 1);
    EXPECT_EQ(db->scalar("SELECT Fixa FROM Nomenclatura WHERE ProdutoAcabado='PA1'").toInt(), 0);
}

LUMO_INSTANCIAR_MOTORES(NomenclaturaTest);
