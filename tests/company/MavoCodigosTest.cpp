#include "company/GlobalContext.h"
#include "company/Mavo.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

TEST(MavoCodigos, ZeraSoComOInterruptorEmUm) {
    GlobalContext ctx;
    Mavo mavo(ctx);
    EXPECT_EQ(mavo.Zerar_Produto_str(QStringLiteral("12")), "12");
    ctx.zerarproduto = ctx.zerarclientes = ctx.zerarfornece = 1;
    EXPECT_EQ(mavo.Zerar_Produto_str(QStringLiteral("12")), "000000000000012");
    EXPECT_EQ(mavo.Zerar_Cliente_str(QStringLiteral(" 12 ")), "0000000012");
    EXPECT_EQ(mavo.Zerar_Fornece_str(QStringLiteral("A7")), "00000000A7");
    EXPECT_EQ(mavo.Zerar_Cliente_str(QStringLiteral("12345678901")), "12345678901");
    EXPECT_EQ(mavo.Zerar_Produto_str(QStringLiteral("   ")), "   ");
    ctx.zerarproduto = 2;
    EXPECT_EQ(mavo.Zerar_Produto_str(QStringLiteral("12")), "12");
}

TEST(MavoCodigos, TirarCaracteres) {
    EXPECT_EQ(Mavo::Tirar_Espacos_str(QStringLiteral(" a b  c ")), "abc");
    EXPECT_EQ(Mavo::Tirar_Espacos_str(QStringLiteral("1.234.567"), QStringLiteral(".")), "1234567");
    EXPECT_EQ(Mavo::Tirar_Zeros_Esquerda_str_(QStringLiteral("000120")), "120");
    EXPECT_EQ(Mavo::Tirar_Zeros_Esquerda_str_(QStringLiteral("0000")), "");
    EXPECT_EQ(Mavo::Tirar_Zeros_Esquerda_str_(QStringLiteral("**7*"), QStringLiteral("*")), "7*");
    EXPECT_EQ(Mavo::Tirar_Zeros_Esquerda_str_(QStringLiteral("007"), QString()), "007"); // no endless loop
}
