#include "stock/LinhaMovProduto.h"

#include "db/esquema/Esquema.h"

#include <QHash>

namespace {
const TabelaDef& tabela() {
    static const TabelaDef* t = tabelaEmpresa(QStringLiteral("MovProduto"));
    Q_ASSERT(t && t->colunas.size() == size_t(ColMovProduto::Total));
    return *t;
}

const QHash<QString, int>& posicoes() {
    static const QHash<QString, int> p = [] {
        QHash<QString, int> h;
        const auto& cs = tabela().colunas;
        for (size_t i = 0; i < cs.size(); ++i)
            h.insert(cs[i].nome.toLower(), int(i));
        return h;
    }();
    return p;
}
} // namespace

LinhaMovProduto::LinhaMovProduto() : m_valores(tabela().colunas.size()), m_dado(tabela().colunas.size(), false) {}

const std::vector<ColunaDef>& LinhaMovProduto::colunasInsercao() {
    static const std::vector<ColunaDef> colunas(tabela().colunas.begin(),
                                                tabela().colunas.begin() + ColMovProduto::Inseridas);
    return colunas;
}

int LinhaMovProduto::posicao(const QString& nome) { return posicoes().value(nome.toLower(), -1); }

const ColunaDef* LinhaMovProduto::coluna(const QString& nome) {
    const int i = posicao(nome);
    return i < 0 ? nullptr : &tabela().colunas[size_t(i)];
}

bool LinhaMovProduto::definir(const QString& nome, const QVariant& v) {
    const int i = posicao(nome);
    if (i < 0)
        return false;
    m_valores[size_t(i)] = v;
    m_dado[size_t(i)] = true;
    return true;
}

bool LinhaMovProduto::tem(const QString& nome) const {
    const int i = posicao(nome);
    return i >= 0 && m_dado[size_t(i)];
}

QVariant LinhaMovProduto::valor(const QString& nome) const {
    const int i = posicao(nome);
    return i < 0 ? QVariant() : m_valores[size_t(i)];
}
