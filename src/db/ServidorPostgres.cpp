#include "db/ServidorPostgres.h"

#include "db/Database.h"

#include <QCryptographicHash>

namespace {

// Advisory-lock keys are two 31-bit numbers: the company and user part of the mark, and the
// program. Keeping the program apart lets pg_locks answer "present in any program".
// A stable digest, so every workstation and every program of the suite computes the same key.
qint64 chave(const QString& texto) {
    const QByteArray h = QCryptographicHash::hash(texto.toUpper().toUtf8(), QCryptographicHash::Sha256);
    const quint32 v = (quint32(uchar(h[0])) << 24) | (quint32(uchar(h[1])) << 16) | (quint32(uchar(h[2])) << 8) |
                      quint32(uchar(h[3]));
    return qint64(v & 0x7fffffffu);
}

qint64 chaveUtilizador(const MarcaPresenca& m) {
    return chave(MarcaPresenca::Prefixo + m.empresa + QStringLiteral("_") + m.utilizador);
}

const QString SqlMarcas = QStringLiteral(
    "SELECT COUNT(*) FROM pg_locks WHERE locktype='advisory' AND granted AND objsubid=2 "
    "AND database=(SELECT oid FROM pg_database WHERE datname=current_database()) AND classid::bigint=?");

bool aberta(Database* ligacao) { return ligacao && ligacao->isOpen(); }

} // namespace

ConnectionParams ServidorPostgres::lerTexto(const QString& texto) {
    const QString s = texto.trimmed();
    const qsizetype dp = s.lastIndexOf(u':');
    bool ok = false;
    const int porta = dp > 0 ? s.mid(dp + 1).toInt(&ok) : 0;
    if (ok && porta > 0)
        return ConnectionParams::postgres(s.left(dp), porta);
    return ConnectionParams::postgres(s);
}

QString ServidorPostgres::texto() const {
    return m_params.porta == 5432 ? m_params.host : QStringLiteral("%1:%2").arg(m_params.host).arg(m_params.porta);
}

QString ServidorPostgres::textoNormalizado() const {
    ConnectionParams p = m_params;
    p.host = p.host.toLower();
    return ServidorPostgres(p).texto();
}

Resultado<std::shared_ptr<Database>> ServidorPostgres::abrir(const QString& baseDados) const {
    const ConnectionParams p = paraBaseDados(baseDados);
    return ligar(p, QStringLiteral("QPSQL"),
                 [&](QSqlDatabase& q) {
                     q.setDatabaseName(p.baseDados);
                     const bool sistema = p.autenticacao.trimmed().toUpper() == QStringLiteral("WIN");
                     if (sistema) {
                         // Operating-system authentication: the local socket and the user's own name, no password.
                         if (!p.host.isEmpty() && p.host != QStringLiteral("localhost"))
                             q.setHostName(p.host);
                         q.setUserName(qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME")));
                     } else {
                         q.setHostName(p.host.isEmpty() ? QStringLiteral("localhost") : p.host);
                         q.setUserName(p.login);
                         q.setPassword(p.password);
                     }
                     q.setPort(p.porta);
                     q.setConnectOptions(QStringLiteral("connect_timeout=%1;application_name=WLumoProd;"
                                                        // A prepared statement keeps one plan from its first run
                                                        // on, instead of switching after five runs. No JIT: a
                                                        // generic plan over a long history is estimated above the
                                                        // JIT threshold, and compiling it took about 100 ms on
                                                        // every run of a statement that reads a few rows.
                                                        "options='-c statement_timeout=%2 -c plan_cache_mode=force_generic_plan "
                                                        "-c jit=off'")
                                             .arg(qMax(1, p.tempoLigacao))
                                             .arg(qMax(0, p.tempoComando) * 1000));
                 });
}

Resultado<std::shared_ptr<Database>> ServidorPostgres::ligarManutencao() const {
    return abrir(QStringLiteral("postgres"));
}

Resultado<> ServidorPostgres::comandoDeBaseDados(const QString& nome, const QString& sql) const {
    if (!nomeValido(nome))
        return Falha(QStringLiteral("Nome de base de dados inválido: %1").arg(nome));
    const auto adm = ligarManutencao();
    if (!adm)
        return adm.falha();
    // The name was checked above; identifiers cannot be bound.
    if (!(*adm)->exec(sql.arg(nome)))
        return Falha((*adm)->lastError());
    return {};
}

Resultado<> ServidorPostgres::criarBaseDados(const QString& nome) const {
    return comandoDeBaseDados(nome,
                              QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' LC_COLLATE 'C.UTF-8' "
                                             "LC_CTYPE 'C.UTF-8' TEMPLATE template0"));
}

bool ServidorPostgres::existeBaseDados(const QString& nome) const {
    const auto adm = ligarManutencao();
    return adm && (*adm)->scalar(QStringLiteral("SELECT COUNT(*) FROM pg_database WHERE datname=?"), {nome})
                          .toInt() > 0;
}

Resultado<> ServidorPostgres::apagarBaseDados(const QString& nome) const {
    return comandoDeBaseDados(nome, QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)"));
}

Resultado<QStringList> ServidorPostgres::basesDados() const {
    QStringList r;
    const auto ligada = ligarManutencao();
    if (!ligada)
        return ligada.falha();
    const std::shared_ptr<Database>& adm = *ligada;
    auto q = adm->query(QStringLiteral("SELECT datname FROM pg_database WHERE NOT datistemplate ORDER BY datname"));
    while (q && q->next())
        r << q->value(0).toString();
    return r;
}

QHash<QString, EstadoBaseDados> ServidorPostgres::estadoBasesDados() const {
    QHash<QString, EstadoBaseDados> r;
    const auto ligada = ligarManutencao();
    if (!ligada)
        return r;
    const std::shared_ptr<Database>& adm = *ligada;
    // A database is read-only for everyone when its own setting says so (ALTER DATABASE ... SET
    // default_transaction_read_only); its size is asked only where this login may connect.
    auto q = adm->query(QStringLiteral(
        "SELECT d.datname, NOT d.datallowconn, "
        "CASE WHEN has_database_privilege(d.oid, 'CONNECT') THEN pg_database_size(d.oid) END, "
        "EXISTS (SELECT 1 FROM pg_db_role_setting s, unnest(s.setconfig) c "
        "        WHERE s.setdatabase=d.oid AND s.setrole=0 "
        "        AND lower(c) IN ('default_transaction_read_only=on', 'default_transaction_read_only=true', "
        "                         'default_transaction_read_only=1', 'default_transaction_read_only=yes')) "
        "FROM pg_database d WHERE NOT d.datistemplate"));
    while (q && q->next()) {
        EstadoBaseDados e;
        e.desligada = q->value(1).toBool();
        e.bytes = q->value(2).isNull() ? -1 : q->value(2).toLongLong();
        e.soLeitura = q->value(3).toBool();
        r.insert(q->value(0).toString(), e);
    }
    return r;
}

// A database cannot refuse connections from a session inside it, so the switch is made
// from the server's maintenance database with the same credentials.
bool ServidorPostgres::permitirLigacoes(const QString& baseDados, bool permitir, qint64 pidPoupado) const {
    if (!nomeValido(baseDados))
        return false;
    const auto ligada = ligarManutencao();
    if (!ligada)
        return false;
    const std::shared_ptr<Database>& adm = *ligada;
    if (!adm->exec(QStringLiteral("ALTER DATABASE \"%1\" WITH ALLOW_CONNECTIONS %2")
                       .arg(baseDados, permitir ? QStringLiteral("true") : QStringLiteral("false"))))
        return false;
    if (permitir)
        return true;
    return adm->exec(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                                    "WHERE datname=? AND pid<>?"),
                     {baseDados, pidPoupado});
}

bool ServidorPostgres::utilizadorUnico(Database& ligacao, const QString& baseDados, bool unico) const {
    if (!unico)
        return permitirLigacoes(baseDados, true, 0);
    const qint64 pid = ligacao.scalar(QStringLiteral("SELECT pg_backend_pid()")).toLongLong();
    return permitirLigacoes(baseDados, false, pid);
}

bool ServidorPostgres::emLinha(Database&, const QString& baseDados, bool emLinha) const {
    return permitirLigacoes(baseDados, emLinha, 0);
}

bool ServidorPostgres::marcarPresenca(Database* ligacao, const MarcaPresenca& m) const {
    if (!aberta(ligacao))
        return false;
    const qint64 k1 = chaveUtilizador(m);
    const qint64 k2 = chave(m.programa);
    // Session locks stack: our own session would be granted the mark a second time.
    const Resultado<QVariant> proprias = ligacao->lerValor(
        SqlMarcas + QStringLiteral(" AND objid::bigint=? AND pid=pg_backend_pid()"), {k1, k2});
    if (!proprias || proprias->toLongLong() > 0)
        return false;
    return ligacao
        ->scalar(QStringLiteral("SELECT pg_try_advisory_lock(CAST(? AS integer), CAST(? AS integer))"), {k1, k2})
        .toBool();
}

bool ServidorPostgres::presente(Database* ligacao, const MarcaPresenca& m) const {
    if (!aberta(ligacao))
        return false;
    return ligacao->scalar(SqlMarcas + QStringLiteral(" AND objid::bigint=?"), {chaveUtilizador(m), chave(m.programa)})
               .toLongLong() > 0;
}

bool ServidorPostgres::presenteEmAlgumPrograma(Database* ligacao, const MarcaPresenca& m) const {
    if (!aberta(ligacao))
        return false;
    return ligacao->scalar(SqlMarcas, {chaveUtilizador(m)}).toLongLong() > 0;
}

void ServidorPostgres::retirarPresenca(Database* ligacao, const MarcaPresenca& m) const {
    // A closed connection has already taken its locks with it.
    if (!aberta(ligacao))
        return;
    const qint64 k1 = chaveUtilizador(m);
    const qint64 k2 = chave(m.programa);
    if (ligacao->scalar(SqlMarcas + QStringLiteral(" AND objid::bigint=? AND pid=pg_backend_pid()"), {k1, k2})
            .toLongLong() > 0)
        ligacao->scalar(QStringLiteral("SELECT pg_advisory_unlock(CAST(? AS integer), CAST(? AS integer))"), {k1, k2});
}
