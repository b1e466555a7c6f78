#include "production/MovProducao.h"
#include "production/ExistProArmLote.h"
#include "production/ImpFolhaLote.h"
#include "production/ActPVenda.h"
#include "stock/MovimentosStock.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/Saldos.h"

using namespace producao_teste;

class MovProducaoTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        criarEmpresaProducao(ctx);
        ctx.armazem = "002";
    }

    // Header filled for PA and the lines generated.
    void preparar(MovProducao& m, const char* quant = "3", const char* produto = "PA") {
        m.Form_Load();
        m.doc.Data = "2026-03-10";
        m.txtProdutoAcabado.codigo = produto;
        m.doc.Quantidade = C(quant);
        ASSERT_TRUE(m.cmdCarregar_Click()) << ui.ultimaMensagem().toStdString();
    }
    // A second finished product made of 15 of the lot-managed MPL.
    void billComLote() {
        ASSERT_GT(db->insert("Produtos", Registo()("Codigo", "PB")("Descricao", "Pão")("ctrlexistencia", "1")(
                                             "Lote", 0)("UnidadeVenda", "UN")("actualizapreco", "0")),
                  0);
        ASSERT_GT(db->insert("Nomenclatura",
                             Registo()("ProdutoAcabado", "PB")("ProdutoPrima", "MPL")("descprodutoprima",
                                                                                      "Fermento")(
                                 "quantidade", "15")("Armazem", "001")("Fixa", 0)("CtrlQuantidades", 0)(
                                 "precario", "PrecoMedioCusto")("Factor", "0")("FactorFormula", "A")),
                  0);
        ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", "L1")("Descricao", "Lote 1")(
                                             "DataFabrico", "2026-01-01")("DataValidade", "2026-12-31")),
                  0);
        ASSERT_TRUE(db->update("MovProduto", {"DataFabrico", "DataValidade"}, {"2026-01-01", "2026-12-31"},
                               "WHERE Lote='L1'"));
        ASSERT_TRUE(db->update("Produtos", {"FormulaLote", "ControlaDataValidade_Fabrico"}, {1, 1},
                               "WHERE Codigo='MPL'"));
    }
    Currency saldo(const char* produto, const char* lote = nullptr) { return saldoArmazem(*db, produto, "001", lote); }
    int linhaDe(MovProducao& m, const char* produto) {
        for (int r = 0; r < m.lvwListaNomec.numLinhas(); ++r)
            if (m.lvwListaNomec.texto(r, 1) == produto)
                return r;
        return -1;
    }
};

TEST_P(MovProducaoTest, CabecalhoRecusaPreenchimentoIncompletoEProdutoSemNomenclatura) {
    MovProducao m(ctx, ui);
    m.Form_Load();
    EXPECT_EQ(m.doc.Lote, "0000000006");
    EXPECT_EQ(m.doc.Armazem, "002");
    m.doc.Lote = "12";
    m.txtLote_LostFocus();
    EXPECT_EQ(m.doc.Lote, "0000000012");
    EXPECT_TRUE(m.doc.Nova);
    EXPECT_EQ(m.doc.Situacao, "Início");

    m.txtProdutoAcabado.codigo = "PA";
    EXPECT_FALSE(m.cmdCarregar_Click()); // no quantity
    EXPECT_EQ(ui.ultimaMensagem(), "Preenchimento Incompleto!");
    EXPECT_EQ(m.foco(), MovProducao::Campo::Quantidade);
    m.doc.Quantidade = C("-1");
    EXPECT_FALSE(m.cmdCarregar_Click());
    EXPECT_EQ(m.foco(), MovProducao::Campo::Quantidade);
    m.doc.Quantidade = C("2.5"); // PA is sold in whole units
    EXPECT_FALSE(m.cmdCarregar_Click());
    EXPECT_EQ(m.estado(), MovProducao::Estado::Cabecalho);

    m.txtProdutoAcabado.codigo = "MP1";
    m.doc.Quantidade = C("1");
    EXPECT_FALSE(m.cmdCarregar_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Produto Inexistente - Nomenclatura") << "the field's lookup takes bills only";
    EXPECT_EQ(m.foco(), MovProducao::Campo::Produto);
    EXPECT_EQ(m.estado(), MovProducao::Estado::Cabecalho);
    EXPECT_EQ(m.lvwListaNomec.numLinhas(), 0);

    m.txtProdutoAcabado.codigo = "PA";
    m.doc.Quantidade = C("3");
    ASSERT_TRUE(m.cmdCarregar_Click());
    EXPECT_EQ(m.estado(), MovProducao::Estado::Linhas);
    ASSERT_EQ(m.lvwListaNomec.numLinhas(), 2);
    EXPECT_EQ(m.lvwListaNomec.texto(linhaDe(m, "MP1"), 5), "6,00");
    EXPECT_EQ(m.lvwListaNomec.texto(linhaDe(m, "MP2"), 5), "9,00");
    EXPECT_EQ(m.lblFixa(), "Nomenclatura Não Fixa");
}

TEST_P(MovProducaoTest, EdicaoDasLinhasComFactorEUnidadesInteiras) {
    MovProducao m(ctx, ui);
    preparar(m);
    // Whole units refuse a fraction; a negative quantity is refused.
    m.seleccionarLinha(linhaDe(m, "MP2"));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::QtyProducao));
    EXPECT_FALSE(m.cmdActualiza_Click(C("2.5")));
    EXPECT_FALSE(m.cmdActualiza_Click(C("-1")));
    EXPECT_EQ(m.estado(), MovProducao::Estado::Edicao);
    ASSERT_TRUE(m.cmdActualiza_Click(C("7")));
    EXPECT_EQ(m.doc.linhas[1].ordemProducao, C("7"));
    EXPECT_EQ(m.estado(), MovProducao::Estado::Linhas);
    // Acertos belong to a pending lot only.
    EXPECT_FALSE(m.iniciarEdicao(MovProducao::Edicao::Acertos));

    // The bill quantity is written at once and the line recomputed.
    m.seleccionarLinha(linhaDe(m, "MP1"));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::QtyNomenclatura));
    ASSERT_TRUE(m.cmdActualiza_Click(C("4")));
    EXPECT_EQ(
        Currency::fromVariant(db->scalar("SELECT quantidade FROM Nomenclatura WHERE ProdutoPrima='MP1'")),
        C("4"));
    EXPECT_EQ(m.doc.linhas[0].nomenclatura, C("4"));
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("12"));
    EXPECT_EQ(m.lvwListaNomec.texto(linhaDe(m, "MP1"), 5), "12,00");

    // Formula "B", factor 10: 4 shows 2.5; 5 typed stores 2.
    ASSERT_TRUE(db->update("Nomenclatura", {"Factor", "FactorFormula", "Fixa"}, {"10", "B", 1},
                           "WHERE ProdutoPrima='MP1'"));
    m.cmdCancelar_Click();
    preparar(m, "2");
    EXPECT_EQ(m.lblFixa(), "Nomenclatura Fixa");
    EXPECT_FALSE(m.altQtyNmcActivo());
    m.seleccionarLinha(linhaDe(m, "MP1"));
    EXPECT_FALSE(m.iniciarEdicao(MovProducao::Edicao::QtyNomenclatura));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::QtyProducao));
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("8"));
    EXPECT_EQ(m.fraEdicaoCaption(), "Registo com Factor de Conversão  [ 10 ]");
    EXPECT_EQ(m.valorEdicao(), C("1.25"));
    ASSERT_TRUE(m.cmdActualiza_Click(C("5")));
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("2"));
}

TEST_P(MovProducaoTest, LoteEscolhidoDivideALinhaEProducaoConsomeOLote) {
    billComLote();
    MovProducao m(ctx, ui);
    preparar(m, "1", "PB");
    ASSERT_EQ(m.doc.linhas.size(), 1u);
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("15"));
    EXPECT_FALSE(m.cmdExecutarLote_Click());
    EXPECT_TRUE(ui.ultimaMensagem().startsWith("Não definiu o LOTE no produto MPL"))
        << ui.ultimaMensagem().toStdString();

    ExistProArmLote escolha(ctx, ui);
    m.seleccionarLinha(0);
    ASSERT_TRUE(m.prepararEscolhaLote(escolha));
    ASSERT_FALSE(escolha.linhas().empty());
    escolha.clicarLinha(0);
    ASSERT_EQ(escolha.seleccionar(), ExistProArmLote::Resultado::Escolhido)
        << ui.ultimaMensagem().toStdString();
    m.aplicarEscolhaLote(escolha);
    // L1 holds 10: the line takes 10 of it and the other 5 wait on a copy without a batch.
    ASSERT_EQ(m.doc.linhas.size(), 2u);
    EXPECT_EQ(m.doc.linhas[0].lote, "L1");
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("10"));
    EXPECT_TRUE(m.doc.linhas[1].lote.isEmpty());
    EXPECT_EQ(m.doc.linhas[1].ordemProducao, C("5"));
    EXPECT_EQ(m.doc.linhas[1].produto, "MPL");
    EXPECT_EQ(m.lvwListaNomec.numLinhas(), 2);

    // The rest may come from any lot; L1 again is already spent by the first line, so no new split.
    m.seleccionarLinha(1);
    ExistProArmLote outra(ctx, ui);
    ASSERT_TRUE(m.prepararEscolhaLote(outra));
    EXPECT_EQ(outra.txtIgnoraControlos, "S");
    m.definirLote("L1", "00001", "2026-01-01", "2026-12-31", C("10"));
    ASSERT_EQ(m.doc.linhas.size(), 2u);
    EXPECT_EQ(m.doc.linhas[1].ordemProducao, C("5"));
    EXPECT_FALSE(m.cmdExecutarLote_Click());
    EXPECT_TRUE(ui.ultimaMensagem().startsWith("O produto MPL  Fermento não tem existência!"))
        << ui.ultimaMensagem().toStdString();
    m.seleccionarLinha(1);
    m.definirLote("", "", "", "", C("0"));

    // The rest without a batch is refused, with its line selected.
    EXPECT_FALSE(m.cmdExecutarLote_Click());
    EXPECT_EQ(m.lvwListaNomec.tag(m.linhaActual()).toInt(), 1);
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::QtyProducao));
    ASSERT_TRUE(m.cmdActualiza_Click(C("0")));
    ASSERT_TRUE(m.cmdExecutarLote_Click()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(m.estado(), MovProducao::Estado::Execucao);
    EXPECT_EQ(m.fraExecucaoCaption(), "Execução do Lote para o produto PB");

    ui.responder(2);     // "Encerra definitivamente"
    ui.responder(false); // no sheet
    ASSERT_TRUE(m.cmdProcessar_Click()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(saldo("MPL", "L1"), Currency());
    EXPECT_EQ(db->scalar("SELECT Fechado FROM Lotes WHERE Lote='0000000006'").toInt(), 1);
    EXPECT_EQ(m.estado(), MovProducao::Estado::Cabecalho);
    EXPECT_EQ(m.doc.Lote, "0000000007");
    EXPECT_EQ(m.lvwListaNomec.numLinhas(), 0);
}

TEST_P(MovProducaoTest, LotePendenteLidoComAcertosEDepoisEncerrado) {
    {
        MovProducao m(ctx, ui);
        preparar(m);
        ASSERT_TRUE(m.cmdExecutarLote_Click()) << ui.ultimaMensagem().toStdString();
        ui.responder(1);    // "Aguarda 2ª Fase (Acertos)"
        ui.responder(true); // sheet: a pending lot has none
        ASSERT_TRUE(m.cmdProcessar_Click()) << ui.ultimaMensagem().toStdString();
        EXPECT_EQ(ui.ultimaMensagem(), "Lote Inexistente ou em Aberto!");
    }
    EXPECT_EQ(saldo("MP1"), C("94"));
    MovProducao m(ctx, ui);
    m.Form_Load();
    m.doc.Lote = "6";
    m.txtLote_LostFocus();
    EXPECT_FALSE(m.doc.Nova);
    EXPECT_EQ(m.doc.Situacao, "Pendente");
    EXPECT_EQ(m.txtProdutoAcabado.codigo, "PA");
    EXPECT_EQ(m.doc.Quantidade, C("3"));
    ASSERT_EQ(m.estado(), MovProducao::Estado::Linhas);
    ASSERT_EQ(m.doc.linhas.size(), 2u);
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("6"));
    // Only adjustments in a pending lot; a return cannot exceed what the line took.
    m.seleccionarLinha(linhaDe(m, "MP1"));
    EXPECT_FALSE(m.iniciarEdicao(MovProducao::Edicao::QtyProducao));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::Acertos));
    EXPECT_FALSE(m.cmdActualiza_Click(C("-7")));
    ASSERT_TRUE(m.cmdActualiza_Click(C("-2")));
    m.seleccionarLinha(linhaDe(m, "MP2"));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::Acertos));
    ASSERT_TRUE(m.cmdActualiza_Click(C("1")));
    ASSERT_TRUE(m.cmdExecutarLote_Click()) << ui.ultimaMensagem().toStdString();
    ui.responder(false);
    ASSERT_TRUE(m.cmdProcessar_Click()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(saldo("MP1"), C("96"));
    EXPECT_EQ(saldo("MP2"), C("40"));
    EXPECT_EQ(db->scalar("SELECT Fechado FROM Lotes WHERE Lote='0000000006'").toInt(), 1);
    EXPECT_EQ(
        db->scalar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='DPR' AND AfectaStk='S-' AND QuantNormal=2")
            .toInt(),
        1);

    // The sheet exists once the lot is closed.
    ImpFolhaLote folha(ctx, ui);
    QString destino;
    folha.imprimir = [&](const FolhaLote& f, const QString& d) {
        destino = d;
        return f.lote == "0000000006";
    };
    folha.txtLote.codigo = "6";
    ASSERT_TRUE(folha.txtLote_LostFocus()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(folha.txtLote.descricao, "PA");
    EXPECT_TRUE(ImpFolhaLote::textoDocumento(folha.folha()->ret).startsWith("DPR  nº "));
    ui.responder(2); // "Para a Impressora"
    EXPECT_TRUE(folha.cmdImprimir_Click());
    EXPECT_EQ(destino, "P");

    // Read back once more: closed, shown but not processed again.
    m.doc.Lote = "6";
    m.txtLote_LostFocus();
    EXPECT_EQ(m.doc.Situacao, "Encerrada");
    EXPECT_EQ(m.doc.linhas[linhaDe(m, "MP1")].acertos, C("-2"));
    EXPECT_FALSE(m.cmdExecutarLote_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "O lote 0000000006 já está encerrado.");
}

TEST_P(MovProducaoTest, RecusaDoLancamentoMantemODocumentoENadaEscreve) {
    MovProducao m(ctx, ui);
    preparar(m, "20"); // needs 60 eggs, there are 50
    ASSERT_TRUE(m.cmdExecutarLote_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Não tem stock suficiente para gerar as quantidades pretendidas.");
    ASSERT_EQ(m.lvwInsuficientes.numLinhas(), 1);
    EXPECT_EQ(m.lvwInsuficientes.lvw_GetValue(0, "Codigo"), "MP2");
    EXPECT_EQ(m.doc.Capacidade, C("16.6667"));
    EXPECT_EQ(m.doc.CustoUnitario, C("5.5")); // 2 × 2 + 3 × 0.5
    ui.responder(2);
    EXPECT_FALSE(m.cmdProcessar_Click());
    EXPECT_EQ(m.estado(), MovProducao::Estado::Execucao);
    EXPECT_EQ(m.doc.linhas.size(), 2u);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Lotes").toInt(), 0);
    EXPECT_EQ(saldo("MP1"), C("100"));
    // Cancelling the phase choice writes nothing either.
    m.cmdCancelarExecucao_Click();
    m.seleccionarLinha(linhaDe(m, "MP2"));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::QtyProducao));
    ASSERT_TRUE(m.cmdActualiza_Click(C("50")));
    ASSERT_TRUE(m.cmdExecutarLote_Click());
    ui.responder(0);
    EXPECT_FALSE(m.cmdProcessar_Click());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM MovProduto WHERE Tipo<>'SI'").toInt(), 0);
}

TEST_P(MovProducaoTest, FolhaRecusaLoteEmAbertoEUnidadeAlternativaVaiParaAEntrada) {
    ASSERT_TRUE(db->update("Produtos", {"OutUnidades"}, {1}, "WHERE Codigo='PA'"));
    ASSERT_GT(db->insert("OutUnidades", Registo()("Codigo", "CX")("Descricao", "Caixa")), 0);
    MovProducao m(ctx, ui);
    preparar(m);
    ASSERT_TRUE(m.cmdExecutarLote_Click());
    ui.responder(QString("XX"));
    EXPECT_FALSE(m.cmdProcessar_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Outra Unidade Inexistente");
    ui.responder(QString("cx"));
    ui.responder(QString("1,5"));
    ui.responder(1); // waits for its adjustments
    ui.responder(false);
    ASSERT_TRUE(m.cmdProcessar_Click()) << ui.ultimaMensagem().toStdString();
    const auto e = db->primeiraLinha("SELECT OutUniCod, OutUniQuant FROM MovProduto WHERE Tipo='EPR'");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->at(0).toString(), "CX");
    EXPECT_EQ(Currency::fromVariant(e->at(1)), C("1.5"));

    ImpFolhaLote folha(ctx, ui);
    bool impresso = false;
    folha.imprimir = [&](const FolhaLote&, const QString&) { return impresso = true; };
    folha.txtLote.codigo = "0000000006";
    EXPECT_FALSE(folha.txtLote_LostFocus());
    EXPECT_EQ(ui.ultimaMensagem(), "Lote Inexistente ou em Aberto!");
    EXPECT_FALSE(folha.cmdImprimir_Click());
    EXPECT_FALSE(impresso);
}

TEST_P(MovProducaoTest, PrecosDeVendaGravadosERegistados) {
    ActPVenda a(ctx, ui);
    EXPECT_FALSE(a.carregar("NAOHA", C("1")));
    ASSERT_TRUE(a.carregar("PA", C("5.5")));
    EXPECT_EQ(a.descricao, "Bolo");
    a.precos[0] = C("11");
    EXPECT_EQ(a.margem(0), C("100"));
    a.precos[3] = C("-1");
    EXPECT_FALSE(a.cmdGravar_Click());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoVenda1 FROM Produtos WHERE Codigo='PA'")),
              Currency());
    a.precos[3] = C("8.25");
    ASSERT_TRUE(a.cmdGravar_Click());
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoVenda1 FROM Produtos WHERE Codigo='PA'")),
              C("11"));
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT PrecoVenda4 FROM Produtos WHERE Codigo='PA'")),
              C("8.25"));
}

TEST_P(MovProducaoTest, EscolhaDoLoteNaoImpoeFifo) {
    billComLote();
    // L2 was made after L1: FIFO puts L1 first, but the order lets the user take L2.
    ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", "L2")("Descricao", "Lote 2")(
                                         "DataFabrico", "2026-02-01")("DataValidade", "2027-01-31")),
              0);
    entradaStock(ctx, "MPL", "20", "3", "L2");
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET DataFabrico='2026-02-01', DataValidade='2027-01-31' WHERE Lote='L2'"));
    MovProducao m(ctx, ui);
    preparar(m, "1", "PB");
    m.seleccionarLinha(0);
    ExistProArmLote escolha(ctx, ui);
    ASSERT_TRUE(m.prepararEscolhaLote(escolha));
    EXPECT_EQ(escolha.txtIgnoraControlos, "S");
    ASSERT_EQ(escolha.linhas().size(), 2u);
    ASSERT_EQ(escolha.linhas()[0].lote, "L1") << "still shown in FIFO order";
    escolha.clicarLinha(1);
    ASSERT_EQ(escolha.seleccionar(), ExistProArmLote::Resultado::Escolhido) << ui.ultimaMensagem().toStdString();
    m.aplicarEscolhaLote(escolha);
    EXPECT_EQ(m.doc.linhas[0].lote, "L2");
    EXPECT_EQ(m.doc.linhas[0].ordemProducao, C("15"));
    EXPECT_TRUE(m.cmdExecutarLote_Click()) << ui.ultimaMensagem().toStdString();
}

TEST_P(MovProducaoTest, CadaLocalizacaoDoLoteCobreSoAsSuasLinhas) {
    billComLote();
    // L1 holds 10 in 00001; 5 more go to 00002.
    namespace Col = ColMovProduto;
    LinhaMovProduto e;
    for (auto [c, v] : {std::pair{Col::Tipo, "SI"}, {Col::Numero, "00000002"}, {Col::Ano, "2026"},
                        {Col::Data, "2026-01-02"}, {Col::Codigo, "MPL"}, {Col::Armazem, "001"}, {Col::AfectaStk, "E+"},
                        {Col::Localizacao, "00002"}, {Col::Lote, "L1"}, {Col::DataFabrico, "2026-01-01"},
                        {Col::DataValidade, "2026-12-31"}})
        e.definir(c, v);
    e.definir(Col::QuantNormal, C("5"));
    e.definir(Col::Preco, C("3"));
    const auto lancado = LancaMovProduto(ctx, e);
    ASSERT_TRUE(lancado) << lancado.mensagem().toStdString();
    MovProducao m(ctx, ui);
    preparar(m, "1", "PB");
    ASSERT_EQ(m.doc.linhas.size(), 1u);
    LinhaProducao a = m.doc.linhas[0];
    a.lote = "L1";
    a.localizacao = "00001";
    a.ordemProducao = C("9.5");
    LinhaProducao b = a;
    b.localizacao = "00002";
    b.ordemProducao = C("4");
    m.doc.linhas = {a, b};
    EXPECT_TRUE(VerificaExecutarLote(ctx, m.doc).ok) << "9.5 of 10 and 4 of 5";
    m.doc.linhas[1].ordemProducao = C("5.5");
    const VerificacaoLote v = VerificaExecutarLote(ctx, m.doc);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.linha, 1) << "the location that cannot cover its line is the one refused";
}

TEST_P(MovProducaoTest, LotePendenteNumPeriodoFechadoNaoTomaAcertos) {
    {
        MovProducao m(ctx, ui);
        preparar(m);
        ASSERT_TRUE(m.cmdExecutarLote_Click()) << ui.ultimaMensagem().toStdString();
        ui.responder(1);     // waits for its adjustments
        ui.responder(false); // no sheet
        ASSERT_TRUE(m.cmdProcessar_Click()) << ui.ultimaMensagem().toStdString();
    }
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET DataEmAberto='2026-04-01'"));
    MovProducao m(ctx, ui);
    m.Form_Load();
    m.doc.Lote = "6";
    m.txtLote_LostFocus();
    EXPECT_EQ(m.doc.Situacao, "Pendente");
    EXPECT_EQ(ui.ultimaMensagem(), "Apenas pode efectuar operações a partir de 01-04-2026") << "said on opening";
    m.seleccionarLinha(linhaDe(m, "MP1"));
    ASSERT_TRUE(m.iniciarEdicao(MovProducao::Edicao::Acertos));
    ASSERT_TRUE(m.cmdActualiza_Click(C("-2")));
    ui.mensagens.clear();
    EXPECT_FALSE(m.cmdExecutarLote_Click());
    EXPECT_EQ(ui.ultimaMensagem(), "Apenas pode efectuar operações a partir de 01-04-2026");
    EXPECT_EQ(saldo("MP1"), C("94"));
}

LUMO_INSTANCIAR_MOTORES(MovProducaoTest);
