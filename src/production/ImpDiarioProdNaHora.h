#pragma once

#include "common/UserInteraction.h"
#include "lookups/CampoTabela.h"
#include "production/DiarioInstantanea.h"

#include <QDate>
#include <functional>

struct GlobalContext;

// Logic of "Diário de Produção Instantânea" (frmImpDiarioProdNaHora): the instant bill of
// materials ("Todas"), the flow ("Todos"), "Dt Inicial" (first of the month) and "Dt Final"
// (today), the mode, and the print.
class ImpDiarioProdNaHora {
public:
    ImpDiarioProdNaHora(GlobalContext& ctx, UserInteraction& ui);

    static QString Titulo();
    // The flow choices as the option control lists them.
    static QString OpcoesFluxo();

    CampoTabela txtNomenclatura;
    bool txtNomenclatura_Saiu();
    bool txtNomenclatura_Pesquisar();
    QString fluxo = TodosFluxos;
    QDate txtDataInicial, txtDataFinal; // invalid: open-ended
    ModoDiarioInstantanea modo = ModoDiarioInstantanea::DiarioCorrido;

    FiltroDiarioInstantanea filtro() const;
    // "Imprimir": "Não existem movimentos para estas condições!" without rows, else "Tipo de
    // Listagem?" and the print; false when nothing was printed.
    bool cmdImprimir_Click();
    std::function<bool(const DiarioInstantanea&, const FiltroDiarioInstantanea&, const QString& descricaoNomenclatura,
                       const QString& destino)>
        imprimir;

private:
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
