#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/GraficoEstatProd.h"

#include <QDate>
#include <functional>
#include <optional>

struct GlobalContext;

// Logic of "Gráfico Estatístico de Produção" (frmGraficoEstatProd): the lot (only lots without
// measurements), the instant run, the finished product ("Todos"), the period and the measure;
// "Calcula" reads the materials, the chart buttons choose bars or pie, "Imprimir" prints what
// was calculated.
class GraficoEstatProd {
public:
    GraficoEstatProd(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();
    // The lookup's restriction: lots of the measurements option have their own sheets.
    static QString FiltroLotesSemMedicoes();
    static QString MensagemLimite();

    CampoTabela txtLote;
    bool txtLote_Saiu();
    bool txtLote_Pesquisar();
    QString txtNumProcesso;
    CampoTabela txtProduto;
    bool txtProduto_Saiu();
    bool txtProduto_Pesquisar();
    QDate txtDataInicial, txtDataFinal; // invalid: open-ended
    bool optValor = false;              // else optQuantidade
    // The measure changed: a calculated chart takes it at once (its materials stay the same).
    void mudarMedida(bool valor);
    TipoGrafico tipo = TipoGrafico::Barras;

    FiltroGrafico filtro() const;

    // Reads the materials: "Limite de 28" once when there are more, "Não existem registos para
    // esta Condição!" without any; false when there is nothing to chart.
    bool cmdCalcula_Click();
    void cmdGraficoBarras_Click() { tipo = TipoGrafico::Barras; }
    void cmdGraficoCircular_Click() { tipo = TipoGrafico::Circular; }

    // The last calculation, with the filters and product description it was made with.
    const std::optional<GraficoProducao>& resultado() const { return m_resultado; }
    const FiltroGrafico& filtroCalculado() const { return m_filtroCalculado; }
    QString descricaoProdutoCalculado() const { return m_descricaoProduto; }

    // What pointing at a material shows: "Quantidade: 6,000   Peso: 40,00 %" or "Valor: …".
    QString textoPonto(int indice) const;
    // The total value in the Portuguese form (lblValorTotal).
    QString lblValorTotal() const;
    QString quantidadeVisivel(const Currency& q) const;
    QString valorVisivel(const Currency& v) const;

    // "Imprimir": calculates first when nothing was; "Tipo de Listagem?" and the print of the
    // calculated chart. False when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const GraficoProducao&, const FiltroGrafico&, const QString& descricaoProduto, TipoGrafico,
                       const QString& destino)>
        imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::optional<GraficoProducao> m_resultado;
    FiltroGrafico m_filtroCalculado;
    QString m_descricaoProduto;
};
