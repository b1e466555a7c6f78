#include "printing/MapaProducaoImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

constexpr double Passo = 4.5;
constexpr double XAcabado = 0, XPrima = 24, XDescPrima = 44, XArmazem = 104, XLote = 114;
constexpr double RQuantidade = 150, RUnitario = 170, RTotal = 190;

QString dataOuTodas(const QString& d) { return d.isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

// Both maps' filters, in their JSON and under their title.
QJsonObject filtrosMapa(const FiltroMapaProducao& f) {
    return QJsonObject{{QStringLiteral("produto"), f.produto.isEmpty() ? QStringLiteral("Todos") : f.produto},
                       {QStringLiteral("de"), f.de},
                       {QStringLiteral("ate"), f.ate}};
}
QStringList subtitulosMapa(const FiltroMapaProducao& f, const QString& descricaoProduto) {
    return {QStringLiteral("Produto : ") +
                (f.produto.isEmpty() ? QStringLiteral("Todos") : f.produto + QStringLiteral(" - ") + descricaoProduto),
            QStringLiteral("Data Inicial : ") + dataOuTodas(f.de) + QStringLiteral("     Data Final : ") +
                dataOuTodas(f.ate)};
}

} // namespace

DadosRelatorio DadosMapaDiscriminado(const MapaDiscriminado& m, const FiltroMapaProducao& f) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("mapa-producao-discriminado");
    d.titulo = TituloMapaDiscriminado;
    d.filtros = filtrosMapa(f);
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
    mo.subtitulos << subtitulosMapa(f, descricaoProduto);
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

namespace {

// Portrait A4 holds the eleven columns in a small narrow font: x left edges, r right edges.
constexpr double PassoMapa = 4;
constexpr double MXAcabado = 0, MXDescAcabado = 19, MXPrima = 19, MXDescPrima = 35, MRArmazem = 62, MXLote = 64;
constexpr double MRQuantA = 95, MRPrecoA = 108, MRCustoA = 123;
constexpr double MRQuantB = 138, MRPrecoB = 152, MRCustoB = 167;
constexpr double MRDesvioQ = 179, MRDesvioC = 190;

} // namespace

DadosRelatorio DadosMapaProducao(const MapaProducao& m, const FiltroMapaProducao& f) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("mapa-producao");
    d.titulo = TituloMapaProducao;
    d.filtros = filtrosMapa(f);
    d.filtros.insert(QStringLiteral("discrimina"), m.discriminado);
    for (const LoteMapaProducao& l : m.lotes) {
        d.linha(QStringLiteral("lote"), {{QStringLiteral("lote"), l.lote},
                                         {QStringLiteral("data"), l.data},
                                         {QStringLiteral("produto"), l.produto},
                                         {QStringLiteral("descricao"), l.descricao},
                                         {QStringLiteral("armazem"), l.armazem},
                                         {QStringLiteral("quantidade"), MontanteJson(l.quantidade)},
                                         {QStringLiteral("custoUnitario"), MontanteJson(l.custoUnitario)},
                                         {QStringLiteral("custoTotal"), MontanteJson(l.custoTotal)}});
        if (!m.discriminado)
            continue;
        for (const ComponenteMapaProducao& c : l.componentes)
            d.linha(QStringLiteral("componente"),
                    {{QStringLiteral("lote"), l.lote},
                     {QStringLiteral("produto"), c.produto},
                     {QStringLiteral("descricao"), c.descricao},
                     {QStringLiteral("armazem"), c.armazem},
                     {QStringLiteral("lotes"), QJsonArray::fromStringList(c.lotes)},
                     {QStringLiteral("naNomenclatura"), c.naNomenclatura},
                     {QStringLiteral("quantidadeAplicada"), MontanteJson(c.quantidadeAplicada)},
                     {QStringLiteral("precoAplicado"), MontanteJson(c.precoAplicado)},
                     {QStringLiteral("custoAplicado"), MontanteJson(c.custoAplicado)},
                     {QStringLiteral("quantidadeNomenclatura"), MontanteJson(c.quantidadeNomenclatura)},
                     {QStringLiteral("precoNomenclatura"), MontanteJson(c.precoNomenclatura)},
                     {QStringLiteral("custoNomenclatura"), MontanteJson(c.custoNomenclatura)},
                     {QStringLiteral("desvioQuantidade"), MontanteJson(c.desvioQuantidade())},
                     {QStringLiteral("desvioCusto"), MontanteJson(c.desvioCusto())}});
        d.linha(QStringLiteral("soma"), {{QStringLiteral("lote"), l.lote},
                                         {QStringLiteral("custoAplicado"), MontanteJson(l.somaAplicado)},
                                         {QStringLiteral("custoNomenclatura"), MontanteJson(l.somaNomenclatura)},
                                         {QStringLiteral("desvioCusto"), MontanteJson(l.desvio())}});
    }
    QJsonObject totais{{QStringLiteral("custoTotal"), MontanteJson(m.totalCustoLotes)}};
    if (m.discriminado) {
        totais.insert(QStringLiteral("custoAplicado"), MontanteJson(m.totalAplicado));
        totais.insert(QStringLiteral("custoNomenclatura"), MontanteJson(m.totalNomenclatura));
        totais.insert(QStringLiteral("desvioCusto"), MontanteJson(m.desvio()));
    }
    d.linha(QStringLiteral("total"), totais);
    d.totais = totais;
    return d;
}

bool ImprimirMapaProducao(cPrinter& p, const MapaProducao& m, const FiltroMapaProducao& f,
                          const QString& descricaoProduto, int casasQ, int casasV, const QString& empresa,
                          const QString& destino, const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloMapaProducao, emissao);
    mo.subtitulos << subtitulosMapa(f, descricaoProduto);
    const double x0 = mo.x0;
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 7, true);
        // The groups over their columns, each underlined across its span.
        p.c(QStringLiteral("Valores aplicados na produção  a)"), y, x0 + (MXLote + 18 + MRCustoA) / 2);
        p.c(QStringLiteral("Valores da nomenclatura  b)"), y, x0 + (MRCustoA + MRCustoB) / 2);
        p.c(QStringLiteral("Desvio"), y, x0 + (MRCustoB + MRDesvioC) / 2);
        const double ys = y + PassoMapa - 0.5;
        p.pLine(x0 + MXLote + 18, ys, x0 + MRCustoA, ys);
        p.pLine(x0 + MRCustoA + 2, ys, x0 + MRCustoB, ys);
        p.pLine(x0 + MRCustoB + 2, ys, x0 + MRDesvioC, ys);
        y += PassoMapa;
        p.L(QStringLiteral("Produto Acabado"), y, x0 + MXAcabado);
        p.L(QStringLiteral("Produto M.Prima"), y, x0 + MXPrima);
        p.r(QStringLiteral("Arm."), y, x0 + MRArmazem);
        p.L(QStringLiteral("Lote"), y, x0 + MXLote);
        for (double r : {MRQuantA, MRQuantB})
            p.r(QStringLiteral("Quantidade"), y, x0 + r);
        for (double r : {MRPrecoA, MRPrecoB})
            p.r(QStringLiteral("Preço"), y, x0 + r);
        for (double r : {MRCustoA, MRCustoB})
            p.r(QStringLiteral("Custo Total"), y, x0 + r);
        p.c(QStringLiteral("a) - b)"), y, x0 + (MRCustoB + MRDesvioC) / 2);
        y += PassoMapa;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;
    auto numero = [&](const Currency& v, int casas, double r) { p.r(formatarNumeroPT(v, casas), mo.y, x0 + r); };
    // The three sums of a lot or of the map, under the cost columns.
    auto somas = [&](const QString& rotulo, const Currency& a, const Currency& b, const Currency& desvio) {
        p.pLine(x0 + MRPrecoA + 2, mo.y, x0 + MRDesvioC, mo.y);
        mo.y += 0.5;
        p.L(rotulo, mo.y, x0 + MXPrima);
        numero(a, casasV, MRCustoA);
        numero(b, casasV, MRCustoB);
        numero(desvio, casasV, MRDesvioC);
    };
    for (const LoteMapaProducao& l : m.lotes) {
        // A lot's line never stays alone at the foot of a page.
        if (!mo.linha(m.discriminado ? 2 * PassoMapa : PassoMapa))
            return false;
        p.PFont(mo.fonte, 7, m.discriminado);
        p.L(l.produto, mo.y, x0 + MXAcabado, MXDescAcabado - MXAcabado - 1, 0, TipoDado::Texto);
        p.L(l.descricao, mo.y, x0 + MXDescAcabado, MRArmazem - MXDescAcabado - 7);
        p.r(l.armazem, mo.y, x0 + MRArmazem, 0, 0, TipoDado::Texto);
        p.L(l.lote, mo.y, x0 + MXLote, MRQuantA - MXLote - 14, 0, TipoDado::Texto);
        numero(l.quantidade, casasQ, MRQuantA);
        numero(l.custoUnitario, 4, MRPrecoA);
        numero(l.custoTotal, casasV, MRCustoA);
        mo.y += PassoMapa;
        if (!m.discriminado)
            continue;
        p.PFont(mo.fonte, 7, false);
        for (const ComponenteMapaProducao& c : l.componentes) {
            if (!mo.linha(PassoMapa))
                return false;
            p.L(c.produto, mo.y, x0 + MXPrima, MXDescPrima - MXPrima - 1, 0, TipoDado::Texto);
            p.L(c.descricao, mo.y, x0 + MXDescPrima, MRArmazem - MXDescPrima - 7);
            p.r(c.armazem, mo.y, x0 + MRArmazem, 0, 0, TipoDado::Texto);
            // Several stock lots do not fit the column; the JSON lists them.
            if (c.lotes.size() == 1)
                p.L(c.lotes.first(), mo.y, x0 + MXLote, MRQuantA - MXLote - 14, 0, TipoDado::Texto);
            numero(c.quantidadeAplicada, casasQ, MRQuantA);
            numero(c.precoAplicado, 4, MRPrecoA);
            numero(c.custoAplicado, casasV, MRCustoA);
            if (c.naNomenclatura) {
                numero(c.quantidadeNomenclatura, casasQ, MRQuantB);
                numero(c.precoNomenclatura, 4, MRPrecoB);
                numero(c.custoNomenclatura, casasV, MRCustoB);
            }
            numero(c.desvioQuantidade(), casasQ, MRDesvioQ);
            numero(c.desvioCusto(), casasV, MRDesvioC);
            mo.y += PassoMapa;
        }
        if (!mo.linha(PassoMapa + 1))
            return false;
        p.PFont(mo.fonte, 7, true);
        somas(QStringLiteral("Soma dos Componentes"), l.somaAplicado, l.somaNomenclatura, l.desvio());
        p.PFont(mo.fonte, 7, false);
        mo.y += PassoMapa + 2;
    }
    if (!mo.linha(PassoMapa + 1))
        return false;
    p.PFont(mo.fonte, 8, true);
    if (m.discriminado) {
        somas(QStringLiteral("Total final"), m.totalAplicado, m.totalNomenclatura, m.desvio());
    } else {
        p.pLine(x0 + MRPrecoA + 2, mo.y, x0 + MRCustoA, mo.y);
        mo.y += 0.5;
        p.L(QStringLiteral("Total final"), mo.y, x0 + MXPrima);
        numero(m.totalCustoLotes, casasV, MRCustoA);
    }
    return mo.mostrar();
}
