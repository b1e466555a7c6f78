#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One column of a list declared by a column description: "Caption,width[,alignment]/" per column,
// width in twips (0 hides the column), alignment "C" centre or "D" right (left otherwise).
struct ColunaLista {
    QString titulo;
    int larguraTwips = 0;
    QChar alinhamento = u'E';
    bool visivel() const { return larguraTwips > 0; }
};

QList<ColunaLista> lerColunasLista(const QString& descricao);
