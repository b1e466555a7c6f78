#include "db/EstadoBaseDados.h"

#include "db/AdminServidor.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

QHash<QString, EstadoBaseDados> estadoBasesDados(const ConnectionParams& servidor) {
    QHash<QString, EstadoBaseDados> r;
    if (servidor.motor == Dialect::Motor::SQLite) {
        const QFileInfoList fs =
            QDir(servidor.pasta).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : fs) {
            EstadoBaseDados e;
            e.soLeitura = !f.isWritable();
            // Recent writes may still sit in the write-ahead log beside the file.
            const QFileInfo wal(f.absoluteFilePath() + QStringLiteral("-wal"));
            e.bytes = f.size() + (wal.exists() ? wal.size() : 0);
            r.insert(f.completeBaseName(), e);
        }
        return r;
    }
    auto adm = AdminServidor::ligarManutencao(servidor);
    if (!adm)
        return r;
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

QString VerTamanhoDB(qint64 bytes) {
    if (bytes < 0)
        return {};
    return QStringLiteral("%1 Mb").arg(std::llround(double(bytes) / (1024.0 * 1024.0)));
}
