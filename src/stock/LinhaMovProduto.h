#pragma once

#include "common/Currency.h"
#include "db/esquema/ColunasMovProduto.h"
#include "db/esquema/EsquemaDef.h"

#include <QString>
#include <QVariant>
#include <cstddef>
#include <vector>

// One stock-ledger row before it is written: any column of MovProduto.
// Columns not given are written as "" or 0.
class LinhaMovProduto {
public:
    LinhaMovProduto();

    // By the column's constant (ColMovProduto::...): a misspelt name does not compile.
    void definir(ColunaMovProduto coluna, const QVariant& valor) {
        m_valores[size_t(coluna.posicao)] = valor;
        m_dado[size_t(coluna.posicao)] = true;
    }
    void definir(ColunaMovProduto coluna, const Currency& valor) { definir(coluna, valor.toVariant()); }
    void definir(ColunaMovProduto coluna, const char* valor) { definir(coluna, QString::fromUtf8(valor)); }
    bool tem(ColunaMovProduto coluna) const { return m_dado[size_t(coluna.posicao)]; }
    const QVariant& valor(ColunaMovProduto coluna) const { return m_valores[size_t(coluna.posicao)]; }
    QString texto(ColunaMovProduto coluna) const { return valor(coluna).toString(); }
    Currency montante(ColunaMovProduto coluna) const { return Currency::fromVariant(valor(coluna)); }

    // By a name known only at run time (case-insensitive). False when it is not a column of MovProduto.
    [[nodiscard]] bool definir(const QString& coluna, const QVariant& valor);
    [[nodiscard]] bool definir(const QString& coluna, const Currency& valor) { return definir(coluna, valor.toVariant()); }
    [[nodiscard]] bool definir(const QString& coluna, const char* valor) { return definir(coluna, QString::fromUtf8(valor)); }
    bool tem(const QString& coluna) const;
    QVariant valor(const QString& coluna) const;
    QString texto(const QString& coluna) const { return valor(coluna).toString(); }
    Currency montante(const QString& coluna) const { return Currency::fromVariant(valor(coluna)); }

    // A name written in the code goes through its constant instead.
    template <size_t N> bool definir(const char (&)[N], const QVariant&) = delete;
    template <size_t N> bool definir(const char (&)[N], const Currency&) = delete;
    template <size_t N> bool definir(const char (&)[N], const char*) = delete;
    template <size_t N> bool tem(const char (&)[N]) const = delete;
    template <size_t N> QVariant valor(const char (&)[N]) const = delete;
    template <size_t N> QString texto(const char (&)[N]) const = delete;
    template <size_t N> Currency montante(const char (&)[N]) const = delete;

    // By position in the table's column list (the insert columns come first).
    bool tem(size_t i) const { return m_dado[i]; }
    const QVariant& valor(size_t i) const { return m_valores[i]; }

    // The columns the insert binds, in their order (the first ColMovProduto::Inseridas columns of MovProduto).
    static const std::vector<ColunaDef>& colunasInsercao();
    static const ColunaDef* coluna(const QString& nome);
    // Position of a column in the table; -1 when it is not one.
    static int posicao(const QString& nome);

private:
    std::vector<QVariant> m_valores;
    std::vector<bool> m_dado;
};
