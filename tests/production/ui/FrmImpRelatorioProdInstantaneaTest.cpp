#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/ui/FrmImpCodBar.h"
#include "production/ProducaoTeste.h"
#include "production/ui/FrmImpRelatorioProdInstantanea.h"
#include "session/ui/FrmHistDocumentos.h"
#include "support/DbTest.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QPushButton>

using producao_teste::C;

// The instant-production report list driven as a user would: the search, the refusals of the
// rows that cannot be deleted here, a deletion confirmed, the history and the labels.
class FrmImpRelatorioProdInstantaneaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        if (HasFatalFailure())
            return;
        ctx.armazem = QStringLiteral("001");
        ctx.CodigoUtilizador = QStringLiteral("01");
        ASSERT_TRUE(db->exec("UPDATE Produtos SET QtyConverteEtiquetas='1.5' WHERE Codigo='PA'"));
        ASSERT_GT(db->insert("Prod_Equipamentos", Registo()("Codigo", "EQ1")("Descricao", "Prensa")("Utilizadores", "")),
                  0);
        // Run 2 of equipment EQ1; run 5 closed process P1 (no raw materials).
        linha("2", "SPR", "MP", "MP1", "4", "EQ1");
        linha("2", "EPR", "PA", "PA", "2", "EQ1");
        linha("5", "EPR", "PA", "PA", "1", "");
        ASSERT_GT(db->insert("Prod_Processos", Registo()("Processo", "P1")("DataEncerramento", "2026-02-10")(
                                                   "TipoEncerramento", "EPR")("NumeroEncerramento", "00000005")),
                  0);
    }
    void linha(const char* num, const char* tipo, const char* tipoProduto, const char* produto, const char* quant,
               const char* equipamento) {
        const QString numero = QString::fromLatin1(num).rightJustified(8, u'0');
        ASSERT_GT(db->insert("LoteInstantaneo", Registo()("NumProcesso", num)("Codigo", "")("Tipo", tipo)(
                                                    "Numero", numero)("Data", "2026-02-10")("TipoProduto", tipoProduto)(
                                                    "Produto", produto)("Quantidade", quant)("Preco", "1")(
                                                    "Equipamento", equipamento)),
                  0);
        ASSERT_GT(db->insert("MovProduto", Registo()("Codigo", produto)("Armazem", "001")(
                                               "AfectaStk", QString::fromLatin1(tipoProduto) == "MP" ? "S+" : "E+")(
                                               "QuantNormal", quant)("Preco", "1")("Tipo", tipo)("Numero", numero)(
                                               "Ano", "2026")("Data", "2026-02-10")("Estado", "N")),
                  0);
    }
    // The list row of a run ("" for the process closing).
    static int linhaDe(const ImpRelatorioProdInstantanea& l, const char* num) {
        for (int i = 0; i < l.lvwLista.numLinhas(); ++i)
            if (l.lvwLista.lvw_GetValue(i, QStringLiteral("Numprocesso")) == QString::fromLatin1(num))
                return i;
        return -1;
    }
    void pesquisar(FrmImpRelatorioProdInstantanea& janela) {
        controlo<EDatas>(janela, "txtDataInicial")->setDataSys(QDate(2026, 2, 1));
        controlo<EDatas>(janela, "txtDataFinal")->setDataSys(QDate(2026, 2, 28));
        controlo<QPushButton>(janela, "cmdPesquisar")->click();
    }
};

TEST_P(FrmImpRelatorioProdInstantaneaTest, PesquisaEncheAListaEEliminaComConfirmacao) {
    FrmImpRelatorioProdInstantanea janela(ctx, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmImpRelatorioProdInstantanea");
    ImpRelatorioProdInstantanea& l = janela.logica();
    EXPECT_EQ(controlo<CampoCodigo>(janela, "cpEquipamento")->descricao().toStdString(), "Todos");
    pesquisar(janela);
    ASSERT_EQ(l.lvwLista.numLinhas(), 3) << ui.ultimaMensagem().toStdString();
    EXPECT_EQ(l.lvwLista.numColunas(), 12);
    const int dois = linhaDe(l, "2");
    ASSERT_GE(dois, 0);
    EXPECT_EQ(l.lvwLista.lvw_GetValue(dois, "TipoSaida"), "SPR");
    EXPECT_EQ(l.lvwLista.lvw_GetValue(dois, "DataEntrada"), "10-02-2026");
    EXPECT_EQ(l.lvwLista.lvw_GetValue(dois, "ObsLinha"), "PA - Bolo");
    EXPECT_EQ(l.lvwLista.lvw_GetValue(linhaDe(l, ""), "ObsLinha"), "Ref. a P1");
    if (isSQLite())
        capturarJanela(janela, QStringLiteral("frmImpRelatorioProdInstantanea"));

    // Refused before any question: the closing has no run, run 5 belongs to the processes.
    l.lvwLista.lvw_SelectLinha(linhaDe(l, ""));
    controlo<QPushButton>(janela, "cmdEliminarProcesso")->click();
    EXPECT_EQ(ui.ultimaMensagem(), MensagemSemNumeroProcesso);
    l.lvwLista.lvw_SelectLinha(linhaDe(l, "5"));
    controlo<QPushButton>(janela, "cmdEliminarProcesso")->click();
    EXPECT_EQ(ui.ultimaMensagem(), MensagemProcessoDeProcessos);

    // "&Não" keeps it; "&Sim" deletes the run and the list is read again.
    const int movimentos = db->scalar("SELECT COUNT(*) FROM MovProduto").toInt();
    l.lvwLista.lvw_SelectLinha(linhaDe(l, "2"));
    ui.responder(0);
    controlo<QPushButton>(janela, "cmdEliminarProcesso")->click();
    EXPECT_EQ(ui.perguntas.back(), "Confirma a eliminação?");
    EXPECT_EQ(l.lvwLista.numLinhas(), 3);
    ui.responder(1);
    controlo<QPushButton>(janela, "cmdEliminarProcesso")->click();
    EXPECT_TRUE(ui.respostasEsgotadas());
    EXPECT_EQ(l.lvwLista.numLinhas(), 2);
    EXPECT_EQ(linhaDe(l, "2"), -1);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM MovProduto").toInt(), movimentos - 2);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='2'").toInt(), 0);
}

TEST_P(FrmImpRelatorioProdInstantaneaTest, PeriodoFechadoRecusaSemPerguntar) {
    FrmImpRelatorioProdInstantanea janela(ctx, ui);
    pesquisar(janela);
    ASSERT_TRUE(db->exec("UPDATE ParamGeral SET DataEmAberto='2026-03-01'"));
    janela.logica().lvwLista.lvw_SelectLinha(linhaDe(janela.logica(), "2"));
    controlo<QPushButton>(janela, "cmdEliminarProcesso")->click();
    EXPECT_EQ(ui.ultimaMensagem(), MensagemControloDatasProcesso);
    EXPECT_TRUE(ui.perguntas.empty());
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM LoteInstantaneo WHERE NumProcesso='2'").toInt(), 2);
}

TEST_P(FrmImpRelatorioProdInstantaneaTest, HistoricoEtiquetasEImpressao) {
    FrmImpRelatorioProdInstantanea janela(ctx, ui);
    ImpRelatorioProdInstantanea& l = janela.logica();
    // Printing an empty list says so.
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.ultimaMensagem(), "Não existem registos para esta Condição!");
    EXPECT_EQ(janela.visualizacao(), nullptr);
    pesquisar(janela);

    l.lvwLista.lvw_SelectLinha(linhaDe(l, ""));
    controlo<QPushButton>(janela, "cmdHistDoc")->click();
    EXPECT_EQ(ui.ultimaMensagem(), "Este registo não pode ter documentos em anexo.");
    l.lvwLista.lvw_SelectLinha(linhaDe(l, "2"));
    controlo<QPushButton>(janela, "cmdHistDoc")->click();
    // The run's documents, filed as "PI" + its number.
    auto* historico = janela.findChild<FrmHistDocumentos*>();
    ASSERT_NE(historico, nullptr);
    EXPECT_EQ(historico->windowTitle().toStdString(), "Histórico de Documentos de produção (Processo nº 2)");
    historico->close();
    delete historico;

    // 2 × 1.5 labels of the run's finished product in the label window.
    controlo<QPushButton>(janela, "cmdImpEtiquetas")->click();
    ASSERT_NE(janela.etiquetas(), nullptr) << ui.ultimaMensagem().toStdString();
    const auto linhas = janela.etiquetas()->logica().linhas();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].produto, "PA");
    EXPECT_EQ(linhas[0].descricao, "Bolo");
    EXPECT_EQ(linhas[0].quantidade, 3);
    janela.etiquetas()->close();
    // The closing has no finished product to label.
    l.lvwLista.lvw_SelectLinha(linhaDe(l, ""));
    controlo<QPushButton>(janela, "cmdImpEtiquetas")->click();
    EXPECT_EQ(ui.ultimaMensagem(), "Este registo não tem produto acabado para etiquetar.");

    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    if (isSQLite())
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmImpRelatorioProdInstantanea_Preview"));
    janela.visualizacao()->close();
}

LUMO_INSTANCIAR_MOTORES(FrmImpRelatorioProdInstantaneaTest);
