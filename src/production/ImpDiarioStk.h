#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/AnaliseGrupos.h"

#include <QDate>
#include <functional>

struct GlobalContext;

// Logic of "Análise de Produtos por Grupos/Familias/Subfamilias" (frmImpDiarioStk): movement type
// (required, the production output type at first), the lot whose document is wanted, product,
// situation, seller, group, family, subfamily, warehouses, exchange with its value, the period
// (first of the month to today at first), "Imprimir Resumo" and the print.
class ImpDiarioStk {
public:
    ImpDiarioStk(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();

    // The code fields, each with its lookup.
    enum class Campo { Tipo, Produto, Situacao, Vendedor, Grupo, Familia, Subfamilia, Armazem, Cambio };
    CampoTabela txtTipo, txtProduto, txtSituacao, txtVendedor, txtGrupo, txtFamilia, txtSubfamilia, txtArmazem,
        txtCambio;
    CampoTabela& campo(Campo c);
    // Leaving the field (abrirPesquisa false) or its search button (true). An emptied field gets its
    // "Todos …" label back and passes; the type never passes empty.
    bool pesquisar(Campo c, bool abrirPesquisa);
    // Double click on the warehouse: the search window with several warehouses to tick.
    bool txtArmazem_DuploClique();
    // The chosen warehouses (the field keeps them separated by ";").
    QStringList armazens() const;

    QString txtNumero;       // lot number ("Equivalente ao nº do Lote")
    Currency txtValorCambio; // the exchange's value, filled on choosing it; 0 counts as 1
    QDate txtDataInicial, txtDataFinal;
    bool chkResumo = false;

    FiltroAnaliseGrupos filtro() const;
    DescricoesAnaliseGrupos descricoes() const;

    // "&Imprimir": "Tem que preencher o tipo de Movimento" without type, the fields checked again,
    // "Não existem Produtos nestas condições!" without rows, else "Tipo de Listagem?" and the print;
    // false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const AnaliseGrupos&, const FiltroAnaliseGrupos&, const DescricoesAnaliseGrupos&,
                       const QString& destino)>
        imprimir;

private:
    bool validarArmazens();
    void lerValorCambio();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_cambioDoValor; // the exchange whose value txtValorCambio holds
};
