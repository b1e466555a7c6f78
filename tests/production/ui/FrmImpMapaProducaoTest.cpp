#include "company/Empresas.h"
#include "company/ParametrosGerais.h"
#include "controls/ui/EDatas.h"
#include "lookups/ui/CampoCodigo.h"
#include "production/LoteCadeirasDemo.h"
#include "production/ui/FrmImpMapaProducao.h"
#include "support/EmpresaDemoTest.h"
#include "support/SemFalha.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QCheckBox>
#include <QDate>
#include <QPushButton>

// "Mapa de Produção" on the demo company, as a user prints it.
class FrmImpMapaProducaoTest : public EmpresaDemoAbertaTest {
protected:
    void SetUp() override {
        m_casasDecimaisProducao = false;
        EmpresaDemoAbertaTest::SetUp();
    }
};

TEST_P(FrmImpMapaProducaoTest, SemLotesAvisaComLoteMostraAVisualizacao) {
    FrmImpMapaProducao janela(demo, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmImpMapaProducao");
    EXPECT_EQ(janela.windowTitle().toStdString(), "Mapa de Produção");
    EXPECT_EQ(janela.logica().txtProduto.descricao.toStdString(), "Todos");
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(controlo<EDatas>(janela, "txtDataInicial")->DataSys(), QDate(hoje.year(), hoje.month(), 1));
    EXPECT_EQ(controlo<EDatas>(janela, "txtDataFinal")->DataSys(), hoje);
    auto* discriminar = controlo<QCheckBox>(janela, "chkDiscriminar");
    ASSERT_TRUE(discriminar);
    EXPECT_EQ(discriminar->text().toStdString(), "Discriminar componentes (movimentos e nomenclatura)");
    auto* imprimir = controlo<QPushButton>(janela, "cmdImprimir");
    ASSERT_TRUE(imprimir);

    // The demo has made nothing yet.
    imprimir->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem registos para esta Condição!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    // Two oak chairs made today, 0,4 of the oak board returned.
    CarregaCasasDecProducao(demo);
    ASSERT_FALSE(LoteCadeirasComRetorno(demo, hoje.toString(Qt::ISODate)).isEmpty());
    // Dates the wrong way round are refused before anything is read.
    controlo<EDatas>(janela, "txtDataInicial")->setDataSys(hoje.addDays(1));
    imprimir->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "A Data Inicial é posterior à Data Final!");
    EXPECT_EQ(janela.visualizacao(), nullptr);

    controlo<EDatas>(janela, "txtDataInicial")->setDataSys(hoje);
    controlo<CampoCodigo>(janela, "cpProduto")->setCodigo(QStringLiteral("PA002"));
    discriminar->setChecked(true);
    ui.responder(1); // "Tipo de Listagem?": "Para o Ecran"
    imprimir->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    EXPECT_TRUE(janela.logica().chkDiscriminar);
    EXPECT_EQ(janela.logica().txtProduto.descricao.toStdString(), "Cadeira em carvalho");
    if (isSQLite()) {
        capturarJanela(janela, QStringLiteral("frmImpMapaProducao"));
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmImpMapaProducao_Preview"));
    }
    janela.visualizacao()->close();

    // Another product's lots: none.
    controlo<CampoCodigo>(janela, "cpProduto")->setCodigo(QStringLiteral("PA001"));
    imprimir->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem registos para esta Condição!");
}

LUMO_INSTANCIAR_MOTORES(FrmImpMapaProducaoTest);
