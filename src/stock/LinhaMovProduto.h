#pragma once

#include "common/Currency.h"
#include "db/esquema/EsquemaDef.h"

#include <QString>
#include <QVariant>
#include <vector>

// One stock-ledger row before it is written: any column of MovProduto by name.
// Columns not given are written as "" or 0.
class LinhaMovProduto {
public:
    LinhaMovProduto();

    // False when the name is not a column of MovProduto.
    bool definir(const QString& coluna, const QVariant& valor);
    bool definir(const QString& coluna, const Currency& valor) { return definir(coluna, valor.toVariant()); }
    bool definir(const QString& coluna, const char* valor) { return definir(coluna, QString::fromUtf8(valor)); }
    bool tem(const QString& coluna) const;

    QVariant valor(const QString& coluna) const;
    QString texto(const QString& coluna) const { return valor(coluna).toString(); }
    Currency montante(const QString& coluna) const { return Currency::fromVariant(valor(coluna)); }

    // By position in the table's column list (the insert columns come first).
    bool tem(size_t i) const { return m_dado[i]; }
    const QVariant& valor(size_t i) const { return m_valores[i]; }

    // The columns the insert binds, in their order (the first 127 columns of MovProduto).
    static const std::vector<ColunaDef>& colunasInsercao();
    static const ColunaDef* coluna(const QString& nome);
    // Position of a column in the table; -1 when it is not one.
    static int posicao(const QString& nome);

private:
    std::vector<QVariant> m_valores;
    std::vector<bool> m_dado;
};
