#include "controls/InteiroEdicao.h"

#include <algorithm>
#include <limits>

qint64 InteiroEdicao::limitado(qint64 v) const {
    const qint64 lo = std::min(minimo, maximo), hi = std::max(minimo, maximo);
    return std::clamp(v, lo, hi);
}

bool InteiroEdicao::definir(qint64 v) {
    const qint64 n = limitado(v);
    if (n == valor)
        return false;
    valor = n;
    return true;
}

bool InteiroEdicao::definirTexto(const QString& texto) {
    const QString t = texto.trimmed();
    bool ok = false;
    qint64 v = t.toLongLong(&ok);
    if (!ok) {
        // Digits beyond the integer range are a value above any bound.
        bool soDigitos = !t.isEmpty();
        for (int i = 0; i < t.size(); ++i)
            if (!(t[i].isDigit() || (i == 0 && t[i] == QLatin1Char('-'))))
                soDigitos = false;
        if (soDigitos && t.size() > 1)
            v = t.startsWith(QLatin1Char('-')) ? std::numeric_limits<qint64>::min()
                                               : std::numeric_limits<qint64>::max();
        else
            v = 0;
    }
    return definir(v);
}

bool InteiroEdicao::subir() {
    if (valor >= maximo)
        return false;
    return definir(valor + 1);
}

bool InteiroEdicao::descer() {
    if (valor <= minimo)
        return false;
    return definir(valor - 1);
}
