#include "common/Arredondamento.h"

#include <gtest/gtest.h>

#include <ostream>

static void PrintTo(const Currency& c, std::ostream* os) { *os << c.toString().toStdString(); }

namespace {
Currency cur(const char* texto) { return Currency::fromString(QString::fromUtf8(texto)); }

struct Caso {
    const char* valor;
    int casas, modo;
    const char* esperado;
};

void verificar(std::initializer_list<Caso> casos) {
    for (const Caso& c : casos)
        EXPECT_EQ(ArredondaValor(cur(c.valor), c.casas, c.modo), cur(c.esperado))
            << c.valor << " a " << c.casas << " casas, modo " << c.modo;
}
} // namespace

TEST(ArredondaValor, CasosDeReferencia) {
    verificar({{"2.5", 0, 1, "3"},     {"1.225", 2, 1, "1.23"}, {"1.231", 2, 3, "1.24"}, {"-1.231", 2, 3, "-1.24"},
               {"1.239", 2, 2, "1.23"}, {"1.2", 2, 1, "1.2"},    {"1.2", 2, 2, "1.2"},    {"1.2", 2, 3, "1.2"},
               {"1.2345", 0, 4, "1.2345"}});
}

TEST(ArredondaValor, Modo1CorrigeAsMetades) {
    // To whole units 0.01 is added to an exact half whatever the sign, so negative halves go towards zero.
    verificar({{"3.5", 0, 1, "4"}, {"-2.5", 0, 1, "-2"}, {"-3.5", 0, 1, "-3"}, {"-0.5", 0, 1, "0"},
               {"2.4999", 0, 1, "2"}, {"-2.51", 0, 1, "-3"}, {"2.45", 0, 1, "2"}});
    // With decimals a last digit 5 moves away from zero: halves no longer go to even (1.24, 2.2, -1.24),
    // and amounts below half stay below.
    verificar({{"1.245", 2, 1, "1.25"}, {"-1.245", 2, 1, "-1.25"}, {"2.25", 1, 1, "2.3"}, {"0.0005", 3, 1, "0.001"},
               {"1.2445", 2, 1, "1.24"}, {"-1.2445", 3, 1, "-1.245"}, {"1.2249", 2, 1, "1.22"}});
}

TEST(ArredondaValor, TruncarAfastarEArgumentosInvulgares) {
    verificar({{"-1.239", 2, 2, "-1.23"}, {"1.9999", 0, 2, "1"}, {"1.2301", 2, 3, "1.24"}, {"-0.0001", 3, 3, "-0.001"},
               {"2.7", -1, 2, "2"}, {"2.7777", 9, 1, "2.7777"}, {"1.239", 2, 0, "1.239"}, {"1.239", 2, 5, "1.239"}});
}

TEST(ValorTexto, SeparadoresELeituraAteOndeHaNumero) {
    const QString v = QStringLiteral(","), p = QStringLiteral(".");
    EXPECT_EQ(ValorTexto(QStringLiteral("1,234.50"), v, p), cur("1234.5"));
    EXPECT_EQ(ValorTexto(QStringLiteral("-1.234.567,8912"), p, v), cur("-1234567.8912"));
    EXPECT_EQ(ValorTexto(QStringLiteral(" 1 234,5 "), p, v), cur("1234.5"));
    EXPECT_EQ(ValorTexto(QStringLiteral("0,12345"), p, v), cur("0.1235"));
    EXPECT_EQ(ValorTexto(QStringLiteral("12kg"), v, p), cur("12"));
    EXPECT_EQ(ValorTexto(QStringLiteral("1.2.3"), v, p), cur("1.2"));
    for (const char* semNumero : {"", "abc", "-", "99999999999999999999"})
        EXPECT_EQ(ValorTexto(QString::fromUtf8(semNumero), v, p), Currency()) << semNumero;
}
