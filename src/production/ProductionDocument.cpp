#include "production/ProductionDocument.h"

#include "db/Database.h"

ConfigProducao LerConfigProducao(Database& db) {
    ConfigProducao c;
    const auto r = db.primeiraLinha(
        QStringLiteral("SELECT TipoSaida, Tipoent, Tiporet, TipoRef, Fornece, cliente, UltLote, CasasDec, Precario "
                       "FROM configProd ORDER BY NumRegisto") +
        db.dialect().limite(1));
    if (!r)
        return c;
    c.existe = true;
    c.tipoSaida = r->at(0).toString().trimmed();
    c.tipoEnt = r->at(1).toString().trimmed();
    c.tipoRet = r->at(2).toString().trimmed();
    c.tipoRef = r->at(3).toString().trimmed();
    c.fornece = r->at(4).toString().trimmed();
    c.cliente = r->at(5).toString().trimmed();
    c.ultLote = r->at(6).toString().trimmed();
    c.casasDec = r->at(7).isNull() ? 2 : r->at(7).toInt();
    c.precario = r->at(8).toString().trimmed();
    return c;
}

QString ZerarLote(const QString& lote) {
    const QString t = lote.trimmed();
    return t.size() >= 10 ? t : t.rightJustified(10, u'0');
}

QString ProximoLote(Database& db) {
    const ConfigProducao c = LerConfigProducao(db);
    if (!c.existe)
        return {};
    return ZerarLote(QString::number(c.ultLote.toLongLong() + 1));
}

Currency CalculaQuantidadeFactor(const Currency& quantidade, const Currency& factor, const QString& formula,
                                 bool directo, int casas) {
    if (factor.isZero())
        return {};
    Currency r;
    if (formula.trimmed().toUpper() == QStringLiteral("B")) {
        if (quantidade.isZero())
            return {};
        r = factor.divide(quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
    } else {
        r = directo ? quantidade.multiply(factor, Currency::Arredondamento::MetadeAfastaDeZero) : quantidade.divide(factor, Currency::Arredondamento::MetadeAfastaDeZero);
    }
    return r.rounded(qBound(0, casas, 4), Currency::Arredondamento::MetadeAfastaDeZero);
}
