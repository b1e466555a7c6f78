#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "controls/ui/EDatas.h"
#include "controls/ui/SelOpta.h"
#include "lookups/ui/CampoCodigo.h"
#include "production/ui/FrmImpDiarioProdNaHora.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QPushButton>
#include <QRadioButton>

// The instant-production journal on the demo company, as a user prints it.
class FrmImpDiarioProdNaHoraTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        m_casasDecimaisProducao = false;
        EmpresaDemoAbertaTest::SetUp();
    }
    // A run of the demo's dining-set bill (flow A) posted today.
    void execucao(const char* processo) {
        const QString hoje = QDate::currentDate().toString(Qt::ISODate);
        struct L {
            const char *tipo, *produto, *quant, *preco;
        };
        for (const L& l : {L{"MP", "MP002", "15.3", "18.4"}, L{"MP", "MP009", "64", "0.05"},
                           L{"PA", "PA001", "1", "180"}})
            ASSERT_GT(demo.bd().insert("LoteInstantaneo",
                                       Registo()("NumProcesso", processo)("Codigo", "CONJ-MESA")(
                                           "Tipo", qstrcmp(l.tipo, "MP") == 0 ? "SPR" : "EPR")("Numero", "00000001")(
                                           "Data", hoje)("TipoProduto", l.tipo)("Produto", l.produto)(
                                           "Quantidade", l.quant)("Preco", l.preco)("Equipamento", "")),
                      0);
    }
};

TEST_P(FrmImpDiarioProdNaHoraTest, SemMovimentosAvisaEComMovimentosPreVisualiza) {
    FrmImpDiarioProdNaHora janela(demo, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmImpDiarioProdNaHora");
    EXPECT_EQ(janela.logica().txtNomenclatura.descricao.toStdString(), "Todas");
    auto* fluxo = controlo<SelOpta>(janela, "cboFluxo");
    ASSERT_TRUE(fluxo);
    EXPECT_EQ(fluxo->Chave().toStdString(), "Todos");
    EXPECT_EQ(fluxo->count(), 6);
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(controlo<EDatas>(janela, "txtDataInicial")->DataSys(), QDate(hoje.year(), hoje.month(), 1));
    EXPECT_EQ(controlo<EDatas>(janela, "txtDataFinal")->DataSys(), hoje);
    auto* diario = controlo<QRadioButton>(janela, "optDiario");
    auto* porNomenclatura = controlo<QRadioButton>(janela, "optNomenclatura");
    auto* porFluxo = controlo<QRadioButton>(janela, "optFluxo");
    ASSERT_TRUE(diario && porNomenclatura && porFluxo);
    EXPECT_TRUE(diario->isChecked());
    EXPECT_EQ(diario->text().toStdString(), "Diário Corrido");
    EXPECT_EQ(porNomenclatura->text().toStdString(), "Acumulados por Nomenclatura");
    EXPECT_EQ(porFluxo->text().toStdString(), "Acumulados por Fluxo");
    auto* imprimir = controlo<QPushButton>(janela, "cmdImprimir");

    // The demo has bills but no run yet.
    imprimir->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem movimentos para estas condições!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    execucao("1");
    execucao("2");
    // The dining set is of flow A: nothing in flow B.
    fluxo->setChave(QStringLiteral("B"));
    ui.mensagens.clear();
    imprimir->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem movimentos para estas condições!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    // An unknown bill is refused before anything is read.
    auto* nomenclatura = controlo<CampoCodigo>(janela, "cpNomenclatura");
    ASSERT_TRUE(nomenclatura);
    nomenclatura->setCodigo(QStringLiteral("NAO-EXISTE"));
    ui.mensagens.clear();
    imprimir->click();
    EXPECT_EQ(janela.visualizacao(), nullptr);
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("Inexistente"))) << ui.ultimaMensagem().toStdString();

    // The bill and flow A, accumulated: to the screen.
    nomenclatura->setCodigo(QStringLiteral("CONJ-MESA"));
    fluxo->setChave(QStringLiteral("A"));
    porNomenclatura->setChecked(true);
    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    imprimir->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    EXPECT_EQ(janela.logica().modo, ModoDiarioInstantanea::PorNomenclatura);
    EXPECT_EQ(janela.logica().txtNomenclatura.descricao.toStdString(), "Mesa de jantar com 4 cadeiras");
    if (isSQLite()) {
        capturarJanela(janela, QStringLiteral("frmImpDiarioProdNaHora"));
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmImpDiarioProdNaHora_Preview"));
    }
    janela.visualizacao()->close();
}

LUMO_INSTANCIAR_MOTORES(FrmImpDiarioProdNaHoraTest);
