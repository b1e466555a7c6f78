#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/MapasProducao.h"

#include <QDate>
#include <functional>

struct GlobalContext;

// The filters both production maps share: the finished product ("Todos" when empty), "Data
// Inicial" (the first of the month) and "Data Final" (today).
class FiltrosMapaProducao {
public:
    FiltrosMapaProducao(GlobalContext& ctx, UserInteraction& ui);

    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    QDate txtDataInicial, txtDataFinal; // invalid: open-ended

    FiltroMapaProducao filtro() const;

protected:
    // "A Data Inicial é posterior à Data Final!" under the window's title; false then.
    bool datasPorOrdem(const QString& titulo);
    // Shows a reading failure, or the maps' message when there are no lots; true when there are.
    bool haLotes(bool lido, const QString& erro, bool vazio, const QString& titulo);

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};

// Logic of "Mapa de Produção <Discriminado - Lotes>" (frmImpMapaProducaoDisc).
class ImpMapaProducaoDisc : public FiltrosMapaProducao {
public:
    ImpMapaProducaoDisc(GlobalContext& ctx, UserInteraction& ui) : FiltrosMapaProducao(ctx, ui) {}

    static QString Titulo();

    // "Imprimir": "Não existem registos para esta Condição!" without lots, else "Tipo de Listagem?"
    // and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const MapaDiscriminado&, const FiltroMapaProducao&, const QString& descricaoProduto,
                       const QString& destino)>
        imprimir;
};

// Logic of "Mapa de Produção" (frmImpMapaProducao), with "Discriminar componentes (movimentos e
// nomenclatura)".
class ImpMapaProducao : public FiltrosMapaProducao {
public:
    ImpMapaProducao(GlobalContext& ctx, UserInteraction& ui) : FiltrosMapaProducao(ctx, ui) {}

    static QString Titulo();

    bool chkDiscriminar = false;

    // As the itemised map's.
    bool cmdImprimir_Click();
    std::function<bool(const MapaProducao&, const FiltroMapaProducao&, const QString& descricaoProduto,
                       const QString& destino)>
        imprimir;
};
