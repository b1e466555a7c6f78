#include "lookups/ListaDados.h"

#include "support/ScriptedInteraction.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Layout = QStringLiteral("Id,0,,,Id/Código,1800,,,Codigo/Data,1200,C,DATA,Dt/"
                                      "Valor,1500,D,VALOR,Total/Qtd.,1200,D,VALOR_Q,Qtd/");

QStringList coluna(const ListaDados& l, const QString& chave) {
    QStringList r;
    for (int i = 0; i < l.numLinhas(); ++i)
        r << l.lvw_GetValue(i, chave);
    return r;
}

struct ListaDadosTest : ::testing::Test {
    ScriptedInteraction ui;
    ListaDados lista{QStringLiteral("lvwLista")};
    void SetUp() override {
        lista.setUserInteraction(&ui);
        lista.Cria_lvwLISTA(Layout);
    }
    int linha(const QString& id, const QString& codigo, const QDate& d, const QString& total, const QString& qtd) {
        const int l = lista.lvw_AddLinha();
        lista.lvw_PutValue(l, QStringLiteral("Id"), id);
        lista.lvw_PutValue(l, QStringLiteral("Codigo"), codigo);
        lista.lvw_PutValue(l, QStringLiteral("DATA_Dt"), d);
        lista.lvw_PutValue(l, QStringLiteral("VALOR_Total"), Currency::fromString(total));
        lista.lvw_PutValue(l, QStringLiteral("VALORQQtd"), Currency::fromString(qtd));
        return l;
    }
};

TEST_F(ListaDadosTest, ValuesAreShownInPortugueseFormAndReadBack) {
    lista.setCasasDecimais(TipoDadoColuna::ValorQ, 3);
    const int l = linha("77", "P1", QDate(2026, 3, 20), "1234.5", "-1234567.25");
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("DATA_Dt")), QStringLiteral("20-03-2026"));
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("VALOR_Total")), QStringLiteral("1.234,50"));
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("valorqqtd")), QStringLiteral("-1.234.567,250"));
    EXPECT_EQ(lista.valorNumero(l, QStringLiteral("VALORQQtd")), Currency::fromString("-1234567.25"));
    EXPECT_EQ(lista.valorData(l, QStringLiteral("DATA_Dt")), QDate(2026, 3, 20));
    // The hidden column keeps its value.
    EXPECT_TRUE(lista.colunas()[0].oculta());
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("Id")), QStringLiteral("77"));
    EXPECT_FALSE(lista.lvw_GetValue(l, QStringLiteral("VALOR_Total_Especial_Order")).isEmpty());
    EXPECT_TRUE(ui.mensagens.empty());

    // Values from queries arrive as variants: text in SQL date form, doubles, decimal text.
    lista.lvw_PutValue(l, QStringLiteral("DATA_Dt"), QVariant(QStringLiteral("2025-12-01")));
    lista.lvw_PutValue(l, QStringLiteral("VALOR_Total"), QVariant(QStringLiteral("1.234,56")));
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("DATA_Dt")), QStringLiteral("01-12-2025"));
    EXPECT_EQ(lista.valorNumero(l, QStringLiteral("VALOR_Total")), Currency::fromString("1234.56"));
    lista.lvw_PutValue(l, QStringLiteral("VALOR_Total"), QVariant());
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("VALOR_Total")), QString());
    EXPECT_FALSE(lista.valorNumero(l, QStringLiteral("VALOR_Total")).has_value());
}

TEST_F(ListaDadosTest, UnknownKeyIsReported) {
    const int l = lista.lvw_AddLinha();
    EXPECT_FALSE(lista.lvw_PutValue(l, QStringLiteral("Preco"), QStringLiteral("1")));
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, QStringLiteral("Campo não encontrado na Grelha -> Preco"));
    EXPECT_EQ(lista.lvw_GetValue(l, QStringLiteral("Total")), QString()); // without its prefix
    EXPECT_EQ(ui.ultimaMensagem(), QStringLiteral("Campo não encontrado na Grelha -> Total"));
}

TEST_F(ListaDadosTest, NumbersAndDatesSortByValueTextByText) {
    linha("1", "9", QDate(2026, 1, 5), "9", "0.5");
    linha("2", "10", QDate(2025, 12, 31), "10", "-3");
    linha("3", "100", QDate(2026, 1, 1), "-20", "1000");
    linha("4", "Abc", QDate(), "0.01", "2");

    const int cValor = lista.colunaDaChave(QStringLiteral("VALOR_Total"));
    lista.OrdenaLista(cValor);
    EXPECT_EQ(coluna(lista, QStringLiteral("VALOR_Total")),
              (QStringList{"-20,00", "0,01", "9,00", "10,00"}));
    EXPECT_TRUE(lista.tituloColuna(cValor).endsWith(QStringLiteral(" (Asc.)")));
    lista.OrdenaLista(cValor);
    EXPECT_EQ(coluna(lista, QStringLiteral("VALOR_Total")),
              (QStringList{"10,00", "9,00", "0,01", "-20,00"}));
    EXPECT_EQ(lista.tituloColuna(cValor), QStringLiteral("Valor (Des.)"));

    // Quantities sort by value too.
    lista.OrdenaLista(lista.colunaDaChave(QStringLiteral("VALORQQtd")));
    EXPECT_EQ(coluna(lista, QStringLiteral("Id")), (QStringList{"2", "1", "4", "3"}));
    EXPECT_EQ(lista.tituloColuna(cValor), QStringLiteral("Valor")); // marker moved away

    const int cCod = lista.colunaDaChave(QStringLiteral("Codigo"));
    lista.OrdenaLista(cCod);
    EXPECT_EQ(coluna(lista, QStringLiteral("Codigo")), (QStringList{"10", "100", "9", "Abc"}));

    lista.OrdenaLista(lista.colunaDaChave(QStringLiteral("DATA_Dt")));
    EXPECT_EQ(coluna(lista, QStringLiteral("DATA_Dt")),
              (QStringList{"", "31-12-2025", "01-01-2026", "05-01-2026"}));
}

TEST_F(ListaDadosTest, SortKeepsTicksTagsAndCurrentRowWithTheirRows) {
    lista.setComVistos(true);
    linha("1", "B", QDate(), "1", "1");
    linha("2", "A", QDate(), "2", "2");
    linha("3", "C", QDate(), "3", "3");
    lista.setMarcada(0, true);
    lista.setId(0, 501);
    lista.lvw_SelectLinha(0);
    lista.OrdenaLista(lista.colunaDaChave(QStringLiteral("Codigo")));
    const int b = lista.linhaDoId(501);
    ASSERT_EQ(b, 1);
    EXPECT_EQ(lista.lvw_GetValue(b, QStringLiteral("Codigo")), QStringLiteral("B"));
    EXPECT_TRUE(lista.marcada(b));
    EXPECT_FALSE(lista.marcada(0));
    EXPECT_EQ(lista.linhaSeleccionada(), b);
}

TEST_F(ListaDadosTest, TicksCountAllAndInvert) {
    lista.setComVistos(true);
    EXPECT_FALSE(lista.lvw_Ver_Se_Tudo_Select()); // an empty list is not "all ticked"
    for (int i = 0; i < 5; ++i)
        lista.lvw_AddLinha();
    lista.setMarcada(1, true);
    lista.setMarcada(3, true);
    EXPECT_EQ(lista.lvw_ContaRegChecked(), 2);
    lista.lvw_LISTA_Inverte_Check();
    EXPECT_EQ(lista.linhasMarcadas(), (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(lista.Conta_LVW_Registos_Checked(), 3);
    lista.marcarTodas(true);
    EXPECT_TRUE(lista.lvw_Ver_Se_Tudo_Select());
    lista.lvw_LISTA_Inverte_Check();
    EXPECT_EQ(lista.lvw_ContaRegChecked(), 0);
}

TEST_F(ListaDadosTest, DeleteKeepsTheOtherRows) {
    linha("1", "A", QDate(), "1", "1");
    linha("2", "B", QDate(), "2", "2");
    linha("3", "C", QDate(), "3", "3");
    lista.lvw_SelectLinha(2);
    EXPECT_TRUE(lista.lvw_DeleteLinha(1));
    EXPECT_FALSE(lista.lvw_DeleteLinha(5));
    EXPECT_EQ(coluna(lista, QStringLiteral("Codigo")), (QStringList{"A", "C"}));
    EXPECT_EQ(lista.linhaSeleccionada(), 1); // still row "C"
    lista.Cria_lvwLISTA(QStringLiteral("X,100"));
    EXPECT_EQ(lista.numLinhas(), 0);
    EXPECT_EQ(lista.numColunas(), 1);
}

TEST_F(ListaDadosTest, WidthsRestoredOnlyForSavedColumns) {
    QTemporaryDir dir;
    QSettings s(dir.filePath(QStringLiteral("larguras.ini")), QSettings::IniFormat);
    // A list saved when it had two columns …
    ListaDados antiga{QStringLiteral("lvwLista")};
    antiga.Cria_lvwLISTA(QStringLiteral("Id,0,,,Id/Código,1800,,,Codigo/"));
    antiga.setLarguraTwips(1, 2500);
    antiga.guardarLarguras(s, QStringLiteral("frmTeste"));
    EXPECT_FALSE(s.contains(QStringLiteral("frmTeste/lvwLista_1"))); // hidden: nothing to save
    EXPECT_EQ(s.value(QStringLiteral("frmTeste/lvwLista_2")).toInt(), 2500);

    // … restored into the current one with more columns.
    lista.reporLarguras(s, QStringLiteral("frmTeste"));
    EXPECT_EQ(lista.larguraTwips(0), 0);
    EXPECT_EQ(lista.larguraTwips(1), 2500);
    EXPECT_EQ(lista.larguraTwips(2), 1200);
    EXPECT_EQ(lista.larguraTwips(3), 1500);
    // Another form's section does not leak in.
    ListaDados outra{QStringLiteral("lvwLista")};
    outra.Cria_lvwLISTA(Layout);
    outra.reporLarguras(s, QStringLiteral("frmOutro"));
    EXPECT_EQ(outra.larguraTwips(1), 1800);

    lista.lvw_RepoeTamanhoColunas();
    EXPECT_EQ(lista.larguraTwips(1), 1800);
}

TEST(TextoOrdem, NumbersAndDatesCompareAsText) {
    const auto a = textoOrdemNumero(Currency::fromString("-0.0001"));
    const auto b = textoOrdemNumero(Currency());
    const auto c = textoOrdemNumero(Currency::fromString("9"));
    const auto d = textoOrdemNumero(Currency::fromString("10"));
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_LT(c, d);
    EXPECT_LT(textoOrdemData(QDate(2025, 12, 31)), textoOrdemData(QDate(2026, 1, 1)));
}

} // namespace
