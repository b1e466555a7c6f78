#include "printing/GraficoImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double Passo = 4.5;
constexpr double XProduto = 0, XDescricao = 26, RQuantidade = 120, RCusto = 150, RPeso = 175;
// The chart's frame under the table: plot area, legend to its right.
constexpr double AlturaGrafico = 100, TopoPlot = 8, AlturaPlot = 84;
constexpr double XPlot = 16, LarguraPlot = 106, XLegenda = 132, LarguraLegenda = 58, PassoLegenda = 3.3;
constexpr double RaioCircular = 38;

QString ouTodos(const QString& v, const QString& todos = QStringLiteral("Todos")) { return v.isEmpty() ? todos : v; }
QString dataOuTodas(const QString& d) { return d.isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

Currency somaPesos(const GraficoProducao& g) {
    Currency s;
    for (const PontoGrafico& p : g.pontos)
        s += p.peso;
    return s;
}

// Legend: one line per material, its colour, number and name.
void legenda(cPrinter& p, const GraficoProducao& g, double x, double y) {
    p.PFont(QStringLiteral("Arial Narrow"), 6, false);
    for (int i = 0; i < int(g.pontos.size()); ++i) {
        const PontoGrafico& pt = g.pontos[size_t(i)];
        const double yl = y + i * PassoLegenda;
        p.PFill(CorGrafico(i));
        p.pBox(x, yl + 0.4, x + 2.4, yl + 2.8, 0.1);
        p.PFill(QColor());
        p.L(QString::number(i + 1) + QStringLiteral(" ") + pt.produto + QStringLiteral(" - ") + pt.descricao, yl,
            x + 3.5, LarguraLegenda - 4);
    }
}

// Bars from the zero line: a material below zero (more returned than taken) hangs under it.
void barras(cPrinter& p, const GraficoProducao& g, double x0, double topo, int casas) {
    double maximo = 0, minimo = 0;
    for (const PontoGrafico& pt : g.pontos) {
        const double v = pt.medida(g.medida).toDouble();
        maximo = std::max(maximo, v);
        minimo = std::min(minimo, v);
    }
    const double amplitude = maximo - minimo > 0 ? maximo - minimo : 1;
    const double esquerda = x0 + XPlot, base = topo + AlturaPlot;
    const double zero = topo + AlturaPlot * maximo / amplitude;
    p.PColor(Qt::black);
    p.pLine(esquerda, topo, esquerda, base, 0.2);
    p.pLine(esquerda, zero, esquerda + LarguraPlot, zero, 0.2);
    p.PFont(QStringLiteral("Arial Narrow"), 6, false);
    p.r(QStringLiteral("0"), zero - 1.2, esquerda - 1);
    if (maximo > 0)
        p.r(formatarNumeroPT(Currency::fromDouble(maximo), casas), topo - 1.2, esquerda - 1);
    if (minimo < 0)
        p.r(formatarNumeroPT(Currency::fromDouble(minimo), casas), base - 1.2, esquerda - 1);
    const int n = int(g.pontos.size());
    const double passo = LarguraPlot / std::max(1, n);
    const bool rotulos = passo >= 7;
    for (int i = 0; i < n; ++i) {
        const PontoGrafico& pt = g.pontos[size_t(i)];
        const double v = pt.medida(g.medida).toDouble();
        const double x = esquerda + i * passo + passo * 0.15, largura = passo * 0.7;
        const double y = zero - AlturaPlot * v / amplitude;
        if (v != 0) {
            p.PFill(CorGrafico(i));
            p.pBox(x, std::min(y, zero), x + largura, std::max(y, zero), 0.1);
            p.PFill(QColor());
        }
        if (rotulos)
            // Below zero the label sits over the axis: under the bar is the material's number.
            p.c(PesoVisivel(pt.peso) + QStringLiteral("%"), (v < 0 ? zero : y) - 3, x + largura / 2);
        p.c(QString::number(i + 1), base + 0.8, x + largura / 2);
    }
}

// Slices of the materials above zero, clockwise from the top, each its share of their sum.
void circular(cPrinter& p, const GraficoProducao& g, double x0, double topo) {
    Currency soma;
    for (const PontoGrafico& pt : g.pontos)
        if (pt.medida(g.medida) > Currency())
            soma += pt.medida(g.medida);
    const double cx = x0 + XPlot + LarguraPlot / 2, cy = topo + AlturaPlot / 2;
    p.PColor(Qt::black);
    if (soma.isZero()) {
        p.pCircle(cx, cy, RaioCircular, 0.2);
        return;
    }
    p.PFont(QStringLiteral("Arial Narrow"), 6, false);
    constexpr double Pi = std::numbers::pi;
    double inicio = -90;
    for (int i = 0; i < int(g.pontos.size()); ++i) {
        const PontoGrafico& pt = g.pontos[size_t(i)];
        if (!(pt.medida(g.medida) > Currency()))
            continue;
        const double angulo = 360 * pt.medida(g.medida).toDouble() / soma.toDouble();
        std::vector<QPointF> fatia{{cx, cy}};
        const int passos = std::max(2, int(std::ceil(angulo / 2)));
        for (int k = 0; k <= passos; ++k) {
            const double a = (inicio + angulo * k / passos) * Pi / 180;
            fatia.emplace_back(cx + RaioCircular * std::cos(a), cy + RaioCircular * std::sin(a));
        }
        p.PFill(CorGrafico(i));
        p.pPolygon(fatia, 0.1);
        p.PFill(QColor());
        // A thin slice keeps its number in the legend only.
        if (angulo >= 10) {
            const double meio = (inicio + angulo / 2) * Pi / 180;
            const double rx = cx + (RaioCircular + 5) * std::cos(meio), ry = cy + (RaioCircular + 5) * std::sin(meio);
            p.c(QString::number(i + 1) + QStringLiteral(": ") + PesoVisivel(pt.peso) + QStringLiteral("%"), ry - 1.2,
                rx);
        }
        inicio += angulo;
    }
}

} // namespace

QColor CorGrafico(int indice) {
    // Hues a golden angle apart, so neighbours never look alike.
    return QColor::fromHsv((indice * 137) % 360, 150 + (indice % 3) * 40, 230 - (indice % 2) * 50);
}

DadosRelatorio DadosGrafico(const GraficoProducao& g, const FiltroGrafico& f, const QString& descricaoProduto,
                            TipoGrafico tipo) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("grafico");
    d.titulo = TituloGrafico;
    d.filtros = QJsonObject{
        {QStringLiteral("lote"), ouTodos(f.lote)},
        {QStringLiteral("processo"), ouTodos(f.processo)},
        {QStringLiteral("produto"), ouTodos(f.produto)},
        {QStringLiteral("descricaoProduto"), descricaoProduto},
        {QStringLiteral("de"), f.de},
        {QStringLiteral("ate"), f.ate},
        {QStringLiteral("medida"),
         g.medida == MedidaGrafico::Valor ? QStringLiteral("valor") : QStringLiteral("quantidade")},
        {QStringLiteral("grafico"), tipo == TipoGrafico::Circular ? QStringLiteral("circular") : QStringLiteral("barras")}};
    for (const PontoGrafico& p : g.pontos)
        d.linha(QStringLiteral("material"), {{QStringLiteral("produto"), p.produto},
                                             {QStringLiteral("descricao"), p.descricao},
                                             {QStringLiteral("quantidade"), MontanteJson(p.quantidade)},
                                             {QStringLiteral("valor"), MontanteJson(p.valor)},
                                             {QStringLiteral("peso"), MontanteJson(p.peso)}});
    d.totais = QJsonObject{{QStringLiteral("quantidade"), MontanteJson(g.totalQuantidade)},
                           {QStringLiteral("valor"), MontanteJson(g.totalValor)},
                           {QStringLiteral("peso"), MontanteJson(somaPesos(g))},
                           {QStringLiteral("limiteAtingido"), g.limiteAtingido}};
    return d;
}

bool ImprimirGrafico(cPrinter& p, const GraficoProducao& g, const FiltroGrafico& f, const QString& descricaoProduto,
                     TipoGrafico tipo, int casasQ, int casasV, const QString& empresa, const QString& destino,
                     const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloGrafico, emissao);
    mo.subtitulos << QStringLiteral("Lote Produzido: ") + ouTodos(f.lote)
                  << QStringLiteral("Número de Processo: ") + ouTodos(f.processo)
                  << QStringLiteral("Produto Acabado: ") +
                         (f.produto.isEmpty() ? QStringLiteral("Todos")
                                              : f.produto + QStringLiteral(" - ") + descricaoProduto)
                  << QStringLiteral("Data Inicial : ") + dataOuTodas(f.de) + QStringLiteral("     Data Final : ") +
                         dataOuTodas(f.ate);
    const double x0 = mo.x0;
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 8, true);
        p.L(QStringLiteral("Produto"), y, x0 + XProduto);
        p.L(QStringLiteral("Descrição"), y, x0 + XDescricao);
        p.r(QStringLiteral("Quantidade"), y, x0 + RQuantidade);
        p.r(QStringLiteral("Custo"), y, x0 + RCusto);
        p.r(QStringLiteral("Peso %"), y, x0 + RPeso);
        y += Passo;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;
    p.PFont(mo.fonte, 8, false);
    for (const PontoGrafico& pt : g.pontos) {
        if (!mo.linha(Passo))
            return false;
        p.L(pt.produto, mo.y, x0 + XProduto, XDescricao - XProduto - 1, 0, TipoDado::Texto);
        p.L(pt.descricao, mo.y, x0 + XDescricao, RQuantidade - XDescricao - 22);
        p.r(formatarNumeroPT(pt.quantidade, casasQ), mo.y, x0 + RQuantidade);
        p.r(formatarNumeroPT(pt.valor, casasV), mo.y, x0 + RCusto);
        p.r(PesoVisivel(pt.peso), mo.y, x0 + RPeso);
        mo.y += Passo;
    }
    if (!mo.linha(Passo + 1))
        return false;
    p.pLine(x0 + RQuantidade - 25, mo.y, x0 + RPeso, mo.y);
    mo.y += 0.5;
    p.PFont(mo.fonte, 8, true);
    p.L(QStringLiteral("Total"), mo.y, x0 + XProduto);
    p.r(formatarNumeroPT(g.totalQuantidade, casasQ), mo.y, x0 + RQuantidade);
    p.r(formatarNumeroPT(g.totalValor, casasV), mo.y, x0 + RCusto);
    p.r(PesoVisivel(somaPesos(g)), mo.y, x0 + RPeso);
    mo.y += Passo + 4;

    // The chart under the table; on a page of its own it needs no table captions.
    mo.colunas = nullptr;
    if (!mo.linha(AlturaGrafico))
        return false;
    const double topo = mo.y;
    p.PFont(mo.fonte, 9, true);
    p.c(g.medida == MedidaGrafico::Valor ? QStringLiteral("Valor por Matéria-Prima")
                                         : QStringLiteral("Quantidade por Matéria-Prima"),
        topo, x0 + XPlot + LarguraPlot / 2);
    if (tipo == TipoGrafico::Circular)
        circular(p, g, x0, topo + TopoPlot);
    else
        barras(p, g, x0, topo + TopoPlot, g.medida == MedidaGrafico::Valor ? casasV : casasQ);
    legenda(p, g, x0 + XLegenda, topo + TopoPlot);
    p.PColor(Qt::black);
    p.PFont(mo.fonte, 8, false);
    mo.y = topo + AlturaGrafico;
    return mo.mostrar();
}
