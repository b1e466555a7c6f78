#include "printing/CapacidadeImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"

namespace {

constexpr double Passo = 4.5;
// Left edges (and right edges of the numbers), mm from the frame's left edge.
constexpr double XProduto = 0, XDescricao = 24, XPrima = 24, XDescPrima = 48, XArmazem = 128;
constexpr double RQuantidade = 160, RCapacidade = 190;

// Capacity never shows more than can be made: cut, not rounded, to the quantity decimals.
QString capacidade(const Currency& v, int casas) {
    return formatarNumeroPT(v.rounded(casas, Currency::Arredondamento::Trunca), casas);
}

} // namespace

DadosRelatorio DadosCapacidade(const std::vector<CapacidadeProduto>& lista, const QString& produto, bool discrimina,
                               int casasQuantidade) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("capacidade");
    d.titulo = TituloCapacidade;
    d.filtros = QJsonObject{{QStringLiteral("produto"), produto.isEmpty() ? QStringLiteral("Todos") : produto},
                            {QStringLiteral("discrimina"), discrimina}};
    for (const CapacidadeProduto& c : lista) {
        d.linha(QStringLiteral("produto"),
                {{QStringLiteral("produto"), c.produto},
                 {QStringLiteral("descricao"), c.descricao},
                 {QStringLiteral("capacidade"),
                  MontanteJson(c.capacidade.rounded(casasQuantidade, Currency::Arredondamento::Trunca))},
                 {QStringLiteral("custoUnitario"), MontanteJson(c.custoUnitario)}});
        if (!discrimina)
            continue;
        for (const CapacidadeProduto::Componente& m : c.componentes)
            d.linha(QStringLiteral("componente"), {{QStringLiteral("produtoAcabado"), c.produto},
                                                   {QStringLiteral("produto"), m.produto},
                                                   {QStringLiteral("descricao"), m.descricao},
                                                   {QStringLiteral("armazem"), m.armazem},
                                                   {QStringLiteral("quantidade"), MontanteJson(m.quantidade)},
                                                   {QStringLiteral("saldo"), MontanteJson(m.saldo)}});
    }
    return d;
}

bool ImprimirCapacidade(cPrinter& p, const std::vector<CapacidadeProduto>& lista, bool discrimina,
                        int casasQuantidade, const QString& empresa, const QString& destino, const QDate& emissao) {
    MolduraRelatorio m(p, empresa, TituloCapacidade + QStringLiteral(" conforme a existência em stock dos componemtes"),
                       emissao);
    const double x0 = m.x0;
    m.colunas = [&](double& y) {
        p.PFont(m.fonte, 8, true);
        p.L(QStringLiteral("Produto Acabado"), y, x0 + XProduto);
        p.L(QStringLiteral("Produto M.Prima"), y, x0 + XPrima);
        p.L(QStringLiteral("Arm."), y, x0 + XArmazem);
        p.r(QStringLiteral("Qty Nom."), y, x0 + RQuantidade);
        p.r(QStringLiteral("Capacidade"), y, x0 + RCapacidade);
        y += Passo;
        p.pLine(x0, y, x0 + m.largura, y);
        y += 1.5;
    };
    if (!m.iniciar(destino))
        return false;
    for (const CapacidadeProduto& c : lista) {
        // A product never starts at the foot of a page without its first component.
        if (!m.linha(discrimina && !c.componentes.empty() ? 2 * Passo : Passo))
            return false;
        p.PFont(m.fonte, 8, true);
        p.L(c.produto, m.y, x0 + XProduto, XDescricao - XProduto - 1, 0, TipoDado::Texto);
        p.L(c.descricao, m.y, x0 + XDescricao, XArmazem - XDescricao - 2);
        p.r(capacidade(c.capacidade, casasQuantidade), m.y, x0 + RCapacidade);
        m.y += Passo;
        p.PFont(m.fonte, 8, false);
        if (!discrimina)
            continue;
        for (const CapacidadeProduto::Componente& k : c.componentes) {
            if (!m.linha(Passo))
                return false;
            p.L(k.produto, m.y, x0 + XPrima, XDescPrima - XPrima - 1, 0, TipoDado::Texto);
            p.L(k.descricao, m.y, x0 + XDescPrima, XArmazem - XDescPrima - 2);
            p.L(k.armazem, m.y, x0 + XArmazem, 0, 0, TipoDado::Texto);
            p.r(formatarNumeroPT(k.quantidade, casasQuantidade), m.y, x0 + RQuantidade);
            m.y += Passo;
        }
        m.y += 1;
    }
    return m.mostrar();
}
