#include "production/ActPVenda.h"

#include "common/UserInteraction.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

ActPVenda::ActPVenda(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {}

bool ActPVenda::carregar(const QString& codigo, const Currency& custoUnitario) {
    const auto r =
        m_ctx.bd().primeiraLinha(QStringLiteral("SELECT NumRegisto, Descricao, PrecoVenda1, PrecoVenda2, "
                                                "PrecoVenda3, PrecoVenda4 FROM Produtos WHERE Codigo=?"),
                                 {codigo});
    if (!r) {
        m_ui.mensagem(QStringLiteral("O produto %1 não existe.").arg(codigo),
                      UserInteraction::Icone::Critico);
        return false;
    }
    produto = codigo;
    custo = custoUnitario;
    m_numRegisto = r->at(0).toLongLong();
    descricao = r->at(1).toString();
    for (int i = 0; i < 4; ++i)
        precos[size_t(i)] = Currency::fromVariant(r->at(2 + i));
    return true;
}

Currency ActPVenda::margem(int i) const {
    if (custo.isZero() || i < 0 || i > 3)
        return {};
    return (precos[size_t(i)] - custo)
        .multiply(Currency::fromString(QStringLiteral("100")), Currency::Arredondamento::MetadeAfastaDeZero)
        .divide(custo, Currency::Arredondamento::MetadeAfastaDeZero)
        .rounded(2, Currency::Arredondamento::MetadeAfastaDeZero);
}

bool ActPVenda::cmdGravar_Click() {
    if (m_numRegisto == 0)
        return false;
    for (const Currency& p : precos)
        if (p < Currency()) {
            m_ui.mensagem(QStringLiteral("O preço de venda não pode ser negativo."),
                          UserInteraction::Icone::Critico);
            return false;
        }
    Database& db = m_ctx.bd();
    const QSqlRecord antes = lerRegisto(db, QStringLiteral("Produtos"), m_numRegisto);
    if (!db.update(
            QStringLiteral("Produtos"),
            {QStringLiteral("PrecoVenda1"), QStringLiteral("PrecoVenda2"), QStringLiteral("PrecoVenda3"),
             QStringLiteral("PrecoVenda4")},
            {precos[0].toVariant(), precos[1].toVariant(), precos[2].toVariant(), precos[3].toVariant()},
            QStringLiteral("WHERE NumRegisto=?"), {m_numRegisto})) {
        m_ui.mensagem(db.lastError(), UserInteraction::Icone::Critico);
        return false;
    }
    const QSqlRecord depois = lerRegisto(db, QStringLiteral("Produtos"), m_numRegisto);
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = QStringLiteral("A");
    e.produto = produto;
    e.descricao = QStringLiteral("Actualizar Preço de Venda do Produto Acabado");
    e.valor = custo;
    LogGeral(m_ctx, e, &antes, &depois);
    return true;
}
