#include "production/CapacidadeProducao.h"

#include "company/ParametrosEmpresa.h"
#include "db/Database.h"
#include "stock/MovimentosStock.h"

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
    const QString primas = QStringLiteral("SELECT ProdutoPrima FROM Nomenclatura WHERE NumRegisto>0") +
                           (umProduto ? QStringLiteral(" AND ProdutoAcabado=?") : QString());
    QString sql = QStringLiteral(
                      "SELECT n.ProdutoAcabado, COALESCE(pa.Descricao, n.DescProdutoAcabado), n.ProdutoPrima, "
                      "COALESCE(pp.Descricao, n.DescProdutoPrima), n.Armazem, n.Quantidade, n.Preco, n.Precario, "
                      "n.ProdutoAcabadoPreco, pp.PrecoMedioCusto, pp.UltPrecoCusto, pp.UltPrecoCompra, "
                      "COALESCE(s.Saldo, 0) FROM Nomenclatura n LEFT JOIN Produtos pa ON pa.Codigo=n.ProdutoAcabado "
                      "LEFT JOIN Produtos pp ON pp.Codigo=n.ProdutoPrima LEFT JOIN ") +
                  SqlSaldosPorArmazem(primas) +
                  QStringLiteral(" s ON s.Codigo=n.ProdutoPrima AND s.Armazem=n.Armazem WHERE n.NumRegisto>0");
    QVariantList valores;
    if (umProduto) {
        valores << produto.trimmed(); // the balances' product list
        sql += QStringLiteral(" AND n.ProdutoAcabado=?");
        valores << produto.trimmed();
    }
    sql += QStringLiteral(" ORDER BY n.ProdutoAcabado, n.ProdutoPrima, n.NumRegisto");
    std::vector<CapacidadeProduto> r;
    std::vector<Linha> grupo;
    const bool ok = db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        Linha l;
        l.acabado = q.value(0).toString().trimmed();
        l.descAcabado = q.value(1).toString();
        l.prima = q.value(2).toString().trimmed();
        l.descPrima = q.value(3).toString();
        l.armazem = q.value(4).toString().trimmed();
        l.quantidade = Currency::fromVariant(q.value(5));
        l.precoBom = Currency::fromVariant(q.value(6));
        l.precario = q.value(7).toString().trimmed().toUpper();
        l.precoAcabado = Currency::fromVariant(q.value(8));
        l.pmc = Currency::fromVariant(q.value(9));
        l.upCusto = Currency::fromVariant(q.value(10));
        l.upCompra = Currency::fromVariant(q.value(11));
        l.saldo = Currency::fromVariant(q.value(12));
        if (!grupo.empty() && grupo.front().acabado != l.acabado) {
            r.push_back(calcular(grupo, par));
            grupo.clear();
        }
        grupo.push_back(l);
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
