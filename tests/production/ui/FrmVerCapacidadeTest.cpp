#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "lookups/ui/CampoCodigo.h"
#include "printing/DocumentoImpresso.h"
#include "production/ui/FrmVerCapacidade.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QCheckBox>
#include <QPushButton>

// The capacity forecast form on the demo company, as a user prints it.
class FrmVerCapacidadeTest : public EmpresaDemoTest {
protected:
    void SetUp() override {
        EmpresaDemoTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(semFalha(abrirEmpresa(demo, servidor, empresa)));
        demo.CodigoUtilizador = "01";
        CarregaParametrosGerais(demo);
    }
    void TearDown() override {
        if (demo.LigacaoEmpresa)
            demo.LigacaoEmpresa->close();
        demo.LigacaoEmpresa.reset();
        EmpresaDemoTest::TearDown();
    }
    GlobalContext demo;
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

LUMO_INSTANCIAR_MOTORES(FrmVerCapacidadeTest);
