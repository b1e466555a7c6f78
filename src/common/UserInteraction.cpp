#include "common/UserInteraction.h"

QString tituloEspacado(const QString& titulo) {
    QString r;
    for (const QChar c : titulo) {
        if (c == u' ')
            continue;
        if (!r.isEmpty())
            r += u' ';
        r += c;
    }
    return r;
}
