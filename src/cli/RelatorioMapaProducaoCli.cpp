// "relatorio mapa-producao": the lots of a period with, on request, their components beside the bill.

#include "cli/RelatorioCli.h"
#include "company/GlobalContext.h"
#include "printing/MapaProducaoImpressao.h"
#include "printing/cPrinter.h"

namespace {

Resultado<RelatorioPronto> mapaProducao(SessaoCli& s, const PedidoCli& p) {
    FiltroMapaProducao f;
    const auto produto = OpcaoCodigo(p, QStringLiteral("produto"), 15);
    if (!produto)
        return produto.falha();
    f.produto = *produto;
    if (auto r = OpcaoPeriodo(p, f.de, f.ate); !r)
        return r.falha();
    const auto discrimina = OpcaoSimNao(p, QStringLiteral("discrimina"));
    if (!discrimina)
        return discrimina.falha();
    auto mapa = LerMapaProducao(s.ctx.bd(), f, *discrimina);
    if (!mapa)
        return mapa.falha();
    if (mapa->lotes.empty())
        return Falha(QStringLiteral("Não existem registos para esta Condição!"));
    const QString descricao =
        s.ctx.bd().scalar(QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), {f.produto}).toString();
    RelatorioPronto r;
    r.dados = DadosMapaProducao(*mapa, f);
    const int casasQ = qBound(0, s.ctx.casadecquant, 4), casasV = qBound(0, s.ctx.casadec, 4);
    const QString empresa = NomeEmpresaImpressao(s.ctx);
    r.desenhar = [m = *mapa, f, descricao, casasQ, casasV, empresa](cPrinter& pr, const QDate& emissao) {
        return ImprimirMapaProducao(pr, m, f, descricao, casasQ, casasV, empresa, QStringLiteral("S"), emissao);
    };
    return r;
}

} // namespace

RelatorioCli RelatorioMapaProducaoCli() {
    return {QStringLiteral("mapa-producao"),
            QStringLiteral("frmImpMapaProducao"),
            {QStringLiteral("cmdImprimir")},
            {QStringLiteral("produto"), QStringLiteral("de"), QStringLiteral("ate"), QStringLiteral("discrimina")},
            QStringLiteral("[--produto P] [--de AAAA-MM-DD] [--ate AAAA-MM-DD] [--discrimina sim]"),
            mapaProducao};
}
