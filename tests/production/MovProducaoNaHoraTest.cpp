#include "production/ExistProArmLote.h"
#include "production/MovProducaoNaHora.h"
#include "production/ProcessoProducao.h"
#include "production/ProducaoTeste.h"
#include "production/ReceitaInstantanea.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

using producao_teste::C;

// The instant production window's logic, with its two line editors, on the production test company.
class MovProducaoNaHoraTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", "L1")("DataFabrico", "2026-01-01")(
                                             "DataValidade", "2026-12-31")),
                  0);
        ASSERT_GT(db->insert("TabLotes", Registo()("Produto", "MPL")("Codigo", "VAZIO")("DataFabrico", "2026-01-01")(
                                             "DataValidade", "2026-12-31")),
                  0);
        Receita r;
        r.codigo = QStringLiteral("BOLO");
        r.descricao = QStringLiteral("Bolo");
        r.materias = {{"MP1", {}, "001", C("2"), "PrecoMedioCusto", {}, {}}};
        r.acabados = {{"PA", {}, "001", C("1"), "PercCusto", C("100"), {}}};
        ASSERT_TRUE(semFalha(GravarReceita(ctx, r)));
    }
    bool materia(MovProducaoNaHora& m, const char* produto, const char* quant, const char* lote = "") {
        if (!m.abrirMateria(u'N'))
            return false;
        auto& e = m.editorMateria();
        e.txtProduto.codigo = produto;
        if (!e.produtoSaiu())
            return false;
        e.txtLote.codigo = lote;
        e.txtQuantidade = C(quant);
        if (!e.gravar())
            return false;
        m.CalculaCustos();
        return true;
    }
};

TEST_P(MovProducaoNaHoraTest, ReceitaComFactorEPerguntaAntesDeSubstituirLinhas) {
    MovProducaoNaHora m(ctx, ui);
    ui.responder(QStringLiteral("2,5"));
    ASSERT_TRUE(m.integrarNomenclatura(QStringLiteral("BOLO"))) << ui.ultimaMensagem().toStdString();
    ASSERT_EQ(m.lvwMateriaPrima.numLinhas(), 1);
    EXPECT_EQ(m.documento().materias[0].quantidade, C("5"));
    EXPECT_EQ(m.documento().materias[0].preco, C("2")) << "the average cost of the raw material";
    EXPECT_EQ(m.documento().acabados[0].valCusto, C("10"));
    EXPECT_EQ(m.lvwProdutoAcabdo.texto(0, 5), "10,0000");

    ui.responder(1); // "&Cancelar"
    EXPECT_FALSE(m.integrarNomenclatura(QStringLiteral("BOLO")));
    EXPECT_EQ(m.documento().materias[0].quantidade, C("5"));
    ui.responder(0); // "C&ontinuar"
    ui.responder(QStringLiteral("0"));
    EXPECT_FALSE(m.integrarNomenclatura(QStringLiteral("BOLO"))) << "a factor of 0 stops";
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(MovProducaoNaHoraTest, MateriaComLoteSemExistenciaRecusada) {
    MovProducaoNaHora m(ctx, ui);
    EXPECT_FALSE(materia(m, "MPL", "1")) << "a lot-managed product needs its lot";
    EXPECT_TRUE(ui.mensagens.empty()) << "the focus goes to the lot, without a message";
    EXPECT_FALSE(materia(m, "MPL", "1", "VAZIO"));
    EXPECT_EQ(ui.ultimaMensagem(), "Produto sem existência (Lotes)");
    EXPECT_TRUE(materia(m, "MPL", "25", "L1")) << "a positive balance is enough: the posting checks the quantity";
    EXPECT_EQ(m.documento().materias[0].localizacao, "00001");
    EXPECT_FALSE(materia(m, "MP2", "1.5"));
    EXPECT_TRUE(ui.ultimaMensagem().endsWith(QStringLiteral("Esta Unidade apenas permite a movimentação de quantidades unitárias.")))
        << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(m.documento().materias.size(), 1u);
}

// The lot button offers the lots with stock (an empty lot is not among them) and brings back the
// chosen one with its location; the pictures button needs a product and, for a lot product, its lot.
TEST_P(MovProducaoNaHoraTest, JanelaDeLotesEImagensPedemOQueFalta) {
    ASSERT_TRUE(db->exec("UPDATE Produtos SET ControlaDataValidade_Fabrico=2 WHERE Codigo='MPL'"));
    ASSERT_TRUE(db->exec("UPDATE MovProduto SET DataFabrico='2026-01-01', DataValidade='2026-12-31' WHERE Lote='L1'"));
    MovProducaoNaHora m(ctx, ui);
    ASSERT_TRUE(m.abrirMateria(u'N'));
    auto& e = m.editorMateria();
    ExistProArmLote lotes(ctx, ui);
    EXPECT_FALSE(e.prepararEscolhaLote(lotes));
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não definiu o produto!");
    e.txtProduto.codigo = QStringLiteral("MPL");
    ASSERT_TRUE(e.produtoSaiu());
    EXPECT_TRUE(e.loteActivo());
    ASSERT_TRUE(e.prepararEscolhaLote(lotes));
    ASSERT_EQ(lotes.linhas().size(), 1u);
    EXPECT_EQ(lotes.linhas()[0].lote, "L1");
    lotes.clicarLinha(0);
    ASSERT_EQ(lotes.seleccionar(), ExistProArmLote::Resultado::Escolhido);
    e.aplicarEscolhaLote(lotes);
    EXPECT_EQ(e.txtLote.codigo, "L1");
    EXPECT_EQ(e.txtLocalizacao, "00001");
    e.txtQuantidade = C("2");
    EXPECT_TRUE(e.gravar()) << ui.ultimaMensagem().toStdString();

    ASSERT_TRUE(m.abrirAcabado(u'N'));
    auto& a = m.editorAcabado();
    EXPECT_FALSE(a.podeAbrirImagens());
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não definiu o produto!");
    ASSERT_TRUE(db->exec("UPDATE Produtos SET Lote=1 WHERE Codigo='PA'"));
    a.txtProduto.codigo = QStringLiteral("PA");
    ASSERT_TRUE(a.produtoSaiu());
    EXPECT_FALSE(a.podeAbrirImagens());
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não definiu o lote!");
    a.loteCriado(QStringLiteral("PA-01"));
    EXPECT_TRUE(a.podeAbrirImagens());
    EXPECT_EQ(MovProducaoNaHoraProdAcabINS::tabelaReferencia(2), "Referencias");
}

// A process taken into the run replaces the raw materials by its movements (a return negative)
// and leaves no equipment; leaving the choice empty asks before dropping the finished products'
// run and goes back to a free run.
TEST_P(MovProducaoNaHoraTest, ProcessoIntegradoEDesfeito) {
    ASSERT_TRUE(db->exec("UPDATE configProd SET Processo_TipoSaida='SPR', Processo_TipoRet='DPR'"));
    ProcessoProducao p;
    p.processo = QStringLiteral("P1");
    ASSERT_TRUE(GravarProcesso(ctx, p, true));
    for (const char* q : {"4", "-1"}) {
        MovimentoProcesso mov;
        mov.processo = QStringLiteral("P1");
        mov.data = QStringLiteral("2026-02-10");
        mov.produto = QStringLiteral("MP1");
        mov.armazem = QStringLiteral("001");
        mov.localizacao = QStringLiteral("00001");
        mov.quantidade = C(q);
        mov.preco = C("2");
        ASSERT_TRUE(LancaMovimentoProcesso(ctx, mov));
    }
    MovProducaoNaHora m(ctx, ui);
    ASSERT_TRUE(materia(m, "MP2", "1"));
    ASSERT_TRUE(m.integrarProcesso(QStringLiteral("P1"), false)) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(m.processoIntegrado());
    ASSERT_EQ(m.documento().materias.size(), 2u);
    EXPECT_EQ(m.documento().materias[1].quantidade, C("-1"));
    EXPECT_EQ(CustoMaterias(m.documento()), C("6"));
    EXPECT_FALSE(m.integrarEquipamento(QStringLiteral("EQ1"), false)) << "no equipment on a process run";

    ASSERT_TRUE(m.abrirAcabado(u'N'));
    auto& a = m.editorAcabado();
    a.txtProduto.codigo = QStringLiteral("PA");
    ASSERT_TRUE(a.produtoSaiu());
    a.txtQuantidade = C("1");
    a.txtPercCusto = C("100");
    ASSERT_TRUE(a.gravar());
    m.CalculaCustos();
    ui.responder(0); // "Confirma o cancelamento desta Produção?" "&Não"
    EXPECT_FALSE(m.integrarProcesso({}, false));
    EXPECT_TRUE(m.processoIntegrado());
    ui.responder(1); // "&Sim"
    EXPECT_FALSE(m.integrarProcesso({}, false));
    EXPECT_FALSE(m.processoIntegrado());
    EXPECT_TRUE(m.documento().materias.empty());
    EXPECT_TRUE(ui.respostasEsgotadas());
}

TEST_P(MovProducaoNaHoraTest, AcabadoComUmSoCustoEProcessamentoConfirmado) {
    MovProducaoNaHora m(ctx, ui);
    ASSERT_TRUE(materia(m, "MP1", "10"));
    ASSERT_TRUE(m.abrirAcabado(u'N'));
    auto& a = m.editorAcabado();
    a.txtProduto.codigo = "PA";
    ASSERT_TRUE(a.produtoSaiu());
    EXPECT_EQ(a.txtArmazem.codigo, "001");
    a.txtQuantidade = C("4");
    a.txtPercCusto = C("100");
    a.txtPrecoCusto = C("3");
    EXPECT_FALSE(a.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não pode definir a Percentagem de Custo e o Preço de Custo em simultâneo.\r\n"
                                   "Favor de definir apenas um dos valores.");
    a.txtPercCusto = C("0");
    a.txtPrecoCusto = C("0");
    ui.responder(0); // "&Não"
    EXPECT_FALSE(a.gravar());
    a.txtPercCusto = C("100");
    ASSERT_TRUE(a.gravar());
    m.CalculaCustos();
    EXPECT_EQ(m.documento().acabados[0].valCusto, C("20"));

    bool impresso = false;
    m.imprimirRelatorio = [&](const ResultadoInstantanea& r) { impresso = !r.numProcesso.isEmpty(); };
    ui.responder(0); // "Confirma o Processamento?" "&Não"
    EXPECT_FALSE(m.processar());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo").toInt(), 0);
    ui.responder(1); // "&Sim"
    ui.responder(1); // "Imprimir Relatório?" "&Sim"
    ASSERT_TRUE(m.processar()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(impresso);
    EXPECT_EQ(m.lvwMateriaPrima.numLinhas(), 0);
    EXPECT_EQ(m.lvwProdutoAcabdo.numLinhas(), 0);
    EXPECT_EQ(Currency::fromVariant(db->scalar("SELECT Preco FROM MovProduto WHERE Codigo='PA' AND AfectaStk='E+'")),
              C("5"));
    EXPECT_FALSE(m.processar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu nenhum Produto Acabado!");
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(MovProducaoNaHoraTest);
