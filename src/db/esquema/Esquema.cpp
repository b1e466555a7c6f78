#include "db/esquema/Esquema.h"

#include <QCryptographicHash>

#include "db/Database.h"

#include <QHash>

const ColunaDef* TabelaDef::coluna(const QString& n) const {
    for (const ColunaDef& c : colunas)
        if (c.nome.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const TabelaDef* tabelaEmpresa(const QString& nome) {
    for (const TabelaDef& t : tabelasEmpresa())
        if (t.nome.compare(nome, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString grafiaColuna(const QString& nome) {
    static const QHash<QString, QString> grafias = [] {
        QHash<QString, QString> h;
        for (const TabelaDef& t : tabelasEmpresa())
            for (const ColunaDef& c : t.colunas)
                h.insert(c.nome.toLower(), c.nome);
        h.insert(QStringLiteral("numregisto"), QStringLiteral("NumRegisto"));
        return h;
    }();
    return grafias.value(nome.toLower(), nome);
}

namespace {
QString ddlIndice(const TabelaDef& t, const IndiceDef& i) {
    return QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
        .arg(i.unico ? QStringLiteral("UNIQUE ") : QString(), i.nome, t.nome, i.colunas.join(u','));
}
} // namespace

QStringList ddlTabela(const Dialect& d, const TabelaDef& t) {
    QStringList cols{d.colunaIdentidade()};
    for (const ColunaDef& c : t.colunas)
        cols << c.nome + u' ' + d.tipoColuna(c);
    QStringList r{QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(t.nome, cols.join(QStringLiteral(", ")))};
    for (const IndiceDef& i : t.indices)
        r << ddlIndice(t, i);
    return r;
}

QStringList ddlEmpresa(const Dialect& d) {
    QStringList r = d.preparacaoBaseDados();
    for (const TabelaDef& t : tabelasEmpresa())
        r << ddlTabela(d, t);
    for (const GatilhoDef& g : gatilhosEmpresa())
        r << d.ddlGatilho(g);
    return r;
}

bool estruturaCompleta(const QHash<QString, QSet<QString>>& existentes, const std::vector<TabelaDef>& tabelas) {
    for (const TabelaDef& t : tabelas) {
        const auto tabela = existentes.constFind(t.nome.toLower());
        if (tabela == existentes.cend())
            return false;
        for (const ColunaDef& c : t.colunas)
            if (!tabela->contains(c.nome.toLower()))
                return false;
    }
    return true;
}

QString aplicarTabelas(Database& db, const std::vector<TabelaDef>& tabelas) {
    const Dialect& d = db.dialect();
    const QHash<QString, QSet<QString>> existentes = d.estrutura(db);
    for (const TabelaDef& t : tabelas) {
        const auto tabela = existentes.constFind(t.nome.toLower());
        if (tabela == existentes.cend()) {
            for (const QString& s : ddlTabela(d, t))
                if (!db.exec(s))
                    return s;
            continue;
        }
        for (const ColunaDef& c : t.colunas) {
            if (tabela->contains(c.nome.toLower()))
                continue;
            const QString s = QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(t.nome, c.nome, d.tipoColuna(c));
            if (!db.exec(s))
                return s;
        }
        for (const IndiceDef& i : t.indices) {
            const QString s = ddlIndice(t, i);
            if (!db.exec(s))
                return s;
        }
    }
    return {};
}

QString assinaturaEsquema(const Dialect& d) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const QString& s : ddlEmpresa(d))
        h.addData((s + u'\n').toUtf8());
    for (const GatilhoDef& g : gatilhosEmpresa())
        for (const QString& s : d.ddlGatilho(g))
            h.addData((s + u'\n').toUtf8());
    return QString::fromLatin1(h.result().toHex());
}

Resultado<> aplicarEsquemaEmpresa(Database& db) {
    const Dialect& d = db.dialect();
    // The user reads why in the program's words; the statement and the engine's text are for diagnostics.
    auto falha = [&](const QString& sql) {
        qWarning("Esquema: %s [%s]", qPrintable(db.erroTecnico()), qPrintable(sql));
        return Falha(QStringLiteral("Não foi possível actualizar a estrutura da base de dados: %1")
                         .arg(db.lastError()));
    };
    // A database already at this schema is left alone: DDL on every opening would take locks that
    // deadlock with other workstations' postings. A fresh database fails this read and goes on.
    const QString assinatura = assinaturaEsquema(d);
    // The catalogue first: inside a transaction, reading a table that is not there yet would abort it.
    auto emDia = [&] {
        if (!estruturaCompleta(d.estrutura(db), tabelasEmpresa()))
            return false;
        const auto r = db.lerPrimeiraLinha(QStringLiteral("SELECT Assinatura FROM EsquemaVersao"));
        return r && *r && (*r)->value(0).toString() == assinatura;
    };
    if (emDia())
        return {};
    Transaction tr(db);
    if (!tr.ok())
        return falha(QStringLiteral("BEGIN"));
    if (!d.bloqueioEsquema().isEmpty() && !db.exec(d.bloqueioEsquema()))
        return falha(d.bloqueioEsquema());
    // Workstations that waited for the lock find the schema brought up to date by the one that held
    // it: running the DDL again would take table locks against that one's postings.
    if (emDia()) {
        if (!tr.commit())
            return falha(QStringLiteral("COMMIT"));
        return {};
    }
    // Extensions too, under the lock: two workstations creating one at once collide.
    for (const QString& s : d.preparacaoBaseDados())
        if (!db.exec(s))
            return falha(s);
    if (const QString s = aplicarTabelas(db, tabelasEmpresa()); !s.isEmpty())
        return falha(s);
    for (const GatilhoDef& g : gatilhosEmpresa())
        for (const QString& s : d.ddlGatilho(g))
            if (!db.exec(s))
                return falha(s);
    const QVariant v = db.scalar(QStringLiteral("SELECT Versao FROM EsquemaVersao"));
    if (!v.isValid()) {
        if (!db.exec(QStringLiteral("INSERT INTO EsquemaVersao (Versao, Assinatura) VALUES (?, ?)"),
                     {VersaoEsquema, assinatura}))
            return falha(QStringLiteral("EsquemaVersao"));
    } else if (!db.exec(QStringLiteral("UPDATE EsquemaVersao SET Versao=?, Assinatura=?"),
                        {qMax(v.toInt(), VersaoEsquema), assinatura})) {
        return falha(QStringLiteral("EsquemaVersao"));
    }
    if (!tr.commit())
        return falha(QStringLiteral("COMMIT"));
    return {};
}

Resultado<> SemIndices::retirar() {
    const bool sqlite = db.dialect().isSQLite();
    for (const GatilhoDef& g : gatilhosEmpresa())
        if (g.tabela.compare(def->nome, Qt::CaseInsensitive) == 0)
            gatilhos.push_back(g);
    for (const GatilhoDef& g : gatilhos)
        if (!db.exec(sqlite ? QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(g.nome)
                            : QStringLiteral("DROP TRIGGER IF EXISTS %1 ON %2").arg(g.nome, g.tabela)))
            return Falha(QStringLiteral("%1: %2").arg(def->nome, db.lastError()));
    for (const IndiceDef& i : def->indices)
        if (!db.exec(QStringLiteral("DROP INDEX IF EXISTS %1").arg(i.nome)))
            return Falha(QStringLiteral("%1: %2").arg(def->nome, db.lastError()));
    return {};
}

Resultado<> SemIndices::repor() {
    // PostgreSQL sorts each index in this much memory before it spills to disk (for this
    // transaction only).
    if (!db.dialect().isSQLite() && !db.exec(QStringLiteral("SET LOCAL maintenance_work_mem = '256MB'")))
        return Falha(QStringLiteral("%1: %2").arg(def->nome, db.lastError()));
    if (const QString s = aplicarTabelas(db, {*def}); !s.isEmpty())
        return Falha(QStringLiteral("%1: %2").arg(def->nome, db.lastError()));
    for (const GatilhoDef& g : gatilhos)
        for (const QString& s : db.dialect().ddlGatilho(g))
            if (!db.exec(s))
                return Falha(QStringLiteral("%1: %2").arg(def->nome, db.lastError()));
    return {};
}
