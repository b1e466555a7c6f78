#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/MapasProducao.h"

#include <QDate>
#include <functional>

struct GlobalContext;

// Logic of "Mapa de Produção <Discriminado - Lotes>" (frmImpMapaProducaoDisc): the finished
// product ("Todos"), "Data Inicial" and "Data Final" (from the first of the month), and the print.
class ImpMapaProducaoDisc {
public:
    ImpMapaProducaoDisc(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();

    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    QDate txtDataInicial, txtDataFinal; // invalid: open-ended

    FiltroMapaProducao filtro() const;
    // "Imprimir": "Não existem registos para esta Condição!" without lots, else "Tipo de Listagem?"
    // and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const MapaDiscriminado&, const FiltroMapaProducao&, const QString& descricaoProduto,
                       const QString& destino)>
        imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};

// Logic of "Mapa de Produção" (frmImpMapaProducao): the finished product ("Todos"), "Data Inicial"
// (the first of the month), "Data Final" (today), "Discriminar componentes (movimentos e
// nomenclatura)" and the print.
class ImpMapaProducao {
public:
    ImpMapaProducao(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();

    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    QDate txtDataInicial, txtDataFinal; // invalid: open-ended
    bool chkDiscriminar = false;

    FiltroMapaProducao filtro() const;
    // "Imprimir": "Não existem registos para esta Condição!" without lots, else "Tipo de Listagem?"
    // and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const MapaProducao&, const FiltroMapaProducao&, const QString& descricaoProduto,
                       const QString& destino)>
        imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
