#include "lookups/ui/CampoCodigo.h"
#include "production/ProducaoTeste.h"
#include "production/ui/FrmGraficoEstatProd.h"
#include "support/DbTest.h"
#include "support/ui/Capturas.h"
#include "support/ui/Controlos.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QPieSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using producao_teste::C;

// The chart window over two instant runs of this year: run 1 took 3 MP1 at 2 and 1 MP2 at 0.5,
// run 2 gave back nothing and took MP1 at 0 quantity.
class FrmGraficoEstatProdTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        producao_teste::criarEmpresaProducao(ctx);
        ctx.casadecquant = 2;
        const QString hoje = QDate::currentDate().toString(Qt::ISODate);
        struct L {
            const char *processo, *tipo, *produto, *quant, *preco;
        };
        for (const L& l : {L{"1", "MP", "MP1", "3", "2"}, L{"1", "MP", "MP2", "1", "0.5"}, L{"1", "PA", "PA", "1", "6.5"},
                           L{"2", "MP", "MPL", "0", "3"}, L{"2", "PA", "PA", "1", "0"}})
            ASSERT_GT(db->insert("LoteInstantaneo", Registo()("NumProcesso", l.processo)("Codigo", "")("Tipo", "SPR")(
                                                        "Numero", l.processo)("Data", hoje)("TipoProduto", l.tipo)(
                                                        "Produto", l.produto)("Quantidade", C(l.quant).toVariant())(
                                                        "Preco", C(l.preco).toVariant())("Equipamento", "")),
                      0);
    }
};

// "Calcula" fills the bars and the table; the pie leaves the material at zero out; pointing at a
// material shows its figure and share; the value measure changes the shares at once.
TEST_P(FrmGraficoEstatProdTest, CalculaGraficoTabelaEPonto) {
    FrmGraficoEstatProd janela(ctx, ui);
    EXPECT_EQ(janela.objectName().toStdString(), "frmGraficoEstatProd");
    EXPECT_EQ(controlo<CampoCodigo>(janela, "cpProduto")->descricao().toStdString(), "Todos");
    controlo<QPushButton>(janela, "cmdCalcula")->click();
    ASSERT_TRUE(janela.logica().resultado()) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.mensagens.empty()) << ui.ultimaMensagem().toStdString();

    QChart* grafico = janela.grafico();
    ASSERT_EQ(grafico->series().size(), 1);
    auto* barras = qobject_cast<QBarSeries*>(grafico->series().front());
    ASSERT_TRUE(barras);
    ASSERT_EQ(barras->barSets().size(), 3) << "MP1, MP2 and MPL at zero";
    EXPECT_EQ(barras->barSets()[0]->label().toStdString(), "MP1 - Farinha");
    EXPECT_DOUBLE_EQ(barras->barSets()[0]->at(0), 3.0);
    EXPECT_TRUE(barras->isLabelsVisible());

    auto* tabela = controlo<QTableWidget>(janela, "lvwLista");
    ASSERT_EQ(tabela->rowCount(), 4) << "three materials and the total";
    EXPECT_EQ(tabela->item(0, 0)->text().toStdString(), "MP1");
    EXPECT_EQ(tabela->item(0, 2)->text().toStdString(), "3,00");
    EXPECT_EQ(tabela->item(0, 4)->text().toStdString(), "75,00");
    EXPECT_EQ(tabela->item(3, 0)->text().toStdString(), "Total");
    EXPECT_EQ(tabela->item(3, 3)->text().toStdString(), "6,50");
    EXPECT_EQ(controlo<QLabel>(janela, "lblValorTotal")->text().toStdString(), "6,50");

    emit barras->hovered(true, 0, barras->barSets()[1]);
    EXPECT_EQ(controlo<QLabel>(janela, "lblPonto")->text().toStdString(), "Quantidade: 1,00   Peso: 25,00 %");

    controlo<QPushButton>(janela, "cmdGraficoCircular")->click();
    ASSERT_EQ(grafico->series().size(), 1);
    auto* circular = qobject_cast<QPieSeries*>(grafico->series().front());
    ASSERT_TRUE(circular);
    ASSERT_EQ(circular->count(), 2) << "no slice for the material at zero";
    emit circular->clicked(circular->slices()[0]);
    EXPECT_EQ(controlo<QLabel>(janela, "lblPonto")->text().toStdString(), "Quantidade: 3,00   Peso: 75,00 %");

    controlo<QRadioButton>(janela, "optValor")->setChecked(true);
    circular = qobject_cast<QPieSeries*>(grafico->series().front());
    ASSERT_TRUE(circular);
    emit circular->hovered(circular->slices()[1], true);
    EXPECT_EQ(controlo<QLabel>(janela, "lblPonto")->text().toStdString(), "Valor: 0,50   Peso: 7,69 %");
    EXPECT_EQ(tabela->item(0, 4)->text().toStdString(), "92,31");
    if (isSQLite())
        capturarJanela(janela, QStringLiteral("frmGraficoEstatProd"));

    ui.responder(1); // "Para o Ecran"
    controlo<QPushButton>(janela, "cmdImprimir")->click();
    ASSERT_NE(janela.visualizacao(), nullptr) << ui.ultimaMensagem().toStdString();
    EXPECT_TRUE(ui.respostasEsgotadas());
    if (isSQLite())
        capturarJanela(*janela.visualizacao(), QStringLiteral("frmGraficoEstatProd_Preview"));
    janela.visualizacao()->close();
}

// A run that does not exist: the message, an empty chart and table.
TEST_P(FrmGraficoEstatProdTest, ProcessoSemLinhas) {
    FrmGraficoEstatProd janela(ctx, ui);
    controlo<QLineEdit>(janela, "txtNumProcesso")->setText(QStringLiteral("99"));
    controlo<QPushButton>(janela, "cmdCalcula")->click();
    EXPECT_EQ(ui.ultimaMensagem().toStdString(), "Não existem registos para esta Condição!");
    EXPECT_TRUE(janela.grafico()->series().isEmpty());
    EXPECT_EQ(controlo<QTableWidget>(janela, "lvwLista")->rowCount(), 0);
}

LUMO_INSTANCIAR_MOTORES(FrmGraficoEstatProdTest);
