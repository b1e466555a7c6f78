#include "production/CapacidadeProducao.h"

#include "company/ParametrosEmpresa.h"
#include "db/Database.h"
#include "stock/MovimentosStock.h"

#include <QHash>
#include <QSqlQuery>

namespace {

constexpr auto Metade = Currency::Arredondamento::MetadeAfastaDeZero;

struct Linha {
    QString acabado, descAcabado, prima, descPrima, armazem, precario;
    Currency quantidade, saldo, precoBom, precoAcabado, pmc, upCusto, upCompra;
};

// Folds one product's bill rows into its capacity and unit cost.
CapacidadeProduto calcular(const std::vector<Linha>& linhas, const ParametrosEmpresa& par) {
    CapacidadeProduto c;
    if (linhas.empty())
        return c;
    c.produto = linhas.front().acabado;
    c.descricao = linhas.front().descAcabado;
    const Currency Sem = Currency::fromString(QStringLiteral("99999999999"));
    Currency cap = Sem;
    Currency custo;
    bool semStock = false;
    for (const Linha& l : linhas) {
        c.componentes.push_back({l.prima, l.descPrima, l.armazem, l.quantidade, l.saldo});
        if (l.quantidade <= Currency())
            continue; // a component of quantity 0 never limits what can be made
        if (l.saldo <= Currency()) {
            cap = Currency();
            semStock = true;
            continue;
        }
        const Currency propria = l.saldo.divide(l.quantidade, Metade);
        // Even a capacity that rounds to 0.0000 is a limit: nothing whole can be made.
        if (propria < cap)
            cap = propria;
        Currency preco;
        if (par.produtoDiverso(l.prima))
            preco = l.precoBom;
        else if (l.precario == QStringLiteral("ULTPRECOCUSTO"))
            preco = l.upCusto;
        else if (l.precario == QStringLiteral("ULTPRECOCOMPRA"))
            preco = l.upCompra;
        else
            preco = l.pmc;
        custo += l.quantidade.multiply(preco, Metade);
    }
    c.capacidade = cap == Sem ? Currency() : cap;
    const Currency fixo = linhas.front().precoAcabado;
    c.custoUnitario = semStock ? Currency() : fixo > Currency() ? fixo : custo;
    return c;
}

} // namespace

Resultado<std::vector<CapacidadeProduto>> PrevisaoCapacidade(Database& db, const QString& produto) {
    const ParametrosEmpresa par = ParametrosEmpresa::ler(db).valorOu({});
    const bool umProduto = !produto.trimmed().isEmpty();
    QVariantList valores;
    if (umProduto)
        valores << produto.trimmed();

    // The balances first, grouped once for every component of the bills read: a seek per bill
    // row costs several times more on a long ledger.
    QHash<QString, Currency> saldos;
    const QString primas = QStringLiteral("SELECT ProdutoPrima FROM Nomenclatura WHERE NumRegisto>0") +
                           (umProduto ? QStringLiteral(" AND ProdutoAcabado=?") : QString());
    bool ok = db.percorrer(QStringLiteral("SELECT s.Codigo, s.Armazem, s.Saldo FROM ") + SqlSaldosPorArmazem(db.dialect(), primas) +
                               QStringLiteral(" s"),
                           valores, [&](const QSqlQuery& q) {
                               saldos.insert(q.value(0).toString().trimmed() + QChar(u'|') +
                                                 q.value(1).toString().trimmed(),
                                             Currency::fromVariant(q.value(2)));
                           });
    if (!ok)
        return Falha(db.lastError());

    QString sql = QStringLiteral(
        "SELECT n.ProdutoAcabado, COALESCE(pa.Descricao, n.DescProdutoAcabado), n.ProdutoPrima, "
        "COALESCE(pp.Descricao, n.DescProdutoPrima), n.Armazem, n.Quantidade, n.Preco, n.Precario, "
        "n.ProdutoAcabadoPreco, pp.PrecoMedioCusto, pp.UltPrecoCusto, pp.UltPrecoCompra "
        "FROM Nomenclatura n LEFT JOIN Produtos pa ON pa.Codigo=n.ProdutoAcabado "
        "LEFT JOIN Produtos pp ON pp.Codigo=n.ProdutoPrima WHERE n.NumRegisto>0");
    if (umProduto)
        sql += QStringLiteral(" AND n.ProdutoAcabado=?");
    sql += QStringLiteral(" ORDER BY n.ProdutoAcabado, n.ProdutoPrima, n.NumRegisto");
    std::vector<CapacidadeProduto> r;
    std::vector<Linha> grupo;
    ok = db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        Linha l;
        l.acabado = q.value(0).toString().trimmed();
        if (!grupo.empty() && grupo.front().acabado != l.acabado) {
            r.push_back(calcular(grupo, par));
            grupo.clear();
        }
        // The finished product's own columns are the same on all its rows.
        if (grupo.empty()) {
            l.descAcabado = q.value(1).toString();
            l.precoAcabado = Currency::fromVariant(q.value(8));
        }
        l.prima = q.value(2).toString().trimmed();
        l.descPrima = q.value(3).toString();
        l.armazem = q.value(4).toString().trimmed();
        l.quantidade = Currency::fromVariant(q.value(5));
        l.precario = q.value(7).toString().trimmed().toUpper();
        // Only the price the row's basis names is read.
        if (par.produtoDiverso(l.prima))
            l.precoBom = Currency::fromVariant(q.value(6));
        else if (l.precario == QStringLiteral("ULTPRECOCUSTO"))
            l.upCusto = Currency::fromVariant(q.value(10));
        else if (l.precario == QStringLiteral("ULTPRECOCOMPRA"))
            l.upCompra = Currency::fromVariant(q.value(11));
        else
            l.pmc = Currency::fromVariant(q.value(9));
        l.saldo = saldos.value(l.prima + QChar(u'|') + l.armazem);
        grupo.push_back(std::move(l));
    });
    if (!ok)
        return Falha(db.lastError());
    if (!grupo.empty())
        r.push_back(calcular(grupo, par));
    return r;
}

Resultado<CapacidadeProduto> CapacidadeProducao(Database& db, const QString& produto) {
    const auto lida = PrevisaoCapacidade(db, produto);
    if (!lida)
        return lida.falha();
    if (lida->empty()) {
        CapacidadeProduto c;
        c.produto = produto.trimmed();
        return c;
    }
    return lida->front();
}
