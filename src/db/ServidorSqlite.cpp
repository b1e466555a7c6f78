#include "db/ServidorSqlite.h"

#include "common/FicheiroSaida.h"
#include "db/Database.h"
#include "db/SqliteFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QSqlDriver>

#include <mutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// SQLite opens a temporary b-tree with its own page cache (about 90 KB) for many statements (a
// sorted or materialised subquery) and frees it when the statement ends. With the allocator's
// defaults that memory goes back to the system and is asked for again on every execution, which
// cost a posting about a third of its time. The process keeps up to 64 MB of freed heap instead.
void manterMemoriaLibertada() {
#ifdef __GLIBC__
    static std::once_flag feito;
    std::call_once(feito, [] {
        mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
        mallopt(M_TOP_PAD, 4 * 1024 * 1024);
        mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
    });
#endif
}

void registarFuncoes(Database& db) {
    QVariant h = db.qdb().driver()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0) {
        sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
        if (handle)
            lumoRegistarFuncoesSQLite(handle);
    }
}

// A session setting the connection can do without: refused, the engine's default stays.
void ajustar(Database& ligacao, const QString& pragma) {
    (void)ligacao.exec(pragma);
}

bool exclusivo(Database& ligacao, bool sim) {
    if (!sim) {
        // The exclusive lock is given up at the next read after leaving exclusive mode.
        return ligacao.exec(QStringLiteral("PRAGMA locking_mode=NORMAL")) &&
               ligacao.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")).isValid();
    }
    // Other open connections keep their read locks; wait a little for them, not the full command time.
    ajustar(ligacao, QStringLiteral("PRAGMA busy_timeout=2000"));
    const bool ok = ligacao.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) &&
                    ligacao.exec(QStringLiteral("BEGIN IMMEDIATE")) && ligacao.exec(QStringLiteral("COMMIT"));
    if (!ok)
        exclusivo(ligacao, false);
    ajustar(ligacao, QStringLiteral("PRAGMA busy_timeout=%1").arg(ligacao.params().tempoComando * 1000));
    return ok;
}

// File locks belong to the process, not to one object: the menu that removes the mark is not the
// login that made it.
QHash<QString, std::shared_ptr<QLockFile>>& marcasDoProcesso() {
    static QHash<QString, std::shared_ptr<QLockFile>> marcas;
    return marcas;
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

} // namespace

std::optional<ConnectionParams> ServidorSqlite::lerTexto(const QString& texto) {
    const QString s = texto.trimmed();
    if (s.startsWith(QStringLiteral("sqlite:"), Qt::CaseInsensitive))
        return ConnectionParams::sqlite(s.mid(7));
    if (QDir::isAbsolutePath(s) && !s.isEmpty())
        return ConnectionParams::sqlite(s);
    return std::nullopt;
}

QString ServidorSqlite::texto() const { return QStringLiteral("sqlite:") + m_params.pasta; }

Resultado<std::shared_ptr<Database>> ServidorSqlite::abrirFicheiro(const QString& ficheiro,
                                                                   const ConnectionParams& p) {
    manterMemoriaLibertada();
    auto db = ligar(p, QStringLiteral("QSQLITE"), [&](QSqlDatabase& q) {
        q.setDatabaseName(ficheiro);
        q.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(p.tempoComando * 1000));
    });
    if (!db)
        return db;
    registarFuncoes(**db);
    ajustar(**db, QStringLiteral("PRAGMA journal_mode=WAL"));
    ajustar(**db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    ajustar(**db, QStringLiteral("PRAGMA temp_store=MEMORY"));
    return db;
}

Resultado<std::shared_ptr<Database>> ServidorSqlite::abrir(const QString& baseDados) const {
    const ConnectionParams p = paraBaseDados(baseDados);
    const QString f = p.ficheiroSQLite();
    if (p.baseDados.isEmpty() || !QFileInfo::exists(f))
        return Falha(QStringLiteral("Base de dados inexistente: %1").arg(f));
    return abrirFicheiro(QFileInfo(f).absoluteFilePath(), p);
}

Resultado<> ServidorSqlite::criarBaseDados(const QString& nome) const {
    if (!nomeValido(nome))
        return Falha(QStringLiteral("Nome de base de dados inválido: %1").arg(nome));
    const ConnectionParams p = paraBaseDados(nome);
    if (QFileInfo::exists(p.ficheiroSQLite()))
        return Falha(QStringLiteral("A base de dados %1 já existe.").arg(nome));
    // The company's data is its owner's: the file is created 0600 before SQLite fills it, and
    // SQLite gives its journal files the same mode.
    if (!CriarPastaPrivada(p.pasta))
        return Falha(QStringLiteral("Não foi possível criar a pasta %1.").arg(p.pasta));
    QFile vazio(p.ficheiroSQLite());
    if (!vazio.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                    QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return Falha(QStringLiteral("Não foi possível criar a base de dados %1.").arg(nome));
    vazio.close();
    const auto db = Database::openSQLiteFile(p.ficheiroSQLite());
    if (db)
        return {};
    QFile::remove(p.ficheiroSQLite());
    return db.falha();
}

bool ServidorSqlite::existeBaseDados(const QString& nome) const {
    return QFileInfo::exists(paraBaseDados(nome).ficheiroSQLite());
}

Resultado<> ServidorSqlite::apagarBaseDados(const QString& nome) const {
    if (!nomeValido(nome))
        return Falha(QStringLiteral("Nome de base de dados inválido: %1").arg(nome));
    const QString f = paraBaseDados(nome).ficheiroSQLite();
    QFile::remove(f + QStringLiteral("-wal"));
    QFile::remove(f + QStringLiteral("-shm"));
    if (!QFile::remove(f))
        return Falha();
    return {};
}

Resultado<QStringList> ServidorSqlite::basesDados() const {
    QStringList r;
    const QFileInfoList fs = QDir(m_params.pasta).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : fs)
        r << f.completeBaseName();
    return r;
}

QHash<QString, EstadoBaseDados> ServidorSqlite::estadoBasesDados() const {
    QHash<QString, EstadoBaseDados> r;
    const QFileInfoList fs = QDir(m_params.pasta).entryInfoList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
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

bool ServidorSqlite::utilizadorUnico(Database& ligacao, const QString&, bool unico) const {
    return exclusivo(ligacao, unico);
}

QString ServidorSqlite::ficheiroMarca(const MarcaPresenca& m) const {
    return QDir(m_params.pasta).absoluteFilePath(seguroParaFicheiro(m.nome()) + QStringLiteral(".lock"));
}

bool ServidorSqlite::marcarPresenca(Database*, const MarcaPresenca& m) const {
    const QString f = ficheiroMarca(m);
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

bool ServidorSqlite::presente(Database*, const MarcaPresenca& m) const { return ficheiroPreso(ficheiroMarca(m)); }

bool ServidorSqlite::presenteEmAlgumPrograma(Database*, const MarcaPresenca& m) const {
    const QDir pasta = QFileInfo(ficheiroMarca(m)).absoluteDir();
    const QString filtro = seguroParaFicheiro(MarcaPresenca::Prefixo + m.empresa + QStringLiteral("_")) +
                           QStringLiteral("*") + seguroParaFicheiro(QStringLiteral("_") + m.utilizador) +
                           QStringLiteral(".lock");
    for (const QString& nome : pasta.entryList({filtro}, QDir::Files | QDir::Hidden))
        if (ficheiroPreso(pasta.absoluteFilePath(nome)))
            return true;
    return false;
}

void ServidorSqlite::retirarPresenca(Database*, const MarcaPresenca& m) const {
    if (auto lock = marcasDoProcesso().take(ficheiroMarca(m)))
        lock->unlock();
}
