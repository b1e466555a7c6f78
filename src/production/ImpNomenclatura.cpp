#include "production/ImpNomenclatura.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"

ImpNomenclatura::ImpNomenclatura(GlobalContext& ctx, UserInteraction& ui, bool medicoes)
    : m_ctx(ctx), m_ui(ui), m_medicoes(medicoes) {
    txtProduto.descricao = QStringLiteral("Todos");
}

QString ImpNomenclatura::titulo() const {
    return m_medicoes ? QStringLiteral("Nomenclatura de Produtos Acabados (Medições)")
                      : QStringLiteral("Nomenclatura de Produtos Acabados");
}

QString ImpNomenclatura::form() const {
    return m_medicoes ? QStringLiteral("frmImpNomenclaturaMedicoes") : QStringLiteral("frmImpNomenclatura");
}

bool ImpNomenclatura::pesquisar(bool abrir) {
    PesquisaTabelas& p = pesquisaTabelas(m_ctx, m_ui);
    if (!m_medicoes)
        return p.Nomenclatura_Prod(txtProduto, abrir, {}, QStringLiteral("Todos"));
    FiltroSQL f;
    f.e(QStringLiteral("Codigo IN (SELECT ProdutoAcabado FROM NomenclaturaMedicoes)"));
    return p.Produtos(txtProduto, abrir, f, QStringLiteral("Todos"));
}

bool ImpNomenclatura::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisar(false);
}

bool ImpNomenclatura::txtProduto_Pesquisar() { return pesquisar(true); }

bool ImpNomenclatura::cmdImprimir_Click() {
    const QString produto = txtProduto.codigo.trimmed();
    const auto linhas = m_medicoes ? LerListagemNomenclaturaMedicoes(m_ctx.bd(), produto)
                                   : LerListagemNomenclatura(m_ctx.bd(), produto);
    if (!linhas) {
        m_ui.mensagem(linhas.mensagem(), UserInteraction::Icone::Critico, titulo());
        return false;
    }
    if (linhas->empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"), UserInteraction::Icone::Exclamacao,
                      titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*linhas, chkDiscrimina, *destino);
}
