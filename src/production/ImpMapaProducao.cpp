#include "production/ImpMapaProducao.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"

FiltrosMapaProducao::FiltrosMapaProducao(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtProduto.descricao = QStringLiteral("Todos");
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
}

bool FiltrosMapaProducao::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, false, {}, QStringLiteral("Todos"));
}

bool FiltrosMapaProducao::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, true, {}, QStringLiteral("Todos"));
}

FiltroMapaProducao FiltrosMapaProducao::filtro() const {
    FiltroMapaProducao f;
    f.produto = txtProduto.codigo.trimmed();
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    return f;
}

bool FiltrosMapaProducao::datasPorOrdem(const QString& titulo) {
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      titulo);
        return false;
    }
    return true;
}

bool FiltrosMapaProducao::haLotes(bool lido, const QString& erro, bool vazio, const QString& titulo) {
    if (!lido) {
        m_ui.mensagem(erro, UserInteraction::Icone::Critico, titulo);
        return false;
    }
    if (vazio) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Condição!"), UserInteraction::Icone::Exclamacao,
                      titulo);
        return false;
    }
    return true;
}

QString ImpMapaProducaoDisc::Titulo() { return QStringLiteral("Mapa de Produção <Discriminado - Lotes>"); }

bool ImpMapaProducaoDisc::cmdImprimir_Click() {
    if (!datasPorOrdem(Titulo()))
        return false;
    const FiltroMapaProducao f = filtro();
    const auto mapa = LerMapaDiscriminado(m_ctx.bd(), f);
    if (!haLotes(mapa.ok(), mapa ? QString() : mapa.mensagem(), mapa && mapa->blocos.empty(), Titulo()))
        return false;
    const auto destino = PerguntaTipoListagem(m_ui);
    return destino && imprimir && imprimir(*mapa, f, txtProduto.descricao, *destino);
}

QString ImpMapaProducao::Titulo() { return QStringLiteral("Mapa de Produção"); }

bool ImpMapaProducao::cmdImprimir_Click() {
    if (!datasPorOrdem(Titulo()))
        return false;
    const FiltroMapaProducao f = filtro();
    const auto mapa = LerMapaProducao(m_ctx.bd(), f, chkDiscriminar);
    if (!haLotes(mapa.ok(), mapa ? QString() : mapa.mensagem(), mapa && mapa->lotes.empty(), Titulo()))
        return false;
    const auto destino = PerguntaTipoListagem(m_ui);
    return destino && imprimir && imprimir(*mapa, f, txtProduto.descricao, *destino);
}
