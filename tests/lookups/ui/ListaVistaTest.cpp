#include "lookups/ListaDados.h"
#include "lookups/ui/ListaVista.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QStringList colunaVisivel(const ListaVista& v, int c) {
    QStringList r;
    for (int l = 0; l < v.model()->rowCount(); ++l)
        r << v.model()->index(l, c).data().toString();
    return r;
}

struct ListaVistaTest : ::testing::Test {
    QWidget janela;
    ListaDados dados{QStringLiteral("lvwLista")};
    ListaVista* vista = new ListaVista(&janela);
    void SetUp() override {
        auto* l = new QVBoxLayout(&janela);
        l->addWidget(vista);
        dados.Cria_lvwLISTA(QStringLiteral("Id,0,,,Id/Código,1440,,,Codigo/Total,2880,D,VALOR,Total"));
        dados.setComVistos(true);
        const char* valores[][3] = {{"1", "10", "10"}, {"2", "9", "9"}, {"3", "100", "-1"}};
        for (auto& v : valores) {
            const int r = dados.lvw_AddLinha();
            dados.lvw_PutValue(r, QStringLiteral("Id"), QString::fromLatin1(v[0]));
            dados.lvw_PutValue(r, QStringLiteral("Codigo"), QString::fromLatin1(v[1]));
            dados.lvw_PutValue(r, QStringLiteral("VALOR_Total"), Currency::fromString(QString::fromLatin1(v[2])));
        }
        vista->setLista(&dados);
        janela.show();
    }
};

TEST_F(ListaVistaTest, ShowsLayoutAndSortsOnHeaderClick) {
    EXPECT_TRUE(vista->isColumnHidden(0));
    EXPECT_EQ(vista->columnWidth(1), vista->twipsParaPixeis(1440));
    EXPECT_EQ(vista->columnWidth(2), vista->twipsParaPixeis(2880));
    EXPECT_EQ(vista->model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    // Rows added after the view was bound show up too.
    const int nova = dados.lvw_AddLinha();
    dados.lvw_PutValue(nova, QStringLiteral("VALOR_Total"), Currency::fromString("1000"));
    EXPECT_EQ(vista->model()->rowCount(), 4);

    vista->header()->sectionClicked(2);
    EXPECT_EQ(colunaVisivel(*vista, 2), (QStringList{"-1,00", "9,00", "10,00", "1.000,00"}));
    EXPECT_EQ(vista->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Total (Asc.)"));
    vista->header()->sectionClicked(2);
    EXPECT_EQ(vista->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Total (Des.)"));
    EXPECT_EQ(colunaVisivel(*vista, 2).first(), QStringLiteral("1.000,00"));
    vista->header()->sectionClicked(1);
    EXPECT_EQ(vista->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Total"));
    EXPECT_EQ(colunaVisivel(*vista, 1), (QStringList{"", "10", "100", "9"}));
}

TEST_F(ListaVistaTest, TicksFromTheViewAndTheRotinasMenu) {
    const QModelIndex primeira = vista->model()->index(0, 0);
    EXPECT_TRUE(vista->model()->flags(primeira) & Qt::ItemIsUserCheckable);
    vista->model()->setData(primeira, Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(dados.marcada(0));

    QMenu* menu = vista->menuRotinas();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), QStringLiteral("Rotinas Internas"));
    auto accao = [&](const char* nome) { return menu->findChild<QAction*>(QString::fromLatin1(nome)); };
    ASSERT_NE(accao("InverteSelect"), nullptr);
    EXPECT_EQ(accao("InverteSelect")->text(), QStringLiteral("Inverte Selecção"));
    accao("InverteSelect")->trigger();
    EXPECT_EQ(dados.linhasMarcadas(), (std::vector<int>{1, 2}));
    EXPECT_EQ(vista->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    accao("Inverte_Select_Liga")->trigger();
    EXPECT_TRUE(dados.lvw_Ver_Se_Tudo_Select());
    accao("Inverte_Select_Desliga")->trigger();
    EXPECT_EQ(dados.lvw_ContaRegChecked(), 0);
}

TEST_F(ListaVistaTest, WidthsSavedPerFormAndRestored) {
    const QString seccao = QStringLiteral("frmTesteListaVista");
    QSettings().remove(seccao);
    vista->setColumnWidth(1, vista->twipsParaPixeis(3000));
    lvw_Lista_SaveSettings(*vista, seccao);
    EXPECT_NEAR(QSettings().value(seccao + QStringLiteral("/lvwLista_2")).toInt(), 3000, 20);

    lvw_RepoeTamanhoColunas(*vista);
    EXPECT_EQ(vista->columnWidth(1), vista->twipsParaPixeis(1440));
    lvw_Lista_GetSettings(*vista, seccao);
    EXPECT_NEAR(vista->columnWidth(1), vista->twipsParaPixeis(3000), 1);
    EXPECT_EQ(vista->columnWidth(2), vista->twipsParaPixeis(2880));
    EXPECT_TRUE(vista->isColumnHidden(0));
    QSettings().remove(seccao);
}

TEST_F(ListaVistaTest, LoadingLabelStandsInForTheList) {
    lvw_Visivel(*vista, false);
    auto* rotulo = janela.findChild<QLabel*>(QStringLiteral("lblBack_lvwLista"));
    ASSERT_NE(rotulo, nullptr);
    EXPECT_EQ(rotulo->text(), QStringLiteral("Carregando registos..."));
    EXPECT_TRUE(rotulo->isVisible());
    EXPECT_FALSE(vista->isVisible());
    lvw_Visivel(*vista, true);
    EXPECT_TRUE(vista->isVisible());
    EXPECT_FALSE(rotulo->isVisible());
}

} // namespace

// A caption wider than its stated width is not cut: the column grows for it, a width-0 column stays
// hidden, and collecting the widths back keeps the stated width of a column the user did not touch.
TEST(ListaVistaLarguras, TituloLargoAlargaAColunaSemMudarOEsquema) {
    QWidget janela;
    ListaDados dados{QStringLiteral("lvwLista")};
    auto* vista = new ListaVista(&janela);
    (new QVBoxLayout(&janela))->addWidget(vista);
    dados.Cria_lvwLISTA(QStringLiteral("Localizacao,600,,,Localização/Oculta,0,,,Oculta/Lote,3000,,,Lote"));
    dados.lvw_PutValue(dados.lvw_AddLinha(), QStringLiteral("Lote"), QStringLiteral("L1"));
    vista->setLista(&dados);
    janela.show();
    const int titulo = vista->header()->fontMetrics().horizontalAdvance(QStringLiteral("Localização"));
    EXPECT_GT(vista->columnWidth(0), titulo);
    EXPECT_GT(vista->columnWidth(0), vista->twipsParaPixeis(600));
    EXPECT_TRUE(vista->isColumnHidden(1));
    EXPECT_EQ(vista->columnWidth(2), vista->twipsParaPixeis(3000));
    vista->recolherLarguras();
    EXPECT_EQ(dados.larguraTwips(0), 600);
    EXPECT_EQ(dados.larguraTwips(1), 0);
    // What the user resizes is kept.
    vista->setColumnWidth(2, vista->twipsParaPixeis(1500));
    vista->recolherLarguras();
    EXPECT_NEAR(dados.larguraTwips(2), 1500, 15);
}
