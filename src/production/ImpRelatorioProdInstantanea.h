#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "lookups/ListaDados.h"
#include "production/RelatorioInstantanea.h"

#include <QDate>
#include <functional>
#include <optional>
#include <vector>

struct GlobalContext;

// Logic of "Relatório de Produção Instantânea" (frmImpRelatorioProdInstantanea): the runs of a
// period and equipment in a list, printed, deleted, and their finished products labelled.
class ImpRelatorioProdInstantanea {
public:
    ImpRelatorioProdInstantanea(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo(); // "Relatório de Produção Instantânea"
    static const QString LayoutLista;

    // "Data Inicial" (the first of the month) and "Data Final" (today); invalid: open-ended.
    QDate txtDataInicial, txtDataFinal;
    CampoTabela txtEquipamento; // "Todos" when empty
    bool txtEquipamento_Saiu();
    bool txtEquipamento_Pesquisar();

    ListaDados lvwLista{QStringLiteral("lvwLista")};
    FiltroRelatorioInstantanea filtro() const;

    // "&Pesquisar": the list read again with the filter; false when the dates are crossed or the
    // read failed (told to the user).
    bool cmdPesquisar_Click();
    const std::vector<LinhaRelatorioInstantanea>& linhas() const { return m_linhas; }
    // The rows in the list's current order.
    std::vector<LinhaRelatorioInstantanea> linhasPorOrdem() const;
    std::optional<LinhaRelatorioInstantanea> seleccionada() const;

    // "&Imprimir": the list as it is shown, with the filter that made it; "Não existem registos
    // para esta Condição!" when empty, else "Tipo de Listagem?" and the print.
    bool cmdImprimir_Click();
    std::function<bool(const std::vector<LinhaRelatorioInstantanea>&, const FiltroRelatorioInstantanea&,
                       const QString& descricaoEquipamento, const QString& destino)>
        imprimir;

    // "&Eliminar Processo": the selected row's run.
    bool cmdEliminarProcesso_Click();
    // The refusals, "Confirma a eliminação?" and the deletion of a run; the list read again after
    // it. The command line calls it with the run's number (no list row, so no row kind).
    bool eliminarProcesso(const QString& numProcesso, const QString& tipoProcesso = {});

    // "&Hist. Doc.": the document archive of a run ("PI" + run) or of a process ("PP" + process),
    // opened by the window through abrirHistorico.
    void cmdHistDoc_Click();
    std::function<void(const QString& tipo, const QString& numero, const QString& subtitulo)> abrirHistorico;

    // "Imp. Etiquetas": the label window given the selected row's finished product and the number
    // of labels its stock line makes.
    bool cmdImpEtiquetas_Click();
    std::function<void(const EtiquetasInstantanea&)> abrirEtiquetas;

private:
    void mostrarLista();

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    std::vector<LinhaRelatorioInstantanea> m_linhas;
    FiltroRelatorioInstantanea m_filtroLido;
    QString m_descricaoEquipamentoLido;
    bool m_pesquisado = false; // the command line deletes without a list
};
