#include "common/Arredondamento.h"

namespace {

int64_t potencia10(int n) {
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

Currency ArredondaValor(Currency valor, int casas, int modo) {
    if (casas < 0)
        casas = 0;
    const int casasValor = valor.casasDecimais();
    if (casasValor <= casas)
        return valor;

    switch (modo) {
    case 1: {
        Currency corrigido = valor;
        const int64_t absRaw = valor.raw() < 0 ? -valor.raw() : valor.raw();
        if (casas == 0) {
            if (absRaw % Currency::Escala == Currency::Escala / 2)
                corrigido += Currency::fromRaw(Currency::Escala / 100);
        } else {
            const int64_t ultimoDigito = (absRaw / potencia10(4 - casasValor)) % 10;
            if (ultimoDigito == 5)
                corrigido += Currency::fromRaw(valor.isNegative() ? -1 : 1);
        }
        return corrigido.rounded(casas, Currency::Arredondamento::MetadeParaPar);
    }
    case 2:
        return valor.rounded(casas, Currency::Arredondamento::Trunca);
    case 3:
        return valor.rounded(casas, Currency::Arredondamento::AfastaDeZero);
    default:
        return valor;
    }
}

Currency ValorTexto(const QString& texto, const QString& separadorMilhares, const QString& separadorDecimal) {
    const QString origem = texto.trimmed();
    const QChar milhares = separadorMilhares.isEmpty() ? QChar() : separadorMilhares.at(0);
    const QChar decimal = separadorDecimal.isEmpty() ? QChar() : separadorDecimal.at(0);

    QString limpo;
    limpo.reserve(origem.size());
    for (const QChar c : origem) {
        if (!separadorMilhares.isEmpty() && c == milhares)
            continue;
        limpo += (!separadorDecimal.isEmpty() && c == decimal) ? QChar(u'.') : c;
    }

    // The longest leading part that reads as a number: sign, digits, one ".", digits.
    QString numero;
    bool temSinal = false, temPonto = false, temDigitos = false;
    for (const QChar c : limpo) {
        if (c == u' ' || c == u'\t')
            continue;
        if ((c == u'-' || c == u'+') && !temSinal && !temDigitos && !temPonto) {
            temSinal = true;
        } else if (c == u'.' && !temPonto) {
            temPonto = true;
        } else if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            temDigitos = true;
        } else {
            break;
        }
        numero += c;
    }
    if (!temDigitos)
        return Currency();
    return Currency::parse(numero).value_or(Currency());
}
