#include "controls/FormatoNumero.h"

#include <QRegularExpression>
#include <algorithm>

QString formatarNumeroPT(const Currency& valor, int casas, bool sepMilhares, const QString& separadorDecimal,
                         const QString& separadorMilhares) {
    casas = std::clamp(casas, 0, 4);
    const Currency r = valor.rounded(casas, Currency::Arredondamento::MetadeAfastaDeZero);
    const int64_t raw = r.raw();
    const uint64_t absoluto = raw < 0 ? uint64_t(-(raw + 1)) + 1 : uint64_t(raw);
    const uint64_t inteiro = absoluto / Currency::Escala;
    const uint64_t fraccao = absoluto % Currency::Escala;

    QString digitos = QString::number(inteiro);
    if (sepMilhares) {
        for (int p = digitos.size() - 3; p > 0; p -= 3)
            digitos.insert(p, separadorMilhares);
    }
    QString texto = digitos;
    if (casas > 0) {
        const QString f = QStringLiteral("%1").arg(fraccao, 4, 10, QLatin1Char('0')).left(casas);
        texto += separadorDecimal + f;
    }
    if (raw < 0)
        texto.prepend(QLatin1Char('-'));
    return texto;
}

std::optional<Currency> lerNumeroPT(const QString& textoOriginal) {
    QString t = textoOriginal.trimmed();
    t.remove(QLatin1Char(' '));
    if (t.isEmpty())
        return std::nullopt;
    if (t.contains(QLatin1Char(','))) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!numero.match(t).hasMatch())
        return std::nullopt;
    return Currency::parse(t);
}
