#include "support/ModeloPostgres.h"

#include "db/AdminServidor.h"
#include "db/Database.h"
#include "db/esquema/Esquema.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>

namespace {

constexpr qint64 ChaveBloqueio = 0x4C554D4F4D4F44; // any fixed number, the same in every test process
constexpr qint64 SegundosAteAntigo = 3600;

QString aspas(const QString& nome) { return QLatin1Char('"') + nome + QLatin1Char('"'); }

// A new build of the test program or a new day (the demo dates its documents today) means a new
// template, so a template never outlives the code that made it.
QString nomeModelo(const Dialect& d, const QString& tipo) {
    const QString chave = assinaturaEsquema(d) + QLatin1Char('|') +
                          QFileInfo(QCoreApplication::applicationFilePath()).lastModified().toString(Qt::ISODateWithMs) +
                          QLatin1Char('|') + QDate::currentDate().toString(Qt::ISODate);
    const QByteArray h = QCryptographicHash::hash(chave.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("lumo_modelo_%1_%2").arg(tipo, QString::fromLatin1(h));
}

// Templates of earlier builds, left by earlier runs; a recent one may still be copied by a run of
// the previous build, so only old ones go.
void apagarModelosAntigos(Database& adm, const QString& tipo, const QString& actual) {
    QStringList antigos;
    const qint64 agora = QDateTime::currentSecsSinceEpoch();
    (void)adm.percorrer(QStringLiteral("SELECT datname, shobj_description(oid, 'pg_database') FROM pg_database "
                                       "WHERE datistemplate AND datname LIKE ? AND datname <> ?"),
                        {QStringLiteral("lumo\\_modelo\\_%1\\_%").arg(tipo), actual}, [&](const QSqlQuery& q) {
                            if (agora - q.value(1).toString().toLongLong() > SegundosAteAntigo)
                                antigos << q.value(0).toString();
                        });
    for (const QString& n : antigos)
        if (adm.exec(QStringLiteral("ALTER DATABASE %1 IS_TEMPLATE false").arg(aspas(n))))
            (void)adm.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(aspas(n)));
}

Resultado<> garantirModelo(Database& adm, const QString& modelo, const QString& tipo,
                           const std::function<Resultado<>(const QString&)>& construir) {
    const QVariant marcado =
        adm.scalar(QStringLiteral("SELECT datistemplate FROM pg_database WHERE datname = ?"), {modelo});
    if (marcado.isValid() && marcado.toBool())
        return {};
    // Left by a process that died while building it.
    if (marcado.isValid() && !adm.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(aspas(modelo))))
        return Falha(adm.lastError());
    if (auto r = construir(modelo); !r)
        return r;
    if (!adm.exec(QStringLiteral("COMMENT ON DATABASE %1 IS '%2'")
                      .arg(aspas(modelo))
                      .arg(QDateTime::currentSecsSinceEpoch())) ||
        !adm.exec(QStringLiteral("ALTER DATABASE %1 IS_TEMPLATE true").arg(aspas(modelo))))
        return Falha(adm.lastError());
    apagarModelosAntigos(adm, tipo, modelo);
    return {};
}

} // namespace

Resultado<> criarCopiaDeModelo(const ConnectionParams& servidor, const QString& nome, const QString& tipo,
                               const std::function<Resultado<>(const QString& modelo)>& construir) {
    if (!AdminServidor::nomeValido(nome) || !AdminServidor::nomeValido(tipo))
        return Falha(QStringLiteral("Nome de base de dados inválido: %1").arg(nome));
    auto ligada = AdminServidor::ligarManutencao(servidor);
    if (!ligada)
        return ligada.falha();
    Database& adm = **ligada;
    const QString modelo = nomeModelo(adm.dialect(), tipo);
    if (!adm.exec(QStringLiteral("SELECT pg_advisory_lock(?)"), {ChaveBloqueio}))
        return Falha(adm.lastError());
    const Resultado<> pronto = garantirModelo(adm, modelo, tipo, construir);
    (void)adm.exec(QStringLiteral("SELECT pg_advisory_unlock(?)"), {ChaveBloqueio});
    if (!pronto)
        return pronto;
    if (!adm.exec(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(aspas(nome), aspas(modelo))))
        return Falha(adm.lastError());
    return {};
}
