#include "production/ImpFolhaLote.h"

#include "common/UserInteraction.h"
#include "production/FormatoQuantidade.h"

ImpFolhaLote::ImpFolhaLote(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString ImpFolhaLote::FiltroLotes() {
    return QStringLiteral("Fechado=1 AND (MedicoesAltura=0 OR MedicoesAltura IS NULL OR MedicoesLargura=0 OR "
                          "MedicoesLargura IS NULL)");
}

QString ImpFolhaLote::textoDocumento(const DocumentoProducao& d) {
    if (!d.numerado())
        return {};
    return QStringLiteral("%1  nº %2   De : %3").arg(d.tipo, d.numero, DataVisivel(d.data));
}

bool ImpFolhaLote::txtLote_LostFocus() {
    m_folha.reset();
    const QString lote = txtLote.codigo.trimmed();
    if (lote.isEmpty()) {
        txtLote.descricao.clear();
        return false;
    }
    auto lida = LerFolhaLote(m_ctx, ZerarLote(lote));
    if (!lida) {
        txtLote.descricao.clear();
        txtLote.focar = true;
        m_ui.mensagem(lida.mensagem().isEmpty() ? MensagemLoteEmAberto : lida.mensagem(),
                      UserInteraction::Icone::Exclamacao);
        return false;
    }
    m_folha = std::move(lida).valor();
    txtLote.codigo = m_folha->lote;
    txtLote.descricao = m_folha->produto;
    return true;
}

bool ImpFolhaLote::cmdImprimir_Click() {
    if (!m_folha && !txtLote_LostFocus())
        return false;
    if (m_folha->linhas.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Tabela!"),
                      UserInteraction::Icone::Exclamacao);
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*m_folha, *destino);
}
