#pragma once

#include "common/Currency.h"

#include <QString>
#include <array>

struct GlobalContext;
class UserInteraction;

// "Actualizar Preço de Venda do Produto Acabado": after a production the finished product's four
// sale prices are shown beside its new cost, to be changed and saved.
class ActPVenda {
public:
    ActPVenda(GlobalContext& ctx, UserInteraction& ui);

    // False (with a message) when the product does not exist.
    bool carregar(const QString& produto, const Currency& custo);

    QString produto, descricao;
    Currency custo;                   // unit cost of the production just posted
    std::array<Currency, 4> precos{}; // PrecoVenda1..4, as edited
    // Margin of a price over the cost, in percent (0 without cost).
    Currency margem(int i) const;

    // "&Gravar": writes the prices and logs what changed; false on refusal.
    bool cmdGravar_Click();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    qint64 m_numRegisto = 0;
};
