#include "production/ImpDiarioProdNaHora.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"

namespace {
const QString Todas = QStringLiteral("Todas");
}

ImpDiarioProdNaHora::ImpDiarioProdNaHora(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtNomenclatura.descricao = Todas;
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
}

QString ImpDiarioProdNaHora::Titulo() { return QStringLiteral("Diário de Produção Instantânea"); }

QString ImpDiarioProdNaHora::OpcoesFluxo() {
    QString r;
    for (const QString& f : FluxosDiarioInstantanea)
        r += f + u':' + f + u';';
    return r + TodosFluxos + u':' + TodosFluxos + u';';
}

bool ImpDiarioProdNaHora::txtNomenclatura_Saiu() {
    if (txtNomenclatura.codigo.trimmed().isEmpty()) {
        txtNomenclatura.codigo.clear();
        txtNomenclatura.descricao = Todas;
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).NomenclaturaInstantanea_Prod(txtNomenclatura, false, {}, Todas);
}

bool ImpDiarioProdNaHora::txtNomenclatura_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).NomenclaturaInstantanea_Prod(txtNomenclatura, true, {}, Todas);
}

FiltroDiarioInstantanea ImpDiarioProdNaHora::filtro() const {
    FiltroDiarioInstantanea f;
    f.nomenclatura = txtNomenclatura.codigo.trimmed();
    f.fluxo = fluxo.trimmed().isEmpty() ? TodosFluxos : fluxo.trimmed();
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    f.modo = modo;
    return f;
}

bool ImpDiarioProdNaHora::cmdImprimir_Click() {
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const FiltroDiarioInstantanea f = filtro();
    const auto diario = LerDiarioInstantanea(m_ctx.bd(), f);
    if (!diario) {
        m_ui.mensagem(diario.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (diario->grupos.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem movimentos para estas condições!"),
                      UserInteraction::Icone::Exclamacao, Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*diario, f, txtNomenclatura.descricao, *destino);
}
