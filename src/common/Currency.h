#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

// An amount beyond what the money type holds (about ±922,337,203,685,477). Thrown by every
// operation whose exact result does not fit, so that no amount ever wraps into a wrong value;
// postings turn it into their value-limit refusal.
class EstouroMontante : public std::overflow_error {
public:
    EstouroMontante() : std::overflow_error("Valor fora dos limites do tipo monetário") {}
};

// Exact amount or quantity: a 64-bit integer counting ten-thousandths.
// Rounding happens only through the named operations; products and quotients
// keep a 128-bit intermediate before they round. A result that does not fit throws EstouroMontante.
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
    constexpr explicit Currency(int inteiro) : m_raw(int64_t(inteiro) * Escala) {}
    static constexpr Currency fromRaw(int64_t raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    static Currency fromInt64(int64_t inteiro) {
        int64_t r = 0;
        if (__builtin_mul_overflow(inteiro, Escala, &r))
            throw EstouroMontante();
        return fromRaw(r);
    }

    // Parses "1234.5", "-0.0001", "+3", "12,5" (comma accepted as decimal mark).
    // More than four decimals are rounded half away from zero. Empty or malformed text, or a value
    // beyond the amount range, gives nullopt.
    static std::optional<Currency> parse(const QString& texto);
    // Same as parse, but malformed text gives 0.
    static Currency fromString(const QString& texto);
    // Database values arrive as integers, exact decimal strings or doubles. A number beyond the
    // amount range throws EstouroMontante; text that is no number gives 0.
    static Currency fromVariant(const QVariant& v);
    // Only for values that come from outside as binary floating point; rounds to four decimals.
    // Values that are not finite or lie beyond the amount range throw EstouroMontante.
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

    Currency rounded(int casas, Arredondamento modo) const;

    // Products and quotients always say how they round to four decimals: there are no * and /
    // operators, so no rounding happens unseen.
    Currency multiply(const Currency& o, Arredondamento modo) const;
    // Division by zero gives zero: callers check the divisor where the business rule needs it.
    Currency divide(const Currency& o, Arredondamento modo) const;

    Currency operator-() const { return fromRaw(verificado(0, m_raw, true)); }
    Currency operator+(const Currency& o) const { return fromRaw(verificado(m_raw, o.m_raw, false)); }
    Currency operator-(const Currency& o) const { return fromRaw(verificado(m_raw, o.m_raw, true)); }
    Currency& operator+=(const Currency& o) {
        m_raw = verificado(m_raw, o.m_raw, false);
        return *this;
    }
    Currency& operator-=(const Currency& o) {
        m_raw = verificado(m_raw, o.m_raw, true);
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;
    constexpr bool operator==(const Currency&) const = default;

    constexpr bool isZero() const { return m_raw == 0; }
    constexpr bool isNegative() const { return m_raw < 0; }
    Currency abs() const { return m_raw < 0 ? -*this : *this; }

private:
    // a + b or a - b; the most negative raw value is kept out too, so that negation and abs
    // never overflow.
    static int64_t verificado(int64_t a, int64_t b, bool subtrair) {
        int64_t r = 0;
        const bool estouro = subtrair ? __builtin_sub_overflow(a, b, &r) : __builtin_add_overflow(a, b, &r);
        if (estouro || r == INT64_MIN)
            throw EstouroMontante();
        return r;
    }

    int64_t m_raw = 0;
};

// Divides a 128-bit value by a divisor with the given rounding; a quotient beyond the amount range
// throws EstouroMontante.
int64_t lumoDividirArredondando(__int128 numerador, __int128 divisor, Currency::Arredondamento modo);
