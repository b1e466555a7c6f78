#include "session/Presenca.h"

#include "session/Acessos.h"
#include "db/Database.h"
#include "company/GlobalContext.h"
#include "company/Ligacoes.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <memory>

namespace {

const QString PrefixoMarca = QStringLiteral("#WLUMOGEST");

// File locks belong to the process, not to one object: the menu that removes the mark is not the
// login that made it.
QHash<QString, std::shared_ptr<QLockFile>>& marcasDoProcesso() {
    static QHash<QString, std::shared_ptr<QLockFile>> marcas;
    return marcas;
}

// Advisory-lock keys are two 31-bit numbers: the company and user part of the mark, and the
// program. Keeping the program apart lets pg_locks answer "present in any program".
// A stable digest, so every workstation and every program of the suite computes the same key.
qint64 chave(const QString& texto) {
    const QByteArray h = QCryptographicHash::hash(texto.toUpper().toUtf8(), QCryptographicHash::Sha256);
    const quint32 v = (quint32(uchar(h[0])) << 24) | (quint32(uchar(h[1])) << 16) | (quint32(uchar(h[2])) << 8) |
                      quint32(uchar(h[3]));
    return qint64(v & 0x7fffffffu);
}

qint64 chaveUtilizador(const QString& empresa, const QString& utilizador) {
    return chave(PrefixoMarca + empresa + QStringLiteral("_") + utilizador);
}

QString seguroParaFicheiro(QString texto) {
    static const QRegularExpression proibidos(QStringLiteral("[^A-Za-z0-9_-]"));
    return texto.replace(proibidos, QStringLiteral("_")).toUpper();
}

// Whether another process holds the file: a lock taken and given back at once says no.
bool ficheiroPreso(const QString& ficheiro) {
    if (marcasDoProcesso().contains(ficheiro))
        return true;
    QLockFile sonda(ficheiro);
    sonda.setStaleLockTime(0);
    if (sonda.tryLock(0)) {
        sonda.unlock();
        return false;
    }
    return sonda.error() == QLockFile::LockFailedError;
}

const QString SqlMarcasPg = QStringLiteral(
    "SELECT COUNT(*) FROM pg_locks WHERE locktype='advisory' AND granted AND objsubid=2 "
    "AND database=(SELECT oid FROM pg_database WHERE datname=current_database()) AND classid::bigint=?");

} // namespace

Presenca::Presenca(GlobalContext& ctx, const QString& programa)
    : m_ctx(ctx), m_programa(programa.isEmpty() ? NomePrograma : programa) {}

QString Presenca::NomeMarca(const QString& empresa, const QString& programa, const QString& utilizador) {
    return PrefixoMarca + empresa + QStringLiteral("_") + programa + QStringLiteral("_") + utilizador;
}

bool Presenca::emSQLite() const {
    if (m_ctx.LigacaoEmpresa)
        return m_ctx.LigacaoEmpresa->dialect().isSQLite();
    return parametrosServidor(m_ctx.Servidor).motor == Dialect::Motor::SQLite;
}

QString Presenca::ficheiroMarca(const QString& programa, const QString& utilizador) const {
    const QString pasta = m_ctx.LigacaoEmpresa ? m_ctx.LigacaoEmpresa->params().pasta
                                               : parametrosServidor(m_ctx.Servidor).pasta;
    return QDir(pasta).absoluteFilePath(seguroParaFicheiro(NomeMarca(m_ctx.CodigoEmpresa, programa, utilizador)) +
                                        QStringLiteral(".lock"));
}

bool Presenca::Utilizador_Entrada(const QString& utilizador) {
    if (emSQLite()) {
        const QString f = ficheiroMarca(m_programa, utilizador);
        if (marcasDoProcesso().contains(f))
            return false;
        auto lock = std::make_shared<QLockFile>(f);
        // Only a dead holder makes the mark stale, however long a session lasts.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            return false;
        marcasDoProcesso().insert(f, lock);
        return true;
    }
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return false;
    Database& db = *m_ctx.LigacaoEmpresa;
    const qint64 k1 = chaveUtilizador(m_ctx.CodigoEmpresa, utilizador);
    const qint64 k2 = chave(m_programa);
    // Session locks stack: our own session would be granted the mark a second time.
    bool ok = false;
    const QVariant proprias = db.scalar(SqlMarcasPg + QStringLiteral(" AND objid::bigint=? AND pid=pg_backend_pid()"),
                                        {k1, k2}, &ok);
    if (!ok || proprias.toLongLong() > 0)
        return false;
    return db.scalar(QStringLiteral("SELECT pg_try_advisory_lock(CAST(? AS integer), CAST(? AS integer))"), {k1, k2})
        .toBool();
}

bool Presenca::Utilizador_EmUso(const QString& utilizador) {
    if (emSQLite())
        return ficheiroPreso(ficheiroMarca(m_programa, utilizador));
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return false;
    return m_ctx.LigacaoEmpresa
               ->scalar(SqlMarcasPg + QStringLiteral(" AND objid::bigint=?"),
                        {chaveUtilizador(m_ctx.CodigoEmpresa, utilizador), chave(m_programa)})
               .toLongLong() > 0;
}

bool Presenca::Utilizador_EmUso_TodosModulos(const QString& utilizador) {
    if (emSQLite()) {
        const QDir pasta = QFileInfo(ficheiroMarca(m_programa, utilizador)).absoluteDir();
        const QString filtro = seguroParaFicheiro(PrefixoMarca + m_ctx.CodigoEmpresa + QStringLiteral("_")) +
                               QStringLiteral("*") + seguroParaFicheiro(QStringLiteral("_") + utilizador) +
                               QStringLiteral(".lock");
        for (const QString& nome : pasta.entryList({filtro}, QDir::Files | QDir::Hidden))
            if (ficheiroPreso(pasta.absoluteFilePath(nome)))
                return true;
        return false;
    }
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return false;
    return m_ctx.LigacaoEmpresa->scalar(SqlMarcasPg, {chaveUtilizador(m_ctx.CodigoEmpresa, utilizador)})
               .toLongLong() > 0;
}

void Presenca::Utilizador_Saida(const QString& utilizador) {
    if (emSQLite()) {
        const QString f = ficheiroMarca(m_programa, utilizador);
        if (auto lock = marcasDoProcesso().take(f))
            lock->unlock();
        return;
    }
    // A closed connection has already taken its locks with it.
    if (!m_ctx.LigacaoEmpresa || !m_ctx.LigacaoEmpresa->isOpen())
        return;
    Database& db = *m_ctx.LigacaoEmpresa;
    const qint64 k1 = chaveUtilizador(m_ctx.CodigoEmpresa, utilizador);
    const qint64 k2 = chave(m_programa);
    if (db.scalar(SqlMarcasPg + QStringLiteral(" AND objid::bigint=? AND pid=pg_backend_pid()"), {k1, k2})
            .toLongLong() > 0)
        db.scalar(QStringLiteral("SELECT pg_advisory_unlock(CAST(? AS integer), CAST(? AS integer))"), {k1, k2});
}
