#include "production/FormatoQuantidade.h"

#include <QDate>

QString DataVisivel(const QString& iso) {
    const QDate d = QDate::fromString(iso.trimmed(), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? d.toString(QStringLiteral("dd-MM-yyyy")) : iso.trimmed();
}

QString DataParaGravar(const QString& texto) {
    const QString t = texto.trimmed();
    for (const char* formato : {"dd-MM-yyyy", "dd/MM/yyyy", "ddMMyyyy", "yyyy-MM-dd", "d-M-yyyy", "d/M/yyyy"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(formato));
        if (d.isValid())
            return d.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return {};
}
