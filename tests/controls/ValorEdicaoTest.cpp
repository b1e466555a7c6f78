#include "controls/FormatoNumero.h"
#include "controls/ValorEdicao.h"

#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

namespace {

using Tecla = ValorEdicao::Tecla;

TEST(ValorEdicao, ShowsPortugueseFormWithItsDecimals) {
    ValorEdicao v;
    v.decimais = 2;
    ASSERT_TRUE(v.textoAlterado(QStringLiteral("1234.5")));
    v.concluir();
    EXPECT_EQ(v.textoFormatado(), QStringLiteral("1.234,50"));
    EXPECT_EQ(v.textoEdicao(), QStringLiteral("1234.5"));

    v.decimais = 0;
    v.textoAlterado(QStringLiteral("1234567"));
    EXPECT_EQ(v.textoFormatado(), QStringLiteral("1.234.567"));
    v.sepMilhares = false;
    v.decimais = 3;
    v.textoAlterado(QStringLiteral("-1234.5"));
    EXPECT_EQ(v.textoFormatado(), QStringLiteral("-1234,500"));
}

TEST(ValorEdicao, KeptValueIsTheShownOne) {
    ValorEdicao v;
    v.decimais = 2;
    v.textoAlterado(QStringLiteral("2.345"));
    v.concluir();
    EXPECT_EQ(v.valor(), Currency::fromString("2.35"));
    EXPECT_EQ(v.textoFormatado(), QStringLiteral("2,35"));
}

TEST(ValorEdicao, TooLargeResetsToZeroWithTheMessage) {
    ScriptedInteraction ui;
    ValorEdicao v(&ui);
    ASSERT_TRUE(v.textoAlterado(QStringLiteral("922337203685476")));
    EXPECT_EQ(v.valor(), Currency::fromInt64(922337203685476));
    EXPECT_FALSE(v.textoAlterado(QStringLiteral("922337203685477")));
    EXPECT_TRUE(v.valor().isZero());
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].texto, QStringLiteral("Número demasiado Grande !\no Máximo é 922,337,203,685,477.00"));
    EXPECT_FALSE(v.textoAlterado(QStringLiteral("-99999999999999999999")));
    EXPECT_EQ(ui.mensagens.size(), 2u);
    // Leading zeros are no magnitude.
    EXPECT_TRUE(v.textoAlterado(QStringLiteral("0000000000000000012.5")));
    EXPECT_EQ(v.valor(), Currency::fromString("12.5"));
}

TEST(ValorEdicao, KeyFilter) {
    ValorEdicao v;
    v.comprimento = 4;
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('5'), QStringLiteral("12"), 2, 0), Tecla::Aceite);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('a'), QStringLiteral("12"), 2, 0), Tecla::Recusada);
    EXPECT_EQ(v.filtrarTecla(QChar(13), QStringLiteral("12"), 2, 0), Tecla::Enter);
    EXPECT_EQ(v.filtrarTecla(QChar(8), QStringLiteral("12"), 2, 0), Tecla::Aceite);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('-'), QString(), 0, 0), Tecla::Aceite);
    // Four integer digits: only the decimal mark goes in …
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('7'), QStringLiteral("1234"), 4, 0), Tecla::Recusada);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('.'), QStringLiteral("1234"), 4, 0), Tecla::Aceite);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('7'), QStringLiteral("1234.5"), 6, 0), Tecla::Aceite);
    // … unless the digits are selected and the key replaces them.
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('7'), QStringLiteral("1234"), 0, 4), Tecla::Aceite);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('7'), QStringLiteral("-123"), 4, 0), Tecla::Aceite);
    // One decimal mark only; the keypad "," counts as one.
    EXPECT_EQ(v.filtrarTecla(QLatin1Char('.'), QStringLiteral("1.5"), 3, 0), Tecla::Recusada);
    EXPECT_EQ(v.filtrarTecla(QLatin1Char(','), QStringLiteral("15"), 2, 0), Tecla::Aceite);
    EXPECT_EQ(ValorEdicao::caracterInserido(QLatin1Char(',')), QLatin1Char('.'));
}

TEST(FormatoNumero, ReadsEitherForm) {
    EXPECT_EQ(lerNumeroPT(QStringLiteral("1.234,56")), Currency::fromString("1234.56"));
    EXPECT_EQ(lerNumeroPT(QStringLiteral("1234.56")), Currency::fromString("1234.56"));
    EXPECT_EQ(lerNumeroPT(QStringLiteral("-0,5")), Currency::fromString("-0.5"));
    EXPECT_FALSE(lerNumeroPT(QStringLiteral("12a")).has_value());
    EXPECT_FALSE(lerNumeroPT(QString()).has_value());
    EXPECT_EQ(formatarNumeroPT(Currency::fromString("-0.005"), 2), QStringLiteral("-0,01"));
    EXPECT_EQ(formatarNumeroPT(Currency::fromString("999.995"), 2), QStringLiteral("1.000,00"));
}

} // namespace
