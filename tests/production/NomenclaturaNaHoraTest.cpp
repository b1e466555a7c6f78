#include "production/NomenclaturaNaHora.h"
#include "support/DbTest.h"
#include "support/SemFalha.h"

namespace {
Currency C(const char* t) { return Currency::fromString(QString::fromLatin1(t)); }
using T = TipoLinhaReceita;
} // namespace

// Instant recipes through the window logic and its line editor.
class NomenclaturaNaHoraTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ctx.proddiversos = QStringLiteral("DIV");
        ctx.armazem = QStringLiteral("001");
        for (const char* a : {"001", "002"})
            ASSERT_GT(db->insert("Armazens", {"Codigo", "Descricao"}, {a, QString("Armazém ") + a}), 0);
        struct P {
            const char *codigo, *descricao, *referencia, *medic;
        };
        for (const P& p : {P{"MP1", "Leite", "0", "0"}, P{"MP2", "Sal", "", ""}, P{"PA1", "Queijo", "0", "0"},
                           P{"PA2", "Soro", "0", "0"}, P{"DIV", "Diversos", "0", "0"}, P{"REF", "Camisola", "1", "0"},
                           P{"MED", "Porta à medida", "0", "1"}})
            ASSERT_GT(db->insert("Produtos", {"Codigo", "Descricao", "Referencia", "Medic"},
                                 {p.codigo, p.descricao, p.referencia, p.medic}),
                      0);
        ASSERT_GT(db->insert("configProd", {"Precario", "CasasDec"}, {"ultprecocusto", 3}), 0);
    }

    // A line through the editor as the user types it; false when refused.
    bool linha(NomenclaturaNaHora& n, T tipo, const char* produto, const char* quant, const char* precario = nullptr,
               const char* valor = "0", QChar modo = u'N') {
        if (!n.abrirLinha(modo, tipo))
            return false;
        NomenclaturaNaHoraINS& e = n.editor();
        e.txtProduto.codigo = produto;
        if (!e.produtoSaiu())
            return false;
        if (precario)
            e.escolherPrecario(precario);
        e.txtQuantidade = C(quant);
        e.txtValor = C(valor);
        if (!e.gravar())
            return false;
        n.mostrarLinhas();
        return true;
    }
    void nova(NomenclaturaNaHora& n, const char* codigo) {
        n.abrir();
        n.adicionar();
        n.txtCodigo = codigo;
        ASSERT_TRUE(n.codigoSaiu());
        n.txtDescricao = QStringLiteral("Queijo fresco");
        n.fluxo = QStringLiteral("C");
    }
    int linhasGravadas(const char* codigo) {
        return db->scalar("SELECT COUNT(*) FROM NomenclaturaInstantanea WHERE Codigo=?", {codigo}).toInt();
    }
    int logs(const char* accao) {
        return db->scalar("SELECT COUNT(*) FROM LogGeral WHERE Modulo='TB' AND Accao=?", {accao}).toInt();
    }
};

TEST_P(NomenclaturaNaHoraTest, ReceitaComDoisAcabadosGravadaEmOrdemComRegraDosParametros) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, " qf1 ");
    EXPECT_EQ(n.txtCodigo, "QF1") << "the code is normalised";
    ASSERT_TRUE(linha(n, T::Materia, "MP1", "100"));
    EXPECT_EQ(n.receita().materias[0].precario, "UltPrecoCusto") << "the parameters' rule, whatever its case";
    EXPECT_EQ(n.receita().materias[0].armazem, "001") << "a blank warehouse takes the current one";
    ASSERT_TRUE(linha(n, T::Materia, "MP2", "0.5", "PrecoMedioCusto"));
    ASSERT_TRUE(linha(n, T::Acabado, "PA1", "10", "PercCusto", "70"));
    ASSERT_TRUE(linha(n, T::Acabado, "PA2", "80", "PercCusto", "30"));
    ASSERT_TRUE(linha(n, T::Acabado, "MP1", "1", "UltPrecoCompra")) << "a raw material may also be a finished product";
    ASSERT_TRUE(n.gravar()) << ui.ultimaMensagem().toStdString();
    EXPECT_FALSE(n.modoEdicao());
    ASSERT_EQ(n.lvwLista.numLinhas(), 1);
    EXPECT_EQ(n.lvwLista.texto(0, 2), "C");
    EXPECT_EQ(logs("N"), 1);

    const auto lida = LerReceita(*db, "QF1");
    ASSERT_TRUE(lida && *lida);
    const Receita& r = **lida;
    ASSERT_EQ(r.materias.size(), 2u);
    ASSERT_EQ(r.acabados.size(), 3u);
    EXPECT_EQ(r.materias[1].produto, "MP2");
    EXPECT_EQ(r.materias[1].quantidade, C("0.5"));
    EXPECT_EQ(r.materias[1].valor, Currency()) << "only typed prices and shares keep a value";
    EXPECT_EQ(r.acabados[0].valor, C("70"));
    EXPECT_EQ(r.acabados[2].produto, "MP1");
    EXPECT_EQ(r.fluxo, "C");
    EXPECT_EQ(r.materias[0].descricao, "Leite");
}

TEST_P(NomenclaturaNaHoraTest, LinhasRecusadasPorOrdemENaMesmaListaNaoSeRepetem) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, "QF1");
    ASSERT_TRUE(n.abrirLinha(u'N', T::Materia));
    auto& e = n.editor();
    EXPECT_FALSE(e.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o Produto!");
    EXPECT_EQ(e.focoPedido(), NomenclaturaNaHoraINS::Foco::Produto);
    e.txtProduto.codigo = "MP1";
    ASSERT_TRUE(e.produtoSaiu());
    EXPECT_FALSE(e.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu a Quantidade!");
    e.txtQuantidade = C("-2");
    EXPECT_FALSE(e.gravar()) << "a quantity below 0 is no quantity";
    EXPECT_EQ(e.focoPedido(), NomenclaturaNaHoraINS::Foco::Quantidade);
    EXPECT_TRUE(n.receita().materias.empty());

    ASSERT_TRUE(linha(n, T::Materia, "MP1", "1"));
    EXPECT_FALSE(linha(n, T::Materia, "mp1", "2"));
    EXPECT_EQ(ui.ultimaMensagem(), "Este produto já existe nesta nomenclatura!\r\nNão pode repetir.");
    ASSERT_TRUE(linha(n, T::Materia, "MP2", "2"));
    // Changing the second line into the first's product is refused as adding it is.
    n.lvwMateriasPrimas.lvw_SelectLinha(1);
    EXPECT_FALSE(linha(n, T::Materia, "MP1", "3", nullptr, "0", u'A'));
    ASSERT_EQ(n.receita().materias.size(), 2u);
    EXPECT_EQ(n.receita().materias[1].produto, "MP2");
    // A negative typed price is refused; a share is not a price, but is not negative either.
    EXPECT_FALSE(linha(n, T::Acabado, "PA1", "1", "PercCusto", "-5"));
    EXPECT_EQ(ui.ultimaMensagem(), "O valor não pode ser negativo.");
}

TEST_P(NomenclaturaNaHoraTest, DiversosSoComPrecoDigitadoENuncaComoAcabado) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, "QF1");
    ASSERT_TRUE(n.abrirLinha(u'N', T::Materia));
    auto& e = n.editor();
    e.txtProduto.codigo = "DIV";
    ASSERT_TRUE(e.produtoSaiu());
    EXPECT_EQ(e.opcoesPrecario(), "Digitado:Preço Digitado;");
    EXPECT_EQ(e.precario, "Digitado");
    EXPECT_TRUE(e.valorVisivel());
    EXPECT_FALSE(e.precarioPermitido("PrecoMedioCusto"));
    e.escolherPrecario("PrecoMedioCusto");
    EXPECT_EQ(e.precario, "Digitado") << "a rule not offered is not taken";

    ASSERT_TRUE(n.abrirLinha(u'N', T::Acabado));
    e.txtProduto.codigo = "DIV";
    EXPECT_FALSE(e.produtoSaiu());
    EXPECT_EQ(ui.ultimaMensagem(), "Não pode definir um produto diversos como produto acabado!");
    EXPECT_TRUE(e.txtProduto.codigo.isEmpty());
    e.txtProduto.codigo = "PA1";
    ASSERT_TRUE(e.produtoSaiu());
    EXPECT_EQ(e.opcoesPrecario(), "UltPrecoCompra:Último Preço de Compra;UltPrecoCusto:Último Preço de Custo;"
                                  "PrecoMedioCusto:Preço Médio de Custo;Digitado:Preço Digitado;"
                                  "PercCusto:Percentagem de Custo;");
}

TEST_P(NomenclaturaNaHoraTest, ProdutosComReferenciasOuMedicoesFicamDeFora) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, "QF1");
    EXPECT_FALSE(linha(n, T::Materia, "REF", "1")) << "size references: not a raw material";
    EXPECT_FALSE(linha(n, T::Materia, "MED", "1"));
    EXPECT_FALSE(linha(n, T::Acabado, "MED", "1")) << "measurements: neither";
    EXPECT_TRUE(linha(n, T::Acabado, "REF", "1"));
    EXPECT_TRUE(linha(n, T::Materia, "MP2", "1")) << "blank flags are no flags";
    EXPECT_FALSE(linha(n, T::Materia, "NAOHA", "1"));
}

TEST_P(NomenclaturaNaHoraTest, SemMateriasOuSemAcabadosNadaSeGravaEAAnteriorFica) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, "QF1");
    ASSERT_TRUE(linha(n, T::Acabado, "PA1", "1"));
    EXPECT_FALSE(n.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu as matérias primas!");
    ASSERT_TRUE(linha(n, T::Materia, "MP1", "1"));
    ASSERT_TRUE(n.gravar());

    n.lvwLista.lvw_SelectLinha(0);
    ASSERT_TRUE(n.alterar());
    EXPECT_FALSE(n.codigoActivo());
    n.txtCodigo = "OUTRA"; // only a stray caller could: the window keeps the field disabled
    n.lvwProdutosAcabados.lvw_SelectLinha(0);
    ui.responder(1); // "&Sim"
    ASSERT_TRUE(n.removerLinha(T::Acabado));
    EXPECT_FALSE(n.gravar());
    EXPECT_EQ(ui.ultimaMensagem(), "Não definiu o(s) produto(s) acabado(s)!");
    EXPECT_EQ(linhasGravadas("QF1"), 2) << "the recipe on file is untouched";
    ASSERT_TRUE(linha(n, T::Acabado, "PA2", "3"));
    ASSERT_TRUE(n.gravar());
    EXPECT_EQ(linhasGravadas("QF1"), 2);
    EXPECT_EQ(linhasGravadas("OUTRA"), 0) << "change mode keeps the recipe's own code";
    EXPECT_EQ(db->scalar("SELECT Produto FROM NomenclaturaInstantanea WHERE Codigo='QF1' AND TipoProduto='PA'").toString(),
              "PA2");
}

TEST_P(NomenclaturaNaHoraTest, CodigoRepetidoRecusadoEReceitaUsadaNaoSeElimina) {
    NomenclaturaNaHora n(ctx, ui);
    nova(n, "QF1");
    ASSERT_TRUE(linha(n, T::Materia, "MP1", "1"));
    ASSERT_TRUE(linha(n, T::Acabado, "PA1", "1"));
    ASSERT_TRUE(n.gravar());
    n.adicionar();
    n.txtCodigo = "qf1";
    EXPECT_FALSE(n.codigoSaiu());
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), " A T E N Ç Ã O !    Registo já existente.");
    EXPECT_TRUE(n.txtCodigo.isEmpty());
    n.cancelar();

    ASSERT_GT(db->insert("LoteInstantaneo", {"NumProcesso", "Codigo", "TipoProduto", "Produto"},
                         {"0000000001", "QF1", "PA", "PA1"}),
              0);
    n.lvwLista.lvw_SelectLinha(0);
    ui.responder(true);
    EXPECT_FALSE(n.eliminar());
    EXPECT_EQ(ui.ultimaMensagem(), "Registo já inserido em processos de produção");
    EXPECT_EQ(linhasGravadas("QF1"), 2);
    // ...but it may still change.
    ASSERT_TRUE(n.alterar());
    ASSERT_TRUE(linha(n, T::Materia, "MP2", "4"));
    ASSERT_TRUE(n.gravar());
    EXPECT_EQ(linhasGravadas("QF1"), 3);

    ASSERT_TRUE(db->exec("DELETE FROM LoteInstantaneo"));
    n.lvwLista.lvw_SelectLinha(0);
    ui.responder(true);
    ASSERT_TRUE(n.eliminar());
    EXPECT_EQ(linhasGravadas("QF1"), 0);
    EXPECT_EQ(n.lvwLista.numLinhas(), 0);
    EXPECT_EQ(logs("E"), 1);
    EXPECT_TRUE(ui.respostasEsgotadas());
}

LUMO_INSTANCIAR_MOTORES(NomenclaturaNaHoraTest);
