#include "printing/ImpCodBar.h"
#include "printing/EtiquetasImpressao.h"
#include "printing/cPrinter.h"
#include "support/DbTest.h"

// The label form's logic on both engines: two products with prices (one with an EAN-13), a 3 x 8
// sheet "PRECOS" that asks for the box, an exchange and a season code.
class ImpCodBarTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_GT(db->insert("tabiva", Registo()("codigo", "1")("Descricao", "Normal")("Taxa", "23")), 0);
        for (auto [codigo, descricao, preco] :
             {std::tuple{"MESA", "Mesa de pinho", "100"}, {"BANCO", "Banco corrido", "40"}, {"CAIXA", "Caixa", "5"}})
            ASSERT_GT(db->insert("Produtos", Registo()("Codigo", codigo)("Descricao", descricao)("PrecoVenda1", preco)(
                                                 "ivatabvenda", "1")("Situacao", "")),
                      0);
        ASSERT_GT(db->insert("ProdutosCodigosBarras", Registo()("CodigoBarras", "5601234567892")("ProdutoBase", "MESA")),
                  0);
        ASSERT_GT(db->insert("ProdutosCodigosBarras", Registo()("CodigoBarras", "5601234567908")("ProdutoBase", "BANCO")),
                  0);
        ASSERT_GT(db->insert("Cambios", Registo()("Codigo", "USD")("Abreviatura", "Dólar")("Valor", "1.25")), 0);
        ASSERT_GT(db->insert("TabEstacao", Registo()("codigo", "V")("Descricao", "Verão")), 0);
        DefinicaoEtiqueta d;
        d.codigo = QStringLiteral("PRECOS");
        d.descricao = QStringLiteral("Preços 3 x 8");
        d.numEtiqHoriz = 3;
        d.numEtiqVert = 8;
        d.larguraEtiq = 64;
        d.alturaEtiq = 34;
        d.margemX = 7;
        d.margemY = 13;
        d.salto = 5;
        d.compCodBar = 40;
        d.altCodBar = 12;
        d.campos = QStringLiteral("1;Arial;9;0;0;;[Descricao];;0;0/2;Arial;8;0;0;;[Código de Barras];;0;0/");
        d.imprimeCaixaContorno = true;
        const auto r = GravarDefinicaoEtiqueta(*db, d, false);
        ASSERT_TRUE(r) << r.mensagem().toStdString();
    }

    static LinhaEtiqueta linha(const char* produto, int quantidade, bool marcada = true) {
        LinhaEtiqueta l;
        l.produto = QString::fromLatin1(produto);
        l.descricao = l.produto;
        l.quantidade = quantidade;
        l.marcada = marcada;
        return l;
    }

    // The print installed as the window does, into a printer kept for the test.
    void imprimirDeVerdade(ImpCodBar& f) {
        f.imprimir = [this](const DefinicaoEtiqueta& d, const std::vector<LinhaEtiqueta>& l, const OpcoesEtiquetas& o,
                            const QString& destino) {
            impressas = l;
            opcoes = o;
            return ImprimirEtiquetas(impressora, *db, d, l, o, destino);
        };
    }

    cPrinter impressora;
    std::vector<LinhaEtiqueta> impressas;
    OpcoesEtiquetas opcoes;
};

TEST_P(ImpCodBarTest, JanelaDoProdutoRecusaOQueNaoServeEPreencheALista) {
    ImpCodBarIns ins(ctx, ui);
    EXPECT_FALSE(ins.confirmar());
    EXPECT_EQ(ins.focoPedido(), ImpCodBarIns::Foco::Produto);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não definiu o Produto!"));

    ins.txtProduto.codigo = QStringLiteral("MESA");
    for (const char* q : {"0", "2.5", "-1", "10001"}) {
        ui.mensagens.clear();
        ins.txtQuantidade = Currency::fromString(QString::fromLatin1(q));
        EXPECT_FALSE(ins.confirmar()) << q;
        EXPECT_EQ(ins.focoPedido(), ImpCodBarIns::Foco::Quantidade) << q;
        EXPECT_EQ(ui.ultimaMensagem(), MensagemQuantidadeEtiquetas()) << q;
    }
    ins.txtQuantidade = Currency(3);
    ins.txtEstacao.codigo = QStringLiteral("X");
    EXPECT_FALSE(ins.confirmar()) << "a season the table does not know";
    EXPECT_EQ(ins.focoPedido(), ImpCodBarIns::Foco::Estacao);
    ins.txtEstacao.codigo = QStringLiteral("V");
    ins.txtPrecoLote = Currency(-1);
    EXPECT_FALSE(ins.confirmar());
    EXPECT_EQ(ins.focoPedido(), ImpCodBarIns::Foco::PrecoLote);

    ui.mensagens.clear();
    ins.txtPrecoLote = Currency::fromString("12.5");
    ins.txtLote.codigo = QStringLiteral(" L-7 ");
    ins.txtCodigoDinamico = QStringLiteral("MESA|L-7");
    ASSERT_TRUE(ins.confirmar()) << ui.ultimaMensagem().toStdString();
    const LinhaEtiqueta& l = ins.linha();
    EXPECT_EQ(l.produto, "MESA");
    EXPECT_EQ(l.descricao, QStringLiteral("Mesa de pinho")) << "the description comes from the product";
    EXPECT_EQ(l.quantidade, 3);
    EXPECT_EQ(l.estacao, "V");
    EXPECT_EQ(l.lote, "L-7");
    EXPECT_EQ(l.precoLote, Currency::fromString("12.5"));

    ImpCodBar f(ctx, ui);
    EXPECT_EQ(f.lvwLista.numColunas(), 14);
    f.adicionarLinha(l);
    f.adicionarLinha(linha("BANCO", 2));
    ASSERT_EQ(f.lvwLista.numLinhas(), 2);
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColProduto), "MESA");
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColDescricao), QStringLiteral("Mesa de pinho"));
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColQuantidade), "3");
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColEstacao), "V");
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColCodigoDinamico), "MESA|L-7");
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColPrecoLote), "12,50");
    EXPECT_TRUE(f.lvwLista.marcada(0) && f.lvwLista.marcada(1)) << "a new row prints";

    // Sorting moves rows, not their data; removal takes the selected one.
    f.lvwLista.ordenar(ImpCodBar::ColProduto, false);
    EXPECT_EQ(f.linhas().front().produto, "BANCO");
    EXPECT_EQ(f.linhas().back().quantidade, 3);
    f.lvwLista.lvw_SelectLinha(0);
    EXPECT_TRUE(f.removerLinha());
    ASSERT_EQ(f.linhas().size(), 1u);
    EXPECT_EQ(f.linhas().front().produto, "MESA");
    EXPECT_EQ(f.linhas().front().lote, "L-7");
}

TEST_P(ImpCodBarTest, AlterarConteudoSoAceitaInteirosDeUmEmDiante) {
    ImpCodBar f(ctx, ui);
    f.adicionarLinha(linha("MESA", 2));
    f.adicionarLinha(linha("BANCO", 5));
    f.lvwLista.lvw_SelectLinha(-1);
    EXPECT_FALSE(f.cmdAlterar_Click()) << "nothing selected";
    EXPECT_FALSE(ui.mensagens.empty());

    f.lvwLista.lvw_SelectLinha(0);
    for (const char* recusada : {"0", "abc", "2,5", "-3", "", "99999999999"}) {
        ui.mensagens.clear();
        ui.responder(QString::fromLatin1(recusada));
        EXPECT_FALSE(f.cmdAlterar_Click()) << recusada;
        EXPECT_EQ(ui.ultimaMensagem(), MensagemQuantidadeEtiquetas()) << recusada;
        EXPECT_EQ(f.linhas()[0].quantidade, 2) << recusada;
    }
    ui.mensagens.clear();
    ui.responder(QVariant()); // cancelled
    EXPECT_FALSE(f.cmdAlterar_Click());
    EXPECT_TRUE(ui.mensagens.empty());

    ui.responder(QStringLiteral(" 7 "));
    ASSERT_TRUE(f.cmdAlterar_Click());
    EXPECT_EQ(ui.perguntas.back(), QStringLiteral("Quantidade a Alterar"));
    EXPECT_EQ(f.linhas()[0].quantidade, 7);
    EXPECT_EQ(f.lvwLista.texto(0, ImpCodBar::ColQuantidade), "7");
    EXPECT_EQ(f.linhas()[1].quantidade, 5) << "only the selected row changes";

    EXPECT_EQ(LerQuantidadeEtiquetas("10000"), 10000);
    EXPECT_FALSE(LerQuantidadeEtiquetas("10001"));
    EXPECT_FALSE(LerQuantidadeEtiquetas("1e3"));
}

TEST_P(ImpCodBarTest, SoAsLinhasMarcadasSaoImpressas) {
    ImpCodBar f(ctx, ui);
    imprimirDeVerdade(f);
    f.txtEtiqueta.codigo = QStringLiteral("PRECOS");
    ASSERT_TRUE(f.txtEtiqueta_Saiu()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(f.chkCaixa) << "the definition asks for the box";
    f.txtCambio.codigo = QStringLiteral("USD");
    ASSERT_TRUE(f.txtCambio_Saiu());
    EXPECT_EQ(f.valorCambio(), Currency::fromString("1.25"));

    f.adicionarLinha(linha("MESA", 2));
    f.adicionarLinha(linha("BANCO", 3));
    f.adicionarLinha(linha("CAIXA", 4));
    f.lvwLista.setMarcada(1, false);
    f.eint1H = 3;
    f.eint1V = 8;

    ui.mensagens.clear();
    ui.responder(1); // "Para o Ecran"
    ASSERT_TRUE(f.cmdImprimir_Click()) << ui.ultimaMensagem().toStdString();
    ASSERT_EQ(impressas.size(), 2u);
    EXPECT_EQ(impressas[0].produto, "MESA");
    EXPECT_EQ(impressas[1].produto, "CAIXA");
    EXPECT_EQ(opcoes.coluna, 3);
    EXPECT_EQ(opcoes.linha, 8);
    EXPECT_TRUE(opcoes.caixa);
    EXPECT_EQ(opcoes.cambio, Currency::fromString("1.25"));
    ASSERT_TRUE(f.resultado());
    EXPECT_EQ(f.resultado()->etiquetas, 6) << "2 + 4: the unticked 3 are not printed";
    EXPECT_EQ(f.resultado()->paginas, 2) << "the first label on the sheet's last place";
    // CAIXA has no bar code: told after the print, its labels still printed.
    ASSERT_EQ(f.resultado()->avisos.size(), 1u);
    EXPECT_EQ(f.resultado()->avisos[0].produto, "CAIXA");
    EXPECT_TRUE(ui.ultimaMensagem().startsWith(QStringLiteral("Não foi possível imprimir os seguintes códigos")));
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("CAIXA"))) << ui.ultimaMensagem().toStdString();

    // Nothing ticked: refused before the destination question, the focus on the list.
    f.lvwLista.marcarTodas(false);
    impressas.clear();
    EXPECT_FALSE(f.cmdImprimir_Click());
    EXPECT_EQ(f.focoPedido(), ImpCodBar::Foco::Lista);
    EXPECT_TRUE(impressas.empty());
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(ImpCodBarTest, EtiquetaEmFaltaDevolveOFocoAoCampo) {
    // A label that is not of products is no label here.
    ASSERT_GT(db->insert("etiquetas", Registo()("Codigo", "CLIENTES")("Descricao", "Moradas")("NumEtiqHoriz", 2)(
                                          "NumEtiqVert", 7)("AlturaEtiq", 38)("LarguraEtiq", 99)("FicheiroBase", "C")),
              0);
    ImpCodBar f(ctx, ui);
    bool chamada = false;
    f.imprimir = [&](const DefinicaoEtiqueta&, const std::vector<LinhaEtiqueta>&, const OpcoesEtiquetas&,
                     const QString&) -> Resultado<ResultadoEtiquetas> {
        chamada = true;
        return ResultadoEtiquetas{};
    };
    f.adicionarLinha(linha("MESA", 1));

    EXPECT_FALSE(f.cmdImprimir_Click());
    EXPECT_EQ(f.focoPedido(), ImpCodBar::Foco::Etiqueta);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Não definiu a Etiqueta!"));

    for (const char* codigo : {"NAOHA", "CLIENTES"}) {
        ui.mensagens.clear();
        f.txtEtiqueta.codigo = QString::fromLatin1(codigo);
        EXPECT_FALSE(f.cmdImprimir_Click()) << codigo;
        EXPECT_EQ(f.focoPedido(), ImpCodBar::Foco::Etiqueta) << codigo;
        EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Etiqueta Inexistente")) << codigo;
        EXPECT_FALSE(f.txtEtiqueta_Saiu()) << codigo << ": the lookup offers product labels only";
    }

    // A first column beyond the sheet's three.
    f.txtEtiqueta.codigo = QStringLiteral("PRECOS");
    f.eint1H = 4;
    EXPECT_FALSE(f.cmdImprimir_Click());
    EXPECT_EQ(f.focoPedido(), ImpCodBar::Foco::Coluna);
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("A coluna inicial tem de estar entre 1 e 3!"));
    f.eint1H = 1;
    f.txtCambio.codigo = QStringLiteral("EUR");
    EXPECT_FALSE(f.cmdImprimir_Click());
    EXPECT_EQ(f.focoPedido(), ImpCodBar::Foco::Cambio);
    EXPECT_FALSE(chamada);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(ImpCodBarTest);
