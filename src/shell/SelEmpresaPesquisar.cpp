#include "shell/SelEmpresaPesquisar.h"

#include "db/TextoPesquisa.h"

#include <algorithm>

void SelEmpresaPesquisar::CarregarDados(const QString& texto) {
    const QStringList palavras = semAcentos(texto).split(u' ', Qt::SkipEmptyParts);
    m_linhas.clear();
    for (const LinhaEmpresa& e : m_todas) {
        const QString alvo = semAcentos(QStringList{e.codigo, e.nome, e.ano, e.servidor.servidor}.join(u' '));
        const bool encontra = std::all_of(palavras.cbegin(), palavras.cend(), [&](const QString& p) {
            return alvo.contains(p, Qt::CaseInsensitive);
        });
        if (encontra)
            m_linhas << e;
    }
}

std::optional<LinhaEmpresa> SelEmpresaPesquisar::escolher(int linha) const {
    if (linha < 0 || linha >= m_linhas.size())
        return std::nullopt;
    return m_linhas.at(linha);
}
