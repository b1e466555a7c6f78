#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>

// Exact amount or quantity: a 64-bit integer counting ten-thousandths.
// Rounding happens only through the named operations; products and quotients
// keep a 128-bit intermediate before they round.
class Currency {
public:
    static constexpr int64_t Escala = 10000;

    enum class Arredondamento {
        MetadeAfastaDeZero, // 2.5 -> 3, -2.5 -> -3
        MetadeParaPar,      // 2.5 -> 2, 3.5 -> 4
        Trunca,             // towards zero
        AfastaDeZero        // any remainder moves away from zero
    };

    constexpr Currency() = default;
    constexpr Currency(int inteiro) : m_raw(int64_t(inteiro) * Escala) {}
    static constexpr Currency fromRaw(int64_t raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static Currency fromInt64(int64_t inteiro) { return fromRaw(inteiro * Escala); }

    // Parses "1234.5", "-0.0001", "+3", "12,5" (comma accepted as decimal mark).
    // More than four decimals are rounded half away from zero. Empty or malformed text, or a value
    // beyond the amount range, gives nullopt.
    static std::optional<Currency> parse(const QString& texto);
    // Same as parse, but malformed text gives 0.
    static Currency fromString(const QString& texto);
    // Database values arrive as integers, exact decimal strings or doubles.
    static Currency fromVariant(const QVariant& v);
    // Only for values that come from outside as binary floating point; rounds to four decimals.
    // Values that are not finite or lie beyond the amount range give 0.
    static Currency fromDouble(double d);

    constexpr int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Escala; }

    // Plain text with "." and exactly four decimals: "-1234.5000".
    QString toString() const;
    // Plain text with the fewest decimals: "1234.5", "3".
    QString toShortString() const;
    // Value bound to SQL statements (an exact decimal text).
    QVariant toVariant() const { return toString(); }

    // Number of significant decimals (0..4).
    int casasDecimais() const;

    Currency rounded(int casas, Arredondamento modo = Arredondamento::MetadeAfastaDeZero) const;

    Currency multiply(const Currency& o, Arredondamento modo = Arredondamento::MetadeAfastaDeZero) const;
    // Division by zero gives zero: callers check the divisor where the business rule needs it.
    Currency divide(const Currency& o, Arredondamento modo = Arredondamento::MetadeAfastaDeZero) const;

    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    constexpr Currency operator+(const Currency& o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(const Currency& o) const { return fromRaw(m_raw - o.m_raw); }
    Currency operator*(const Currency& o) const { return multiply(o); }
    Currency operator/(const Currency& o) const { return divide(o); }
    Currency& operator+=(const Currency& o) {
        m_raw += o.m_raw;
        return *this;
    }
    Currency& operator-=(const Currency& o) {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool operator==(const Currency&) const = default;

    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }
    constexpr Currency abs() const { return fromRaw(m_raw < 0 ? -m_raw : m_raw); }

private:
    int64_t m_raw = 0;
};

// Divides a 128-bit value by a positive divisor with the given rounding.
int64_t lumoDividirArredondando(__int128 numerador, __int128 divisor, Currency::Arredondamento modo);
