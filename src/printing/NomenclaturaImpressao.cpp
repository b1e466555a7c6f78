#include "printing/NomenclaturaImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/Medicoes.h"

namespace {

constexpr double Passo = 4.5;
// Left edges and right edges of the numbers, mm from the frame's left edge.
constexpr double XAcabado = 0, XPrima = 24, XDescPrima = 48, XArmazem = 118;
constexpr double XTipo = 130, RQuantidade = 160, RMedida = 182, RFactor = 182, XFormula = 186;

QString titulo(bool medicoes) {
    return medicoes ? QStringLiteral("Nomenclatura de Produtos Acabados (Medições)")
                    : QStringLiteral("Nomenclatura de Produtos Acabados");
}

} // namespace

DadosRelatorio DadosListagemNomenclatura(const std::vector<LinhaListagemNomenclatura>& linhas, bool medicoes,
                                         const QString& produto, bool discrimina) {
    DadosRelatorio d;
    d.relatorio = medicoes ? QStringLiteral("nomenclatura-medicoes") : QStringLiteral("nomenclatura");
    d.titulo = titulo(medicoes);
    d.filtros = QJsonObject{{QStringLiteral("produto"), produto.isEmpty() ? QStringLiteral("Todos") : produto},
                            {QStringLiteral("discrimina"), discrimina}};
    QString actual;
    for (const LinhaListagemNomenclatura& l : linhas) {
        if (l.produtoAcabado != actual) {
            actual = l.produtoAcabado;
            d.linha(QStringLiteral("produto"),
                    {{QStringLiteral("produto"), l.produtoAcabado}, {QStringLiteral("descricao"), l.descricaoAcabado}});
        }
        if (!discrimina)
            continue;
        QJsonObject c{{QStringLiteral("produtoAcabado"), l.produtoAcabado},
                      {QStringLiteral("produto"), l.produtoPrima},
                      {QStringLiteral("descricao"), l.descricaoPrima},
                      {QStringLiteral("armazem"), l.armazem},
                      {QStringLiteral("quantidade"), MontanteJson(l.quantidade)}};
        if (medicoes) {
            c.insert(QStringLiteral("tipoMedida"), l.tipoMedida);
            c.insert(QStringLiteral("medida"), MontanteJson(l.medida));
        } else {
            c.insert(QStringLiteral("factor"), MontanteJson(l.factor));
            c.insert(QStringLiteral("formula"), l.formula);
        }
        d.linha(QStringLiteral("componente"), c);
    }
    return d;
}

bool ImprimirListagemNomenclatura(cPrinter& p, const std::vector<LinhaListagemNomenclatura>& linhas, bool medicoes,
                                  bool discrimina, int casas, const QString& empresa, const QString& destino,
                                  const QDate& emissao) {
    MolduraRelatorio m(p, empresa, titulo(medicoes), emissao);
    const double x0 = m.x0;
    m.colunas = [&](double& y) {
        p.PFont(m.fonte, 8, true);
        p.L(QStringLiteral("Produto Acabado"), y, x0 + XAcabado);
        p.L(QStringLiteral("Produto M.Prima"), y, x0 + XPrima);
        p.L(QStringLiteral("Arm."), y, x0 + XArmazem);
        if (medicoes) {
            p.L(QStringLiteral("Tipo"), y, x0 + XTipo);
            p.r(QStringLiteral("Quantidade"), y, x0 + RQuantidade);
            p.r(QStringLiteral("Medida"), y, x0 + RMedida);
        } else {
            p.r(QStringLiteral("Quantidade"), y, x0 + RQuantidade);
            p.r(QStringLiteral("Factor Conv."), y, x0 + RFactor);
            p.L(QStringLiteral("F."), y, x0 + XFormula);
        }
        y += Passo;
        p.pLine(x0, y, x0 + m.largura, y);
        y += 1.5;
    };
    if (!m.iniciar(destino))
        return false;
    QString actual;
    for (const LinhaListagemNomenclatura& l : linhas) {
        if (l.produtoAcabado != actual) {
            if (!actual.isEmpty() && discrimina)
                m.y += 1.5;
            actual = l.produtoAcabado;
            // A product's heading never stays alone at the foot of a page.
            if (!m.linha(discrimina ? 2 * Passo : Passo))
                return false;
            p.PFont(m.fonte, 8, true);
            p.L(l.produtoAcabado, m.y, x0 + XAcabado, XPrima - XAcabado - 1, 0, TipoDado::Texto);
            p.L(l.descricaoAcabado, m.y, x0 + XPrima, XArmazem - XPrima - 2);
            m.y += Passo;
            p.PFont(m.fonte, 8, false);
        }
        if (!discrimina)
            continue;
        if (!m.linha(Passo))
            return false;
        p.L(l.produtoPrima, m.y, x0 + XPrima, XDescPrima - XPrima - 1, 0, TipoDado::Texto);
        p.L(l.descricaoPrima, m.y, x0 + XDescPrima, XArmazem - XDescPrima - 2);
        p.L(l.armazem, m.y, x0 + XArmazem, 0, 0, TipoDado::Texto);
        p.r(formatarNumeroPT(l.quantidade, casas), m.y, x0 + RQuantidade);
        if (medicoes) {
            p.L(DescricaoTipoMedida(l.tipoMedida), m.y, x0 + XTipo);
            p.r(formatarNumeroPT(l.medida, 4), m.y, x0 + RMedida);
        } else {
            p.r(formatarNumeroPT(l.factor, 4), m.y, x0 + RFactor);
            p.L(l.formula, m.y, x0 + XFormula, 0, 0, TipoDado::Texto);
        }
        m.y += Passo;
    }
    return m.mostrar();
}
