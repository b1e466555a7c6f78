#include "production/ProductionDocument.h"

#include "stock/LinhaMovProduto.h"

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

LinhaMovProduto LinhaDocumentoProducao(const DocumentoProducao& doc, const QString& data, const QString& produto,
                                       const QString& afecta, const Currency& quant, const Currency& preco,
                                       const QString& observacao) {
    namespace Col = ColMovProduto;
    LinhaMovProduto l;
    l.definir(Col::Tipo, doc.tipo);
    l.definir(Col::Numero, doc.numero);
    l.definir(Col::Ano, data.left(4));
    l.definir(Col::Data, data);
    l.definir(Col::Codigo, produto);
    l.definir(Col::QuantNormal, quant);
    l.definir(Col::QuantConvert, quant);
    l.definir(Col::quantidade, quant);
    l.definir(Col::Preco, preco);
    l.definir(Col::PrecoAplicado, preco);
    l.definir(Col::AfectaStk, afecta);
    l.definir(Col::AfectaCli, "NA");
    l.definir(Col::AfectaFor, "NA");
    l.definir(Col::Caixa, "NA");
    l.definir(Col::Aplic, "ST");
    l.definir(Col::ValCambio, Currency(1));
    l.definir(Col::Sinal, QVariant(1));
    l.definir(Col::ObsLinha, observacao);
    return l;
}
