#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/CapacidadeProducao.h"

#include <functional>

struct GlobalContext;

// Logic of "Previsão da Capacidade de Produção" (frmVerCapacidade): the product filter ("Todos"),
// "Discrimina Nomenclatura" and the print.
class VerCapacidade {
public:
    VerCapacidade(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Previsão da Capacidade de Produção"

    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    bool chkDiscrimina = false;

    // "&Imprimir": "Não existem registos para esta Tabela!" without bills, else "Tipo de Listagem?"
    // and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const std::vector<CapacidadeProduto>&, bool discrimina, const QString& destino)> imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
