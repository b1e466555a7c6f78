#include "production/FolhaLote.h"

#include "db/Database.h"
#include "company/GlobalContext.h"

#include <QDate>
#include <QSqlQuery>

namespace {
struct Movimento {
    Currency quantidade, valor;
};

// Quantity and value of one raw material on one document of the lot.
Movimento movimento(Database& db, const DocumentoProducao& d, const QString& produto) {
    if (!d.numerado())
        return {};
    const auto r = db.primeiraLinha(QStringLiteral("SELECT SUM(QuantNormal), SUM(ValorIliq) FROM MovProduto WHERE "
                                                   "Codigo=? AND Tipo=? AND Numero=? AND Ano=?"),
                                    {produto, d.tipo, d.numero, d.data.left(4)});
    if (!r)
        return {};
    return {Currency::fromVariant(r->at(0)), Currency::fromVariant(r->at(1))};
}
} // namespace

Resultado<FolhaLote> LerFolhaLote(GlobalContext& ctx, const QString& lote) {
    Database& db = ctx.bd();
    FolhaLote f;
    f.lote = ZerarLote(lote);
    const auto r = db.primeiraLinha(
        QStringLiteral("SELECT l.Produto, l.quantidade, l.precario, l.custoTotal, l.tipoSaida, l.NumeroSaida, l.DataSaida, "
                       "l.tiporef, l.Numeroref, l.Dataref, l.tipoRet, l.Numeroret, l.Dataret, l.tipoent, l.Numeroent, "
                       "l.Dataent, p.Descricao FROM Lotes l LEFT JOIN Produtos p ON p.Codigo=l.Produto WHERE l.lote=? "
                       "AND l.Fechado=1 AND (l.MedicoesAltura=0 OR l.MedicoesAltura IS NULL OR l.MedicoesLargura=0 OR "
                       "l.MedicoesLargura IS NULL) ORDER BY l.NumRegisto") +
            db.dialect().limite(1),
        {f.lote});
    if (!r)
        return Falha(MensagemLoteEmAberto, QStringLiteral("txtLote"));
    f.produto = r->at(0).toString();
    f.quantidade = Currency::fromVariant(r->at(1));
    f.custoUnitario = Currency::fromVariant(r->at(2));
    f.custoTotal = Currency::fromVariant(r->at(3));
    f.saida = {r->at(4).toString(), r->at(5).toString(), r->at(6).toString()};
    f.ref = {r->at(7).toString(), r->at(8).toString(), r->at(9).toString()};
    f.ret = {r->at(10).toString(), r->at(11).toString(), r->at(12).toString()};
    f.ent = {r->at(13).toString(), r->at(14).toString(), r->at(15).toString()};
    f.descricaoProduto = r->at(16).toString();
    f.dataEmissao = QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy"));
    std::vector<std::pair<QString, QString>> bom;
    db.percorrer(QStringLiteral("SELECT n.ProdutoPrima, n.Armazem, p.Descricao FROM Nomenclatura n LEFT JOIN Produtos p "
                                "ON p.Codigo=n.ProdutoPrima WHERE n.ProdutoAcabado=? ORDER BY n.ProdutoPrima, n.NumRegisto"),
                 {f.produto}, [&](const QSqlQuery& q) {
                     FolhaLote::Linha l;
                     l.produto = q.value(0).toString();
                     l.armazem = q.value(1).toString();
                     l.descricao = q.value(2).toString();
                     f.linhas.push_back(l);
                 });
    for (FolhaLote::Linha& l : f.linhas) {
        const Movimento s = movimento(db, f.saida, l.produto);
        const Movimento rf = movimento(db, f.ref, l.produto);
        const Movimento rt = movimento(db, f.ret, l.produto);
        l.quantidade = s.quantidade + rf.quantidade - rt.quantidade;
        l.custoTotal = s.valor + rf.valor - rt.valor;
        l.custoUnitario = l.quantidade.isZero() ? Currency() : l.custoTotal.divide(l.quantidade, Currency::Arredondamento::MetadeAfastaDeZero);
    }
    return f;
}
