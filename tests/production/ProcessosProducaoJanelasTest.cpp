#include "production/ExistProArmLote.h"
#include "production/ProcessosProducao.h"
#include "production/ProducaoTeste.h"
#include "support/DbTest.h"
#include "support/Saldos.h"
#include "support/SemFalha.h"

using producao_teste::C;
using Foco = MovProducao_Processo_MOV::Foco;

// The four process windows' logic on the production test company: stock taken out uses SPR, returns DPR.
class ProcessosProducaoJanelasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoSaida='SPR', Processo_TipoRet='DPR'"));
    }

    qint64 processo(const char* codigo, const char* descricao, const char* inicio = "2026-02-01") {
        ProcessoProducao p;
        p.processo = codigo;
        p.descricao = descricao;
        p.dataInicio = inicio;
        const auto r = GravarProcesso(ctx, p, true);
        EXPECT_TRUE(semFalha(r));
        return r ? r->numRegisto : 0;
    }
    void encerrar(const char* codigo) {
        ASSERT_TRUE(db->exec("UPDATE Prod_Processos SET DataEncerramento='2026-03-01', TipoEncerramento='EPR', "
                             "NumeroEncerramento='00000007' WHERE Processo=?",
                             {codigo}));
    }
    // One line typed in the movements window and posted; the location is typed as the user would.
    bool lancar(MovProducao_Processo_MOV& m, const char* produto, const char* quant, const char* preco = nullptr) {
        m.txtData = QDate(2026, 2, 10);
        m.txtProduto.codigo = produto;
        if (!m.produtoSaiu())
            return false;
        m.txtQuantidade = C(quant);
        if (preco)
            m.txtPreco = C(preco);
        m.txtLocalizacao = QStringLiteral("00001");
        return m.lancar();
    }
    int contar(const char* sql) { return db->scalar(sql).toInt(); }
    QStringList coluna(const ListaDados& l, int c) {
        QStringList r;
        for (int i = 0; i < l.numLinhas(); ++i)
            r << l.texto(i, c);
        return r;
    }
};

TEST_P(ProcessosProducaoJanelasTest, ListaFiltraPorEstadoDatasEDescricaoEOrdenaPelaColuna) {
    processo("P1", "Mesa", "2026-02-01");
    processo("P2", "Cadeira", "2026-02-15");
    processo("P3", "Armário", "2026-01-20");
    encerrar("P2");

    MovProducao_Processo l(ctx, ui);
    l.Abrir();
    EXPECT_EQ(l.txtDataInicial.day(), 1) << "the from-date is the first of the month";
    EXPECT_EQ(l.optEstado, "C");

    l.txtDataInicial = QDate(2026, 2, 1);
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P1"})) << "open only, P3 started before the from-date";
    l.optEstado = "E";
    ASSERT_TRUE(l.Carregar());
    ASSERT_EQ(coluna(l.lvwLista, 1), QStringList({"P2"}));
    EXPECT_EQ(l.lvwLista.texto(0, 3), "15-02-2026");
    EXPECT_EQ(l.lvwLista.texto(0, 5), "01-03-2026");
    l.optEstado = "";
    l.txtDataFinal = QDate(2026, 2, 14);
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P1"})) << "P2 started after the to-date";
    l.txtDataInicial = QDate();
    l.txtDataFinal = QDate();
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P1", "P2", "P3"}));
    l.txtDescricao = "adei";
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P2"}));
    l.txtDescricao.clear();
    ASSERT_TRUE(l.Carregar());

    l.ordenar(2);
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P3", "P2", "P1"})) << "by description";
    l.ordenar(2);
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P1", "P2", "P3"})) << "a second click reverses";
    l.ordenar(3);
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P3", "P1", "P2"})) << "dates sort as dates";
    l.lvwLista.lvw_SelectLinha(2);
    ASSERT_TRUE(l.Carregar());
    EXPECT_EQ(coluna(l.lvwLista, 1), QStringList({"P3", "P1", "P2"})) << "a reload keeps the order";
    ASSERT_TRUE(l.seleccionado());
    EXPECT_EQ(l.seleccionado()->processo, "P2") << "and the row";
    EXPECT_TRUE(ui.mensagens.empty());
}

TEST_P(ProcessosProducaoJanelasTest, MovimentosPedemConfiguracaoDosProcessos) {
    processo("P1", "Mesa");
    ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoRet=''"));
    MovProducao_Processo l(ctx, ui);
    l.txtDataInicial = QDate();
    ASSERT_TRUE(l.Carregar());
    EXPECT_FALSE(l.podeAbrirMovimentos()) << "nothing selected";
    EXPECT_TRUE(ui.mensagens.empty());
    l.lvwLista.lvw_SelectLinha(0);
    EXPECT_FALSE(l.podeAbrirMovimentos());
    EXPECT_EQ(ui.ultimaMensagem(),
              "Não definiu o Tipo de Movimento para devoluções de processos nas configurações da produção!");
    ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoRet='DPR'"));
    EXPECT_TRUE(l.podeAbrirMovimentos());
    EXPECT_TRUE(l.podeAbrirAnalise());
}

TEST_P(ProcessosProducaoJanelasTest, LancarRecusaPorOrdemComFocoEDevolveSoOLancado) {
    processo("P1", "Mesa");
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    EXPECT_FALSE(m.encerrado());
    EXPECT_TRUE(m.lblEstado().isEmpty());
    EXPECT_EQ(m.txtArmazem.codigo, "001");
    EXPECT_TRUE(m.txtData.isValid()) << "today by default";

    auto recusa = [&](const char* texto, Foco foco) {
        const size_t antes = ui.mensagens.size();
        EXPECT_FALSE(m.lancar());
        ASSERT_EQ(ui.mensagens.size(), antes + 1) << texto;
        EXPECT_EQ(ui.ultimaMensagem(), QString::fromUtf8(texto));
        EXPECT_EQ(ui.mensagens.back().icone, UserInteraction::Icone::Exclamacao) << texto;
        EXPECT_EQ(m.focoPedido(), foco) << texto;
    };
    m.txtData = QDate();
    recusa("Não definiu a Data!", Foco::Data);
    m.txtData = QDate(2026, 2, 10);
    recusa("Não definiu o Produto!", Foco::Produto);
    m.txtProduto.codigo = "MP1";
    ASSERT_TRUE(m.produtoSaiu());
    EXPECT_EQ(m.txtDescricao, "Farinha");
    EXPECT_EQ(m.txtPreco, C("2")) << "the average cost, as the production parameters ask";
    EXPECT_EQ(m.unidade(), "KG");
    EXPECT_FALSE(m.descricaoEditavel());
    m.txtArmazem.limpar();
    recusa("Não definiu o Armazém!", Foco::Armazem);
    m.txtArmazem.codigo = "001";
    recusa("Não definiu a quantidade!", Foco::Quantidade);
    m.txtQuantidade = C("5");
    m.txtPreco = C("-1");
    recusa("preço Inválido!", Foco::Preco);
    m.txtPreco = C("2");
    m.txtQuantidade = C("-1");
    m.txtLocalizacao = "00001";
    recusa("Não pode devolver mais do que o lançado neste processo!", Foco::Quantidade);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo IN ('SPR','DPR')"), 0);

    m.txtQuantidade = C("5");
    ASSERT_TRUE(m.lancar()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(m.txtProduto.codigo.isEmpty()) << "the entry is cleared";
    EXPECT_TRUE(m.txtQuantidade.isZero());
    EXPECT_EQ(m.txtData, QDate(2026, 2, 10)) << "the date stays for the next line";
    EXPECT_EQ(m.txtArmazem.codigo, "001");
    ASSERT_EQ(m.lvwLista.numLinhas(), 1);
    EXPECT_EQ(m.lvwLista.texto(0, 2), "MP1");
    EXPECT_EQ(m.lvwLista.texto(0, 4), "5,0000");
    EXPECT_EQ(m.lvwLista.linhaSeleccionada(), 0);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT ValorIliq FROM Prod_ProcessosMov")), C("10"));
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("95"));

    ASSERT_TRUE(lancar(m, "MP1", "-2")) << ui.ultimaMensagem().toStdString();
    ASSERT_EQ(m.lvwLista.numLinhas(), 2);
    EXPECT_EQ(m.lvwLista.texto(1, 4), "-2,0000");
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("97"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='DPR' AND Codigo='MP1'"), 1);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, ProdutoComLotePedeOLoteEDevolucaoContaPorLote) {
    for (const char* lote : {"L1", "L2"})
        ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", lote)("DataFabrico", "2026-01-01")(
                                             "DataValidade", "2026-12-31")),
                  0);
    processo("P1", "Mesa");
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));

    struct Pedido {
        QString produto, armazem, afecta;
    };
    std::vector<Pedido> pedidos;
    QString escolha; // the lot the user picks; blank = the window closed
    m.escolherLote = [&](ExistProArmLote& e) {
        pedidos.push_back({e.txtCodigo, e.txtArmazem, e.txtAfectaSTK});
        e.txtLote = escolha;
        e.txtLocalizacao = escolha.isEmpty() ? QString() : QStringLiteral("00001");
        e.txtExiste = escolha == "L1" ? C("10") : C("0");
    };

    EXPECT_FALSE(lancar(m, "MPL", "4"));
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o Lote.");
    EXPECT_EQ(m.focoPedido(), Foco::Lote);
    ASSERT_EQ(pedidos.size(), 1u);
    EXPECT_EQ(pedidos[0].produto, "MPL");
    EXPECT_EQ(pedidos[0].armazem, "001");
    EXPECT_EQ(pedidos[0].afecta, "S+");

    escolha = "L1";
    ui.responder(0); // "&Não"
    EXPECT_FALSE(lancar(m, "MPL", "12"));
    ASSERT_FALSE(ui.perguntas.empty());
    EXPECT_EQ(ui.perguntas.back(), "Atenção que existe(m) apenas 10 unidade(s).\r\nPretende continuar?");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 0);

    const size_t perguntas = ui.perguntas.size();
    ASSERT_TRUE(lancar(m, "MPL", "4")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ui.perguntas.size(), perguntas) << "within the lot's balance nothing is asked";
    EXPECT_EQ(db->scalar("SELECT Lote FROM Prod_ProcessosMov").toString(), "L1");
    EXPECT_EQ(saldoArmazem(*db, "MPL", "001", "L1"), C("6"));

    EXPECT_FALSE(lancar(m, "MPL", "-5"));
    EXPECT_EQ(pedidos.back().afecta, "S-");
    EXPECT_EQ(ui.ultimaMensagem(), "Não pode devolver mais do que o lançado neste processo!");
    escolha = "L2";
    EXPECT_FALSE(lancar(m, "MPL", "-1")) << "L2 never went into the process";
    EXPECT_EQ(ui.ultimaMensagem(), "Não pode devolver mais do que o lançado neste processo!");
    escolha = "L1";
    ASSERT_TRUE(lancar(m, "MPL", "-3")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(saldoArmazem(*db, "MPL", "001", "L1"), C("9"));
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 2);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

// A product sold by reference: the reference window lists its combinations in the warehouse with
// their balance and the chosen one goes on the movement; none chosen refuses. A product kept in
// other units asks the unit and the quantity in it, which the stock row keeps.
TEST_P(ProcessosProducaoJanelasTest, ReferenciaEscolhidaEOutraUnidadePerguntada) {
    processo("P1", "Mesa");
    ASSERT_TRUE(db->exec("UPDATE Produtos SET Referencia='1' WHERE Codigo='MP2'"));
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET Cor='AZUL', Tamanho='G' WHERE Codigo='MP2'"));
    ASSERT_TRUE(db->exec("UPDATE Produtos SET OutUnidades=1 WHERE Codigo='MP1'"));
    ASSERT_GT(db->insert("OutUnidades", Registo()("Codigo", "SAC")("Descricao", "Saco")), 0);
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    std::vector<SaldoReferencia> oferecidas;
    bool escolher = false;
    m.escolherReferencia = [&](const std::vector<SaldoReferencia>& lista) -> std::optional<SaldoReferencia> {
        oferecidas = lista;
        if (!escolher || lista.empty())
            return std::nullopt;
        return lista.front();
    };
    EXPECT_FALSE(lancar(m, "MP2", "3"));
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não definiu qualquer referência.");
    ASSERT_EQ(oferecidas.size(), 1u);
    EXPECT_EQ(oferecidas[0].referencias[4], "AZUL");
    EXPECT_EQ(oferecidas[0].saldo, C("50"));
    escolher = true;
    ASSERT_TRUE(lancar(m, "MP2", "3")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov WHERE Produto='MP2' AND Cor='AZUL' AND Tamanho='G'"), 1);

    ui.responder(QStringLiteral("")); // no other unit given
    EXPECT_FALSE(lancar(m, "MP1", "2"));
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não definiu a Outra Unidade!");
    ui.responder(QStringLiteral("sac"));
    ui.responder(QStringLiteral("0,5"));
    ASSERT_TRUE(lancar(m, "MP1", "2")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(db->scalar("SELECT OutUniCod FROM MovProduto WHERE Codigo='MP1' AND AfectaStk='S+'").toString(), "SAC");
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT OutUniQuant FROM MovProduto WHERE Codigo='MP1' AND AfectaStk='S+'")),
              C("0.5"));
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, ProcessoEncerradoMostraSeENaoAceitaNada) {
    processo("P1", "Mesa");
    MovProducao_Processo_MOV aberta(ctx, ui);
    ASSERT_TRUE(aberta.Abrir("P1"));
    ASSERT_TRUE(lancar(aberta, "MP1", "5")) << ui.ultimaMensagem().toStdString();
    encerrar("P1");

    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    EXPECT_TRUE(m.encerrado());
    EXPECT_EQ(m.lblEstado(), "PROCESSO ENCERRADO");
    EXPECT_FALSE(m.entradaVisivel());
    EXPECT_FALSE(m.lancarActivo());
    EXPECT_FALSE(m.eliminarActivo());
    ASSERT_EQ(m.lvwLista.numLinhas(), 1) << "its movements are still shown";
    EXPECT_FALSE(lancar(m, "MP1", "3"));
    m.lvwLista.lvw_SelectLinha(0);
    EXPECT_FALSE(m.alterar()) << "no question is asked";
    EXPECT_FALSE(m.eliminar());
    EXPECT_TRUE(ui.mensagens.empty());

    // The window opened before another workstation closed the process finds out when posting.
    EXPECT_FALSE(lancar(aberta, "MP1", "3"));
    EXPECT_EQ(ui.ultimaMensagem(), "PROCESSO ENCERRADO");
    EXPECT_TRUE(aberta.encerrado());
    EXPECT_EQ(aberta.lblEstado(), "PROCESSO ENCERRADO");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='SPR'"), 1);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, AlterarDevolveValoresEEliminarNaoDeixaSaldoNegativo) {
    processo("P1", "Mesa");
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    ASSERT_TRUE(lancar(m, "MP1", "10", "2")) << ui.ultimaMensagem().toStdString();
    const qint64 saida = m.ultimoLancamento().numRegisto;
    ASSERT_TRUE(lancar(m, "MP1", "-4", "2")) << ui.ultimaMensagem().toStdString();
    const qint64 devolucao = m.ultimoLancamento().numRegisto;

    // Without the row that took the 10 out, the process would hold -4.
    m.lvwLista.lvw_SelectLinha(m.lvwLista.linhaDoId(saida));
    ui.responder(1); // "Confirma a Eliminação?" "&Sim"
    EXPECT_FALSE(m.eliminar());
    EXPECT_TRUE(ui.ultimaMensagem().startsWith("Não pode eliminar este movimento")) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 2);

    m.lvwLista.lvw_SelectLinha(m.lvwLista.linhaDoId(devolucao));
    ui.responder(0); // "&Não"
    EXPECT_FALSE(m.alterar());
    EXPECT_EQ(ui.perguntas.back(), "Note que o registo alterado vai ser eliminado.\r\nConfirma a alteração?");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 2);
    ui.responder(1);
    ASSERT_TRUE(m.alterar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(m.txtProduto.codigo, "MP1");
    EXPECT_EQ(m.txtQuantidade, C("-4"));
    EXPECT_EQ(m.txtPreco, C("2"));
    EXPECT_EQ(m.txtData, QDate(2026, 2, 10));
    EXPECT_EQ(m.txtLocalizacao, "00001");
    EXPECT_EQ(m.lvwLista.numLinhas(), 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='DPR'"), 0) << "its stock row went with it";
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("90"));

    m.txtQuantidade = C("-3");
    ASSERT_TRUE(m.lancar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("93"));
    m.lvwLista.lvw_SelectLinha(m.lvwLista.linhaDoId(m.ultimoLancamento().numRegisto));
    ui.responder(0);
    EXPECT_FALSE(m.eliminar());
    EXPECT_EQ(ui.perguntas.back(), "Confirma a Eliminação?");
    ui.responder(1);
    ASSERT_TRUE(m.eliminar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(m.lvwLista.numLinhas(), 1);
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("90"));
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, EliminarProcessoPerguntaPeloStockEPelaConfirmacao) {
    processo("P1", "Mesa");
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    ASSERT_TRUE(lancar(m, "MP1", "10")) << ui.ultimaMensagem().toStdString();

    MovProducao_Processo l(ctx, ui);
    l.txtDataInicial = QDate();
    ASSERT_TRUE(l.Carregar());
    EXPECT_FALSE(l.eliminar()) << "nothing selected, nothing asked";
    l.lvwLista.lvw_SelectLinha(0);
    ui.responder(1); // stock too: "&Sim"
    ui.responder(0); // "Confirma a eliminação do Processo?" "&Não"
    EXPECT_FALSE(l.eliminar());
    ASSERT_EQ(ui.perguntas.size(), 2u);
    EXPECT_EQ(ui.perguntas[0], "Eliminar os movimentos gerados em stock?\r\n\r\n(matérias primas e produtos acabados)");
    EXPECT_EQ(ui.perguntas[1], "Confirma a eliminação do Processo?");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos"), 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 1);

    ui.responder(0); // stock stays: "&Não"
    ui.responder(1); // "&Sim"
    ASSERT_TRUE(l.eliminar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosMov"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Tipo='SPR' AND Codigo='MP1'"), 1);
    EXPECT_EQ(saldoArmazem(*db, "MP1"), C("90"));
    EXPECT_EQ(l.lvwLista.numLinhas(), 0);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, CabecalhoNovoAlteradoEReaberto) {
    const qint64 p1 = processo("P1", "Mesa");
    MovProducao_Processo_INS ins(ctx, ui);
    ASSERT_TRUE(ins.Abrir(u'N'));
    EXPECT_TRUE(ins.processoEditavel());
    EXPECT_TRUE(ins.txtDataInicio.isValid());
    EXPECT_FALSE(ins.reabrirVisivel());
    ins.txtProcesso = "P1";
    ins.txtDescricao = "Outra mesa";
    EXPECT_FALSE(ins.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Processo já existente!");
    EXPECT_EQ(ins.focoPedido(), MovProducao_Processo_INS::Foco::Processo);
    ins.proximoProcesso();
    ASSERT_FALSE(ins.txtProcesso.isEmpty());
    EXPECT_NE(ins.txtProcesso, "P1");
    ASSERT_TRUE(ins.gravar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos"), 2);
    EXPECT_FALSE(ins.processoEditavel()) << "saved once, it is a change from then on";

    // A change keeps the code, whatever the field says.
    ASSERT_TRUE(ins.Abrir(u'A', p1));
    EXPECT_EQ(ins.txtProcesso, "P1");
    EXPECT_FALSE(ins.processoEditavel());
    ins.txtProcesso = "OUTRO";
    ins.txtDescricao = "Mesa de carvalho";
    ins.txtDataPrevista = QDate(2026, 4, 30);
    ASSERT_TRUE(ins.gravar()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(db->scalar("SELECT Descricao FROM Prod_Processos WHERE Processo='P1'").toString(), "Mesa de carvalho");
    EXPECT_EQ(db->scalar("SELECT DataPrevista FROM Prod_Processos WHERE Processo='P1'").toString(), "2026-04-30");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos WHERE Processo='OUTRO'"), 0);

    // Closed by an instant run that made 2 of the finished product.
    encerrar("P1");
    ASSERT_GT(db->insert("MovProduto", Registo()("Tipo", "EPR")("Numero", "00000007")("Ano", "2026")("Data", "2026-03-01")(
                                           "Codigo", "PA")("Descricao", "Bolo")("Armazem", "001")("Localizacao", "00001")(
                                           "QuantNormal", C("2").toVariant())("Preco", C("5").toVariant())(
                                           "AfectaStk", "E+")("Identifica", "{ID-PA-1}")),
              0);
    ASSERT_GT(db->insert("Prod_ProcessosProc", Registo()("Processo", "P1")("IdentificaMovPro", "{ID-PA-1}")("Produto", "PA")(
                                                   "Descricao", "Bolo")("Quantidade", C("2").toVariant())(
                                                   "Preco", C("5").toVariant())("ValorIliq", C("10").toVariant())),
              0);
    ASSERT_TRUE(ins.Abrir(u'A', p1));
    EXPECT_TRUE(ins.reabrirVisivel());
    EXPECT_TRUE(ins.textoEncerramento().contains("01-03-2026"));

    ui.mensagens.clear();
    ui.responder(0); // "Confirma a Abertura do Processo?" "&Não"
    EXPECT_FALSE(ins.reabrir());
    ASSERT_EQ(ui.mensagens.size(), 2u);
    EXPECT_EQ(ui.mensagens[0].texto,
              "Os Movimentos gerados no Histórico de Produtos (produtos acabados), irão ser eliminados.");
    EXPECT_EQ(ui.mensagens[0].titulo, "ATENÇÃO");
    EXPECT_TRUE(ui.mensagens[1].texto.contains("EPR 00000007")) << ui.mensagens[1].texto.toStdString();
    EXPECT_EQ(ui.perguntas.back(), "Confirma a Abertura do Processo?");
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Codigo='PA'"), 1);

    std::vector<DocumentoProducao> mostrados;
    ins.mostrarDocumentos = [&](const std::vector<DocumentoProducao>& d) { mostrados = d; };
    ui.responder(1);
    ASSERT_TRUE(ins.reabrir()) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(ui.ultimaMensagem(), "Processo foi Aberto com sucesso.");
    ASSERT_EQ(mostrados.size(), 1u);
    EXPECT_EQ(mostrados[0].tipo, "EPR");
    EXPECT_EQ(mostrados[0].numero, "00000007");
    EXPECT_FALSE(ins.reabrirVisivel());
    EXPECT_FALSE(ins.processo().encerrado());
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_Processos WHERE Processo='P1' AND COALESCE(DataEncerramento,'')=''"), 1);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM MovProduto WHERE Codigo='PA'"), 0);
    EXPECT_EQ(contar("SELECT COUNT(*) FROM Prod_ProcessosProc"), 0);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ProcessosProducaoJanelasTest, AnaliseDaOPesoDoPontoSeleccionadoPorQuantidadeEPorValor) {
    ASSERT_GT(db->insert("Cambios", Registo()("Codigo", "EUR")("Abreviatura", "EUR")("Simbolo", "€")), 0);
    ctx.cambiodef = "EUR";
    ctx.casadec = 2;
    processo("P1", "Mesa");
    processo("P2", "Cadeira");
    MovProducao_Processo_MOV m(ctx, ui);
    ASSERT_TRUE(m.Abrir("P1"));
    ASSERT_TRUE(lancar(m, "MP1", "10", "2")) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(lancar(m, "MP2", "4", "0.5")) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(lancar(m, "MP1", "-2", "2")) << ui.ultimaMensagem().toStdString();

    MovProducao_Processo_ANAL a(ctx, ui);
    ASSERT_TRUE(a.Abrir("P1"));
    EXPECT_TRUE(a.titulo().contains("P1")) << a.titulo().toStdString();
    EXPECT_TRUE(a.titulo().contains("Mesa"));
    EXPECT_TRUE(a.titulo().contains("€"));
    ASSERT_EQ(a.pontos().size(), 2u);
    EXPECT_EQ(a.rotuloPonto(0), "Farinha");
    EXPECT_EQ(a.modo(), MovProducao_Processo_ANAL::Modo::Quantidade);
    EXPECT_EQ(a.total(), C("12")) << "8 of MP1 (the return counted negative) and 4 of MP2";
    EXPECT_TRUE(a.lblSeleccionado().isEmpty());
    a.seleccionarPonto(0);
    EXPECT_EQ(a.lblSeleccionado(),
              "Produto seleccionado: MP1   Quantidade: 8,0000   Peso: 66,67 %   Valor: 16,00");
    a.setModo(MovProducao_Processo_ANAL::Modo::Valor);
    EXPECT_EQ(a.total(), C("18"));
    EXPECT_EQ(a.lblTotal(), "Total: 18,00 €");
    EXPECT_EQ(a.lblSeleccionado(),
              "Produto seleccionado: MP1   Quantidade: 8,0000   Peso: 88,89 %   Valor: 16,00");
    EXPECT_EQ(a.peso(1), C("11.11"));

    // Taken out and returned whole: a zero total weighs nothing.
    ASSERT_TRUE(m.Abrir("P2"));
    ASSERT_TRUE(lancar(m, "MP2", "6", "0.5")) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(lancar(m, "MP2", "-6", "0.5")) << ui.ultimaMensagem().toStdString();
    ASSERT_TRUE(a.Abrir("P2"));
    ASSERT_EQ(a.pontos().size(), 1u);
    EXPECT_TRUE(a.total().isZero());
    a.seleccionarPonto(0);
    EXPECT_EQ(a.lblSeleccionado(), "Produto seleccionado: MP2   Quantidade: 0,0000   Peso: 0,00 %   Valor: 0,00");
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();
}

LUMO_INSTANCIAR_MOTORES(ProcessosProducaoJanelasTest);
