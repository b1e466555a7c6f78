#include "production/CriarLote.h"
#include "production/EliminarLote.h"
#include "production/ExistProArmLote.h"
#include "production/Lotes.h"
#include "stock/AlterarPMC.h"
#include "support/DbTest.h"

namespace {
Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
} // namespace

class LotesTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert("Armazens", {"Codigo"}, {"001"}), 0);
        // FIFO by manufacture date; LIFO by expiry date; lots without date control.
        ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Lote", "FormulaLote", "ControlaDataValidade_Fabrico"},
                             {"FIF", "Leite", 1, 1, 1}),
                  0);
        ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Lote", "FormulaLote", "ControlaDataValidade_Fabrico"},
                             {"SDC", "Sal", 1, 1, 0}),
                  0);
        ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Lote", "PrecoMedioCusto"}, {"PA", "Queijo", 0, "0"}), 0);
        ctx.armazem = "001";
    }
    void lote(const char* produto, const char* codigo, const char* fab, const char* val, int bloqueado = 0) {
        ASSERT_GT(db->insert("TabLotes", {"Produto", "Codigo", "Descricao", "DataFabrico", "DataValidade", "Bloqueado"},
                             {produto, codigo, codigo, fab, val, bloqueado}),
                  0);
    }
    void mov(const char* produto, const char* lote, const char* fab, const char* val, const char* loc, const char* afecta,
             const char* quant, const char* tipo = "ENT", const char* numero = "00000001", const char* data = "2026-02-01",
             const char* preco = "1") {
        ASSERT_GT(db->insert("MovProduto", {"Codigo", "Armazem", "Localizacao", "Lote", "DataFabrico", "DataValidade",
                                            "AfectaStk", "QuantNormal", "Preco", "Tipo", "Numero", "Ano", "Data", "Estado"},
                             {produto, "001", loc, lote, fab, val, afecta, quant, preco, tipo, numero, QString(data).left(4), data, "N"}),
                  0);
    }
    ExistProArmLote janela(const char* produto, const char* afecta, const char* ignora = "") {
        ExistProArmLote e(ctx, ui);
        e.txtCodigo = produto;
        e.txtArmazem = "001";
        e.txtAfectaSTK = afecta;
        e.txtIgnoraControlos = ignora;
        return e;
    }
    // Lots L1 (oldest, in two locations), L2, L3 (balance 0) and a blocked L4.
    void lotesFifo() {
        lote("FIF", "L1", "2026-01-01", "2026-06-01");
        lote("FIF", "L2", "2026-01-05", "2026-06-05");
        lote("FIF", "L3", "2025-12-01", "2026-05-01");
        lote("FIF", "L4", "2025-11-01", "2026-04-01", 1);
        mov("FIF", "L1", "2026-01-01", "2026-06-01", "A1", "E+", "5");
        mov("FIF", "L1", "2026-01-01", "2026-06-01", "B2", "E+", "3");
        mov("FIF", "L2", "2026-01-05", "2026-06-05", "A1", "E+", "4");
        mov("FIF", "L3", "2025-12-01", "2026-05-01", "A1", "E+", "2");
        mov("FIF", "L3", "2025-12-01", "2026-05-01", "A1", "S+", "2");
        mov("FIF", "L4", "2025-11-01", "2026-04-01", "A1", "E+", "9");
    }
};

TEST_P(LotesTest, FifoComLoteMaisAntigoEmDuasLocalizacoes) {
    lotesFifo();
    ExistProArmLote e = janela("FIF", "S+");
    e.VerLote({}, {}, {});
    ASSERT_EQ(e.linhas().size(), 3u) << "L3 has no stock, L4 is blocked";
    EXPECT_EQ(e.linhas()[0].lote, "L1");
    EXPECT_EQ(e.linhas()[1].lote, "L1");
    EXPECT_EQ(e.linhas()[2].lote, "L2");
    EXPECT_EQ(e.formula(), ExistProArmLote::Formula::FIFO);
    EXPECT_EQ(e.dica(), "Ordenado por Data do Lote (Ascendente)");
    EXPECT_EQ(e.txtLote, "L1") << "first row selected";
    EXPECT_FALSE(e.areaManual());

    e.clicarLinha(1);
    EXPECT_EQ(e.seleccionar(), ExistProArmLote::Resultado::Escolhido);
    EXPECT_EQ(e.txtLocalizacao, e.linhas()[1].localizacao);
    EXPECT_EQ(e.txtExiste, e.linhas()[1].existencia);
    EXPECT_TRUE(e.txtExiste == C("5") || e.txtExiste == C("3"));

    e.clicarLinha(2);
    EXPECT_NE(e.seleccionar(), ExistProArmLote::Resultado::Escolhido);
    EXPECT_TRUE(ui.ultimaMensagem().contains("controlo de FIFO"));
    EXPECT_TRUE(ui.ultimaMensagem().contains("Tem que seleccionar o Lote com data mais Antiga"));

    ExistProArmLote livre = janela("FIF", "S+", "S");
    livre.VerLote("L2", "2026-01-05", "2026-06-05");
    ASSERT_EQ(livre.linhaDoLoteDado(), 2);
    EXPECT_TRUE(livre.seleccionarInicial()) << "the production order's override";
    EXPECT_EQ(livre.txtLote, "L2");
    EXPECT_EQ(livre.txtExiste, C("4"));
    livre.fechar();
    EXPECT_TRUE(livre.txtLote.isEmpty());
}

TEST_P(LotesTest, LotesSemSaldoSoParaDevolucoesEBloqueadosNunca) {
    lotesFifo();
    for (const char* afecta : {"E-", "S-"}) {
        ExistProArmLote e = janela("FIF", afecta);
        e.VerLote({}, {}, {});
        ASSERT_EQ(e.linhas().size(), 4u) << afecta;
        EXPECT_EQ(e.linhas()[0].lote, "L3") << "oldest first";
        EXPECT_EQ(e.linhas()[0].existencia, Currency());
        for (const auto& l : e.linhas())
            EXPECT_NE(l.lote, "L4");
        EXPECT_EQ(e.areaManual(), QString(afecta) == "S-");
    }
    ExistProArmLote na = janela("FIF", "NA");
    na.VerLote({}, {}, {});
    EXPECT_EQ(na.linhas().size(), 3u);
}

TEST_P(LotesTest, SemControloDeDatasListaVazia) {
    lote("SDC", "X1", "2026-01-01", "2026-02-01");
    mov("SDC", "X1", "2026-01-01", "2026-02-01", "A1", "E+", "5");
    ExistProArmLote e = janela("SDC", "S+");
    e.VerLote({}, {}, {});
    EXPECT_TRUE(e.linhas().empty());
    EXPECT_EQ(e.seleccionar(), ExistProArmLote::Resultado::FocoLista);
}

TEST_P(LotesTest, DevolucaoCriaLoteNovoERecusaDatasDiferentes) {
    lotesFifo();
    ExistProArmLote e = janela("FIF", "S-");
    e.VerLote({}, {}, {});
    // An existing code with other dates is refused and nothing is created.
    EXPECT_TRUE(e.loteDigitado("L1"));
    e.txtDataFabrico = "2026-03-03";
    EXPECT_EQ(e.seleccionar(), ExistProArmLote::Resultado::Recusado);
    EXPECT_EQ(ui.ultimaMensagem(), "Já existe o lote [ L1 ] para este produto, mas com outras datas.");
    // A new code is created automatically.
    EXPECT_FALSE(e.loteDigitado("N9"));
    EXPECT_EQ(e.seleccionar(), ExistProArmLote::Resultado::FocoDataFabrico);
    e.txtDataFabrico = "2026-03-01";
    e.txtDataValidade = "2026-09-01";
    EXPECT_EQ(e.seleccionar(), ExistProArmLote::Resultado::Escolhido);
    auto novo = LerLoteProduto(*db, "FIF", "N9").valor();
    ASSERT_TRUE(novo.has_value());
    EXPECT_EQ(novo->observa, ObservaLoteAutomatico);
    EXPECT_EQ(novo->dataValidade, "2026-09-01");
    EXPECT_EQ(novo->descricao, "N9");
}

TEST_P(LotesTest, CriarLoteGravaRecusaDuplicadoEGuardaUltimo) {
    CriarLote c(ctx, ui);
    c.carregarDefinicoes();
    EXPECT_FALSE(c.chkGravarUltimoLote);
    c.chkGravarUltimoLote = true;
    c.criar({}, {}, {}, "FIF", {}, {}, {});
    EXPECT_EQ(c.txtDescProduto, "Leite");
    EXPECT_FALSE(c.mostrarLotesDocumento());
    c.txtLote = "A100";
    EXPECT_FALSE(c.gravar());
    EXPECT_EQ(c.campoFoco(), CriarLote::Campo::DataFabrico) << "description copied from the code";
    c.txtDataFabrico = CriarLote::formatarData("01/02/2026");
    EXPECT_EQ(c.txtDataFabrico, "01-02-2026");
    c.txtDataValidade = "01-08-2026";
    ASSERT_TRUE(c.gravar()) << ui.ultimaMensagem().toStdString();
    auto l = LerLoteProduto(*db, "FIF", "A100").valor();
    ASSERT_TRUE(l.has_value());
    EXPECT_EQ(l->dataFabrico, "2026-02-01");
    EXPECT_EQ(l->descricao, "A100");
    QString lote, fab, val, desc;
    c.devolver(lote, fab, val, desc);
    EXPECT_EQ(lote, "A100");
    EXPECT_EQ(fab, "01-02-2026");
    c.guardarDefinicoes();

    // The next call starts from the last lot kept; the same code is refused.
    CriarLote d(ctx, ui);
    d.carregarDefinicoes();
    EXPECT_TRUE(d.chkGravarUltimoLote);
    d.criar({}, {}, {}, "FIF", {}, {}, {});
    EXPECT_EQ(d.txtLote, "A100");
    EXPECT_EQ(d.txtDataValidade, "01-08-2026");
    EXPECT_FALSE(d.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Lote já existente para este Produto!");
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM TabLotes").toInt(), 1);
    d.cancelar();
    QString nada = "x";
    d.devolver(nada, fab, val, desc);
    EXPECT_EQ(nada, "x") << "cancelled: nothing written back";
}

class EliminarLoteTest : public LotesTest {
protected:
    // A closed lot with consumption and entry; return and reinforcement never generated.
    void loteFechado(const char* numero = "0000000001", int fechado = 1) {
        ASSERT_GT(db->insert("ParamGeral", {"NomeEmpresa", "FormulaPrecoMedioCusto"}, {"T", 2}), 0);
        mov("FIF", "", "", "", "", "E+", "10", "COM", "00000001", "2026-01-10", "2");
        mov("FIF", "", "", "", "", "S+", "4", "SMP", "00000007", "2026-02-01", "2");
        mov("PA", "", "", "", "", "E+", "2", "EPA", "00000007", "2026-02-01", "4");
        mov("PA", "", "", "", "", "E+", "2", "COM", "00000002", "2026-01-05", "1");
        // Same type and number in another year stays.
        mov("FIF", "", "", "", "", "S+", "1", "SMP", "00000007", "2025-02-01", "2");
        LoteProducao l;
        l.lote = numero;
        l.produto = "PA";
        l.quantidade = C("2");
        l.fechado = fechado == 1;
        l.saida = {"SMP", "00000007", "2026-02-01"};
        l.entrada = {"EPA", "00000007", "2026-02-01"};
        ASSERT_GT(GravarLoteProducao(*db, l), 0);
        ASSERT_TRUE(db->exec("UPDATE Produtos SET PrecoMedioCusto=3 WHERE Codigo='PA'"));
    }
    int movimentos() { return db->scalar("SELECT COUNT(*) FROM MovProduto").toInt(); }
};

TEST_P(EliminarLoteTest, EliminaSoOsDocumentosGeradosEOLote) {
    loteFechado();
    EliminarLote e(ctx, ui);
    ASSERT_TRUE(e.loteSaiu("0000000001"));
    EXPECT_EQ(e.txtDescProduto, "Queijo");
    EXPECT_EQ(e.saida.data, "01-02-2026");
    EXPECT_TRUE(e.retorno.tipo.isEmpty());
    ui.responder(1); // "Não"
    EXPECT_EQ(e.eliminar(), EliminarLote::Resultado::Cancelado);
    EXPECT_EQ(movimentos(), 5);
    ui.responder(2);
    ASSERT_EQ(e.eliminar(), EliminarLote::Resultado::Eliminado) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(movimentos(), 3);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='SMP'").toInt(), 1) << "the 2025 document stays";
    EXPECT_FALSE(LerLoteProducao(*db, "0000000001").valor().has_value());
    EXPECT_EQ(db->scalar("SELECT Descricao FROM LogGeral WHERE Modulo='ST' AND Accao='E'").toString(),
              "Lote/data: 0000000001/01-02-2026");
    // Rule 2: the finished product's average is what remains (the purchase at 1).
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='PA'")), C("1"));
    EXPECT_TRUE(e.txtLote.isEmpty());
}

TEST_P(EliminarLoteTest, LoteAbertoOuPeriodoFechadoNaoSeElimina) {
    loteFechado("0000000002", 0);
    EliminarLote e(ctx, ui);
    EXPECT_FALSE(e.loteSaiu("0000000002"));
    EXPECT_EQ(ui.ultimaMensagem(), "Lote Inexistente ou em Aberto!");
    EXPECT_TRUE(e.txtLote.isEmpty());
    EXPECT_EQ(e.eliminar(), EliminarLote::Resultado::FocoLote);

    ASSERT_TRUE(db->exec("UPDATE Lotes SET Fechado=1"));
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET DataEmAberto='2026-03-01'"));
    ASSERT_TRUE(e.loteSaiu("0000000002"));
    EXPECT_EQ(e.eliminar(), EliminarLote::Resultado::Recusado);
    EXPECT_EQ(ui.ultimaMensagem(), "Não pode Eliminar este Doc. (Controlo de Datas)");
    EXPECT_EQ(movimentos(), 5);
}

TEST_P(EliminarLoteTest, FalhaAMeioDeixaTudo) {
    loteFechado();
    EliminarLote e(ctx, ui);
    ASSERT_TRUE(e.loteSaiu("0000000001"));
    e.aposDocumentos = [] { return false; };
    ui.responder(2);
    EXPECT_EQ(e.eliminar(), EliminarLote::Resultado::Erro);
    EXPECT_EQ(movimentos(), 5);
    EXPECT_TRUE(LerLoteProducao(*db, "0000000001").valor().has_value());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LogGeral").toInt(), 0);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='PA'")), C("3"));
}

TEST_P(LotesTest, AlterarPMCRecusaProdutoComEntradasExceptoServicos) {
    ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Servico", "PrecoMedioCusto", "UltPrecoCusto"},
                         {"MO", "Mão de obra", "1", "5", "6"}),
              0);
    mov("FIF", "", "", "", "", "E+", "1");
    mov("MO", "", "", "", "", "E+", "1");
    AlterarPMC a(ctx, ui);
    EXPECT_FALSE(a.produtoSaiu("ZZZ"));
    EXPECT_TRUE(ui.ultimaMensagem().contains("Produto Inexistente."));
    EXPECT_FALSE(a.produtoSaiu("FIF"));
    EXPECT_EQ(ui.mensagens.back().titulo, "A T E N Ç Ã O !");
    EXPECT_FALSE(a.actualizar());
    ASSERT_TRUE(a.produtoSaiu("MO"));
    EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Informacao);
    EXPECT_EQ(a.txtUltPrecoCusto, C("6"));
    a.txtPrecoMedioCusto = C("7.25");
    a.txtUltPrecoCusto = C("8");
    ui.responder(false);
    EXPECT_FALSE(a.actualizar());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='MO'")), C("5"));
    ui.responder(true);
    ASSERT_TRUE(a.actualizar());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoMedioCusto FROM Produtos WHERE Codigo='MO'")), C("7.25"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT UltPrecoCusto FROM Produtos WHERE Codigo='MO'")), C("8"));
    EXPECT_TRUE(db->scalar("SELECT Observa FROM LogGeral WHERE Modulo='TB'").toString().contains("UltPrecoCusto"));
}

LUMO_INSTANCIAR_MOTORES(LotesTest);
LUMO_INSTANCIAR_MOTORES(EliminarLoteTest);
