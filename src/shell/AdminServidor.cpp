#include "shell/AdminServidor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>

namespace AdminServidor {

bool nomeValido(const QString& nome) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_]{1,63}$"));
    return re.match(nome).hasMatch();
}

std::shared_ptr<Database> ligarManutencao(const ConnectionParams& p, QString* erro) {
    ConnectionParams m = p;
    m.baseDados = QStringLiteral("postgres");
    return Database::open(m, erro);
}

bool criarBaseDados(const ConnectionParams& servidor, const QString& nome, QString* erro) {
    if (!nomeValido(nome)) {
        if (erro)
            *erro = QStringLiteral("Nome de base de dados inválido: %1").arg(nome);
        return false;
    }
    if (servidor.motor == Dialect::Motor::SQLite) {
        ConnectionParams p = servidor;
        p.baseDados = nome;
        if (QFileInfo::exists(p.ficheiroSQLite())) {
            if (erro)
                *erro = QStringLiteral("A base de dados %1 já existe.").arg(nome);
            return false;
        }
        return Database::openSQLiteFile(p.ficheiroSQLite(), erro) != nullptr;
    }
    auto adm = ligarManutencao(servidor, erro);
    if (!adm)
        return false;
    // The name was checked above; identifiers cannot be bound.
    const QString sql = QStringLiteral("CREATE DATABASE \"%1\" ENCODING 'UTF8' LC_COLLATE 'C.UTF-8' "
                                       "LC_CTYPE 'C.UTF-8' TEMPLATE template0")
                            .arg(nome);
    if (!adm->exec(sql)) {
        if (erro)
            *erro = adm->lastError();
        return false;
    }
    return true;
}

bool existeBaseDados(const ConnectionParams& servidor, const QString& nome) {
    if (servidor.motor == Dialect::Motor::SQLite) {
        ConnectionParams p = servidor;
        p.baseDados = nome;
        return QFileInfo::exists(p.ficheiroSQLite());
    }
    auto adm = ligarManutencao(servidor);
    return adm && adm->scalar(QStringLiteral("SELECT COUNT(*) FROM pg_database WHERE datname=?"), {nome}).toInt() > 0;
}

bool apagarBaseDados(const ConnectionParams& servidor, const QString& nome, QString* erro) {
    if (!nomeValido(nome)) {
        if (erro)
            *erro = QStringLiteral("Nome de base de dados inválido: %1").arg(nome);
        return false;
    }
    if (servidor.motor == Dialect::Motor::SQLite) {
        ConnectionParams p = servidor;
        p.baseDados = nome;
        const QString f = p.ficheiroSQLite();
        QFile::remove(f + QStringLiteral("-wal"));
        QFile::remove(f + QStringLiteral("-shm"));
        return QFile::remove(f);
    }
    auto adm = ligarManutencao(servidor, erro);
    if (!adm)
        return false;
    if (!adm->exec(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(nome))) {
        if (erro)
            *erro = adm->lastError();
        return false;
    }
    return true;
}

QStringList basesDados(const ConnectionParams& servidor, QString* erro) {
    QStringList r;
    if (servidor.motor == Dialect::Motor::SQLite) {
        const QFileInfoList fs = QDir(servidor.pasta).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
        for (const QFileInfo& f : fs)
            r << f.completeBaseName();
        return r;
    }
    auto adm = ligarManutencao(servidor, erro);
    if (!adm)
        return r;
    auto q = adm->query(QStringLiteral("SELECT datname FROM pg_database WHERE NOT datistemplate ORDER BY datname"));
    while (q && q->next())
        r << q->value(0).toString();
    return r;
}

} // namespace AdminServidor
