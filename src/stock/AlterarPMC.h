#pragma once

#include "common/Currency.h"

#include <QString>

struct GlobalContext;
class UserInteraction;

// Logic of the window "Actualizar P.M.C. e U.P.C. <Produtos sem Compras>" (frmAlterarPMC): sets the
// average and last cost of products that never enter stock by purchase (labour, power, ...).
class AlterarPMC {
public:
    AlterarPMC(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Actualizar P.M.C. e U.P.C. <Produtos sem Compras>"
    static QString Nota();

    // Leaving the product field: loads its costs. A product with stock entries is refused unless
    // it is a service or carriage (which only get a notice). True when the product is loaded.
    bool produtoSaiu(const QString& codigo);

    QString txtProduto, txtDescricao;
    Currency txtPrecoMedioCusto, txtUltPrecoCusto;
    bool carregado() const { return m_carregado; }

    // "&Actualizar": asks for confirmation, writes both costs and logs the change.
    bool actualizar();
    void limpar();

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    qint64 m_numRegisto = 0;
    bool m_carregado = false;
};
