#pragma once

#include "shell/SelEmpresa.h"

#include <optional>

// The company search window: finds a company among everything the selection read, whatever
// its filters, and hands the chosen row back.
class SelEmpresaPesquisar {
public:
    explicit SelEmpresaPesquisar(QList<LinhaEmpresa> todas) : m_todas(std::move(todas)) {}

    // Rows where every word of the text is found in the code, name, year or server
    // (case and accents ignored); an empty text lists everything.
    void CarregarDados(const QString& texto);
    const QList<LinhaEmpresa>& linhas() const { return m_linhas; }
    std::optional<LinhaEmpresa> escolher(int linha) const;

private:
    QList<LinhaEmpresa> m_todas;
    QList<LinhaEmpresa> m_linhas;
};
