#include "db/Database.h"

#include "db/Servidor.h"
#include "db/ServidorSqlite.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>

namespace {
QString novoNomeLigacao() {
    static std::atomic<int> contador{0};
    return QStringLiteral("lumo_%1").arg(++contador);
}

// What the user is told about a failure of the engine: the program's own words by kind of failure,
// never the driver's text (kept apart for diagnostics).
QString mensagemErro(const QSqlError& e) {
    const QString codigo = e.nativeErrorCode().trimmed();
    const QString texto = e.text();
    auto comeca = [&](const char* prefixo) { return codigo.startsWith(QLatin1String(prefixo)); };
    // SQLite reports its (extended) result codes as numbers; PostgreSQL its five-character SQLSTATE.
    const int sqlite = codigo.size() < 5 ? (codigo.toInt() & 0xff) : -1;
    if (comeca("40") || comeca("55P03") || comeca("57014") || sqlite == 5 || sqlite == 6)
        return QStringLiteral("A base de dados está ocupada por outro posto de trabalho. Tente novamente.");
    if (comeca("22003") || texto.contains(QStringLiteral("Valor fora dos limites")))
        return QStringLiteral("Valor fora dos limites que a base de dados aceita.");
    if (comeca("22"))
        return QStringLiteral("Texto ou valor que a base de dados não aceita.");
    if (comeca("23") || sqlite == 19)
        return QStringLiteral("O registo já existe ou viola uma regra da base de dados.");
    if (comeca("53") || sqlite == 13)
        return QStringLiteral("Não há espaço livre para gravar na base de dados.");
    if (comeca("25006") || sqlite == 8)
        return QStringLiteral("A base de dados só permite leitura.");
    if (comeca("28"))
        return QStringLiteral("O servidor de base de dados recusou a autenticação.");
    if (comeca("3D"))
        return QStringLiteral("A base de dados não existe.");
    if (comeca("42P01") || comeca("42703") || texto.contains(QStringLiteral("no such table")) ||
        texto.contains(QStringLiteral("no such column")))
        return QStringLiteral("A estrutura da base de dados não está actualizada.");
    if (comeca("08") || sqlite == 14 || e.type() == QSqlError::ConnectionError)
        return QStringLiteral("Não foi possível ligar à base de dados.");
    return QStringLiteral("A base de dados recusou a operação.");
}

} // namespace

namespace {
// Values spliced into SQL text were never NULL; a null QString would bind as NULL and then
// compare unequal to everything, so it goes as "". An invalid QVariant still binds NULL.
QVariant paraLigar(const QVariant& v) {
    if (v.typeId() == QMetaType::QString && v.toString().isNull())
        return QStringLiteral("");
    return v;
}
} // namespace

Database::~Database() { close(); }

QSqlDatabase Database::qdb() const { return QSqlDatabase::database(m_nomeLigacao, false); }

bool Database::isOpen() const { return !m_nomeLigacao.isEmpty() && qdb().isOpen(); }

void Database::close() {
    if (m_nomeLigacao.isEmpty())
        return;
    m_preparadas.clear(); // before the connection goes, so the server can free them
    {
        QSqlDatabase d = QSqlDatabase::database(m_nomeLigacao, false);
        if (d.isOpen())
            d.close();
    }
    QSqlDatabase::removeDatabase(m_nomeLigacao);
    m_nomeLigacao.clear();
}

Resultado<std::shared_ptr<Database>> Database::ligar(const ConnectionParams& p, const QString& driver,
                                                    const std::function<void(QSqlDatabase&)>& preparar) {
    std::shared_ptr<Database> db(new Database());
    db->m_params = p;
    db->m_dialect = Dialect::criar(p.motor);
    db->m_servidor = Servidor::para(p);
    db->m_nomeLigacao = novoNomeLigacao();
    bool aberta;
    QString erro;
    {
        QSqlDatabase q = QSqlDatabase::addDatabase(driver, db->m_nomeLigacao);
        preparar(q);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        aberta = q.open();
        if (!aberta)
            erro = mensagemErro(q.lastError());
    }
    if (!aberta) {
        db->close();
        return Falha(erro);
    }
    return db;
}

Resultado<std::shared_ptr<Database>> Database::openSQLiteFile(const QString& ficheiro, int tempoComando) {
    QFileInfo fi(ficheiro);
    QDir().mkpath(fi.absolutePath());
    ConnectionParams p = ConnectionParams::sqlite(fi.absolutePath());
    p.baseDados = fi.completeBaseName();
    p.tempoComando = tempoComando;
    return ServidorSqlite::abrirFicheiro(fi.absoluteFilePath(), p);
}

Resultado<std::shared_ptr<Database>> Database::open(const ConnectionParams& p) {
    return Servidor::para(p)->abrir(p.baseDados);
}

bool Database::prepararEExecutar(QSqlQuery& q, const QString& sql, const QVariantList& valores) {
    // PostgreSQL streams forward-only results row by row, and a second query on the same
    // connection would silently drop the rows not yet read; buffering the whole result lets
    // code read one query while running others.
    q.setForwardOnly(m_dialect->isSQLite());
    bool ok;
    if (valores.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        if (ok) {
            for (const QVariant& v : valores)
                q.addBindValue(paraLigar(v));
            ok = q.exec();
        }
    }
    if (!ok)
        registarErro(q.lastError());
    return ok;
}

void Database::registarErro(const QSqlError& e) {
    m_lastError = mensagemErro(e);
    m_erroTecnico = e.text();
}

QSqlQuery* Database::executarPreparada(const QString& sql, const QVariantList& valores) {
    // A statement already prepared proves the connection open (closing clears them): the global
    // look-up of the connection is left to the first execution.
    auto it = m_preparadas.find(sql);
    if (it == m_preparadas.end() && !isOpen()) {
        m_lastError = QStringLiteral("Ligação fechada");
        return nullptr;
    }
    if (it == m_preparadas.end()) {
        if (m_preparadas.size() > 256 && m_emUso.isEmpty())
            m_preparadas.clear();
        auto q = std::make_unique<QSqlQuery>(qdb());
        q->setForwardOnly(true);
        if (!q->prepare(sql)) {
            registarErro(q->lastError());
            return nullptr;
        }
        it = m_preparadas.emplace(sql, std::move(q)).first;
    }
    QSqlQuery* q = it->second.get();
    for (qsizetype i = 0; i < valores.size(); ++i)
        q->bindValue(int(i), paraLigar(valores[i]));
    if (!q->exec()) {
        registarErro(q->lastError());
        // A statement that failed may have been invalidated by a schema change: prepare it anew next time.
        m_preparadas.erase(it);
        return nullptr;
    }
    return q;
}

bool Database::exec(const QString& sql, const QVariantList& valores) {
    // Data statements are kept prepared (the preparing checks the connection); anything else
    // (transactions, DDL) cannot always be.
    static const QStringList dados{QStringLiteral("SELECT"), QStringLiteral("INSERT"), QStringLiteral("UPDATE"),
                                   QStringLiteral("DELETE")};
    auto deDados = [&] {
        const QString inicio = sql.left(7).trimmed();
        return std::any_of(dados.begin(), dados.end(),
                           [&](const QString& d) { return inicio.startsWith(d, Qt::CaseInsensitive); });
    };
    if (!valores.isEmpty() || deDados()) {
        QSqlQuery* q = executarPreparada(sql, valores);
        if (q)
            q->finish();
        return q != nullptr;
    }
    if (!isOpen()) {
        m_lastError = QStringLiteral("Ligação fechada");
        return false;
    }
    QSqlQuery q(qdb());
    return prepararEExecutar(q, sql, valores);
}

std::optional<QSqlQuery> Database::query(const QString& sql, const QVariantList& valores) {
    if (!isOpen()) {
        m_lastError = QStringLiteral("Ligação fechada");
        return std::nullopt;
    }
    QSqlQuery q(qdb());
    if (!prepararEExecutar(q, sql, valores))
        return std::nullopt;
    return q;
}

QVariant Database::scalar(const QString& sql, const QVariantList& valores) {
    const auto linha = primeiraLinha(sql, valores);
    return linha && !linha->isEmpty() ? linha->first() : QVariant();
}

Resultado<QVariant> Database::lerValor(const QString& sql, const QVariantList& valores) {
    auto linha = lerPrimeiraLinha(sql, valores);
    if (!linha)
        return linha.falha();
    return *linha && !(*linha)->isEmpty() ? (*linha)->first() : QVariant();
}

std::optional<QVariantList> Database::primeiraLinha(const QString& sql, const QVariantList& valores) {
    return lerPrimeiraLinha(sql, valores).valorOu(std::nullopt);
}

bool Database::percorrer(const QString& sql, const QVariantList& valores,
                         const std::function<void(const QSqlQuery&)>& linha) {
    if (m_emUso.contains(sql)) {
        auto q = query(sql, valores);
        if (!q)
            return false;
        while (q->next())
            linha(*q);
        return true;
    }
    QSqlQuery* q = executarPreparada(sql, valores);
    if (!q)
        return false;
    m_emUso.insert(sql);
    while (q->next())
        linha(*q);
    q->finish();
    m_emUso.remove(sql);
    return true;
}

Resultado<std::optional<QVariantList>> Database::lerPrimeiraLinha(const QString& sql, const QVariantList& valores) {
    // The row is read before returning, so the statement can be kept prepared and reused.
    QSqlQuery* q = executarPreparada(sql, valores);
    if (!q)
        return Falha(m_lastError);
    std::optional<QVariantList> r;
    if (q->next()) {
        r.emplace();
        const int n = q->record().count();
        for (int i = 0; i < n; ++i)
            r->append(q->value(i));
    }
    q->finish();
    return r;
}

int Database::executarContando(const QString& sql, const QVariantList& valores) {
    QSqlQuery* q = executarPreparada(sql, valores);
    if (!q)
        return -1;
    const int n = q->numRowsAffected();
    q->finish();
    return n;
}

QDateTime Database::agoraServidor() {
    const QVariant v = scalar(QStringLiteral("SELECT %1").arg(m_dialect->agora()));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QDateTime t = QDateTime::fromString(v.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return t.isValid() ? t : QDateTime::fromString(v.toString(), Qt::ISODate);
}

qint64 Database::insert(const QString& tabela, const QStringList& colunas, const QVariantList& valores) {
    QStringList marcas;
    for (qsizetype i = 0; i < colunas.size(); ++i)
        marcas << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING NumRegisto")
                            .arg(tabela, colunas.join(u','), marcas.join(u','));
    QSqlQuery* q = executarPreparada(sql, valores);
    if (!q || !q->next())
        return 0;
    const qint64 n = q->value(0).toLongLong();
    q->finish();
    return n;
}

bool Database::update(const QString& tabela, const QStringList& colunas, const QVariantList& valores,
                      const QString& condicao, const QVariantList& valoresCondicao) {
    QStringList pares;
    for (const QString& c : colunas)
        pares << c + QStringLiteral("=?");
    QString sql = QStringLiteral("UPDATE %1 SET %2").arg(tabela, pares.join(u','));
    if (!condicao.trimmed().isEmpty())
        sql += u' ' + condicao;
    return exec(sql, valores + valoresCondicao);
}

Transaction::Transaction(Database& db) : m_db(db) {
    m_nivel = m_db.m_profundidade + 1;
    const QString sql = m_nivel == 1 ? m_db.dialect().inicioTransaccaoEscrita()
                                     : QStringLiteral("SAVEPOINT lumo_sp%1").arg(m_nivel);
    m_activa = m_db.exec(sql);
    if (m_activa) {
        m_db.m_profundidade = m_nivel;
        if (m_nivel == 1)
            m_db.m_falhaTransaccao = false;
    }
}

Transaction::~Transaction() {
    if (m_activa)
        rollback();
}

bool Transaction::commit() {
    if (!m_activa)
        return false;
    if (m_nivel == 1 && m_db.m_falhaTransaccao) {
        rollback();
        m_db.m_lastError = QStringLiteral("A operação falhou a meio e foi anulada.");
        return false;
    }
    const QString sql =
        m_nivel == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE SAVEPOINT lumo_sp%1").arg(m_nivel);
    const bool ok = m_db.exec(sql);
    if (!ok) {
        rollback();
        return false;
    }
    m_activa = false;
    m_db.m_profundidade = m_nivel - 1;
    return true;
}

void Transaction::rollback() {
    if (!m_activa)
        return;
    // A rollback that fails has nothing left to undo here: the server drops the work when the
    // transaction or the connection ends.
    if (m_nivel == 1) {
        static_cast<void>(m_db.exec(QStringLiteral("ROLLBACK")));
        m_db.m_falhaTransaccao = false;
    } else {
        static_cast<void>(m_db.exec(QStringLiteral("ROLLBACK TO SAVEPOINT lumo_sp%1").arg(m_nivel)));
        static_cast<void>(m_db.exec(QStringLiteral("RELEASE SAVEPOINT lumo_sp%1").arg(m_nivel)));
    }
    m_activa = false;
    m_db.m_profundidade = m_nivel - 1;
}
