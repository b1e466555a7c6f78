#include "production/ImpRelatorioProdInstantanea.h"

#include "company/ArquivoDocumentos.h"

#include "company/GlobalContext.h"
#include "lookups/PesquisaTabelas.h"
#include "production/FormatoQuantidade.h"

namespace {

using Icone = UserInteraction::Icone;

const QStringList BotoesNaoSim{QStringLiteral("&Não"), QStringLiteral("&Sim")};

QString dataIso(const QDate& d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }

} // namespace

const QString ImpRelatorioProdInstantanea::LayoutLista = QStringLiteral(
    "Ordem,0,,,Ordem/Nº processo,1300,C,,Numprocesso/Tipo Entrada,1200,,,TipoEntrada/Número,1000,,,NumeroEntrada/"
    "Data,1000,,,DataEntrada/Tipo Saída,1000,,,TipoSaida/Número,1000,,,NumeroSaida/Data,1000,,,DataSaida/"
    "Equipamento,1200,,,Equipamento/Observações,3350,,,ObsLinha/Nomenclatura Aplicada,3000,,,Nomenclatura/"
    "TipoProcesso,0,,,TipoProcesso/");

ImpRelatorioProdInstantanea::ImpRelatorioProdInstantanea(GlobalContext& ctx, UserInteraction& ui)
    : m_ctx(ctx), m_ui(ui) {
    lvwLista.setUserInteraction(&ui);
    lvwLista.Cria_lvwLISTA(LayoutLista);
    txtEquipamento.descricao = QStringLiteral("Todos");
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), hoje.month(), 1);
    txtDataFinal = hoje;
}

QString ImpRelatorioProdInstantanea::Titulo() { return QStringLiteral("Relatório de Produção Instantânea"); }

bool ImpRelatorioProdInstantanea::txtEquipamento_Saiu() {
    if (txtEquipamento.codigo.trimmed().isEmpty()) {
        txtEquipamento.codigo.clear();
        txtEquipamento.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Prod_Equipamentos(txtEquipamento, false, {}, QStringLiteral("Todos"));
}

bool ImpRelatorioProdInstantanea::txtEquipamento_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Prod_Equipamentos(txtEquipamento, true, {}, QStringLiteral("Todos"));
}

FiltroRelatorioInstantanea ImpRelatorioProdInstantanea::filtro() const {
    FiltroRelatorioInstantanea f;
    f.de = dataIso(txtDataInicial);
    f.ate = dataIso(txtDataFinal);
    f.equipamento = txtEquipamento.codigo.trimmed();
    f.utilizador = m_ctx.CodigoUtilizador;
    return f;
}

bool ImpRelatorioProdInstantanea::cmdPesquisar_Click() {
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), Icone::Exclamacao, Titulo());
        return false;
    }
    const FiltroRelatorioInstantanea f = filtro();
    auto lidas = LerRelatorioInstantanea(m_ctx.bd(), f);
    if (!lidas) {
        m_ui.mensagem(lidas.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    m_linhas = std::move(*lidas);
    m_filtroLido = f;
    m_pesquisado = true;
    m_descricaoEquipamentoLido = f.equipamento.isEmpty() ? QString() : txtEquipamento.descricao;
    mostrarLista();
    return true;
}

void ImpRelatorioProdInstantanea::mostrarLista() {
    const auto antes = seleccionada();
    lvwLista.limparLinhas();
    for (const LinhaRelatorioInstantanea& r : m_linhas) {
        const int l = lvwLista.lvw_AddLinha();
        lvwLista.setId(l, r.ordem);
        // Zero-filled so that sorting by the hidden column gives the reading order back.
        lvwLista.lvw_PutValue(l, QStringLiteral("Ordem"), QStringLiteral("%1").arg(r.ordem, 8, 10, QLatin1Char('0')));
        lvwLista.lvw_PutValue(l, QStringLiteral("Numprocesso"), r.numProcesso);
        lvwLista.lvw_PutValue(l, QStringLiteral("TipoEntrada"), r.tipoEntrada);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumeroEntrada"), r.numeroEntrada);
        lvwLista.lvw_PutValue(l, QStringLiteral("DataEntrada"), DataVisivel(r.dataEntrada));
        lvwLista.lvw_PutValue(l, QStringLiteral("TipoSaida"), r.tipoSaida);
        lvwLista.lvw_PutValue(l, QStringLiteral("NumeroSaida"), r.numeroSaida);
        lvwLista.lvw_PutValue(l, QStringLiteral("DataSaida"), DataVisivel(r.dataSaida));
        lvwLista.lvw_PutValue(l, QStringLiteral("Equipamento"), r.equipamento);
        lvwLista.lvw_PutValue(l, QStringLiteral("ObsLinha"), r.observacoes);
        lvwLista.lvw_PutValue(l, QStringLiteral("Nomenclatura"), r.nomenclatura);
        lvwLista.lvw_PutValue(l, QStringLiteral("TipoProcesso"), r.tipoProcesso);
    }
    // A reload keeps the user's order and, when it is still there, the row.
    if (lvwLista.colunaOrdenada() >= 0)
        lvwLista.ordenar(lvwLista.colunaOrdenada(), lvwLista.ordemDescendente());
    if (antes) {
        for (const LinhaRelatorioInstantanea& r : m_linhas)
            if (r.numRegisto == antes->numRegisto && r.numProcesso == antes->numProcesso) {
                lvwLista.lvw_SelectLinha(lvwLista.linhaDoId(r.ordem));
                break;
            }
    }
}

std::vector<LinhaRelatorioInstantanea> ImpRelatorioProdInstantanea::linhasPorOrdem() const {
    std::vector<LinhaRelatorioInstantanea> r;
    for (int l = 0; l < lvwLista.numLinhas(); ++l) {
        const qint64 id = lvwLista.id(l);
        if (id >= 1 && id <= qint64(m_linhas.size()))
            r.push_back(m_linhas[size_t(id - 1)]);
    }
    return r;
}

std::optional<LinhaRelatorioInstantanea> ImpRelatorioProdInstantanea::seleccionada() const {
    const int l = lvwLista.linhaSeleccionada();
    if (l < 0 || l >= lvwLista.numLinhas())
        return std::nullopt;
    const qint64 id = lvwLista.id(l);
    if (id < 1 || id > qint64(m_linhas.size()))
        return std::nullopt;
    return m_linhas[size_t(id - 1)];
}

bool ImpRelatorioProdInstantanea::cmdImprimir_Click() {
    const std::vector<LinhaRelatorioInstantanea> rows = linhasPorOrdem();
    if (rows.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Condição!"), Icone::Exclamacao, Titulo());
        return false;
    }
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(rows, m_filtroLido, m_descricaoEquipamentoLido, *destino);
}

bool ImpRelatorioProdInstantanea::cmdEliminarProcesso_Click() {
    const auto r = seleccionada();
    if (!r)
        return false;
    return eliminarProcesso(r->numProcesso, r->tipoProcesso);
}

bool ImpRelatorioProdInstantanea::eliminarProcesso(const QString& numProcesso, const QString& tipoProcesso) {
    const QString num = numProcesso.trimmed();
    if (num.isEmpty()) {
        m_ui.mensagem(MensagemSemNumeroProcesso, Icone::Exclamacao, Titulo());
        return false;
    }
    if (tipoProcesso == TipoProcessoProcessos) {
        m_ui.mensagem(MensagemProcessoDeProcessos, Icone::Exclamacao, Titulo());
        return false;
    }
    // Refused before the question: a closed period or a process's run is not worth confirming.
    if (const auto v = VerificaEliminacaoInstantanea(m_ctx, num); !v) {
        m_ui.mensagem(v.mensagem(), Icone::Exclamacao, Titulo());
        return false;
    }
    if (m_ui.caixaBotoes(QStringLiteral("Confirma a eliminação?"), Titulo(), BotoesNaoSim, Icone::Pergunta) != 1)
        return false;
    const auto e = EliminarProcessoInstantaneo(m_ctx, num);
    if (!e)
        m_ui.mensagem(e.mensagem(), Icone::Critico, Titulo());
    else
        // The run is gone; its filed documents would be found by the next run of that number.
        (void)RemoverDocumentosArquivados(m_ctx, QStringLiteral("PI") + num.trimmed());
    // The list shows what the database holds now, whatever happened.
    if (m_pesquisado)
        cmdPesquisar_Click();
    return e.ok();
}

void ImpRelatorioProdInstantanea::cmdHistDoc_Click() {
    const auto r = seleccionada();
    if (!r)
        return;
    // A process's run files under the process; an instant run under its own number.
    const bool deProcesso = r->tipoProcesso == TipoProcessoProcessos && !r->processo.trimmed().isEmpty();
    const QString numero = deProcesso ? r->processo.trimmed() : r->numProcesso.trimmed();
    if (r->numProcesso.trimmed().isEmpty()) {
        m_ui.mensagem(QStringLiteral("Este registo não pode ter documentos em anexo."), Icone::Informacao, Titulo());
        return;
    }
    if (abrirHistorico)
        abrirHistorico(deProcesso ? QStringLiteral("PP") : QStringLiteral("PI"), numero,
                       QStringLiteral("de produção (Processo nº ") + numero + QStringLiteral(")"));
}

bool ImpRelatorioProdInstantanea::cmdImpEtiquetas_Click() {
    const auto r = seleccionada();
    if (!r)
        return false;
    if (r->numProcesso.isEmpty() || r->produto.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Este registo não tem produto acabado para etiquetar."), Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const auto e = LerEtiquetasInstantanea(m_ctx.bd(), *r);
    if (!e) {
        m_ui.mensagem(e.mensagem(), Icone::Critico, Titulo());
        return false;
    }
    if (e->etiquetas < Currency(1)) {
        m_ui.mensagem(QStringLiteral("A quantidade deste produto não dá nenhuma etiqueta."), Icone::Exclamacao,
                      Titulo());
        return false;
    }
    if (abrirEtiquetas)
        abrirEtiquetas(*e);
    return true;
}
