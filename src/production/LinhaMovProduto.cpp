#include "production/LinhaMovProduto.h"

#include "shell/Schema.h"

namespace {
// The columns after these are completed once the row exists.
constexpr size_t ColunasInseridas = 127;
} // namespace

const std::vector<ColunaDef>& LinhaMovProduto::colunasInsercao() {
    static const std::vector<ColunaDef> colunas = [] {
        const TabelaDef* t = tabelaEmpresa(QStringLiteral("MovProduto"));
        Q_ASSERT(t && t->colunas.size() >= ColunasInseridas);
        return std::vector<ColunaDef>(t->colunas.begin(), t->colunas.begin() + ColunasInseridas);
    }();
    return colunas;
}

const ColunaDef* LinhaMovProduto::coluna(const QString& nome) {
    static const TabelaDef* t = tabelaEmpresa(QStringLiteral("MovProduto"));
    return t ? t->coluna(nome) : nullptr;
}

bool LinhaMovProduto::definir(const QString& nome, const QVariant& v) {
    const ColunaDef* c = coluna(nome);
    if (!c)
        return false;
    m_valores.insert(nome.toLower(), v);
    return true;
}
