#include "shell/SelEmpresaColunas.h"

#include <QStringList>

QList<ColunaLista> lerColunasLista(const QString& descricao) {
    QList<ColunaLista> r;
    const QStringList colunas = descricao.split(u'/', Qt::SkipEmptyParts);
    for (const QString& c : colunas) {
        const QStringList partes = c.split(u',');
        ColunaLista col;
        col.titulo = partes.value(0);
        col.larguraTwips = qMax(0, partes.value(1).trimmed().toInt());
        const QString a = partes.value(2).trimmed().toUpper();
        if (a == QStringLiteral("C") || a == QStringLiteral("D"))
            col.alinhamento = a.at(0);
        r << col;
    }
    return r;
}
