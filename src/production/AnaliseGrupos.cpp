#include "production/AnaliseGrupos.h"

#include "db/Database.h"
#include "production/ProductionDocument.h"

#include <QSqlQuery>

namespace {

constexpr auto Arredonda = Currency::Arredondamento::MetadeAfastaDeZero;

QString texto(const QSqlQuery& q, int i) { return q.value(i).toString().trimmed(); }

// A description read by code; blank code, no row or a failed read give blank.
QString descricao(Database& db, const QString& sql, const QString& codigo) {
    if (codigo.trimmed().isEmpty())
        return {};
    return db.scalar(sql, {codigo.trimmed()}).toString().trimmed();
}

} // namespace

Currency TotaisAnalise::preco() const {
    return quantidade.isZero() ? Currency() : valor.divide(quantidade, Arredonda);
}

Resultado<QString> NumeroDocumentoDoLote(Database& db, const QString& lote, const QString& tipo) {
    const QString t = tipo.trimmed();
    if (t.isEmpty() || lote.trimmed().isEmpty())
        return QString();
    QString numero;
    bool lido = false;
    const bool ok = db.percorrer(
        QStringLiteral("SELECT tipoSaida, NumeroSaida, tipoent, Numeroent, tipoRet, Numeroret, tiporef, Numeroref "
                       "FROM Lotes WHERE lote=? OR lote=? ORDER BY NumRegisto") +
            db.dialect().limite(1),
        // Lots are numbered with ten digits; "12" is lot 0000000012.
        {ZerarLote(lote), lote.trimmed()}, [&](const QSqlQuery& q) {
            // The lot's four documents, in the order they are looked at.
            for (int i = 0; i < 8 && !lido; i += 2)
                if (q.value(i).toString().trimmed() == t) {
                    numero = q.value(i + 1).toString().trimmed();
                    lido = true;
                }
        });
    if (!ok)
        return Falha(db.lastError());
    return numero;
}

Resultado<AnaliseGrupos> LerAnaliseGrupos(Database& db, const FiltroAnaliseGrupos& f) {
    AnaliseGrupos a;
    QString onde = QStringLiteral(" WHERE p.NumRegisto>0 AND m.Aplic='ST' AND "
                                  "(m.Fechado='S' OR COALESCE(TRIM(m.Fechado),'')='')");
    QVariantList valores;
    auto igual = [&](const char* coluna, const QString& valor) {
        if (valor.trimmed().isEmpty())
            return;
        onde += QStringLiteral(" AND %1=?").arg(QLatin1String(coluna));
        valores << valor.trimmed();
    };
    igual("p.Situacao", f.situacao);
    igual("p.vendedor", f.vendedor);
    igual("p.grupo", f.grupo);
    igual("p.familia", f.familia);
    igual("p.subfamilia", f.subfamilia);
    igual("p.Codigo", f.produto);
    QStringList armazens;
    for (const QString& arm : f.armazens)
        if (!arm.trimmed().isEmpty() && !armazens.contains(arm.trimmed()))
            armazens << arm.trimmed();
    if (!armazens.isEmpty()) {
        QStringList marcas;
        for (const QString& arm : armazens) {
            marcas << QStringLiteral("?");
            valores << arm;
        }
        onde += QStringLiteral(" AND m.Armazem IN (") + marcas.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    igual("m.Tipo", f.tipo);
    if (!f.lote.trimmed().isEmpty()) {
        const auto numero = NumeroDocumentoDoLote(db, f.lote, f.tipo);
        if (!numero)
            return numero.falha();
        // The lot has no document of this type: nothing can match.
        if (numero->isEmpty())
            return a;
        a.numeroDocumento = *numero;
        igual("m.Numero", *numero);
    }
    if (!f.de.trimmed().isEmpty()) {
        onde += QStringLiteral(" AND m.Data>=?");
        valores << f.de.trimmed();
    }
    if (!f.ate.trimmed().isEmpty()) {
        onde += QStringLiteral(" AND m.Data<=?");
        valores << f.ate.trimmed();
    }

    const bool comCambio = !f.valorCambio.isZero() && f.valorCambio != Currency(1);
    auto cambio = [&](const Currency& v) { return comCambio ? v.divide(f.valorCambio, Arredonda) : v; };

    // The descriptions come from subqueries so that a code repeated in its table never repeats rows.
    const QString sql = QStringLiteral(
        "SELECT COALESCE(p.grupo,''), COALESCE(p.familia,''), COALESCE(p.subfamilia,''), p.Codigo, p.Descricao, "
        "(SELECT MAX(g.descricao) FROM TabGrupoPro g WHERE g.codigo=p.grupo), "
        "(SELECT MAX(fa.descricao) FROM TabFamPro fa WHERE fa.codigo=p.familia), "
        "(SELECT MAX(s.descricao) FROM TabSubFamPro s WHERE s.codigo=p.subfamilia), "
        "m.Data, m.Tipo, m.Numero, m.Armazem, m.QuantNormal, m.Preco "
        "FROM Produtos p JOIN MovProduto m ON m.Codigo=p.Codigo") +
                        onde +
                        QStringLiteral(" ORDER BY COALESCE(p.grupo,''), COALESCE(p.familia,''), "
                                       "COALESCE(p.subfamilia,''), p.Codigo, m.Data, m.Tipo, m.Numero, m.NumRegisto");
    const bool ok = db.percorrer(sql, valores, [&](const QSqlQuery& q) {
        const QString grupo = texto(q, 0), familia = texto(q, 1), subfamilia = texto(q, 2), produto = texto(q, 3);
        if (a.grupos.empty() || a.grupos.back().codigo != grupo) {
            a.grupos.push_back({grupo, texto(q, 5), {}, {}});
        }
        GrupoAnalise& g = a.grupos.back();
        if (g.familias.empty() || g.familias.back().codigo != familia)
            g.familias.push_back({familia, texto(q, 6), {}, {}});
        FamiliaAnalise& fa = g.familias.back();
        if (fa.subfamilias.empty() || fa.subfamilias.back().codigo != subfamilia)
            fa.subfamilias.push_back({subfamilia, texto(q, 7), {}, {}});
        SubfamiliaAnalise& s = fa.subfamilias.back();
        if (s.produtos.empty() || s.produtos.back().codigo != produto)
            s.produtos.push_back({produto, q.value(4).toString().trimmed(), {}, {}});
        ProdutoAnalise& p = s.produtos.back();

        MovimentoAnalise m;
        m.data = q.value(8).toString().left(10);
        m.tipo = texto(q, 9);
        m.numero = texto(q, 10);
        m.armazem = texto(q, 11);
        m.quantidade = Currency::fromVariant(q.value(12));
        const Currency preco = Currency::fromVariant(q.value(13));
        // The value from the stored price, divided once, so the exchange costs one rounding only.
        m.valor = cambio(m.quantidade.multiply(preco, Arredonda));
        m.preco = cambio(preco);
        p.total.somar({m.quantidade, m.valor});
        p.movimentos.push_back(std::move(m));
    });
    if (!ok)
        return Falha(db.lastError());
    for (GrupoAnalise& g : a.grupos) {
        for (FamiliaAnalise& fa : g.familias) {
            for (SubfamiliaAnalise& s : fa.subfamilias) {
                for (const ProdutoAnalise& p : s.produtos)
                    s.total.somar(p.total);
                fa.total.somar(s.total);
            }
            g.total.somar(fa.total);
        }
        a.total.somar(g.total);
    }
    return a;
}

DescricoesAnaliseGrupos LerDescricoesAnaliseGrupos(Database& db, const FiltroAnaliseGrupos& f) {
    DescricoesAnaliseGrupos d;
    d.tipo = descricao(db, QStringLiteral("SELECT Descricao FROM TabTipoMov WHERE Codigo=?"), f.tipo);
    d.produto = descricao(db, QStringLiteral("SELECT Descricao FROM Produtos WHERE Codigo=?"), f.produto);
    d.situacao = descricao(db, QStringLiteral("SELECT Descricao FROM TabSituacao WHERE Codigo=?"), f.situacao);
    d.vendedor = descricao(db, QStringLiteral("SELECT Descricao FROM TabVendedor WHERE Codigo=?"), f.vendedor);
    d.grupo = descricao(db, QStringLiteral("SELECT MAX(descricao) FROM TabGrupoPro WHERE codigo=?"), f.grupo);
    d.familia = descricao(db, QStringLiteral("SELECT MAX(descricao) FROM TabFamPro WHERE codigo=?"), f.familia);
    d.subfamilia =
        descricao(db, QStringLiteral("SELECT MAX(descricao) FROM TabSubFamPro WHERE codigo=?"), f.subfamilia);
    d.cambio = descricao(db, QStringLiteral("SELECT Abreviatura FROM Cambios WHERE Codigo=?"), f.cambio);
    return d;
}
