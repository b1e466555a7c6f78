#include "session/LogGeral.h"

#include "db/Database.h"
#include "company/GlobalContext.h"
#include "db/Identificador.h"
#include "db/esquema/Esquema.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlQuery>

namespace {
bool colunaSecreta(const QString& nome) {
    const QString n = nome.toLower();
    return n.contains(QStringLiteral("password")) || n.contains(QStringLiteral("pwd")) ||
           n.contains(QStringLiteral("criafichaspass")) || n.contains(QStringLiteral("anoantpass"));
}

QString textoValor(const QVariant& v) {
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

} // namespace

qint64 MeteNoLogGeral(Database& db, const QString& utilizador, const EntradaLog& e, const QString& dataSys) {
    return db.insert(QStringLiteral("LogGeral"),
                     {QStringLiteral("Utilizador"), QStringLiteral("Modulo"), QStringLiteral("Accao"),
                      QStringLiteral("Observa"), QStringLiteral("Descricao"), QStringLiteral("Valor"),
                      QStringLiteral("Tipo"), QStringLiteral("Numero"), QStringLiteral("Ano"),
                      QStringLiteral("Produto"), QStringLiteral("Terceiro"), QStringLiteral("DataSys")},
                     {utilizador, e.modulo, e.accao, e.observa, e.descricao.left(100), e.valor.toVariant(), e.tipo,
                      e.numero, e.ano, e.produto, e.terceiro, dataSys});
}

bool LogGeral(GlobalContext& ctx, EntradaLog e, const QSqlRecord* antes, const QSqlRecord* depois) {
    Database& db = ctx.bd();
    const QVariant activo = db.scalar(
        QStringLiteral("SELECT ActivaLogGeral FROM UtilConfGeral WHERE Utilizador=?"), {ctx.CodigoUtilizador});
    if (activo.isValid() && !activo.isNull() && activo.toInt() == 0)
        return true;
    if (antes && depois) {
        const QString alteracoes = descreverAlteracoes(*antes, *depois);
        if (!alteracoes.isEmpty())
            e.observa += (e.observa.isEmpty() ? QString() : QStringLiteral("\r\n")) + alteracoes;
    }
    QDateTime quando = db.agoraServidor();
    if (!quando.isValid())
        quando = QDateTime::currentDateTime();
    // Session-length entries carry their duration in seconds and are dated at their start.
    if (e.modulo == QStringLiteral("LI"))
        quando = quando.addSecs(-e.valor.rounded(0, Currency::Arredondamento::MetadeAfastaDeZero).raw() / Currency::Escala);
    return MeteNoLogGeral(db, ctx.CodigoUtilizador, e, quando.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) > 0;
}

QString descreverAlteracoes(const QSqlRecord& antes, const QSqlRecord& depois) {
    QStringList linhas;
    for (int i = 0; i < depois.count(); ++i) {
        const QString nome = grafiaColuna(depois.fieldName(i));
        if (nome.compare(QStringLiteral("DataSys"), Qt::CaseInsensitive) == 0)
            continue;
        const int j = antes.indexOf(nome);
        if (j < 0)
            continue;
        const QString velho = textoValor(antes.value(j));
        const QString novo = textoValor(depois.value(i));
        if (velho == novo)
            continue;
        if (colunaSecreta(nome))
            linhas << nome + QStringLiteral(": (alterada)");
        else
            linhas << nome + QStringLiteral(": (") + velho + QStringLiteral(" -> ") + novo + u')';
    }
    return linhas.join(QStringLiteral("\r\n"));
}

QSqlRecord lerRegisto(Database& db, const QString& tabela, qint64 numRegisto) {
    if (!identificadorValido(tabela))
        return {};
    auto q = db.query(QStringLiteral("SELECT * FROM %1 WHERE NumRegisto=?").arg(tabela), {numRegisto});
    if (!q || !q->next())
        return {};
    return q->record();
}

bool LancaLOG_DB(GlobalContext& ctx, const QString& accao, const QString& ficheiro, bool comoSupervisor) {
    const QDateTime agora = QDateTime::currentDateTime();
    return ctx.bd().insert(QStringLiteral("Log_DB"),
                           {QStringLiteral("Accao"), QStringLiteral("Data"), QStringLiteral("Hora"),
                            QStringLiteral("Ficheiro"), QStringLiteral("Utilizador"), QStringLiteral("Posto")},
                           {accao, agora.toString(QStringLiteral("yyyy-MM-dd")), agora.toString(QStringLiteral("HH:mm")),
                            ficheiro, comoSupervisor ? QStringLiteral("01") : ctx.CodigoUtilizador, ctx.NomePosto}) > 0;
}
