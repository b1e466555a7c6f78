#include "production/EliminarLote.h"

#include "common/AlertaOpcoes.h"
#include "common/UserInteraction.h"
#include "stock/CustoMedio.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"
#include "company/PeriodoAberto.h"

#include "production/FormatoQuantidade.h"
#include "production/ProductionDocument.h"

#include <QSqlQuery>


EliminarLote::EliminarLote(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

QString EliminarLote::Titulo() { return QStringLiteral("Eliminação de Lotes (com reposição)"); }

void EliminarLote::Limpa() {
    txtLote.clear();
    txtProduto.clear();
    txtDescProduto.clear();
    txtQuantidade.clear();
    entrada = retorno = reforco = saida = Documento{};
    m_lote.reset();
}

bool EliminarLote::loteSaiu(const QString& lote) {
    Limpa();
    if (lote.trimmed().isEmpty())
        return false;
    // Lots are kept left-filled to 10 digits, as the order window writes them.
    const QString codigo = ZerarLote(lote);
    Database& db = m_ctx.bd();
    const auto l = LerLoteProducao(db, codigo).valorOu(std::nullopt);
    if (!l || !l->fechado) {
        m_ui.mensagem(QStringLiteral("Lote Inexistente ou em Aberto!"), UserInteraction::Icone::Critico);
        return false;
    }
    m_lote = l;
    txtLote = l->lote;
    txtProduto = l->produto;
    auto p = db.primeiraLinha(QStringLiteral("SELECT Codigo, Descricao FROM Produtos WHERE Codigo=?"), {l->produto});
    txtDescProduto = p ? p->at(1).toString() : QString();
    txtQuantidade = formatarNumeroPT(l->quantidade, m_ctx.casadecquant);
    auto doc = [](const DocumentoLote& d) { return Documento{d.tipo, d.numero, DataVisivel(d.data)}; };
    entrada = doc(l->entrada);
    retorno = doc(l->retorno);
    reforco = doc(l->reforco);
    saida = doc(l->saida);
    return true;
}

EliminarLote::Resultado EliminarLote::eliminar() {
    if (txtLote.trimmed().isEmpty() || !m_lote)
        return Resultado::FocoLote;
    const LoteProducao l = *m_lote;
    // Every document must lie in an open period before anything is removed.
    for (const DocumentoLote* d : {&l.entrada, &l.reforco, &l.retorno, &l.saida}) {
        if (d->data.trimmed().isEmpty())
            continue;
        if (!ValidaPeriodoAberto(m_ctx, m_ui, d->data, m_ctx.armazem, false)) {
            m_ui.mensagem(QStringLiteral("Não pode Eliminar este Doc. (Controlo de Datas)"),
                          UserInteraction::Icone::Informacao);
            return Resultado::Recusado;
        }
    }
    AlertaOpcoes alerta(QStringLiteral("Confirma a Eliminação ?"), {QStringLiteral("Não"), QStringLiteral("Sim")});
    if (m_ui.alerta(alerta.titulo(), alerta.respostas()) != 2)
        return Resultado::Cancelado;

    Database& db = m_ctx.bd();
    auto falhar = [&]() {
        m_ui.mensagem(db.lastError().isEmpty() ? QStringLiteral("Não foi possível eliminar o lote.") : db.lastError(),
                      UserInteraction::Icone::Critico);
        return Resultado::Erro;
    };
    Transaction t(db);
    if (!t.ok())
        return falhar();
    // Every product whose rows go, for the average cost afterwards.
    QStringList produtos = {l.produto};
    for (const DocumentoLote* d : {&l.saida, &l.retorno, &l.reforco, &l.entrada}) {
        if (!d->gerado())
            continue;
        if (!db.percorrer(QStringLiteral("SELECT DISTINCT Codigo FROM MovProduto WHERE Tipo=? AND Numero=? AND Ano=?"),
                          {d->tipo.trimmed(), d->numero, d->ano()}, [&](const QSqlQuery& q) {
                              if (!produtos.contains(q.value(0).toString()))
                                  produtos << q.value(0).toString();
                          }))
            return falhar();
        if (!db.exec(QStringLiteral("DELETE FROM MovProduto WHERE Tipo=? AND Numero=? AND Ano=?"),
                     {d->tipo.trimmed(), d->numero, d->ano()}))
            return falhar();
    }
    if (aposDocumentos && !aposDocumentos())
        return falhar();
    if (!db.exec(QStringLiteral("DELETE FROM Lotes WHERE lote=?"), {l.lote}))
        return falhar();
    EntradaLog e;
    e.modulo = QStringLiteral("ST");
    e.accao = QStringLiteral("E");
    e.produto = l.produto;
    e.descricao = QStringLiteral("Lote/data: %1/%2").arg(l.lote, DataVisivel(l.saida.data));
    if (!LogGeral(m_ctx, e))
        return falhar();
    for (const QString& p : produtos)
        if (!RecalculaCustoMedioAposEliminacao(db, p))
            return falhar();
    if (!t.commit())
        return falhar();
    Limpa();
    return Resultado::Eliminado;
}
