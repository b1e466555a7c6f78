#include "printing/AnaliseGruposImpressao.h"

#include "controls/FormatoNumero.h"
#include "printing/cPrinter.h"
#include "production/FormatoQuantidade.h"

namespace {

constexpr double Passo = 4;
// Headings step in as the levels go down; the rows start under the product's code.
constexpr double XGrupo = 0, XFamilia = 3, XSubfamilia = 6, XProduto = 9;
constexpr double XData = 12, XTipo = 32, XNumero = 42, XArmazem = 60;
constexpr double RQuantidade = 140, RPreco = 165, RValor = 190;
constexpr double XQuebras = 6; // the "Total da …" lines

const QString FonteQuebras = QStringLiteral("Courier New");

QString codigoEDescricao(const QString& codigo, const QString& descricao, const QString& todos) {
    if (codigo.trimmed().isEmpty())
        return todos;
    return descricao.trimmed().isEmpty() ? codigo : codigo + QStringLiteral(" - ") + descricao;
}

// A heading's code and description; products without that level say so.
QString cabecalho(const QString& nivel, const QString& codigo, const QString& descricao, const QString& sem) {
    return nivel + QStringLiteral(" : ") + codigoEDescricao(codigo, descricao, sem);
}

QString textoCambio(const FiltroAnaliseGrupos& f, const QString& descricao) {
    const bool semValor = f.valorCambio.isZero() || f.valorCambio == Currency(1);
    if (f.cambio.trimmed().isEmpty() && semValor)
        return QStringLiteral("Nenhum");
    const Currency valor = f.valorCambio.isZero() ? Currency(1) : f.valorCambio;
    const QString valorTexto = formatarNumeroPT(valor, 4);
    if (f.cambio.trimmed().isEmpty())
        return valorTexto;
    return codigoEDescricao(f.cambio, descricao, {}) + QStringLiteral(" (") + valorTexto + QLatin1Char(')');
}

QString dataOuAberta(const QString& d) { return d.trimmed().isEmpty() ? QStringLiteral("--") : DataVisivel(d); }

QJsonObject totaisJson(const TotaisAnalise& t) {
    return QJsonObject{{QStringLiteral("quantidade"), MontanteJson(t.quantidade)},
                       {QStringLiteral("preco"), MontanteJson(t.preco())},
                       {QStringLiteral("valor"), MontanteJson(t.valor)}};
}

QJsonObject comTotais(QJsonObject o, const TotaisAnalise& t) {
    const QJsonObject tj = totaisJson(t);
    for (auto it = tj.begin(); it != tj.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

} // namespace

DadosRelatorio DadosAnaliseGrupos(const AnaliseGrupos& a, const FiltroAnaliseGrupos& f) {
    DadosRelatorio d;
    d.relatorio = QStringLiteral("analise-grupos");
    d.titulo = TituloAnaliseGrupos;
    d.filtros = QJsonObject{
        {QStringLiteral("tipo"), f.tipo},
        {QStringLiteral("lote"), f.lote},
        {QStringLiteral("numeroDocumento"), a.numeroDocumento},
        {QStringLiteral("produto"), f.produto},
        {QStringLiteral("situacao"), f.situacao},
        {QStringLiteral("vendedor"), f.vendedor},
        {QStringLiteral("grupo"), f.grupo},
        {QStringLiteral("familia"), f.familia},
        {QStringLiteral("subfamilia"), f.subfamilia},
        {QStringLiteral("armazens"), QJsonArray::fromStringList(f.armazens)},
        {QStringLiteral("cambio"), f.cambio},
        {QStringLiteral("valorCambio"), MontanteJson(f.valorCambio.isZero() ? Currency(1) : f.valorCambio)},
        {QStringLiteral("de"), f.de},
        {QStringLiteral("ate"), f.ate},
        {QStringLiteral("resumo"), f.resumo}};
    for (const GrupoAnalise& g : a.grupos) {
        for (const FamiliaAnalise& fa : g.familias) {
            for (const SubfamiliaAnalise& s : fa.subfamilias) {
                for (const ProdutoAnalise& p : s.produtos) {
                    d.linha(QStringLiteral("produto"), comTotais({{QStringLiteral("grupo"), g.codigo},
                                                                  {QStringLiteral("familia"), fa.codigo},
                                                                  {QStringLiteral("subfamilia"), s.codigo},
                                                                  {QStringLiteral("codigo"), p.codigo},
                                                                  {QStringLiteral("descricao"), p.descricao}},
                                                                 p.total));
                    if (f.resumo)
                        continue;
                    for (const MovimentoAnalise& m : p.movimentos)
                        d.linha(QStringLiteral("movimento"),
                                {{QStringLiteral("produto"), p.codigo},
                                 {QStringLiteral("data"), m.data},
                                 {QStringLiteral("tipoDocumento"), m.tipo},
                                 {QStringLiteral("numero"), m.numero},
                                 {QStringLiteral("armazem"), m.armazem},
                                 {QStringLiteral("quantidade"), MontanteJson(m.quantidade)},
                                 {QStringLiteral("preco"), MontanteJson(m.preco)},
                                 {QStringLiteral("valor"), MontanteJson(m.valor)}});
                }
                d.linha(QStringLiteral("subfamilia"), comTotais({{QStringLiteral("grupo"), g.codigo},
                                                                 {QStringLiteral("familia"), fa.codigo},
                                                                 {QStringLiteral("codigo"), s.codigo},
                                                                 {QStringLiteral("descricao"), s.descricao}},
                                                                s.total));
            }
            d.linha(QStringLiteral("familia"), comTotais({{QStringLiteral("grupo"), g.codigo},
                                                          {QStringLiteral("codigo"), fa.codigo},
                                                          {QStringLiteral("descricao"), fa.descricao}},
                                                         fa.total));
        }
        d.linha(QStringLiteral("grupo"),
                comTotais({{QStringLiteral("codigo"), g.codigo}, {QStringLiteral("descricao"), g.descricao}}, g.total));
    }
    d.linha(QStringLiteral("total"), totaisJson(a.total));
    d.totais = totaisJson(a.total);
    return d;
}

bool ImprimirAnaliseGrupos(cPrinter& p, const AnaliseGrupos& a, const FiltroAnaliseGrupos& f,
                           const DescricoesAnaliseGrupos& d, int casasQ, int casasV, const QString& empresa,
                           const QString& destino, const QDate& emissao) {
    MolduraRelatorio mo(p, empresa, TituloAnaliseGrupos, emissao);
    const QString separa = QStringLiteral("     ");
    QString tipo = QStringLiteral("Tipo : ") + codigoEDescricao(f.tipo, d.tipo, QStringLiteral("Todos"));
    if (!f.lote.trimmed().isEmpty())
        tipo += separa + QStringLiteral("Lote : ") + f.lote.trimmed() +
                (a.numeroDocumento.isEmpty() ? QString() : QStringLiteral(" (Nº ") + a.numeroDocumento + QLatin1Char(')'));
    tipo += f.resumo ? QStringLiteral("  << RESUMO >>") : QStringLiteral("  << DISCRIMINADO >>");
    mo.subtitulos
        << tipo
        << QStringLiteral("Produto : ") + codigoEDescricao(f.produto, d.produto, QStringLiteral("Todos os Produtos")) +
               separa + QStringLiteral("Situação : ") +
               codigoEDescricao(f.situacao, d.situacao, QStringLiteral("Todas as Situações")) + separa +
               QStringLiteral("Vendedor : ") +
               codigoEDescricao(f.vendedor, d.vendedor, QStringLiteral("Todos os Vendedores"))
        << QStringLiteral("Grupo : ") + codigoEDescricao(f.grupo, d.grupo, QStringLiteral("Todos os Grupos")) + separa +
               QStringLiteral("Família : ") +
               codigoEDescricao(f.familia, d.familia, QStringLiteral("Todas as Famílias")) + separa +
               QStringLiteral("Subfamília : ") +
               codigoEDescricao(f.subfamilia, d.subfamilia, QStringLiteral("Todas as Subfamílias"))
        << QStringLiteral("Armazém : ") +
               (f.armazens.isEmpty() ? QStringLiteral("Todos os Armazéns") : f.armazens.join(QStringLiteral(", "))) +
               separa + QStringLiteral("Câmbio : ") + textoCambio(f, d.cambio) + separa +
               QStringLiteral("Dt Inicial : ") + dataOuAberta(f.de) + QStringLiteral("   Dt Final : ") +
               dataOuAberta(f.ate);
    const double x0 = mo.x0;
    mo.colunas = [&](double& y) {
        p.PFont(mo.fonte, 8, true);
        if (f.resumo) {
            p.L(QStringLiteral("Produto"), y, x0 + XProduto);
        } else {
            p.L(QStringLiteral("Data"), y, x0 + XData);
            p.L(QStringLiteral("Tip"), y, x0 + XTipo);
            p.L(QStringLiteral("Núm"), y, x0 + XNumero);
            p.L(QStringLiteral("Arm."), y, x0 + XArmazem);
        }
        p.r(QStringLiteral("Quant."), y, x0 + RQuantidade);
        p.r(QStringLiteral("Preço"), y, x0 + RPreco);
        p.r(QStringLiteral("Qty * Prç"), y, x0 + RValor);
        // The note of the average price, above the date of emission at the foot of the page.
        p.PFont(mo.fonte, 7, false, true);
        p.L(QStringLiteral("*) Preço Médio de Custo do Periodo"), p.mY() - 13, x0);
        y += Passo;
        p.pLine(x0, y, x0 + mo.largura, y);
        y += 1.5;
    };
    if (!mo.iniciar(destino))
        return false;

    auto valores = [&](const Currency& q, const Currency& preco, const Currency& v) {
        p.r(formatarNumeroPT(q, casasQ), mo.y, x0 + RQuantidade);
        p.r(formatarNumeroPT(preco, 4), mo.y, x0 + RPreco);
        p.r(formatarNumeroPT(v, casasV), mo.y, x0 + RValor);
    };
    // A heading never stays alone at the foot of a page: room for it and the next line.
    auto titulo = [&](const QString& texto, double x, double tamanho) {
        if (!mo.linha(2 * Passo))
            return false;
        p.PFont(mo.fonte, tamanho, true);
        p.L(texto, mo.y, x0 + x, RQuantidade - 30 - x, 0, TipoDado::Texto);
        mo.y += Passo;
        return true;
    };
    auto quebra = [&](const QString& rotulo, const TotaisAnalise& t) {
        if (!mo.linha(Passo + 1))
            return false;
        p.pLine(x0 + RQuantidade - 22, mo.y, x0 + RValor, mo.y);
        mo.y += 0.5;
        p.PFont(FonteQuebras, 7, true);
        p.L(rotulo, mo.y, x0 + XQuebras);
        p.PFont(mo.fonte, 8, true);
        valores(t.quantidade, t.preco(), t.valor);
        mo.y += Passo + 1.5;
        return true;
    };
    auto produto = [&](const ProdutoAnalise& pr) {
        return QStringLiteral("Produto -> ") + pr.codigo + QStringLiteral("  ") + pr.descricao;
    };

    for (const GrupoAnalise& g : a.grupos) {
        if (!titulo(cabecalho(QStringLiteral("Grupo"), g.codigo, g.descricao, QStringLiteral("Sem grupo")), XGrupo, 9))
            return false;
        for (const FamiliaAnalise& fa : g.familias) {
            if (!titulo(cabecalho(QStringLiteral("Família"), fa.codigo, fa.descricao, QStringLiteral("Sem família")),
                        XFamilia, 8.5))
                return false;
            for (const SubfamiliaAnalise& s : fa.subfamilias) {
                if (!titulo(cabecalho(QStringLiteral("Subfamília"), s.codigo, s.descricao,
                                      QStringLiteral("Sem subfamília")),
                            XSubfamilia, 8))
                    return false;
                for (const ProdutoAnalise& pr : s.produtos) {
                    if (f.resumo) {
                        if (!mo.linha(Passo))
                            return false;
                        p.PFont(mo.fonte, 8, false);
                        p.L(produto(pr), mo.y, x0 + XProduto, RQuantidade - 25 - XProduto, 0, TipoDado::Texto);
                        valores(pr.total.quantidade, pr.total.preco(), pr.total.valor);
                        mo.y += Passo;
                        continue;
                    }
                    if (!titulo(produto(pr), XProduto, 8))
                        return false;
                    p.PFont(mo.fonte, 8, false);
                    for (const MovimentoAnalise& m : pr.movimentos) {
                        if (!mo.linha(Passo))
                            return false;
                        p.L(DataVisivel(m.data), mo.y, x0 + XData);
                        p.L(m.tipo, mo.y, x0 + XTipo, 0, 0, TipoDado::Texto);
                        p.L(m.numero, mo.y, x0 + XNumero, XArmazem - XNumero - 1, 0, TipoDado::Texto);
                        p.L(m.armazem, mo.y, x0 + XArmazem, 0, 0, TipoDado::Texto);
                        valores(m.quantidade, m.preco, m.valor);
                        mo.y += Passo;
                    }
                    if (!mo.linha(Passo + 1))
                        return false;
                    p.pLine(x0 + RQuantidade - 22, mo.y, x0 + RValor, mo.y);
                    mo.y += 0.5;
                    p.PFont(mo.fonte, 8, true);
                    p.r(QStringLiteral("Total do Produto"), mo.y, x0 + RQuantidade - 25);
                    valores(pr.total.quantidade, pr.total.preco(), pr.total.valor);
                    p.PFont(mo.fonte, 8, false);
                    mo.y += Passo + 1;
                }
                if (!quebra(QStringLiteral("Total da Subfamilia - - - - - - - - - - - - - - - - - - - ->"), s.total))
                    return false;
            }
            if (!quebra(QStringLiteral("Total da Familia  - - - - - - - - - - - - - - - - - - - - - - - ->"), fa.total))
                return false;
        }
        if (!quebra(QStringLiteral("Total do Grupo  - - - - - - - - - - - - - - - - - - - - - - - - - - - ->"),
                    g.total))
            return false;
    }
    if (!mo.linha(Passo + 2))
        return false;
    p.pLine(x0, mo.y, x0 + mo.largura, mo.y);
    mo.y += 1;
    p.PFont(mo.fonte, 9, true);
    p.L(QStringLiteral("Total Geral"), mo.y, x0 + XQuebras);
    valores(a.total.quantidade, a.total.preco(), a.total.valor);
    return mo.mostrar();
}
