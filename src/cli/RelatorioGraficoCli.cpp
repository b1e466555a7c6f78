// "relatorio grafico": the raw materials that went into production, as the chart window prints them.

#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "printing/GraficoImpressao.h"
#include "production/GraficoEstatProdJanela.h"
#include "production/ProductionDocument.h"

namespace {

Resultado<RelatorioPronto> grafico(SessaoCli& s, const PedidoCli& p) {
    FiltroGrafico f;
    const auto lote = OpcaoCodigo(p, QStringLiteral("lote"), 10);
    if (!lote)
        return lote.falha();
    const auto processo = OpcaoCodigo(p, QStringLiteral("processo"), 10);
    if (!processo)
        return processo.falha();
    const auto produto = OpcaoCodigo(p, QStringLiteral("produto"), 15);
    if (!produto)
        return produto.falha();
    // A lot leaves the instant runs out and a run the lots: together they would chart nothing.
    if (!lote->isEmpty() && !processo->isEmpty())
        return Falha(QStringLiteral("Indique --lote ou --processo, não os dois."));
    f.lote = lote->isEmpty() ? QString() : ZerarLote(*lote);
    f.processo = *processo;
    f.produto = *produto;
    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();

    const QString medida = p.opcao(QStringLiteral("medida")).trimmed().toLower();
    if (medida == QStringLiteral("valor"))
        f.medida = MedidaGrafico::Valor;
    else if (!medida.isEmpty() && medida != QStringLiteral("quantidade"))
        return Falha(QStringLiteral("--medida só aceita \"quantidade\" ou \"valor\"."));
    const QString tipoTexto = p.opcao(QStringLiteral("grafico")).trimmed().toLower();
    TipoGrafico tipo = TipoGrafico::Barras;
    if (tipoTexto == QStringLiteral("circular"))
        tipo = TipoGrafico::Circular;
    else if (!tipoTexto.isEmpty() && tipoTexto != QStringLiteral("barras"))
        return Falha(QStringLiteral("--grafico só aceita \"barras\" ou \"circular\"."));

    // As the window's lookup: lots of the measurements option are not offered.
    if (!f.lote.isEmpty()) {
        const auto l = s.ctx.bd().lerValor(QStringLiteral("SELECT Lotes.lote FROM Lotes WHERE Lotes.lote=? AND (") +
                                               GraficoEstatProd::FiltroLotesSemMedicoes() + QStringLiteral(")"),
                                           {f.lote});
        if (!l)
            return l.falha();
        if (!l->isValid())
            return Falha(QStringLiteral("Lote Inexistente (Produção)"));
    }
    QString descricao;
    if (!f.produto.isEmpty()) {
        const auto codigo = s.produto(f.produto, &descricao);
        if (!codigo)
            return codigo.falha();
        f.produto = *codigo;
    }
    auto g = CalculaGraficoProducao(s.ctx.bd(), f);
    if (!g)
        return g.falha();
    if (g->pontos.empty())
        return Falha(QStringLiteral("Não existem registos para esta Condição!"));
    RelatorioPronto r;
    r.dados = DadosGrafico(*g, f, descricao, tipo);
    const int casasQ = qBound(0, s.ctx.casadecquant, 4), casasV = qBound(0, s.ctx.casadec, 4);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [g = *g, f, descricao, tipo, casasQ, casasV, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirGrafico(pr, g, f, descricao, tipo, casasQ, casasV, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

} // namespace

RelatorioCli RelatorioGraficoCli() {
    return {QStringLiteral("grafico"),
            QStringLiteral("frmGraficoEstatProd"),
            {QStringLiteral("cmdImprimir")},
            {QStringLiteral("lote"), QStringLiteral("processo"), QStringLiteral("produto"), QStringLiteral("de"),
             QStringLiteral("ate"), QStringLiteral("medida"), QStringLiteral("grafico")},
            QStringLiteral("[--lote L | --processo N] [--produto P] [--de AAAA-MM-DD] [--ate AAAA-MM-DD] "
                           "[--medida quantidade|valor] [--grafico barras|circular]"),
            grafico};
}
