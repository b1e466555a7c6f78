#include "production/Lotes.h"

#include "db/Database.h"
#include "company/GlobalContext.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
QString texto(const QSqlQuery& q, const char* coluna) { return q.value(QString::fromLatin1(coluna)).toString(); }
Currency montante(const QSqlQuery& q, const char* coluna) {
    return Currency::fromVariant(q.value(QString::fromLatin1(coluna)));
}
} // namespace

Resultado<std::optional<LoteProduto>> LerLoteProduto(Database& db, const QString& produto, const QString& codigo) {
    auto q = db.query(QStringLiteral("SELECT Produto, Codigo, Descricao, DataFabrico, DataValidade, Observa, "
                                     "Saft_ArcNo, Bloqueado FROM TabLotes WHERE Produto=? AND Codigo=? "
                                     "ORDER BY NumRegisto"),
                      {produto, codigo});
    if (!q)
        return Falha(db.lastError());
    if (!q->next())
        return std::optional<LoteProduto>();
    LoteProduto l;
    l.produto = q->value(0).toString();
    l.codigo = q->value(1).toString();
    l.descricao = q->value(2).toString();
    l.dataFabrico = q->value(3).toString();
    l.dataValidade = q->value(4).toString();
    l.observa = q->value(5).toString();
    l.saftArcNo = q->value(6).toString();
    l.bloqueado = q->value(7).toInt();
    return std::optional<LoteProduto>(std::move(l));
}

Resultado<qint64> InserirLoteProduto(GlobalContext& ctx, const LoteProduto& lote) {
    Database& db = ctx.bd();
    if (lote.produto.trimmed().isEmpty() || lote.codigo.trimmed().isEmpty())
        return Falha(QStringLiteral("Falta o produto ou o código do lote."), QStringLiteral("Codigo"));
    const auto existente = LerLoteProduto(db, lote.produto, lote.codigo);
    if (!existente)
        return existente.falha();
    if (*existente)
        return Falha(QStringLiteral("Lote já existente para este Produto!"), QStringLiteral("Codigo"));
    QDateTime agora = db.agoraServidor();
    if (!agora.isValid())
        agora = QDateTime::currentDateTime();
    const qint64 n = db.insert(
        QStringLiteral("TabLotes"),
        Registo()(QStringLiteral("Produto"), lote.produto)(QStringLiteral("Codigo"), lote.codigo)(
            QStringLiteral("Descricao"), lote.descricao.trimmed().isEmpty() ? lote.codigo : lote.descricao)(
            QStringLiteral("DataFabrico"), lote.dataFabrico)(QStringLiteral("DataValidade"), lote.dataValidade)(
            QStringLiteral("Observa"), lote.observa)(QStringLiteral("Bloqueado"), 0)(
            QStringLiteral("Saft_ArcNo"), lote.saftArcNo)(QStringLiteral("Utilizador"), ctx.CodigoUtilizador)(
            QStringLiteral("DataSys"), agora.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    if (n <= 0)
        return Falha(db.lastError());
    return n;
}

Resultado<bool> VerificaDatasLote(Database& db, const QString& produto, const QString& lote, const QString& dataFabrico,
                                  const QString& dataValidade) {
    bool diferente = false;
    const bool lido = db.percorrer(
        QStringLiteral("SELECT DISTINCT DataFabrico, DataValidade FROM MovProduto WHERE Codigo=? AND Lote=? "
                       "ORDER BY DataFabrico, DataValidade"),
        {produto, lote}, [&](const QSqlQuery& q) {
            if (q.value(0).toString() != dataFabrico || q.value(1).toString() != dataValidade)
                diferente = true;
        });
    if (!lido)
        return Falha(db.lastError());
    return !diferente;
}

QString MensagemDatasLote(const QString& lote) {
    return QStringLiteral("Já existe o lote [ %1 ] para este produto, mas com outras datas.").arg(lote);
}

Resultado<std::optional<LoteProducao>> LerLoteProducao(Database& db, const QString& lote) {
    auto q = db.query(QStringLiteral("SELECT * FROM Lotes WHERE lote=? ORDER BY NumRegisto"), {lote});
    if (!q)
        return Falha(db.lastError());
    if (!q->next())
        return std::optional<LoteProducao>();
    LoteProducao l;
    l.numRegisto = q->value(QStringLiteral("NumRegisto")).toLongLong();
    l.lote = texto(*q, "lote");
    l.produto = texto(*q, "Produto");
    l.armazem = texto(*q, "armazem");
    l.quantidade = montante(*q, "quantidade");
    l.precario = montante(*q, "precario");
    l.custoTotal = montante(*q, "custoTotal");
    l.fechado = q->value(QStringLiteral("Fechado")).toInt() == 1;
    l.saida = {texto(*q, "tipoSaida"), texto(*q, "NumeroSaida"), texto(*q, "DataSaida")};
    l.retorno = {texto(*q, "tipoRet"), texto(*q, "Numeroret"), texto(*q, "Dataret")};
    l.reforco = {texto(*q, "tiporef"), texto(*q, "Numeroref"), texto(*q, "Dataref")};
    l.entrada = {texto(*q, "tipoent"), texto(*q, "Numeroent"), texto(*q, "Dataent")};
    l.medicoesAltura = montante(*q, "MedicoesAltura");
    l.medicoesLargura = montante(*q, "MedicoesLargura");
    return std::optional<LoteProducao>(std::move(l));
}

qint64 GravarLoteProducao(Database& db, const LoteProducao& l) {
    const QStringList colunas = {"lote",      "Produto",     "precario",  "custoTotal", "armazem",
                                 "quantidade", "tipoSaida",  "NumeroSaida", "DataSaida", "tipoRet",
                                 "Numeroret", "Dataret",     "tiporef",   "Numeroref",  "Dataref",
                                 "tipoent",   "Numeroent",   "Dataent",   "Fechado",    "MedicoesAltura",
                                 "MedicoesLargura"};
    const QVariantList valores = {l.lote,
                                  l.produto,
                                  l.precario.toVariant(),
                                  l.custoTotal.toVariant(),
                                  l.armazem,
                                  l.quantidade.toVariant(),
                                  l.saida.tipo,
                                  l.saida.numero,
                                  l.saida.data,
                                  l.retorno.tipo,
                                  l.retorno.numero,
                                  l.retorno.data,
                                  l.reforco.tipo,
                                  l.reforco.numero,
                                  l.reforco.data,
                                  l.entrada.tipo,
                                  l.entrada.numero,
                                  l.entrada.data,
                                  l.fechado ? 1 : 0,
                                  l.medicoesAltura.toVariant(),
                                  l.medicoesLargura.toVariant()};
    const auto lido = db.lerValor(QStringLiteral("SELECT NumRegisto FROM Lotes WHERE lote=? ORDER BY NumRegisto"), {l.lote});
    if (!lido)
        return 0;
    const QVariant& existente = *lido;
    if (existente.isValid() && !existente.isNull()) {
        if (!db.update(QStringLiteral("Lotes"), colunas, valores, QStringLiteral("WHERE NumRegisto=?"), {existente}))
            return 0;
        return existente.toLongLong();
    }
    return db.insert(QStringLiteral("Lotes"), colunas, valores);
}
