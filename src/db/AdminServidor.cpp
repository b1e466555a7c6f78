#include "db/AdminServidor.h"

#include "common/FicheiroSaida.h"

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
        // The company's data is its owner's: the file is created 0600 before SQLite fills it, and
        // SQLite gives its journal files the same mode.
        if (!CriarPastaPrivada(p.pasta)) {
            if (erro)
                *erro = QStringLiteral("Não foi possível criar a pasta %1.").arg(p.pasta);
            return false;
        }
        QFile vazio(p.ficheiroSQLite());
        if (!vazio.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            if (erro)
                *erro = QStringLiteral("Não foi possível criar a base de dados %1.").arg(nome);
            return false;
        }
        vazio.close();
        if (Database::openSQLiteFile(p.ficheiroSQLite(), erro) != nullptr)
            return true;
        QFile::remove(p.ficheiroSQLite());
        return false;
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
