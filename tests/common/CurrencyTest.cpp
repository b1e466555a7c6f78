#include "common/Currency.h"

#include <gtest/gtest.h>
#include <type_traits>

#include <limits>
#include <ostream>

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
static void PrintTo(const Currency& c, std::ostream* os) { *os << c.toString().toStdString(); }

namespace {
QString lido(const char* texto) {
    const auto c = Currency::parse(QString::fromUtf8(texto));
    return c ? c->toString() : QStringLiteral("<recusado>");
}
Currency cur(const char* texto) { return Currency::fromString(QString::fromUtf8(texto)); }
} // namespace

TEST(Currency, LeituraEEscritaExactas) {
    const std::pair<const char*, const char*> casos[] = {
        {"1234.5", "1234.5000"}, {"-0.0001", "-0.0001"}, {"+3", "3.0000"},       {"12,5", "12.5000"},
        {".5", "0.5000"},        {"1.23455", "1.2346"},  {"-1.23455", "-1.2346"}, {"1.234549", "1.2345"},
        {"9.99995", "10.0000"},  {"-0.00004", "0.0000"}, {"", "<recusado>"},     {"-", "<recusado>"},
        {"1.2.3", "<recusado>"}, {"1 000", "<recusado>"}, {"--1", "<recusado>"}, {"1e3", "<recusado>"}};
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(lido(texto), esperado) << texto;
    EXPECT_EQ(cur("-1234.5").toShortString(), "-1234.5");
    EXPECT_EQ(cur("-10").toShortString(), "-10");
    EXPECT_EQ(cur("0").toShortString(), "0");
}

TEST(Currency, LimitesDoInteiroDe64Bits) {
    EXPECT_EQ(Currency::parse(QStringLiteral("922337203685477.5807"))->raw(), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(lido("-922337203685477.5807"), "-922337203685477.5807");
    EXPECT_EQ(Currency::fromRaw(std::numeric_limits<int64_t>::min()).toString(), "-922337203685477.5808");
    // One step past the top, by the fraction or by rounding the fifth decimal, must not wrap around.
    for (const char* t : {"922337203685477.5808", "922337203685477.58075", "-922337203685477.5809", "99999999999999999999"})
        EXPECT_EQ(lido(t), "<recusado>") << t;
}

TEST(Currency, MultiplicarEDividirPeloModoPedido) {
    using A = Currency::Arredondamento;
    // 0.0005 * 0.5 = 0.00025: exactly half of the last decimal, on both signs.
    const std::pair<A, const char*> modos[] = {
        {A::MetadeAfastaDeZero, "0.0003"}, {A::MetadeParaPar, "0.0002"}, {A::Trunca, "0.0002"}, {A::AfastaDeZero, "0.0003"}};
    for (const auto& [modo, esperado] : modos) {
        EXPECT_EQ(cur("0.0005").multiply(cur("0.5"), modo), cur(esperado));
        EXPECT_EQ(cur("-0.0005").multiply(cur("0.5"), modo), -cur(esperado));
        EXPECT_EQ(cur("123.45").divide(Currency(), modo), Currency());
    }
    EXPECT_EQ(cur("0.0015").multiply(cur("0.5"), A::MetadeParaPar), cur("0.0008"));
    EXPECT_EQ(cur("-2").divide(cur("3"), A::MetadeAfastaDeZero), cur("-0.6667"));
    EXPECT_EQ(cur("2").divide(cur("-3"), A::Trunca), cur("-0.6666"));
    EXPECT_EQ(cur("1").divide(cur("3"), A::AfastaDeZero), cur("0.3334"));
    // Intermediates past 64 bits.
    EXPECT_EQ(cur("500000000000").multiply(cur("1.5"), A::MetadeAfastaDeZero), cur("750000000000"));
    EXPECT_EQ(cur("900000000000").divide(cur("0.5"), A::MetadeAfastaDeZero), cur("1800000000000"));
}

// No rounding happens unseen: an integer does not become an amount by itself, and products and
// quotients go through multiply/divide with their rounding named.
template <class T>
concept Multiplicavel = requires(T a) { a * a; };
template <class T>
concept Divisivel = requires(T a) { a / a; };
static_assert(!std::is_convertible_v<int, Currency>);
static_assert(!Multiplicavel<Currency> && !Divisivel<Currency>);

TEST(Currency, ValoresVindosDaBaseDeDados) {
    EXPECT_EQ(Currency::fromVariant(QVariant(QStringLiteral("1234.5000"))), cur("1234.5"));
    EXPECT_EQ(Currency::fromVariant(QVariant(qlonglong(7))), cur("7"));
    EXPECT_EQ(Currency::fromVariant(QVariant(0.1 + 0.2)), cur("0.3"));
    EXPECT_EQ(Currency::fromVariant(QVariant(123456789012.3456)), cur("123456789012.3456"));
    EXPECT_EQ(Currency::fromVariant(QVariant(QStringLiteral("1.0e-04"))), cur("0.0001"));
    EXPECT_EQ(Currency::fromVariant(QVariant(QMetaType(QMetaType::Double))), Currency());
    // Beyond the range is no amount: never read as 0.
    EXPECT_THROW(Currency::fromDouble(1e300), EstouroMontante);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), EstouroMontante);
}

TEST(Currency, OperacoesQueNaoCabemLancamEstouroEmVezDeDarVolta) {
    const Currency maximo = Currency::fromRaw(std::numeric_limits<int64_t>::max());
    const Currency grande = cur("42949672.96");
    EXPECT_THROW(grande.multiply(grande, Currency::Arredondamento::MetadeAfastaDeZero), EstouroMontante);
    EXPECT_THROW(cur("922337203685477").multiply(Currency(2), Currency::Arredondamento::Trunca), EstouroMontante);
    EXPECT_THROW(maximo + Currency::fromRaw(1), EstouroMontante);
    EXPECT_THROW(-maximo - Currency::fromRaw(1), EstouroMontante) << "the most negative raw value is kept out";
    EXPECT_THROW(-maximo - Currency(1), EstouroMontante);
    Currency soma = maximo;
    EXPECT_THROW(soma += Currency::fromRaw(1), EstouroMontante);
    EXPECT_EQ(soma, maximo) << "a refused addition leaves the value as it was";
    Currency resto = -maximo;
    EXPECT_THROW(resto -= Currency(1), EstouroMontante);
    EXPECT_THROW(maximo.divide(cur("0.5"), Currency::Arredondamento::MetadeAfastaDeZero), EstouroMontante);
    EXPECT_THROW(maximo.rounded(0, Currency::Arredondamento::MetadeAfastaDeZero), EstouroMontante) << "rounding up past the last amount";
    EXPECT_THROW(Currency::fromInt64(std::numeric_limits<int64_t>::max() / 1000), EstouroMontante);
    EXPECT_THROW(Currency::fromDouble(1e308), EstouroMontante);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::infinity()), EstouroMontante);
    EXPECT_THROW(Currency::fromVariant(QVariant(QStringLiteral("1844674407370955.1616"))), EstouroMontante);
    EXPECT_THROW(Currency::fromVariant(QVariant(1e19)), EstouroMontante);
    // What fits stays exact up to the edge.
    EXPECT_EQ((maximo - Currency::fromRaw(1)) + Currency::fromRaw(1), maximo);
    EXPECT_EQ(cur("922337203685477").multiply(Currency(1), Currency::Arredondamento::MetadeAfastaDeZero).toString(), "922337203685477.0000");
    EXPECT_EQ((-maximo).abs(), maximo);
    EXPECT_EQ(Currency::fromVariant(QVariant(QStringLiteral("abc"))), Currency()) << "text that is no number";
}
