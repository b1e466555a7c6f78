#include "production/MapasProducao.h"

#include "db/Database.h"

#include <QHash>
#include <QSqlQuery>

namespace {

// The lots' conditions, with their values, for a query whose Lotes alias is l.
QString condicoes(const FiltroMapaProducao& f, QVariantList& valores) {
    QString c = QStringLiteral(" WHERE l.NumRegisto<>0");
    if (!f.produto.trimmed().isEmpty()) {
        c += QStringLiteral(" AND l.Produto=?");
        valores << f.produto.trimmed();
    }
    if (!f.de.trimmed().isEmpty()) {
        c += QStringLiteral(" AND l.DataSaida>=?");
        valores << f.de.trimmed();
    }
    if (!f.ate.trimmed().isEmpty()) {
        c += QStringLiteral(" AND l.DataSaida<=?");
        valores << f.ate.trimmed();
    }
    return c;
}

} // namespace

Resultado<MapaDiscriminado> LerMapaDiscriminado(Database& db, const FiltroMapaProducao& f) {
    MapaDiscriminado m;
    QVariantList valores;
    const QString onde = condicoes(f, valores);
    QHash<QString, size_t> indice;
    bool ok = db.percorrer(
        QStringLiteral("SELECT l.lote, l.DataSaida, l.Produto, p.Descricao, l.armazem, l.quantidade, l.precario, "
                       "l.custoTotal FROM Lotes l LEFT JOIN Produtos p ON p.Codigo=l.Produto") +
            onde + QStringLiteral(" ORDER BY l.lote, l.DataSaida, l.NumRegisto"),
        valores, [&](const QSqlQuery& q) {
            BlocoMapaDiscriminado b;
            b.lote = q.value(0).toString().trimmed();
            b.data = q.value(1).toString().left(10);
            b.produto = q.value(2).toString().trimmed();
            b.descricao = q.value(3).toString();
            b.armazem = q.value(4).toString().trimmed();
            b.quantidade = Currency::fromVariant(q.value(5));
            b.custoUnitario = Currency::fromVariant(q.value(6));
            b.custoTotal = Currency::fromVariant(q.value(7));
            if (!indice.contains(b.lote)) {
                indice.insert(b.lote, m.blocos.size());
                m.blocos.push_back(b);
            }
        });
    if (!ok)
        return Falha(db.lastError());
    if (m.blocos.empty())
        return m;
    // Every row of the lots' issue, reinforcement and return documents, in posting order.
    auto documento = [](const char* tipo, const char* numero, const char* data) {
        return QStringLiteral("(m.Tipo=l.%1 AND m.Numero=l.%2 AND m.Ano=SUBSTR(l.%3,1,4))")
            .arg(QLatin1String(tipo), QLatin1String(numero), QLatin1String(data));
    };
    ok = db.percorrer(
        QStringLiteral("SELECT l.lote, m.Codigo, p.Descricao, m.Armazem, m.Lote, m.QuantNormal, m.ValorIliq, m.AfectaStk "
                       "FROM Lotes l JOIN MovProduto m ON (") +
            documento("tipoSaida", "NumeroSaida", "DataSaida") + QStringLiteral(" OR ") +
            documento("tiporef", "Numeroref", "Dataref") + QStringLiteral(" OR ") +
            documento("tipoRet", "Numeroret", "Dataret") +
            QStringLiteral(") LEFT JOIN Produtos p ON p.Codigo=m.Codigo") + onde +
            QStringLiteral(" ORDER BY l.lote, m.NumRegisto"),
        valores, [&](const QSqlQuery& q) {
            const auto it = indice.constFind(q.value(0).toString().trimmed());
            if (it == indice.constEnd())
                return;
            BlocoMapaDiscriminado& b = m.blocos[it.value()];
            BlocoMapaDiscriminado::Linha l;
            l.produto = q.value(1).toString().trimmed();
            l.descricao = q.value(2).toString();
            l.armazem = q.value(3).toString().trimmed();
            l.lote = q.value(4).toString().trimmed();
            // A return gives back what was issued: it counts against the lot.
            const bool retorno = q.value(7).toString().trimmed() == QStringLiteral("S-");
            l.quantidade = Currency::fromVariant(q.value(5));
            l.custoTotal = Currency::fromVariant(q.value(6));
            if (retorno) {
                l.quantidade = -l.quantidade;
                l.custoTotal = -l.custoTotal.abs();
            }
            l.custoUnitario = l.quantidade.isZero()
                                  ? Currency()
                                  : l.custoTotal.divide(l.quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
            b.somaComponentes += l.custoTotal;
            b.linhas.push_back(l);
        });
    if (!ok)
        return Falha(db.lastError());
    for (const BlocoMapaDiscriminado& b : m.blocos)
        m.totalGeral += b.somaComponentes;
    return m;
}
