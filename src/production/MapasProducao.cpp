#include "production/MapasProducao.h"

#include "common/Arredondamento.h"
#include "company/ParametrosEmpresa.h"
#include "db/Database.h"
#include "production/ProductionDocument.h"

#include <QHash>
#include <QSqlQuery>
#include <map>

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

// The lots of both maps, in lot order, one entry per lot number (its first row), indexed by lot.
template <class Lote>
bool lerLotes(Database& db, const QString& onde, const QVariantList& valores, std::vector<Lote>& lotes,
              QHash<QString, size_t>& indice) {
    return db.percorrer(
        QStringLiteral("SELECT l.lote, l.DataSaida, l.Produto, p.Descricao, l.armazem, l.quantidade, l.precario, "
                       "l.custoTotal FROM Lotes l LEFT JOIN Produtos p ON p.Codigo=l.Produto") +
            onde + QStringLiteral(" ORDER BY l.lote, l.DataSaida, l.NumRegisto"),
        valores, [&](const QSqlQuery& q) {
            Lote l;
            l.lote = q.value(0).toString().trimmed();
            if (indice.contains(l.lote))
                return;
            l.data = q.value(1).toString().left(10);
            l.produto = q.value(2).toString().trimmed();
            l.descricao = q.value(3).toString();
            l.armazem = q.value(4).toString().trimmed();
            l.quantidade = Currency::fromVariant(q.value(5));
            l.custoUnitario = Currency::fromVariant(q.value(6));
            l.custoTotal = Currency::fromVariant(q.value(7));
            indice.insert(l.lote, lotes.size());
            lotes.push_back(std::move(l));
        });
}

} // namespace

Resultado<MapaDiscriminado> LerMapaDiscriminado(Database& db, const FiltroMapaProducao& f) {
    MapaDiscriminado m;
    QVariantList valores;
    const QString onde = condicoes(f, valores);
    QHash<QString, size_t> indice;
    bool ok = lerLotes(db, onde, valores, m.blocos, indice);
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

Currency QuantidadeNomenclaturaLote(const Currency& quantNomenclatura, const Currency& quantLote, bool naoMultiplica,
                                    bool apenasUnidades) {
    Currency q = naoMultiplica ? quantNomenclatura
                               : quantNomenclatura.multiply(quantLote, Currency::Arredondamento::MetadeAfastaDeZero);
    if (apenasUnidades && q.raw() % Currency::Escala != 0)
        q = ArredondaValor(q, 0, 3);
    return q;
}

namespace {

// Codes as the database compares them: without regard to case or trailing blanks.
QString chave(const QVariant& v) { return v.toString().trimmed().toUpper(); }
QString chave(const QVariant& a, const QVariant& b) { return chave(a) + QChar(0x1f) + chave(b); }

// What a lot consumed of one raw material, its stock lots together.
struct Consumo {
    QString produto, descricao;
    QStringList armazens, lotes;
    Currency quantidade, custo;
};

// One bill row with what prices it.
struct LinhaBom {
    QString prima, descricao, armazem, precario;
    Currency quantidade, precoFixo, pmc, upCompra, upCusto;
    bool apenasUnidades = false;
};

struct PrecosArmazemLidos {
    Currency upCompra, upCusto, pmCusto;
};

// The price a bill row gives, as the production posting values its raw material.
Currency precoNomenclatura(const LinhaBom& b, const ParametrosEmpresa& parametros, const QString& precarioPadrao,
                           const QHash<QString, PrecosArmazemLidos>& porArmazem) {
    if (parametros.produtoDiverso(b.prima))
        return b.precoFixo;
    QString precario = b.precario.trimmed().toUpper();
    if (precario.isEmpty())
        precario = precarioPadrao.trimmed().toUpper();
    const bool compra = precario == QStringLiteral("ULTPRECOCOMPRA");
    const bool custo = precario == QStringLiteral("ULTPRECOCUSTO");
    if (parametros.pmcPorArmazem) {
        const PrecosArmazemLidos a = porArmazem.value(chave(b.prima, b.armazem));
        return compra ? a.upCompra : custo ? a.upCusto : a.pmCusto;
    }
    return compra ? b.upCompra : custo ? b.upCusto : b.pmc;
}

void acrescentar(QStringList& l, const QString& v) {
    if (!v.isEmpty() && !l.contains(v))
        l << v;
}

} // namespace

Resultado<MapaProducao> LerMapaProducao(Database& db, const FiltroMapaProducao& f, bool discriminar) {
    MapaProducao m;
    m.discriminado = discriminar;
    QVariantList valores;
    const QString onde = condicoes(f, valores);
    QHash<QString, size_t> indice;
    bool ok = lerLotes(db, onde, valores, m.lotes, indice);
    if (!ok)
        return Falha(db.lastError());
    for (const LoteMapaProducao& l : m.lotes)
        m.totalCustoLotes += l.custoTotal;
    if (!discriminar || m.lotes.empty())
        return m;

    const auto parametros = ParametrosEmpresa::ler(db);
    if (!parametros)
        return parametros.falha();
    const QString precarioPadrao = LerConfigProducao(db).precario;
    // The bill's cost is rounded as a posting rounds a row's value, so that a lot consumed exactly
    // as the bill says shows no deviation.
    const QVariant casas = db.scalar(QStringLiteral("SELECT casadec FROM ParamGeral ORDER BY NumRegisto"));
    const int casasValor = casas.isNull() ? 4 : qBound(0, casas.toInt(), 4);

    // What each lot consumed: the rows of its issue, reinforcement and return documents, by
    // material, warehouse and stock lot; a return counts against the lot.
    std::vector<std::map<QString, Consumo>> consumos(m.lotes.size());
    auto documento = [](const char* tipo, const char* numero, const char* data) {
        return QStringLiteral("(m.Tipo=l.%1 AND m.Numero=l.%2 AND m.Ano=SUBSTR(l.%3,1,4))")
            .arg(QLatin1String(tipo), QLatin1String(numero), QLatin1String(data));
    };
    const QString retorno = QStringLiteral("TRIM(m.AfectaStk)='S-'");
    ok = db.percorrer(
        QStringLiteral("SELECT l.lote, m.Codigo, p.Descricao, m.Armazem, m.Lote, SUM(CASE WHEN ") + retorno +
            QStringLiteral(" THEN -m.QuantNormal ELSE m.QuantNormal END), SUM(CASE WHEN ") + retorno +
            QStringLiteral(" THEN -ABS(m.ValorIliq) ELSE m.ValorIliq END) FROM Lotes l JOIN MovProduto m ON (") +
            documento("tipoSaida", "NumeroSaida", "DataSaida") + QStringLiteral(" OR ") +
            documento("tiporef", "Numeroref", "Dataref") + QStringLiteral(" OR ") +
            documento("tipoRet", "Numeroret", "Dataret") +
            QStringLiteral(") LEFT JOIN Produtos p ON p.Codigo=m.Codigo") + onde +
            QStringLiteral(" GROUP BY l.lote, m.Codigo, p.Descricao, m.Armazem, m.Lote ORDER BY l.lote, m.Codigo, "
                           "m.Armazem, m.Lote"),
        valores, [&](const QSqlQuery& q) {
            const auto it = indice.constFind(q.value(0).toString().trimmed());
            if (it == indice.constEnd())
                return;
            Consumo& c = consumos[it.value()][chave(q.value(1))];
            if (c.produto.isEmpty()) {
                c.produto = q.value(1).toString().trimmed();
                c.descricao = q.value(2).toString();
            }
            acrescentar(c.armazens, q.value(3).toString().trimmed());
            acrescentar(c.lotes, q.value(4).toString().trimmed());
            c.quantidade += Currency::fromVariant(q.value(5));
            c.custo += Currency::fromVariant(q.value(6));
        });
    if (!ok)
        return Falha(db.lastError());

    // The bills of the lots' products, with the materials' prices and whether their unit is whole.
    QHash<QString, std::vector<LinhaBom>> bons;
    ok = db.percorrer(
        QStringLiteral("SELECT n.ProdutoAcabado, n.ProdutoPrima, n.descprodutoprima, n.Armazem, n.quantidade, n.preco, "
                       "n.precario, p.Descricao, p.PrecoMedioCusto, p.UltPrecoCompra, p.UltPrecoCusto, (SELECT "
                       "u.ApenasUnidade FROM TabUnidades u WHERE u.Codigo=p.UnidadeVenda ORDER BY u.NumRegisto") +
            db.dialect().limite(1) +
            QStringLiteral(") FROM Nomenclatura n LEFT JOIN Produtos p ON p.Codigo=n.ProdutoPrima WHERE "
                           "n.ProdutoAcabado IN (SELECT l.Produto FROM Lotes l") +
            onde + QStringLiteral(") ORDER BY n.ProdutoAcabado, n.ProdutoPrima, n.NumRegisto"),
        valores, [&](const QSqlQuery& q) {
            LinhaBom b;
            b.prima = q.value(1).toString().trimmed();
            b.descricao = q.value(7).isNull() ? q.value(2).toString() : q.value(7).toString();
            b.armazem = q.value(3).toString().trimmed();
            b.quantidade = Currency::fromVariant(q.value(4));
            b.precoFixo = Currency::fromVariant(q.value(5));
            b.precario = q.value(6).toString();
            b.pmc = Currency::fromVariant(q.value(8));
            b.upCompra = Currency::fromVariant(q.value(9));
            b.upCusto = Currency::fromVariant(q.value(10));
            b.apenasUnidades = q.value(11).toInt() == 1;
            bons[chave(q.value(0))].push_back(b);
        });
    if (!ok)
        return Falha(db.lastError());

    // Average costs kept per warehouse: the last entry of each of the bills' materials in its
    // warehouse gives today's prices there.
    QHash<QString, PrecosArmazemLidos> porArmazem;
    if (parametros->pmcPorArmazem) {
        ok = db.percorrer(
            QStringLiteral("SELECT m.Codigo, m.Armazem, m.Armazem_UPCompra, m.Armazem_UPCusto, m.Armazem_PMCusto FROM "
                           "MovProduto m WHERE m.AfectaStk='E+' AND EXISTS (SELECT 1 FROM Lotes l JOIN Nomenclatura n "
                           "ON n.ProdutoAcabado=l.Produto") +
                onde +
                QStringLiteral(" AND n.ProdutoPrima=m.Codigo AND n.Armazem=m.Armazem) ORDER BY m.Codigo, m.Armazem, "
                               "m.Data, m.NumRegisto"),
            valores, [&](const QSqlQuery& q) {
                porArmazem.insert(chave(q.value(0), q.value(1)),
                                  {Currency::fromVariant(q.value(2)), Currency::fromVariant(q.value(3)),
                                   Currency::fromVariant(q.value(4))});
            });
        if (!ok)
            return Falha(db.lastError());
    }

    for (size_t i = 0; i < m.lotes.size(); ++i) {
        LoteMapaProducao& l = m.lotes[i];
        std::map<QString, ComponenteMapaProducao> componentes;
        // b) a material on two bill rows adds both, each as the order would propose it.
        for (const LinhaBom& b : bons.value(chave(l.produto))) {
            ComponenteMapaProducao& c = componentes[chave(b.prima)];
            if (!c.naNomenclatura) {
                c.produto = b.prima;
                c.descricao = b.descricao;
                c.armazem = b.armazem;
                c.naNomenclatura = true;
            }
            // The order's "do not multiply" choice is not kept with the lot: the bill is multiplied.
            const Currency q = QuantidadeNomenclaturaLote(b.quantidade, l.quantidade, false, b.apenasUnidades);
            const Currency preco = precoNomenclatura(b, *parametros, precarioPadrao, porArmazem);
            c.quantidadeNomenclatura += q;
            c.custoNomenclatura +=
                ArredondaValor(q.multiply(preco, Currency::Arredondamento::MetadeAfastaDeZero), casasValor, 1);
            c.precoNomenclatura = preco;
        }
        for (auto& [k, c] : componentes)
            if (!c.quantidadeNomenclatura.isZero() &&
                c.custoNomenclatura != c.quantidadeNomenclatura.multiply(c.precoNomenclatura,
                                                                         Currency::Arredondamento::MetadeAfastaDeZero))
                c.precoNomenclatura = c.custoNomenclatura.divide(c.quantidadeNomenclatura,
                                                                 Currency::Arredondamento::MetadeAfastaDeZero);
        // a) what was really consumed, also of materials the bill no longer has.
        for (const auto& [k, consumo] : consumos[i]) {
            ComponenteMapaProducao& c = componentes[k];
            if (c.produto.isEmpty()) {
                c.produto = consumo.produto;
                c.descricao = consumo.descricao;
            }
            if (consumo.armazens.size() == 1)
                c.armazem = consumo.armazens.first();
            c.lotes = consumo.lotes;
            c.quantidadeAplicada = consumo.quantidade;
            c.custoAplicado = consumo.custo;
            if (!c.quantidadeAplicada.isZero())
                c.precoAplicado = c.custoAplicado.divide(c.quantidadeAplicada, Currency::Arredondamento::MetadeAfastaDeZero);
        }
        for (auto& [k, c] : componentes) {
            l.somaAplicado += c.custoAplicado;
            l.somaNomenclatura += c.custoNomenclatura;
            l.componentes.push_back(std::move(c));
        }
        m.totalAplicado += l.somaAplicado;
        m.totalNomenclatura += l.somaNomenclatura;
    }
    return m;
}
