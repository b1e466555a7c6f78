#include "lookups/PesquisaTabelas.h"
#include "lookups/ListaDados.h"
#include "lookups/PesquisaNOVA.h"
#include "support/DbTest.h"

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

using Resposta = ScriptedInteraction::RespostaPesquisa;

class PesquisaTabelasTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        pesquisa = std::make_unique<PesquisaTabelas>(ctx, ui);
    }

    void produto(const QString& codigo, const QString& descricao, const QString& situacao = {}) {
        ASSERT_GT(db->insert(QStringLiteral("Produtos"), Registo()(QStringLiteral("Codigo"), codigo)(
                                                             QStringLiteral("Descricao"), descricao)(
                                                             QStringLiteral("Situacao"), situacao)),
                  0)
            << db->lastError().toStdString();
    }
    void codigoDescricao(const QString& tabela, const QString& codigo, const QString& descricao) {
        ASSERT_GT(db->insert(tabela, Registo()(QStringLiteral("Codigo"), codigo)(QStringLiteral("Descricao"),
                                                                                 descricao)),
                  0)
            << db->lastError().toStdString();
    }
    // The products a search over Produtos shows, in list order.
    static QStringList codigos(PesquisaNOVA& w) {
        QStringList r;
        for (int l = 0; l < w.lista().numLinhas(); ++l)
            r << w.lista().texto(l, 0);
        return r;
    }
    DefinicaoPesquisa pesquisaProdutos() {
        DefinicaoPesquisa d;
        d.titulo = QStringLiteral("Fichas de Produtos");
        d.campos = {{QStringLiteral("Produtos.Codigo"), QStringLiteral("Código")},
                    {QStringLiteral("Produtos.Descricao"), QStringLiteral("Descrição")}};
        d.layout = QStringLiteral("Código,1800/Descrição,3600/");
        d.tabela = QStringLiteral("Produtos");
        d.colunas = {QStringLiteral("Produtos.Codigo"), QStringLiteral("Produtos.Descricao")};
        d.ordem = QStringLiteral("Produtos.Codigo");
        return d;
    }

    std::unique_ptr<PesquisaTabelas> pesquisa;
};

TEST_P(PesquisaTabelasTest, PrefixosAbremAPesquisa) {
    produto("P1", "Parafuso 8mm");
    produto("P2", "Porca 8mm");
    produto("P3", "Parafuso 10mm");

    // "\" + word: search by description with that key; the chosen row fills field and label.
    CampoTabela campo{QStringLiteral("\\para")};
    ui.responderPesquisa(Resposta{{}, {}, {1}});
    EXPECT_TRUE(pesquisa->Produtos(campo, false));
    ASSERT_EQ(ui.pesquisas.size(), 1u);
    EXPECT_EQ(ui.pesquisas[0].titulo, "Fichas de Produtos");
    EXPECT_EQ(ui.pesquisas[0].campo, "Descrição");
    EXPECT_EQ(ui.pesquisas[0].chave, "para");
    EXPECT_EQ(ui.pesquisas[0].total, 2);
    EXPECT_EQ(campo.codigo, "P1"); // ordered by description: "Parafuso 10mm" (P3), "Parafuso 8mm" (P1)
    EXPECT_EQ(campo.descricao, "Parafuso 8mm");
    EXPECT_TRUE(campo.focar);
    EXPECT_TRUE(campo.selecionarTudo);
    EXPECT_EQ(pesquisa->LinhaEscolhida[1], "P1");

    // "/" + text: by code.
    campo = CampoTabela{QStringLiteral("/P2")};
    ui.responderPesquisa(Resposta{{}, {}, {0}});
    pesquisa->Produtos(campo, false);
    EXPECT_EQ(ui.pesquisas[1].campo, "Código");
    EXPECT_EQ(ui.pesquisas[1].chave, "P2");
    EXPECT_EQ(campo.codigo, "P2");

    // A lone "\": every product, empty key; closing without choosing leaves the field.
    campo = CampoTabela{QStringLiteral("\\")};
    ui.responderPesquisa(Resposta{});
    EXPECT_FALSE(pesquisa->Produtos(campo, false));
    EXPECT_EQ(ui.pesquisas[2].campo, "Descrição");
    EXPECT_EQ(ui.pesquisas[2].chave, "");
    EXPECT_EQ(ui.pesquisas[2].total, 3);
    EXPECT_EQ(campo.codigo, "\\");
    EXPECT_TRUE(ui.mensagens.empty());
}

TEST_P(PesquisaTabelasTest, ValidacaoZeraResolveERecusa) {
    produto("123", "Curto");
    produto("000000000000123", "Longo");
    produto("P9", "Base do código de barras");
    ASSERT_GT(db->insert(QStringLiteral("ProdutosCodigosBarras"),
                         Registo()(QStringLiteral("CodigoBarras"), QStringLiteral("5601234567890"))(
                             QStringLiteral("ProdutoBase"), QStringLiteral("P9"))),
              0);

    CampoTabela campo{QStringLiteral(" 123 ")};
    EXPECT_TRUE(pesquisa->Produtos(campo, false));
    EXPECT_EQ(campo.codigo, "123");
    EXPECT_EQ(campo.descricao, "Curto");

    ctx.zerarproduto = 1;
    campo = CampoTabela{QStringLiteral("123")};
    EXPECT_TRUE(pesquisa->Produtos(campo, false));
    EXPECT_EQ(campo.codigo, "000000000000123");
    EXPECT_EQ(campo.descricao, "Longo");

    // A scanned bar code becomes its base product, zero-fill or not.
    for (int zerar : {0, 1}) {
        ctx.zerarproduto = zerar;
        campo = CampoTabela{QStringLiteral("5601234567890")};
        EXPECT_TRUE(pesquisa->Produtos(campo, false)) << zerar;
        EXPECT_EQ(campo.codigo, "P9");
        EXPECT_EQ(campo.descricao, "Base do código de barras");
    }
    EXPECT_TRUE(ui.mensagens.empty());

    // Unknown code: the message, field and label emptied, focus back; a report filter shows "Todos".
    campo = CampoTabela{QStringLiteral("XPTO"), QStringLiteral("descrição antiga")};
    EXPECT_FALSE(pesquisa->Produtos(campo, false, {}, QStringLiteral("Todos")));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, "Produto Inexistente ou não pode ser movimentado nesta Opção");
    EXPECT_EQ(ui.mensagens[0].icone, UserInteraction::Icone::Critico);
    EXPECT_EQ(campo.codigo, "");
    EXPECT_EQ(campo.descricao, "Todos");
    EXPECT_TRUE(campo.focar);

    // An emptied filter field loses the old description and shows "Todos".
    campo = CampoTabela{QString(), QStringLiteral("Curto")};
    pesquisa->Produtos(campo, false, {}, QStringLiteral("Todos"));
    EXPECT_EQ(campo.descricao, "Todos");
}

TEST_P(PesquisaTabelasTest, FiltroDoChamadorEReferenciaDoFornecedor) {
    produto("P1", "Serviço", "A");
    produto("P2", "Matéria", "I");
    ASSERT_GT(db->insert(QStringLiteral("ProdutosOutrosDados"),
                         Registo()(QStringLiteral("Produto"), QStringLiteral("P2"))(
                             QStringLiteral("Fornecedor"), QStringLiteral("F1"))(QStringLiteral("RefProduto"),
                                                                                 QStringLiteral("REF-77"))),
              0);
    FiltroSQL soActivos;
    soActivos.e(QStringLiteral("Produtos.Situacao=?"), {QStringLiteral("A")});
    CampoTabela campo{QStringLiteral("P2")};
    EXPECT_FALSE(pesquisa->Produtos(campo, false, soActivos));
    EXPECT_EQ(ui.mensagens.size(), 1u);

    campo = CampoTabela{QStringLiteral("REF-77")};
    EXPECT_TRUE(pesquisa->Produtos(campo, false, {}, {}, 0, false, QStringLiteral("F1"), true));
    EXPECT_EQ(campo.codigo, "P2");
    EXPECT_EQ(pesquisa->Resolve_Codigo_Produto_str(QStringLiteral("REF-77"), QStringLiteral("F2"), true),
              "REF-77");
}

TEST_P(PesquisaTabelasTest, ChaveComAsteriscoLimiteEContagem) {
    produto("A1", "AxB");
    produto("A2", "AB");
    produto("A3", "AzzBzz");
    produto("A4", "BA");
    produto("A5", "D'Ouro");
    produto("A6", "ABC");

    auto d = pesquisaProdutos();
    d.ordem = QStringLiteral("Produtos.Descricao");
    d.chaveInicial = QStringLiteral("A*B");
    PesquisaNOVA w(ctx, *db, d, &ui);
    ctx.registosVisualizar = 0;
    w.Abrir();
    EXPECT_EQ(ctx.registosVisualizar, 500);
    EXPECT_EQ(w.registosVer(), "500");
    EXPECT_EQ(w.chave(), "A%B");
    EXPECT_EQ(w.camposCombo().value(w.campoEscolhido()), "Descrição");
    EXPECT_EQ(codigos(w), (QStringList{"A2", "A6", "A1", "A3"}));
    EXPECT_EQ(w.totalRegistos(), 4);
    EXPECT_EQ(w.textoTotal(), "Foram Encontrados 4 Registos");
    EXPECT_TRUE(w.valoresUltimos().contains(QStringLiteral("A%B%")));

    // Fewer rows than found: the count still tells the whole.
    w.definirRegistosVer(QStringLiteral("2"));
    w.txtRegVer_LostFocus();
    EXPECT_TRUE(w.Procurar());
    EXPECT_EQ(w.linhas(), 2);
    EXPECT_EQ(w.totalRegistos(), 4);

    // A quote in the key is data, not SQL.
    w.definirChave(QStringLiteral("D'O"));
    EXPECT_TRUE(w.Procurar()) << w.erro().toStdString();
    EXPECT_EQ(codigos(w), QStringList{"A5"});
}

TEST(PesquisaNOVALimite, RegraDasLinhasAVer) {
    struct Caso {
        const char* escrito;
        const char* fica;
    } casos[] = {{"399999999", "999999999"},
                 {"400000000", "999999999"},
                 {"399999998", "399999998"},
                 {"abc", "500"},
                 {"", "500"},
                 {" 20 ", "20"}};
    for (const auto& c : casos) {
        EXPECT_EQ(PesquisaNOVA::normalizarRegistosVer(QString::fromUtf8(c.escrito), 500),
                  QString::fromUtf8(c.fica))
            << c.escrito;
    }
}

TEST_P(PesquisaTabelasTest, AcentosEMaiusculas) {
    produto("C1", "Ação");
    produto("C2", "ACAO");
    produto("C3", "açúcar");
    produto("C4", "AÇÚCAR MASCAVADO");

    auto d = pesquisaProdutos();
    d.ordem = QStringLiteral("Produtos.Codigo");
    PesquisaNOVA w(ctx, *db, d, &ui);
    w.Abrir();
    w.escolherCampoPorTitulo(QStringLiteral("Descrição"));

    w.definirTiraAcentos(false);
    w.definirChave(QStringLiteral("acao"));
    ASSERT_TRUE(w.Procurar()) << w.erro().toStdString();
    EXPECT_EQ(codigos(w), QStringList{"C2"});
    w.definirChave(QStringLiteral("açúcar"));
    ASSERT_TRUE(w.Procurar());
    EXPECT_EQ(codigos(w), (QStringList{"C3", "C4"})); // case-insensitive beyond ASCII

    w.definirTiraAcentos(true);
    w.definirChave(QStringLiteral("acao"));
    ASSERT_TRUE(w.Procurar()) << w.erro().toStdString();
    EXPECT_EQ(codigos(w), (QStringList{"C1", "C2"}));
    w.definirChave(QStringLiteral("ACUCAR"));
    ASSERT_TRUE(w.Procurar());
    EXPECT_EQ(codigos(w), (QStringList{"C3", "C4"}));

    // The choice is kept per user.
    w.Fechar();
    PesquisaNOVA outra(ctx, *db, d, &ui);
    outra.Abrir();
    EXPECT_TRUE(outra.tiraAcentos());
    ctx.CodigoUtilizador = QStringLiteral("05");
    PesquisaNOVA deOutro(ctx, *db, d, &ui);
    deOutro.Abrir();
    EXPECT_FALSE(deOutro.tiraAcentos());
}

TEST_P(PesquisaTabelasTest, ArmazensMultiSelecao) {
    codigoDescricao("Armazens", "001", "Central");
    codigoDescricao("Armazens", "002", "Loja");
    codigoDescricao("Armazens", "003", "Fábrica");

    CampoTabela campo;
    ui.responderPesquisa(Resposta{{}, {}, {0, 2}});
    EXPECT_TRUE(pesquisa->Armazens(campo, true, {}, {}, 0, true));
    EXPECT_EQ(campo.codigo, "001;003");
    EXPECT_EQ(campo.descricao, "Vários armazéns");
    EXPECT_EQ(pesquisa->LinhaEscolhida[2], "Central;Fábrica");

    // Leaving a field with several codes does not validate them.
    campo.descricao.clear();
    EXPECT_TRUE(pesquisa->Armazens(campo, false));
    EXPECT_EQ(campo.descricao, "Vários armazéns");
    EXPECT_TRUE(ui.mensagens.empty());

    // One code typed short is filled to three characters.
    campo = CampoTabela{QStringLiteral("2")};
    EXPECT_TRUE(pesquisa->Armazens(campo, false));
    EXPECT_EQ(campo.codigo, "002");
    EXPECT_EQ(campo.descricao, "Loja");
    campo = CampoTabela{QStringLiteral("9")};
    EXPECT_FALSE(pesquisa->Armazens(campo, false));
    EXPECT_EQ(ui.ultimaMensagem(), "Armazém Inexistente");

    // One ticked row in a multi-selection gives that row's own description.
    campo = CampoTabela{};
    ui.responderPesquisa(Resposta{{}, {}, {1}});
    EXPECT_TRUE(pesquisa->Armazens(campo, true, {}, {}, 0, true));
    EXPECT_EQ(campo.codigo, "002");
    EXPECT_EQ(campo.descricao, "Loja");
}

TEST_P(PesquisaTabelasTest, SituacoesDoUtilizador) {
    produto("S1", "Activo", "A");
    produto("S2", "Inactivo", "I");
    produto("S3", "Bloqueado", "B");
    for (const char* s : {"A", "B"})
        ASSERT_GT(db->insert(QStringLiteral("UtilConfig_Div"),
                             Registo()(QStringLiteral("Utilizador"), ctx.CodigoUtilizador)(
                                 QStringLiteral("NomeForm"), QStringLiteral("SituacoesPesquisa"))(
                                 QStringLiteral("Chave"), QString::fromUtf8(s))),
                  0);
    const FiltroSQL f = pesquisa->SQL_SituacoesPesquisa(QStringLiteral("Produtos"));
    EXPECT_EQ(f.condicoes, " and (Produtos.Situacao=? or Produtos.Situacao=?)");
    EXPECT_EQ(pesquisa->SQL_SituacoesPesquisa(QString()).condicoes, " and (Situacao=? or Situacao=?)");
    EXPECT_TRUE(pesquisa->SQL_SituacoesPesquisa(QStringLiteral("Produtos;DROP")).vazio());

    CampoTabela campo;
    ui.responderPesquisa(Resposta{{}, {}, {1}});
    pesquisa->Produtos(campo, true);
    EXPECT_EQ(ui.pesquisas[0].total, 2);
    EXPECT_EQ(campo.codigo, "S3");

    // The situations and a typed key together.
    campo = CampoTabela{QStringLiteral("\\In")};
    ui.responderPesquisa(Resposta{});
    pesquisa->Produtos(campo, false);
    EXPECT_EQ(ui.pesquisas.back().total, 0);
    campo = CampoTabela{QStringLiteral("\\bloq")};
    ui.responderPesquisa(Resposta{{}, {}, {0}});
    pesquisa->Produtos(campo, false);
    EXPECT_EQ(campo.codigo, "S3");

    ctx.CodigoUtilizador = QStringLiteral("07"); // no situations configured: everything
    ui.responderPesquisa(Resposta{});
    pesquisa->Produtos(campo, true);
    EXPECT_EQ(ui.pesquisas.back().total, 3);
}

TEST_P(PesquisaTabelasTest, Equivalentes) {
    produto("E1", "Base");
    produto("E2", "Equivalente");
    produto("E3", "Outro");
    ASSERT_GT(db->insert(QStringLiteral("ProdutosEquivalentes"),
                         Registo()(QStringLiteral("ProdutoBase"), QStringLiteral("E1"))(
                             QStringLiteral("ProdutoEquivalente"),
                             QStringLiteral("E2"))(QStringLiteral("Interactividade"), 1)),
              0);

    // "|" + product: the chooser offers the equivalents; the chosen code takes the field.
    CampoTabela campo{QStringLiteral("|E1")};
    ui.responderPesquisa(Resposta{{}, {}, {0}});
    EXPECT_TRUE(pesquisa->Produtos(campo, false));
    EXPECT_EQ(ui.pesquisas[0].total, 1);
    EXPECT_EQ(campo.codigo, "E2");
    EXPECT_EQ(pesquisa->escolherEquivalente(QStringLiteral("E3")), std::nullopt); // none: nothing shown
    EXPECT_EQ(ui.pesquisas.size(), 1u);

    // The warning on validation.
    campo = CampoTabela{QStringLiteral("E2")};
    EXPECT_TRUE(pesquisa->Produtos(campo, false, {}, {}, 0, true));
    EXPECT_EQ(ui.ultimaMensagem(), "Produto com Produtos Equivalentes.");
    EXPECT_EQ(ui.mensagens.back().titulo, TituloInformacao);

    // After a search the equivalents are offered; closing the chooser keeps the chosen product.
    campo = CampoTabela{};
    ui.responderPesquisa(Resposta{{}, {}, {0}}); // E1 in the search
    ui.responderPesquisa(Resposta{});            // chooser closed
    pesquisa->Produtos(campo, true);
    EXPECT_EQ(campo.codigo, "E1");
    EXPECT_EQ(campo.descricao, "Base");
    EXPECT_EQ(ui.pesquisas.back().titulo, "Produtos Equivalentes");
}

TEST_P(PesquisaTabelasTest, LotesEquipamentosEDistintos) {
    produto("PA", "Acabado");
    ASSERT_GT(
        db->insert(QStringLiteral("Lotes"), Registo()(QStringLiteral("lote"), QStringLiteral("0000000042"))(
                                                QStringLiteral("Produto"), QStringLiteral("PA"))),
        0);
    CampoTabela lote{QStringLiteral("42")};
    EXPECT_TRUE(pesquisa->Lotes_Producao(lote, false));
    EXPECT_EQ(lote.codigo, "0000000042");
    EXPECT_EQ(lote.descricao, "PA");
    lote = CampoTabela{QStringLiteral("43")};
    EXPECT_FALSE(pesquisa->Lotes_Producao(lote, false));
    EXPECT_EQ(ui.ultimaMensagem(), "Lote Inexistente (Produção)");

    for (const auto& [p, c] : {std::pair{"PA", "L1"}, std::pair{"PB", "L1"}, std::pair{"PA", "L2"}})
        ASSERT_GT(db->insert(QStringLiteral("TabLotes"),
                             Registo()(QStringLiteral("Produto"),
                                       QString::fromUtf8(p))(QStringLiteral("Codigo"), QString::fromUtf8(c))(
                                 QStringLiteral("Descricao"), QStringLiteral("Lote %1 de %2").arg(c, p))(
                                 QStringLiteral("DataValidade"), QStringLiteral("2025-03-20"))),
                  0);
    CampoTabela tl;
    ui.responderPesquisa(Resposta{{}, {}, {1}});
    EXPECT_TRUE(pesquisa->LotesTabela(tl, true, QStringLiteral("PB")) || tl.codigo.isEmpty());
    EXPECT_EQ(ui.pesquisas.back().total, 1);
    ui.responderPesquisa(Resposta{{}, {}, {1}});
    EXPECT_TRUE(pesquisa->LotesTabela(tl, true, QStringLiteral("PA")));
    EXPECT_EQ(tl.codigo, "L2");
    EXPECT_EQ(tl.descricao, "Lote L2 de PA");
    EXPECT_EQ(pesquisa->LinhaEscolhida[5], "20-03-2025"); // date column shown as a date
    tl = CampoTabela{QStringLiteral("L2")};
    EXPECT_FALSE(pesquisa->LotesTabela(tl, false, QStringLiteral("PB")));
    EXPECT_EQ(ui.ultimaMensagem(), "Lote Inexistente para este Produto");

    // Equipment open to everybody or listing the user.
    for (const auto& [c, u] : {std::pair{"EQ1", ""}, std::pair{"EQ2", "02;01;"}, std::pair{"EQ3", "02;"}})
        ASSERT_GT(db->insert(QStringLiteral("Prod_Equipamentos"),
                             Registo()(QStringLiteral("Codigo"), QString::fromUtf8(c))(
                                 QStringLiteral("Descricao"),
                                 QString::fromUtf8(c))(QStringLiteral("Utilizadores"), QString::fromUtf8(u))),
                  0);
    CampoTabela eq{QStringLiteral("EQ3")};
    EXPECT_FALSE(pesquisa->Prod_Equipamentos(eq, false));
    eq = CampoTabela{QStringLiteral("EQ2")};
    EXPECT_TRUE(pesquisa->Prod_Equipamentos(eq, false));
    ui.responderPesquisa(Resposta{});
    pesquisa->Prod_Equipamentos(eq, true);
    EXPECT_EQ(ui.pesquisas.back().total, 2);

    // Bills of materials are listed once per finished product.
    for (const char* prima : {"M1", "M2"})
        ASSERT_GT(db->insert(QStringLiteral("Nomenclatura"),
                             Registo()(QStringLiteral("ProdutoAcabado"), QStringLiteral("PA"))(
                                 QStringLiteral("DescProdutoAcabado"), QStringLiteral("Acabado"))(
                                 QStringLiteral("ProdutoPrima"), QString::fromUtf8(prima))),
                  0);
    CampoTabela nom;
    ui.responderPesquisa(Resposta{{}, {}, {0}});
    EXPECT_TRUE(pesquisa->Nomenclatura_Prod(nom, true));
    EXPECT_EQ(ui.pesquisas.back().total, 1);
    EXPECT_EQ(ui.pesquisas.back().linhas, 1);
    EXPECT_EQ(nom.codigo, "PA");
}

TEST_P(PesquisaTabelasTest, DocumentosSoComRecordPositivo) {
    for (const auto& [r, c] : {std::pair{0, "D0"}, std::pair{5, "D5"}})
        ASSERT_GT(
            db->insert(QStringLiteral("PDOCUMENTOS"),
                       Registo()(QStringLiteral("Record"), r)(QStringLiteral("Codigo"), QString::fromUtf8(c))(
                           QStringLiteral("Nome"), QStringLiteral("Documento ") + QString::fromUtf8(c))),
            0);
    CampoTabela campo;
    ui.responderPesquisa(Resposta{{}, {}, {0}});
    EXPECT_TRUE(pesquisa->Documentos(campo, true));
    EXPECT_EQ(ui.pesquisas.back().total, 1);
    EXPECT_EQ(campo.codigo, "D5");
    campo = CampoTabela{QStringLiteral("D0")};
    EXPECT_FALSE(pesquisa->Documentos(campo, false));
    EXPECT_EQ(ui.ultimaMensagem(), "Documento de impressão inexistente ou não se aplica a esta situação");
}

LUMO_INSTANCIAR_MOTORES(PesquisaTabelasTest);
