#include "production/GraficoEstatProd.h"

#include "controls/FormatoNumero.h"
#include "db/Database.h"

#include <QSqlQuery>

namespace {

// One of the lot documents: the rows of the document whose type, number and year the lot keeps in
// these columns, summed per material; a return counts against the lot.
QString parteLote(const FiltroGrafico& f, const char* tipo, const char* numero, const char* data, bool retorno,
                  QVariantList& valores) {
    const QString colData = QStringLiteral("l.") + QLatin1String(data);
    const QString neg = retorno ? QStringLiteral("-") : QString();
    QString s = QStringLiteral("SELECT m.Codigo AS MProduto, SUM(%1COALESCE(m.QuantNormal,0)) AS MQuant, "
                               "SUM(%1(COALESCE(m.ValorIliq,0)-COALESCE(m.TotalDesconto,0))) AS MValor, "
                               "CAST(NULL AS NUMERIC(19,4)) AS MPreco "
                               "FROM Lotes l INNER JOIN MovProduto m ON m.Tipo=l.%2 AND m.Numero=l.%3 "
                               "AND m.Ano=SUBSTR(%4,1,4) WHERE l.NumRegisto>0")
                    .arg(neg, QLatin1String(tipo), QLatin1String(numero), colData);
    if (!f.lote.isEmpty()) {
        s += QStringLiteral(" AND l.lote=?");
        valores << f.lote;
    }
    if (!f.produto.isEmpty()) {
        s += QStringLiteral(" AND l.Produto=?");
        valores << f.produto;
    }
    if (!f.de.isEmpty()) {
        s += QStringLiteral(" AND ") + colData + QStringLiteral(">=?");
        valores << f.de;
    }
    if (!f.ate.isEmpty()) {
        s += QStringLiteral(" AND ") + colData + QStringLiteral("<=?");
        valores << f.ate;
    }
    // An instant run was asked for: no lot is one.
    if (!f.processo.isEmpty())
        s += QStringLiteral(" AND l.NumRegisto=0");
    return s + QStringLiteral(" GROUP BY m.Codigo");
}

// The raw-material lines of the instant runs, one row each: identical lines of two runs both count.
QString parteInstantanea(const FiltroGrafico& f, QVariantList& valores) {
    QString s = QStringLiteral("SELECT li.Produto AS MProduto, li.Quantidade AS MQuant, "
                               "CAST(NULL AS NUMERIC(19,4)) AS MValor, li.Preco AS MPreco "
                               "FROM LoteInstantaneo li WHERE li.TipoProduto=?");
    valores << QStringLiteral("MP");
    if (!f.processo.isEmpty()) {
        s += QStringLiteral(" AND li.NumProcesso=?");
        valores << f.processo;
    }
    // The runs that made the product; a run with two lines of it still counts its materials once.
    if (!f.produto.isEmpty()) {
        s += QStringLiteral(" AND EXISTS (SELECT 1 FROM LoteInstantaneo pa WHERE pa.NumProcesso=li.NumProcesso "
                            "AND pa.TipoProduto=? AND pa.Produto=?)");
        valores << QStringLiteral("PA") << f.produto;
    }
    if (!f.de.isEmpty()) {
        s += QStringLiteral(" AND li.Data>=?");
        valores << f.de;
    }
    if (!f.ate.isEmpty()) {
        s += QStringLiteral(" AND li.Data<=?");
        valores << f.ate;
    }
    // A lot was asked for: no instant run is one.
    if (!f.lote.isEmpty())
        s += QStringLiteral(" AND li.NumRegisto=0");
    return s;
}

} // namespace

Resultado<GraficoProducao> CalculaGraficoProducao(Database& db, const FiltroGrafico& filtro) {
    FiltroGrafico f = filtro;
    f.lote = f.lote.trimmed();
    f.processo = f.processo.trimmed();
    f.produto = f.produto.trimmed();
    f.de = f.de.trimmed();
    f.ate = f.ate.trimmed();

    // Built one query after the other, so the values follow their "?" in the text.
    QVariantList valores;
    QString uniao = parteLote(f, "tipoSaida", "NumeroSaida", "DataSaida", false, valores);
    uniao += QStringLiteral(" UNION ALL ") + parteLote(f, "tiporef", "Numeroref", "Dataref", false, valores);
    uniao += QStringLiteral(" UNION ALL ") + parteLote(f, "tipoRet", "Numeroret", "Dataret", true, valores);
    uniao += QStringLiteral(" UNION ALL ") + parteInstantanea(f, valores);
    const QString sql = QStringLiteral("SELECT u.MProduto, p.Descricao, u.MQuant, u.MValor, u.MPreco FROM (") +
                        uniao +
                        QStringLiteral(") u LEFT JOIN Produtos p ON p.Codigo=u.MProduto ORDER BY u.MProduto");

    GraficoProducao g;
    std::optional<QSqlQuery> q = db.query(sql, valores);
    if (!q)
        return Falha(db.lastError());
    while (q->next()) {
        const QString material = q->value(0).toString().trimmed();
        if (g.pontos.empty() || g.pontos.back().produto != material) {
            // The 29th material ends the reading: the chart has room for 28.
            if (int(g.pontos.size()) == LimiteMateriaisGrafico) {
                g.limiteAtingido = true;
                break;
            }
            PontoGrafico p;
            p.produto = material;
            p.descricao = q->value(1).toString();
            g.pontos.push_back(p);
        }
        PontoGrafico& p = g.pontos.back();
        const Currency quant = Currency::fromVariant(q->value(2));
        // Lot documents bring their value; an instant line its price.
        const Currency valor = q->value(4).isNull()
                                   ? Currency::fromVariant(q->value(3))
                                   : quant.multiply(Currency::fromVariant(q->value(4)),
                                                    Currency::Arredondamento::MetadeAfastaDeZero);
        p.quantidade += quant;
        p.valor += valor;
        g.totalQuantidade += quant;
        g.totalValor += valor;
    }
    CalculaPesos(g, f.medida);
    return g;
}

void CalculaPesos(GraficoProducao& g, MedidaGrafico medida) {
    g.medida = medida;
    const Currency cem(100);
    for (PontoGrafico& p : g.pontos)
        p.peso = g.total().isZero() ? Currency()
                                    : p.medida(medida).multiply(cem, Currency::Arredondamento::MetadeAfastaDeZero)
                                          .divide(g.total(), Currency::Arredondamento::MetadeAfastaDeZero);
}

QString PesoVisivel(const Currency& peso) { return formatarNumeroPT(peso, 2); }
