#include "production/FormatoQuantidade.h"

#include <QDate>

QString FormatarQuantidade(const Currency& valor, int casas) {
    casas = qBound(0, casas, 4);
    const Currency r = valor.rounded(casas);
    qint64 divisor = 1;
    for (int i = casas; i < 4; ++i)
        divisor *= 10;
    const qint64 absoluto = r.raw() < 0 ? -r.raw() : r.raw();
    QString inteiro = QString::number(absoluto / Currency::Escala);
    for (qsizetype i = inteiro.size() - 3; i > 0; i -= 3)
        inteiro.insert(i, u'.');
    QString texto = (r.isNegative() ? QStringLiteral("-") : QString()) + inteiro;
    if (casas > 0)
        texto += u',' + QStringLiteral("%1").arg((absoluto % Currency::Escala) / divisor, casas, 10, QChar(u'0'));
    return texto;
}

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
