#include "production/VerCapacidade.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"

VerCapacidade::VerCapacidade(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtProduto.descricao = QStringLiteral("Todos");
}

QString VerCapacidade::Titulo() { return QStringLiteral("Previsão da Capacidade de Produção"); }

bool VerCapacidade::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, false, {}, QStringLiteral("Todos"));
}

bool VerCapacidade::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, true, {}, QStringLiteral("Todos"));
}

bool VerCapacidade::cmdImprimir_Click() {
    const auto lista = PrevisaoCapacidade(m_ctx.bd(), txtProduto.codigo.trimmed());
    if (!lista) {
        m_ui.mensagem(lista.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (lista->empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*lista, chkDiscrimina, *destino);
}
