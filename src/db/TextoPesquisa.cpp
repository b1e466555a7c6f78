#include "db/TextoPesquisa.h"

QString semAcentos(const QString& texto) {
    const QString d = texto.normalized(QString::NormalizationForm_D);
    QString r;
    r.reserve(d.size());
    for (const QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing)
            r += c;
    return r;
}
