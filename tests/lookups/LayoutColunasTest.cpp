#include "lookups/LayoutColunas.h"

#include "support/DbTest.h"

#include <gtest/gtest.h>

namespace {

TEST(LayoutColunas, FinalSlashIsOptional) {
    const QString com = QStringLiteral("Código,1800/Descrição,3600/Sit.,800,C/Descrição Extra,2000/");
    const QString sem = QStringLiteral("Código,1800/Descrição,3600/Sit.,800,C/Descrição Extra,2000");
    const auto a = interpretarLayout(com);
    const auto b = interpretarLayout(sem);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), 4u);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].titulo, b[i].titulo);
        EXPECT_EQ(a[i].larguraTwips, b[i].larguraTwips);
        EXPECT_EQ(a[i].alinhamento, b[i].alinhamento);
    }
    EXPECT_EQ(a[3].titulo, QStringLiteral("Descrição Extra"));
    EXPECT_EQ(a[2].alinhamento, AlinhamentoColuna::Centro);
    EXPECT_EQ(a[1].alinhamento, AlinhamentoColuna::Esquerda);
}

TEST(LayoutColunas, TypesGiveKeysWithTheirPrefix) {
    const auto c = interpretarLayout(QStringLiteral(
        "Ordem,0,,,Ordem/Data,1200,c,data,Data/Valor,1500,d,VALOR,Total/Qtd.,1000,D,VALOR_Q,Qtd/Preço,1000,D,VALOR_P,Pr/"
        "Val. Câmbio,1500,D,Valor/"));
    ASSERT_EQ(c.size(), 6u);
    EXPECT_TRUE(c[0].oculta());
    EXPECT_EQ(c[0].chave, QStringLiteral("Ordem"));
    EXPECT_EQ(c[1].tipo, TipoDadoColuna::Data);
    EXPECT_EQ(c[1].alinhamento, AlinhamentoColuna::Centro); // lower-case letter accepted
    EXPECT_EQ(c[1].chave, QStringLiteral("DATA_Data"));
    EXPECT_EQ(c[2].chave, QStringLiteral("VALOR_Total"));
    EXPECT_EQ(c[2].alinhamento, AlinhamentoColuna::Direita);
    EXPECT_EQ(c[3].chave, QStringLiteral("VALORQQtd"));
    EXPECT_EQ(c[4].chave, QStringLiteral("VALORPPr"));
    EXPECT_EQ(c[4].chaveOrdem(), QStringLiteral("VALORPPr_Especial_Order"));
    // A type without a key still makes a number column.
    EXPECT_EQ(c[5].tipo, TipoDadoColuna::Valor);
    EXPECT_FALSE(c[5].oculta());
}

TEST(LayoutColunas, StrayAndExcessDeclarations) {
    EXPECT_TRUE(interpretarLayout(QString()).empty());
    EXPECT_EQ(interpretarLayout(QStringLiteral("A,100//B,200/")).size(), 2u);
    // A width that is no number hides nothing by accident: it reads as 0 (hidden), like an empty one.
    EXPECT_TRUE(interpretarLayout(QStringLiteral("A,xx/"))[0].oculta());
    QString muitas;
    for (int i = 0; i < 130; ++i)
        muitas += QStringLiteral("C%1,100/").arg(i);
    EXPECT_EQ(interpretarLayout(muitas).size(), size_t(MaxColunasLayout));
}

TEST(LayoutColunas, WrittenLayoutReadsBackTheSame) {
    const auto c = interpretarLayout(QStringLiteral("Ordem,0,,,Ordem/Data,1200,C,DATA,Dt/Total,1500,D,VALOR_P,T/"));
    const auto d = interpretarLayout(escreverLayout(c));
    ASSERT_EQ(d.size(), c.size());
    for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_EQ(d[i].chave, c[i].chave);
        EXPECT_EQ(d[i].larguraTwips, c[i].larguraTwips);
        EXPECT_EQ(d[i].alinhamento, c[i].alinhamento);
    }
}

class ListaParaLVWTest : public DbTest {};

TEST_P(ListaParaLVWTest, LayoutFromQueryFields) {
    ASSERT_TRUE(db->exec(QStringLiteral("CREATE TABLE TesteLVW (NumRegisto INTEGER, Codigo VARCHAR(15), "
                                        "Nota VARCHAR(250), Preco NUMERIC(19,4))")));
    const QString layout = Cria_ListaParaLVW(*db, QStringLiteral("SELECT NumRegisto, Codigo, Nota, Preco FROM TesteLVW"));
    const auto c = interpretarLayout(layout);
    ASSERT_EQ(c.size(), 4u) << layout.toStdString();
    EXPECT_TRUE(c[0].oculta());
    EXPECT_EQ(c[1].chave.toLower(), QStringLiteral("codigo"));
    EXPECT_GE(c[1].larguraTwips, 1000);
    EXPECT_FALSE(c[2].oculta());
    EXPECT_LE(c[2].larguraTwips, 20000); // long texts are narrowed rather than filling the screen
    EXPECT_TRUE(Cria_ListaParaLVW(*db, QStringLiteral("SELECT x FROM TabelaQueNaoExiste")).isEmpty());
}

LUMO_INSTANCIAR_MOTORES(ListaParaLVWTest);

} // namespace
