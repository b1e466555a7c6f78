#include "production/NomenclaturaDados.h"

#include "db/Database.h"
#include "company/GlobalContext.h"
#include "session/LogGeral.h"

#include <QSqlQuery>

namespace {

const QString Colunas = QStringLiteral(
    "NumRegisto, ProdutoAcabado, DescProdutoAcabado, ProdutoPrima, descprodutoprima, quantidade, preco, Armazem, "
    "observa, Fixa, CtrlQuantidades, precario, Factor, FactorFormula, ProdutoAcabadoPreco");

LinhaNomenclatura lerLinha(const QSqlQuery& q) {
    LinhaNomenclatura l;
    l.numRegisto = q.value(0).toLongLong();
    l.produtoAcabado = q.value(1).toString();
    l.descProdutoAcabado = q.value(2).toString();
    l.produtoPrima = q.value(3).toString();
    l.descProdutoPrima = q.value(4).toString();
    l.quantidade = Currency::fromVariant(q.value(5));
    l.preco = Currency::fromVariant(q.value(6));
    l.armazem = q.value(7).toString();
    l.observa = q.value(8).toString();
    l.fixa = q.value(9).toInt() == 1;
    l.ctrlQuantidades = q.value(10).toInt() == 1;
    l.precario = q.value(11).toString();
    l.factor = Currency::fromVariant(q.value(12));
    const QString formula = q.value(13).toString().trimmed().toUpper();
    l.factorFormula = formula == QStringLiteral("B") ? formula : QStringLiteral("A");
    l.produtoAcabadoPreco = Currency::fromVariant(q.value(14));
    return l;
}

QString descricaoLinha(const QString& pa, const QString& pp) {
    return QStringLiteral("Produto acabado/produto matéria prima: %1/%2").arg(pa, pp);
}

bool log(GlobalContext& ctx, const QString& accao, const QString& descricao, const QString& produto) {
    EntradaLog e;
    e.modulo = QStringLiteral("TB");
    e.accao = accao;
    e.descricao = descricao;
    e.produto = produto;
    return LogGeral(ctx, e);
}

} // namespace

Resultado<std::vector<LinhaNomenclatura>> LerNomenclatura(Database& db, const QString& produtoAcabado) {
    std::vector<LinhaNomenclatura> r;
    const bool lido = db.percorrer(QStringLiteral("SELECT ") + Colunas +
                                       QStringLiteral(" FROM Nomenclatura WHERE ProdutoAcabado=? "
                                                      "ORDER BY ProdutoPrima, NumRegisto"),
                                   {produtoAcabado}, [&](const QSqlQuery& q) { r.push_back(lerLinha(q)); });
    if (!lido)
        return Falha(db.lastError());
    return r;
}

Resultado<LinhaNomenclatura> LerLinhaNomenclatura(Database& db, qint64 numRegisto) {
    auto q = db.query(QStringLiteral("SELECT ") + Colunas + QStringLiteral(" FROM Nomenclatura WHERE NumRegisto=?"),
                      {numRegisto});
    if (!q)
        return Falha(db.lastError());
    if (!q->next())
        return LinhaNomenclatura{};
    return lerLinha(*q);
}

bool ExisteNomenclatura(Database& db, const QString& produtoAcabado) {
    return db
        .primeiraLinha(QStringLiteral("SELECT NumRegisto FROM Nomenclatura WHERE ProdutoAcabado=?") +
                           db.dialect().limite(1),
                       {produtoAcabado})
        .has_value();
}

bool ProdutoDiverso(const GlobalContext& ctx, const QString& produto) {
    const QString p = produto.trimmed();
    if (p.isEmpty())
        return false;
    return (!ctx.proddiversos.trimmed().isEmpty() && p.compare(ctx.proddiversos.trimmed(), Qt::CaseInsensitive) == 0) ||
           (!ctx.proddiversos2.trimmed().isEmpty() && p.compare(ctx.proddiversos2.trimmed(), Qt::CaseInsensitive) == 0);
}

qint64 GravarLinhaNomenclatura(GlobalContext& ctx, LinhaNomenclatura l, bool* nova) {
    Database& db = ctx.bd();
    if (l.produtoAcabado.trimmed().isEmpty() || l.produtoPrima.trimmed().isEmpty())
        return 0;
    // Only the miscellaneous products are valued by the bill; the others by their price basis.
    if (!ProdutoDiverso(ctx, l.produtoPrima))
        l.preco = Currency();
    if (l.factorFormula != QStringLiteral("B"))
        l.factorFormula = QStringLiteral("A");
    Transaction t(db);
    if (!t.ok())
        return 0;
    const auto lido =
        db.lerValor(QStringLiteral("SELECT NumRegisto FROM Nomenclatura WHERE ProdutoAcabado=? AND ProdutoPrima=? "
                                   "ORDER BY NumRegisto"),
                    {l.produtoAcabado, l.produtoPrima});
    if (!lido)
        return 0;
    const QVariant& existente = *lido;
    const QStringList colunas = {"ProdutoAcabado", "DescProdutoAcabado", "ProdutoPrima", "descprodutoprima",
                                 "quantidade",     "ProdutoAcabadoPreco", "preco",       "Armazem",
                                 "observa",        "Fixa",               "CtrlQuantidades", "precario",
                                 "Factor",         "FactorFormula"};
    const QVariantList valores = {l.produtoAcabado,
                                  l.descProdutoAcabado,
                                  l.produtoPrima,
                                  l.descProdutoPrima,
                                  l.quantidade.toVariant(),
                                  l.produtoAcabadoPreco.toVariant(),
                                  l.preco.toVariant(),
                                  l.armazem,
                                  l.observa,
                                  l.fixa ? 1 : 0,
                                  l.ctrlQuantidades ? 1 : 0,
                                  l.precario,
                                  l.factor.toVariant(),
                                  l.factorFormula};
    qint64 numRegisto = 0;
    const bool existe = existente.isValid() && !existente.isNull();
    if (existe) {
        numRegisto = existente.toLongLong();
        // A raw material appears once per bill: a repeated one overwrites its line (and any stray copy goes).
        if (!db.update(QStringLiteral("Nomenclatura"), colunas, valores, QStringLiteral("WHERE NumRegisto=?"),
                       {numRegisto}) ||
            !db.exec(QStringLiteral("DELETE FROM Nomenclatura WHERE ProdutoAcabado=? AND ProdutoPrima=? AND NumRegisto<>?"),
                     {l.produtoAcabado, l.produtoPrima, numRegisto}))
            return 0;
    } else if ((numRegisto = db.insert(QStringLiteral("Nomenclatura"), colunas, valores)) <= 0) {
        return 0;
    }
    if (!db.exec(QStringLiteral("UPDATE Nomenclatura SET DescProdutoAcabado=?, ProdutoAcabadoPreco=? "
                                "WHERE ProdutoAcabado=?"),
                 {l.descProdutoAcabado, l.produtoAcabadoPreco.toVariant(), l.produtoAcabado}))
        return 0;
    if (!log(ctx, existe ? QStringLiteral("A") : QStringLiteral("N"), descricaoLinha(l.produtoAcabado, l.produtoPrima),
             l.produtoAcabado))
        return 0;
    if (!t.commit())
        return 0;
    if (nova)
        *nova = !existe;
    return numRegisto;
}

bool NomenclaturaEmObras(Database& db, const QString& produtoAcabado) {
    return db
        .primeiraLinha(QStringLiteral("SELECT NumRegisto FROM ObrasProdutosAcabados WHERE ProdutoAcabado=?") +
                           db.dialect().limite(1),
                       {produtoAcabado})
        .has_value();
}

bool EliminarLinhaNomenclatura(GlobalContext& ctx, qint64 numRegisto) {
    Database& db = ctx.bd();
    Transaction t(db);
    const LinhaNomenclatura l = LerLinhaNomenclatura(db, numRegisto).valorOu({});
    if (!t.ok() || l.numRegisto == 0)
        return false;
    if (!db.exec(QStringLiteral("DELETE FROM Nomenclatura WHERE NumRegisto=?"), {numRegisto}))
        return false;
    if (!log(ctx, QStringLiteral("E"), descricaoLinha(l.produtoAcabado, l.produtoPrima), l.produtoAcabado))
        return false;
    return t.commit();
}

bool EliminarNomenclatura(GlobalContext& ctx, const QString& produtoAcabado, const QString& descricao) {
    Database& db = ctx.bd();
    Transaction t(db);
    if (!t.ok())
        return false;
    if (!db.exec(QStringLiteral("DELETE FROM Nomenclatura WHERE ProdutoAcabado=?"), {produtoAcabado}))
        return false;
    if (!log(ctx, QStringLiteral("E"), QStringLiteral("Produto acabado: %1 - %2").arg(produtoAcabado, descricao),
             produtoAcabado))
        return false;
    return t.commit();
}

bool DefinirFixa(Database& db, const QString& produtoAcabado, bool fixa) {
    return db.exec(QStringLiteral("UPDATE Nomenclatura SET Fixa=? WHERE ProdutoAcabado=?"), {fixa ? 1 : 0, produtoAcabado});
}

bool DefinirCtrlQuantidades(Database& db, const QString& produtoAcabado, bool controlo) {
    return db.exec(QStringLiteral("UPDATE Nomenclatura SET CtrlQuantidades=? WHERE ProdutoAcabado=?"),
                   {controlo ? 1 : 0, produtoAcabado});
}

bool DefinirPrecoProdutoAcabado(Database& db, const QString& produtoAcabado, const Currency& preco) {
    return db.exec(QStringLiteral("UPDATE Nomenclatura SET ProdutoAcabadoPreco=? WHERE ProdutoAcabado=?"),
                   {preco.toVariant(), produtoAcabado});
}

int ImportarNomenclatura(GlobalContext& ctx, const QString& produtoAcabado, const QString& descricao,
                         const QString& origem) {
    Database& db = ctx.bd();
    if (produtoAcabado.trimmed().isEmpty() || ExisteNomenclatura(db, produtoAcabado))
        return -1;
    const auto lidas = LerNomenclatura(db, origem);
    if (!lidas)
        return -1;
    const std::vector<LinhaNomenclatura>& linhas = *lidas;
    if (linhas.empty())
        return 0;
    Transaction t(db);
    if (!t.ok())
        return -1;
    for (LinhaNomenclatura l : linhas) {
        l.produtoAcabado = produtoAcabado;
        l.descProdutoAcabado = descricao;
        if (db.insert(QStringLiteral("Nomenclatura"),
                      Registo()(QStringLiteral("ProdutoAcabado"), l.produtoAcabado)(
                          QStringLiteral("DescProdutoAcabado"), l.descProdutoAcabado)(
                          QStringLiteral("ProdutoPrima"), l.produtoPrima)(QStringLiteral("descprodutoprima"),
                                                                          l.descProdutoPrima)(
                          QStringLiteral("quantidade"), l.quantidade.toVariant())(QStringLiteral("preco"),
                                                                                 l.preco.toVariant())(
                          QStringLiteral("Armazem"), l.armazem)(QStringLiteral("observa"), l.observa)(
                          QStringLiteral("Fixa"), l.fixa ? 1 : 0)(QStringLiteral("CtrlQuantidades"),
                                                                  l.ctrlQuantidades ? 1 : 0)(
                          QStringLiteral("precario"), l.precario)(QStringLiteral("Factor"), l.factor.toVariant())(
                          QStringLiteral("FactorFormula"), l.factorFormula)(
                          QStringLiteral("ProdutoAcabadoPreco"), l.produtoAcabadoPreco.toVariant())) <= 0)
            return -1;
    }
    if (!log(ctx, QStringLiteral("N"),
             QStringLiteral("Produto acabado/importado de: %1/%2").arg(produtoAcabado, origem), produtoAcabado))
        return -1;
    if (!t.commit())
        return -1;
    return int(linhas.size());
}
