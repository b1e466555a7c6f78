#include "production/ImpMapaProducao.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"

ImpMapaProducaoDisc::ImpMapaProducaoDisc(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtProduto.descricao = QStringLiteral("Todos");
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
}

QString ImpMapaProducaoDisc::Titulo() { return QStringLiteral("Mapa de Produção <Discriminado - Lotes>"); }

bool ImpMapaProducaoDisc::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, false, {}, QStringLiteral("Todos"));
}

bool ImpMapaProducaoDisc::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, true, {}, QStringLiteral("Todos"));
}

FiltroMapaProducao ImpMapaProducaoDisc::filtro() const {
    FiltroMapaProducao f;
    f.produto = txtProduto.codigo.trimmed();
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    return f;
}

bool ImpMapaProducaoDisc::cmdImprimir_Click() {
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const FiltroMapaProducao f = filtro();
    const auto mapa = LerMapaDiscriminado(m_ctx.bd(), f);
    if (!mapa) {
        m_ui.mensagem(mapa.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (mapa->blocos.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Condição!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir &&
           imprimir(*mapa, f, txtProduto.descricao, *destino);
}

ImpMapaProducao::ImpMapaProducao(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtProduto.descricao = QStringLiteral("Todos");
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
}

QString ImpMapaProducao::Titulo() { return QStringLiteral("Mapa de Produção"); }

bool ImpMapaProducao::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, false, {}, QStringLiteral("Todos"));
}

bool ImpMapaProducao::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Nomenclatura_Prod(txtProduto, true, {}, QStringLiteral("Todos"));
}

FiltroMapaProducao ImpMapaProducao::filtro() const {
    FiltroMapaProducao f;
    f.produto = txtProduto.codigo.trimmed();
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    return f;
}

bool ImpMapaProducao::cmdImprimir_Click() {
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const FiltroMapaProducao f = filtro();
    const auto mapa = LerMapaProducao(m_ctx.bd(), f, chkDiscriminar);
    if (!mapa) {
        m_ui.mensagem(mapa.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (mapa->lotes.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Condição!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*mapa, f, txtProduto.descricao, *destino);
}
