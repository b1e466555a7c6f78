#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "production/ui/FrmImpDiarioStk.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

// The analysis by groups on the demo company, as a user prints it.
class FrmImpDiarioStkTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        m_casasDecimaisProducao = false;
        EmpresaDemoAbertaTest::SetUp();
    }
};

// Opens on the production output type; without a type nothing is read; the year's process outputs
// preview, and a lot without a document of the type has nothing to show.
TEST_P(FrmImpDiarioStkTest, TipoObrigatorioEPrevisaoNoEcran) {
    FrmImpDiarioStk janela(demo, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmImpDiarioStk");
    EXPECT_EQ(janela.logica().txtTipo.codigo.toStdString(), "SPR");
    EXPECT_EQ(janela.logica().txtDataInicial.day(), 1);
    auto* tipo = controlo<CampoCodigo>(janela, "cpTipo");
    ASSERT_TRUE(tipo);

    tipo->setCodigo(QString());
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Tem que preencher o tipo de Movimento");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    const int a = ano.toInt();
    tipo->setCodigo(QStringLiteral("SPP"));
    controlo<EDatas>(janela, "txtDataInicial")->setDataSys(QDate(a, 1, 1));
    controlo<EDatas>(janela, "txtDataFinal")->setDataSys(QDate(a, 12, 31));
    controlo<QLineEdit>(janela, "txtNumero")->setText(QStringLiteral("99"));
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem Produtos nestas condições!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    controlo<QLineEdit>(janela, "txtNumero")->clear();
    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    if (isSQLite()) {
        capturarJanela(janela, QStringLiteral("frmImpDiarioStk"));
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmImpDiarioStk_Preview"));
    }
    janela.visualizacao()->close();
}

// An unknown warehouse in the list is refused before anything is read.
TEST_P(FrmImpDiarioStkTest, ArmazemInexistenteRecusado) {
    FrmImpDiarioStk janela(demo, ui);
    controlo<CampoCodigo>(janela, "cpArmazem")->setCodigo(QStringLiteral("001;999"));
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Armazém Inexistente");
    EXPECT_EQ(janela.visualizacao(), nullptr);
    EXPECT_TRUE(janela.logica().armazens().isEmpty());
}

LUMO_INSTANCIAR_MOTORES(FrmImpDiarioStkTest);
