#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/ListagensNomenclatura.h"

#include <functional>

struct GlobalContext;

// Logic of the bill-of-materials listings: "Nomenclatura de Produtos Acabados" (frmImpNomenclatura)
// and, with medicoes, "Nomenclatura de Produtos Acabados (Medições)" (frmImpNomenclaturaMedicoes).
class ImpNomenclatura {
public:
    ImpNomenclatura(GlobalContext& ctx, UserInteraction& ui, bool medicoes);

    bool medicoes() const { return m_medicoes; }
    QString titulo() const;
    QString form() const;

    // The product filter ("Todos"): products with an ordinary bill, or with a measurement bill.
    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    bool chkDiscrimina = true;

    // "&Imprimir": "Não existem registos para esta Tabela!" when nothing is found, else "Tipo de
    // Listagem?" and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const std::vector<LinhaListagemNomenclatura>&, bool discrimina, const QString& destino)> imprimir;

private:
    bool pesquisar(bool abrir);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    bool m_medicoes;
};
