#include "production/GraficoEstatProdJanela.h"

#include "company/GlobalContext.h"
#include "controls/FormatoNumero.h"
#include "lookups/PesquisaTabelas.h"

GraficoEstatProd::GraficoEstatProd(GlobalContext& ctx, UserInteraction& ui) : m_ctx(ctx), m_ui(ui) {
    txtProduto.descricao = QStringLiteral("Todos");
    const QDate hoje = QDate::currentDate();
    txtDataInicial = QDate(hoje.year(), 1, 1);
    txtDataFinal = hoje;
}

QString GraficoEstatProd::Titulo() { return QStringLiteral("Gráfico Estatístico de Produção"); }

QString GraficoEstatProd::FiltroLotesSemMedicoes() {
    return QStringLiteral("Lotes.MedicoesAltura=0 OR Lotes.MedicoesAltura IS NULL OR Lotes.MedicoesLargura=0 OR "
                          "Lotes.MedicoesLargura IS NULL");
}

QString GraficoEstatProd::MensagemLimite() {
    return QStringLiteral("Limite de %1\nAtingiu o limite máximo de produtos a apresentar.").arg(LimiteMateriaisGrafico);
}

bool GraficoEstatProd::txtLote_Saiu() {
    if (txtLote.codigo.trimmed().isEmpty()) {
        txtLote.limpar();
        return true;
    }
    FiltroSQL f;
    f.e(FiltroLotesSemMedicoes());
    return pesquisaTabelas(m_ctx, m_ui).Lotes_Producao(txtLote, false, f);
}

bool GraficoEstatProd::txtLote_Pesquisar() {
    FiltroSQL f;
    f.e(FiltroLotesSemMedicoes());
    return pesquisaTabelas(m_ctx, m_ui).Lotes_Producao(txtLote, true, f);
}

bool GraficoEstatProd::txtProduto_Saiu() {
    if (txtProduto.codigo.trimmed().isEmpty()) {
        txtProduto.codigo.clear();
        txtProduto.descricao = QStringLiteral("Todos");
        return true;
    }
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, false, {}, QStringLiteral("Todos"));
}

bool GraficoEstatProd::txtProduto_Pesquisar() {
    return pesquisaTabelas(m_ctx, m_ui).Produtos(txtProduto, true, {}, QStringLiteral("Todos"));
}

FiltroGrafico GraficoEstatProd::filtro() const {
    FiltroGrafico f;
    f.lote = txtLote.codigo.trimmed();
    f.processo = txtNumProcesso.trimmed();
    f.produto = txtProduto.codigo.trimmed();
    f.de = txtDataInicial.isValid() ? txtDataInicial.toString(Qt::ISODate) : QString();
    f.ate = txtDataFinal.isValid() ? txtDataFinal.toString(Qt::ISODate) : QString();
    f.medida = optValor ? MedidaGrafico::Valor : MedidaGrafico::Quantidade;
    return f;
}

bool GraficoEstatProd::cmdCalcula_Click() {
    m_resultado.reset();
    if (txtDataInicial.isValid() && txtDataFinal.isValid() && txtDataInicial > txtDataFinal) {
        m_ui.mensagem(QStringLiteral("A Data Inicial é posterior à Data Final!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    const FiltroGrafico f = filtro();
    // A lot leaves the instant runs out and a run the lots: both would chart nothing.
    if (!f.lote.isEmpty() && !f.processo.isEmpty()) {
        m_ui.mensagem(QStringLiteral("Indique o lote ou o número de processo, não os dois."),
                      UserInteraction::Icone::Exclamacao, Titulo());
        return false;
    }
    auto g = CalculaGraficoProducao(m_ctx.bd(), f);
    if (!g) {
        m_ui.mensagem(g.mensagem(), UserInteraction::Icone::Critico, Titulo());
        return false;
    }
    if (g->limiteAtingido)
        m_ui.mensagem(MensagemLimite(), UserInteraction::Icone::Exclamacao, Titulo());
    if (g->pontos.empty()) {
        m_ui.mensagem(QStringLiteral("Não existem registos para esta Condição!"), UserInteraction::Icone::Exclamacao,
                      Titulo());
        return false;
    }
    m_filtroCalculado = f;
    m_descricaoProduto = f.produto.isEmpty() ? QString() : txtProduto.descricao;
    m_resultado = std::move(g).valor();
    return true;
}

void GraficoEstatProd::mudarMedida(bool valor) {
    optValor = valor;
    if (m_resultado) {
        m_filtroCalculado.medida = valor ? MedidaGrafico::Valor : MedidaGrafico::Quantidade;
        CalculaPesos(*m_resultado, m_filtroCalculado.medida);
    }
}

QString GraficoEstatProd::quantidadeVisivel(const Currency& q) const {
    return formatarNumeroPT(q, qBound(0, m_ctx.casadecquant, 4));
}

QString GraficoEstatProd::valorVisivel(const Currency& v) const { return formatarNumeroPT(v, qBound(0, m_ctx.casadec, 4)); }

QString GraficoEstatProd::textoPonto(int indice) const {
    if (!m_resultado || indice < 0 || indice >= int(m_resultado->pontos.size()))
        return {};
    const PontoGrafico& p = m_resultado->pontos[size_t(indice)];
    const QString medida = m_resultado->medida == MedidaGrafico::Valor
                               ? QStringLiteral("Valor: ") + valorVisivel(p.valor)
                               : QStringLiteral("Quantidade: ") + quantidadeVisivel(p.quantidade);
    return medida + QStringLiteral("   Peso: ") + PesoVisivel(p.peso) + QStringLiteral(" %");
}

QString GraficoEstatProd::lblValorTotal() const {
    return m_resultado ? valorVisivel(m_resultado->totalValor) : QString();
}

bool GraficoEstatProd::cmdImprimir_Click() {
    if (!m_resultado && !cmdCalcula_Click())
        return false;
    const auto destino = PerguntaTipoListagem(m_ui);
    if (!destino)
        return false;
    return imprimir && imprimir(*m_resultado, m_filtroCalculado, m_descricaoProduto, tipo, *destino);
}
