#include "production/ListagensNomenclatura.h"

#include "db/Database.h"

#include <QSqlQuery>

namespace {

Resultado<std::vector<LinhaListagemNomenclatura>> ler(Database& db, QString sql, const QString& produto,
                                                      const QString& ordem, bool medicoes) {
    QVariantList valores;
    if (!produto.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND n.ProdutoAcabado=?");
        valores << produto.trimmed();
    }
    sql += ordem;
    std::vector<LinhaListagemNomenclatura> r;
    const bool ok = db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        LinhaListagemNomenclatura l;
        l.produtoAcabado = q.value(0).toString().trimmed();
        l.descricaoAcabado = q.value(1).toString();
        l.produtoPrima = q.value(2).toString().trimmed();
        l.descricaoPrima = q.value(3).toString();
        l.armazem = q.value(4).toString().trimmed();
        l.quantidade = Currency::fromVariant(q.value(5));
        if (medicoes) {
            l.tipoMedida = q.value(6).toString().trimmed().toUpper();
            l.medida = Currency::fromVariant(q.value(7));
        } else {
            l.factor = Currency::fromVariant(q.value(6));
            l.formula = q.value(7).toString().trimmed().toUpper();
        }
        r.push_back(l);
    });
    if (!ok)
        return Falha(db.lastError());
    return r;
}

} // namespace

Resultado<std::vector<LinhaListagemNomenclatura>> LerListagemNomenclatura(Database& db, const QString& produto) {
    return ler(db,
               QStringLiteral("SELECT n.ProdutoAcabado, COALESCE(pa.Descricao, n.DescProdutoAcabado), n.ProdutoPrima, "
                              "COALESCE(pp.Descricao, n.DescProdutoPrima), n.Armazem, n.Quantidade, n.Factor, "
                              "n.FactorFormula FROM Nomenclatura n LEFT JOIN Produtos pa ON pa.Codigo=n.ProdutoAcabado "
                              "LEFT JOIN Produtos pp ON pp.Codigo=n.ProdutoPrima WHERE n.NumRegisto>0"),
               produto, QStringLiteral(" ORDER BY n.ProdutoAcabado, n.ProdutoPrima, n.NumRegisto"), false);
}

Resultado<std::vector<LinhaListagemNomenclatura>> LerListagemNomenclaturaMedicoes(Database& db,
                                                                                 const QString& produto) {
    return ler(db,
               QStringLiteral("SELECT n.ProdutoAcabado, pa.Descricao, n.ProdutoMPrima, pp.Descricao, n.ArmazemSaida, "
                              "n.Quantidade, n.TipoMedida, n.Medida FROM NomenclaturaMedicoes n LEFT JOIN Produtos pa "
                              "ON pa.Codigo=n.ProdutoAcabado LEFT JOIN Produtos pp ON pp.Codigo=n.ProdutoMPrima "
                              "WHERE n.NumRegisto>0"),
               produto, QStringLiteral(" ORDER BY n.ProdutoAcabado, n.ProdutoMPrima, n.TipoMedida, n.NumRegisto"), true);
}
