#pragma once

#include <QString>
#include <QVariantList>

// Extra conditions (and joins) a caller adds to a lookup's query. The SQL text comes only from
// code; every value travels bound ("?"), so nothing the user typed is ever spliced into SQL.
struct FiltroSQL {
    QString juncao;    // joins placed after the main table, e.g. " INNER JOIN Produtos ON ..."
    QString condicoes; // " and (...)" terms, each with its own "?"
    QVariantList valores;

    // Appends " and (condicao)" with its bound values.
    FiltroSQL& e(const QString& condicao, const QVariantList& vals = {}) {
        condicoes += QStringLiteral(" and (") + condicao + QStringLiteral(")");
        valores += vals;
        return *this;
    }
    // Appends a ready-made term (it must begin with " and " / " or "), as the situations filter.
    FiltroSQL& juntar(const FiltroSQL& outro) {
        juncao += outro.juncao;
        condicoes += outro.condicoes;
        valores += outro.valores;
        return *this;
    }
    bool vazio() const { return juncao.isEmpty() && condicoes.isEmpty(); }
};
