#include "printing/MapaProducaoImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

constexpr double Passo = 4.5;
constexpr double XAcabado = 0, XPrima = 24, XDescPrima = 44, XArmazem = 104, XLote = 114;
constexpr double RQuantidade = 150, RUnitario = 170, RTotal = 190;

QString dataOuTodas(const QString& d) { return d.isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

} // namespace

DadosRelatorio DadosMapaDiscriminado(const MapaDiscriminado& m, const FiltroMapaProducao& f) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("mapa-producao-discriminado");
    d.titulo = TituloMapaDiscriminado;
    d.filtros = QJsonObject{{QStringLiteral("produto"), f.produto.isEmpty() ? QStringLiteral("Todos") : f.produto},
                            {QStringLiteral("de"), f.de},
                            {QStringLiteral("ate"), f.ate}};
    for (const BlocoMapaDiscriminado& b : m.blocos) {
        d.linha(QStringLiteral("lote"), {{QStringLiteral("lote"), b.lote},
                                         {QStringLiteral("data"), b.data},
                                         {QStringLiteral("produto"), b.produto},
                                         {QStringLiteral("descricao"), b.descricao},
                                         {QStringLiteral("quantidade"), MontanteJson(b.quantidade)},
                                         {QStringLiteral("custoUnitario"), MontanteJson(b.custoUnitario)},
                                         {QStringLiteral("custoTotal"), MontanteJson(b.custoTotal)}});
        for (const BlocoMapaDiscriminado::Linha& l : b.linhas)
            d.linha(QStringLiteral("componente"), {{QStringLiteral("lote"), b.lote},
                                                   {QStringLiteral("produto"), l.produto},
                                                   {QStringLiteral("descricao"), l.descricao},
                                                   {QStringLiteral("armazem"), l.armazem},
                                                   {QStringLiteral("loteMateria"), l.lote},
                                                   {QStringLiteral("quantidade"), MontanteJson(l.quantidade)},
                                                   {QStringLiteral("custoUnitario"), MontanteJson(l.custoUnitario)},
                                                   {QStringLiteral("custoTotal"), MontanteJson(l.custoTotal)}});
        d.linha(QStringLiteral("soma"), {{QStringLiteral("lote"), b.lote},
                                         {QStringLiteral("custoTotal"), MontanteJson(b.somaComponentes)}});
    }
    d.totais = QJsonObject{{QStringLiteral("custoTotal"), MontanteJson(m.totalGeral)}};
    return d;
}

bool ImprimirMapaDiscriminado(cPrinter& p, const MapaDiscriminado& m, const FiltroMapaProducao& f,
                              const QString& descricaoProduto, int casasQ, int casasV, const QString& empresa,
                              const QString& destino, const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloMapaDiscriminado, emissao);
    mo.subtitulos << QStringLiteral("Produto : ") +
                         (f.produto.isEmpty() ? QStringLiteral("Todos") : f.produto + QStringLiteral(" - ") + descricaoProduto)
                  << QStringLiteral("Data Inicial : ") + dataOuTodas(f.de) + QStringLiteral("     Data Final : ") +
                         dataOuTodas(f.ate);
    const double x0 = mo.x0;
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 8, true);
        p.L(QStringLiteral("Produto Acabado"), y, x0 + XAcabado);
        p.L(QStringLiteral("Produto M.Prima"), y, x0 + XPrima);
        p.L(QStringLiteral("Arm."), y, x0 + XArmazem);
        p.L(QStringLiteral("Lote"), y, x0 + XLote);
        p.r(QStringLiteral("Quantidade"), y, x0 + RQuantidade);
        p.r(QStringLiteral("Cust.Uni."), y, x0 + RUnitario);
        p.r(QStringLiteral("Cust.Total"), y, x0 + RTotal);
        y += Passo;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;
    auto valores = [&](const Currency& q, const Currency& u, const Currency& t) {
        p.r(formatarNumeroPT(q, casasQ), mo.y, x0 + RQuantidade);
        p.r(formatarNumeroPT(u, 4), mo.y, x0 + RUnitario);
        p.r(formatarNumeroPT(t, casasV), mo.y, x0 + RTotal);
    };
    for (const BlocoMapaDiscriminado& b : m.blocos) {
        // A lot's heading never stays alone at the foot of a page.
        if (!mo.linha(3 * Passo))
            return false;
        p.PFont(mo.fonte, 8, true);
        p.L(QStringLiteral("Lote : ") + b.lote + QStringLiteral("   Data : ") + DataVisivel(b.data), mo.y, x0);
        mo.y += Passo;
        p.L(b.produto, mo.y, x0 + XAcabado, XPrima - XAcabado - 1, 0, TipoDado::Texto);
        p.L(b.descricao, mo.y, x0 + XPrima, XArmazem - XPrima - 2);
        p.L(b.armazem, mo.y, x0 + XArmazem, 0, 0, TipoDado::Texto);
        valores(b.quantidade, b.custoUnitario, b.custoTotal);
        mo.y += Passo;
        p.PFont(mo.fonte, 8, false);
        for (const BlocoMapaDiscriminado::Linha& l : b.linhas) {
            if (!mo.linha(Passo))
                return false;
            p.L(l.produto, mo.y, x0 + XPrima, XDescPrima - XPrima - 1, 0, TipoDado::Texto);
            p.L(l.descricao, mo.y, x0 + XDescPrima, XArmazem - XDescPrima - 2);
            p.L(l.armazem, mo.y, x0 + XArmazem, 0, 0, TipoDado::Texto);
            p.L(l.lote, mo.y, x0 + XLote, RQuantidade - XLote - 16, 0, TipoDado::Texto);
            valores(l.quantidade, l.custoUnitario, l.custoTotal);
            mo.y += Passo;
        }
        if (!mo.linha(Passo + 1))
            return false;
        p.pLine(x0 + RUnitario + 2, mo.y, x0 + RTotal, mo.y);
        mo.y += 0.5;
        p.PFont(mo.fonte, 8, true);
        p.r(QStringLiteral("Soma do custo dos varios Componentes"), mo.y, x0 + RUnitario);
        p.r(formatarNumeroPT(b.somaComponentes, casasV), mo.y, x0 + RTotal);
        p.PFont(mo.fonte, 8, false);
        mo.y += Passo + 2;
    }
    if (!mo.linha(Passo))
        return false;
    p.PFont(mo.fonte, 9, true);
    p.r(QStringLiteral("Total Geral -------> "), mo.y, x0 + RUnitario);
    p.r(formatarNumeroPT(m.totalGeral, casasV), mo.y, x0 + RTotal);
    return mo.mostrar();
}
