#include "common/Currency.h"

#include <cmath>
#include <limits>

int64_t lumoDividirArredondando(__int128 num, __int128 div, Currency::Arredondamento modo) {
    if (div == 0)
        return 0;
    if (div < 0) {
        num = -num;
        div = -div;
    }
    const bool negativo = num < 0;
    const __int128 absNum = negativo ? -num : num;
    __int128 q = absNum / div;
    const __int128 r = absNum % div;
    switch (modo) {
    case Currency::Arredondamento::MetadeAfastaDeZero:
        if (r * 2 >= div)
            ++q;
        break;
    case Currency::Arredondamento::MetadeParaPar:
        if (r * 2 > div || (r * 2 == div && (q % 2) == 1))
            ++q;
        break;
    case Currency::Arredondamento::Trunca:
        break;
    case Currency::Arredondamento::AfastaDeZero:
        if (r != 0)
            ++q;
        break;
    }
    if (q > std::numeric_limits<int64_t>::max())
        throw EstouroMontante();
    return int64_t(negativo ? -q : q);
}

std::optional<Currency> Currency::parse(const QString& textoOriginal) {
    const QString texto = textoOriginal.trimmed();
    if (texto.isEmpty())
        return std::nullopt;
    int i = 0;
    bool negativo = false;
    if (texto[0] == u'-' || texto[0] == u'+') {
        negativo = texto[0] == u'-';
        i = 1;
    }
    __int128 inteiro = 0;
    __int128 fraccao = 0;
    int casas = 0;
    bool temDigitos = false;
    bool emFraccao = false;
    int digitoSeguinte = -1; // fifth decimal, for rounding
    for (; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c.isDigit() && c.unicode() < 128) {
            const int d = c.unicode() - '0';
            temDigitos = true;
            if (!emFraccao) {
                inteiro = inteiro * 10 + d;
                if (inteiro > std::numeric_limits<int64_t>::max() / Escala)
                    return std::nullopt;
            } else if (casas < 4) {
                fraccao = fraccao * 10 + d;
                ++casas;
            } else if (digitoSeguinte < 0) {
                digitoSeguinte = d;
            }
        } else if ((c == u'.' || c == u',') && !emFraccao) {
            emFraccao = true;
        } else {
            return std::nullopt;
        }
    }
    if (!temDigitos)
        return std::nullopt;
    while (casas < 4) {
        fraccao *= 10;
        ++casas;
    }
    __int128 valor = inteiro * Escala + fraccao;
    if (digitoSeguinte >= 5)
        ++valor;
    // The integer check above lets the fraction or its rounding carry past the last amount.
    if (valor > std::numeric_limits<int64_t>::max())
        return std::nullopt;
    return fromRaw(int64_t(negativo ? -valor : valor));
}

Currency Currency::fromString(const QString& texto) { return parse(texto).value_or(Currency()); }

Currency Currency::fromDouble(double d) {
    const double escalado = d * double(Escala);
    // Beyond the range llround has no defined result; such a value cannot be an amount.
    if (!std::isfinite(escalado) || std::fabs(escalado) >= 9.2e18)
        throw EstouroMontante();
    return fromRaw(int64_t(std::llround(escalado)));
}

Currency Currency::fromVariant(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return Currency();
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return fromInt64(v.toLongLong());
    case QMetaType::Bool:
        return Currency(v.toBool() ? 1 : 0);
    case QMetaType::Double:
    case QMetaType::Float:
        // Rounding the scaled value is exact wherever a double can hold four decimals (below about
        // 4e11); a detour through 15 significant digits would lose decimals from 1e11 up.
        return fromDouble(v.toDouble());
    default:
        break;
    }
    const QString t = v.toString();
    if (auto c = parse(t))
        return *c;
    // Scientific notation from SQLite text conversion, e.g. "1.0e-04"; digits beyond the range.
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok ? fromDouble(d) : Currency();
}

QString Currency::toString() const {
    const bool negativo = m_raw < 0;
    const unsigned long long a = negativo ? 0ULL - (unsigned long long)m_raw : (unsigned long long)m_raw;
    QString s = QString::number(a / Escala) + u'.' + QString::number(a % Escala).rightJustified(4, u'0');
    return negativo ? u'-' + s : s;
}

QString Currency::toShortString() const {
    QString s = toString();
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
    return s;
}

int Currency::casasDecimais() const {
    int64_t f = m_raw % Escala;
    if (f == 0)
        return 0;
    int casas = 4;
    while (f % 10 == 0) {
        f /= 10;
        --casas;
    }
    return casas;
}

Currency Currency::rounded(int casas, Arredondamento modo) const {
    if (casas >= 4)
        return *this;
    if (casas < 0)
        casas = 0;
    int64_t passo = 1;
    for (int i = casas; i < 4; ++i)
        passo *= 10;
    int64_t r = 0;
    if (__builtin_mul_overflow(lumoDividirArredondando(m_raw, passo, modo), passo, &r) || r == INT64_MIN)
        throw EstouroMontante();
    return fromRaw(r);
}

Currency Currency::multiply(const Currency& o, Arredondamento modo) const {
    return fromRaw(lumoDividirArredondando(__int128(m_raw) * o.m_raw, Escala, modo));
}

Currency Currency::divide(const Currency& o, Arredondamento modo) const {
    if (o.m_raw == 0)
        return Currency();
    return fromRaw(lumoDividirArredondando(__int128(m_raw) * Escala, o.m_raw, modo));
}
