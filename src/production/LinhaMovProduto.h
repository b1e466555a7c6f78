#pragma once

#include "common/Currency.h"
#include "shell/SchemaDef.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

// One stock-ledger row before it is written: any column of MovProduto by name.
// Columns not given are written as "" or 0.
class LinhaMovProduto {
public:
    // False when the name is not a column of MovProduto.
    bool definir(const QString& coluna, const QVariant& valor);
    bool definir(const QString& coluna, const Currency& valor) { return definir(coluna, valor.toVariant()); }
    bool definir(const QString& coluna, const char* valor) { return definir(coluna, QString::fromUtf8(valor)); }
    bool tem(const QString& coluna) const { return m_valores.contains(coluna.toLower()); }

    QVariant valor(const QString& coluna) const { return m_valores.value(coluna.toLower()); }
    QString texto(const QString& coluna) const { return valor(coluna).toString(); }
    Currency montante(const QString& coluna) const { return Currency::fromVariant(valor(coluna)); }

    // The columns the insert binds, in their order (the first 127 columns of MovProduto).
    static const std::vector<ColunaDef>& colunasInsercao();
    static const ColunaDef* coluna(const QString& nome);

private:
    QHash<QString, QVariant> m_valores; // keys in small letters
};
