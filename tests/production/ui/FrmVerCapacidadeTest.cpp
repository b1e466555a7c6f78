#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/DocumentoImpresso.h"
#include "production/ui/FrmImpMapaProducaoDisc.h"
#include "production/ui/FrmImpNomenclatura.h"
#include "production/ui/FrmVerCapacidade.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QCheckBox>
#include <QPushButton>

// The capacity forecast and the bill-of-materials listings on the demo company, as a user prints them.
class FrmVerCapacidadeTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        m_casasDecimaisProducao = false;
        EmpresaDemoAbertaTest::SetUp();
    }
};

TEST_P(FrmVerCapacidadeTest, ProdutoSemNomenclaturaRecusadoEPrevisaoImpressa) {
    FrmVerCapacidade janela(demo, ui);
    auto* produto = controlo<CampoCodigo>(janela, "cpProduto");
    ASSERT_TRUE(produto);
    EXPECT_EQ(janela.logica().txtProduto.descricao.toStdString(), "Todos");

    // A raw material has no bill: nothing to print.
    produto->setCodigo(QStringLiteral("MP001"));
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(janela.visualizacao(), nullptr);
    EXPECT_TRUE(ui.ultimaMensagem().contains(QStringLiteral("Inexistente"))) << ui.ultimaMensagem().toStdString();

    // Every product, with its components, to the screen.
    produto->setCodigo(QString());
    controlo<QCheckBox>(janela, "chkDiscrimina")->setChecked(true);
    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    if (isSQLite()) {
        capturarJanela(janela, QStringLiteral("frmVerCapacidade"));
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmVerCapacidade_Preview"));
    }
    janela.visualizacao()->close();
}

// The measurements listing offers only products with a template; both listings preview.
TEST_P(FrmVerCapacidadeTest, ListagensDeNomenclaturaImpressas) {
    FrmImpNomenclatura medicoes(demo, ui, true);
    EXPECT_EQ(medicoes.objectName().toStdString(), "frmImpNomenclaturaMedicoes");
    auto* produto = controlo<CampoCodigo>(medicoes, "cpProduto");
    ASSERT_TRUE(produto);
    produto->setCodigo(QStringLiteral("PA001")); // an ordinary bill, no template
    EXPECT_FALSE(produto->txtCodigo_LostFocus());
    produto->setCodigo(QStringLiteral("PA005"));
    ASSERT_TRUE(produto->txtCodigo_LostFocus()) << ui.ultimaMensagem().toStdString();
    ui.responder(1);
    controlo<QPushButton>(medicoes, "cmdImprimir")->click();
    ASSERT_NE(medicoes.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    medicoes.visualizacao()->close();

    FrmImpNomenclatura comum(demo, ui, false);
    ui.responder(1);
    controlo<QPushButton>(comum, "cmdImprimir")->click();
    ASSERT_NE(comum.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    if (isSQLite()) {
        capturarJanela(comum, QStringLiteral("frmImpNomenclatura"));
        capturarJanela(*comum.visualizacao(), QStringLiteral("frmImpNomenclatura_Preview"));
    }
    comum.visualizacao()->close();
}

// The itemised map of a period without lots says so; of the year with a lot, previews it.
TEST_P(FrmVerCapacidadeTest, MapaDiscriminadoSemLotesEComUmLote) {
    FrmImpMapaProducaoDisc janela(demo, ui);
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem registos para esta Condição!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    ASSERT_GT(demo.bd().insert("Lotes", Registo()("lote", "0000000001")("Produto", "PA002")("precario", "40")(
                                            "custoTotal", "80")("armazem", "002")("quantidade", "2")("tipoSaida", "")(
                                            "NumeroSaida", "")("DataSaida", QDate::currentDate().toString(Qt::ISODate))(
                                            "Fechado", 1)),
              0);
    ui.responder(1);
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    if (isSQLite()) {
        capturarJanela(janela, QStringLiteral("frmImpMapaProducaoDisc"));
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmImpMapaProducaoDisc_Preview"));
    }
    janela.visualizacao()->close();
}

LUMO_INSTANCIAR_MOTORES(FrmVerCapacidadeTest);
