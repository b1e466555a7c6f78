// Loading the table files of a backup into a new company: read as they are decompressed, written
// through the engine's fastest bound insert, the big tables without their indexes and triggers
// until their rows are in.
#include "session/CopiaSegurancaComum.h"

#include "db/Database.h"
#include "db/esquema/Esquema.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QXmlStreamReader>

#include <algorithm>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <sqlite3.h>

namespace copia {
namespace {

// Below this many rows a table keeps its indexes and triggers while it is loaded.
constexpr qint64 LinhasSemIndices = 5000;

// One value of a row as the table file has it; kept from row to row so its buffers are reused.
struct Valor {
    bool nulo = false;
    bool binario = false;
    QString texto;
    QByteArray bytes;
};

// Where the rows of one table go, all with the same columns.
class Insercao {
public:
    virtual ~Insercao() = default;
    // The values of one row in the order of the columns given at the start.
    virtual Resultado<> linha(const std::vector<const Valor*>& valores) = 0;
    virtual Resultado<> terminar() = 0;
};

// SQLite runs in this process: one statement prepared through the engine's own interface, bound
// and stepped row after row, costs no more than the row itself (Qt's driver looks every bound value
// up by name).
class InsercaoSqlite final : public Insercao {
public:
    InsercaoSqlite(sqlite3* h, const QString& tabela) : m_h(h), m_tabela(tabela) {}
    ~InsercaoSqlite() override { sqlite3_finalize(m_s); }
    Resultado<> preparar(const QStringList& colunas) {
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(m_tabela, colunas.join(u','), QStringList(colunas.size(), QStringLiteral("?")).join(u','));
        if (sqlite3_prepare_v2(m_h, sql.toUtf8().constData(), -1, &m_s, nullptr) != SQLITE_OK)
            return erro();
        return {};
    }
    Resultado<> linha(const std::vector<const Valor*>& valores) override {
        int k = 1;
        for (const Valor* v : valores) {
            int r;
            if (v->nulo)
                r = sqlite3_bind_null(m_s, k);
            else if (v->binario)
                r = sqlite3_bind_blob(m_s, k, v->bytes.constData(), int(v->bytes.size()), SQLITE_STATIC);
            else if (v->texto.isEmpty())
                r = sqlite3_bind_text(m_s, k, "", 0, SQLITE_STATIC);
            else
                r = sqlite3_bind_text16(m_s, k, v->texto.constData(), int(v->texto.size() * 2), SQLITE_STATIC);
            if (r != SQLITE_OK)
                return erro();
            ++k;
        }
        const int r = sqlite3_step(m_s);
        sqlite3_reset(m_s);
        if (r != SQLITE_DONE)
            return erro();
        return {};
    }
    Resultado<> terminar() override { return {}; }

private:
    Falha erro() const { return Falha(QStringLiteral("%1: %2").arg(m_tabela, QString::fromUtf8(sqlite3_errmsg(m_h)))); }
    sqlite3* m_h;
    QString m_tabela;
    sqlite3_stmt* m_s = nullptr;
};

// PostgreSQL: a group of rows as one bound JSON array, spread into the table's columns by the
// server (json_populate_recordset). One value per group instead of one per column and row, and the
// nulls, most of a ledger row, are not sent at all.
class InsercaoJson final : public Insercao {
public:
    InsercaoJson(Database& db, const QString& tabela, const QStringList& colunas) : m_tabela(tabela), m_q(db.qdb()) {
        for (const QString& c : colunas)
            m_chaves << c.toLower(); // the server keeps unquoted names in small letters
        m_sql = QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM json_populate_recordset(NULL::%1, ?::json)")
                    .arg(tabela, m_chaves.join(u','));
        m_w.StartArray();
    }
    Resultado<> preparar() {
        if (!m_q.prepare(m_sql))
            return Falha(QStringLiteral("%1: %2").arg(m_tabela, m_q.lastError().text()));
        return {};
    }
    Resultado<> linha(const std::vector<const Valor*>& valores) override {
        m_w.StartObject();
        for (size_t k = 0; k < valores.size(); ++k) {
            const Valor* v = valores[k];
            if (v->nulo)
                continue; // a key left out is read as null
            m_w.Key(texto16(m_chaves[qsizetype(k)]), rapidjson::SizeType(m_chaves[qsizetype(k)].size()));
            if (v->binario) {
                const QString hex = QStringLiteral("\\x") + QString::fromLatin1(v->bytes.toHex());
                m_w.String(texto16(hex), rapidjson::SizeType(hex.size()));
            } else {
                m_w.String(texto16(v->texto), rapidjson::SizeType(v->texto.size()));
            }
        }
        m_w.EndObject();
        if (++m_linhas >= 5000 || m_b.GetSize() >= (size_t(8) << 20))
            return escrever();
        return {};
    }
    Resultado<> terminar() override { return escrever(); }

private:
    static const char16_t* texto16(const QString& t) {
        static const char16_t vazio[] = u"";
        return t.isEmpty() ? vazio : reinterpret_cast<const char16_t*>(t.constData());
    }
    Resultado<> escrever() {
        if (m_linhas == 0)
            return {};
        m_w.EndArray();
        m_q.bindValue(0, QString::fromUtf8(m_b.GetString(), qsizetype(m_b.GetSize())));
        const bool ok = m_q.exec();
        m_b.Clear();
        m_w.Reset(m_b);
        m_w.StartArray();
        m_linhas = 0;
        if (!ok)
            return Falha(QStringLiteral("%1: %2").arg(m_tabela, m_q.lastError().text()));
        return {};
    }
    QString m_tabela, m_sql;
    QStringList m_chaves;
    QSqlQuery m_q;
    rapidjson::StringBuffer m_b;
    rapidjson::Writer<rapidjson::StringBuffer, rapidjson::UTF16<char16_t>, rapidjson::UTF8<>> m_w{m_b};
    int m_linhas = 0;
};

sqlite3* ligacaoSqlite(Database& db) {
    const QVariant h = db.qdb().driver()->handle();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(h.constData());
    return nullptr;
}

Resultado<std::unique_ptr<Insercao>> novaInsercao(Database& db, const QString& tabela, const QStringList& colunas) {
    if (db.dialect().isSQLite()) {
        sqlite3* h = ligacaoSqlite(db);
        if (!h)
            return Falha(QStringLiteral("%1: a ligação SQLite não está disponível.").arg(tabela));
        auto s = std::make_unique<InsercaoSqlite>(h, tabela);
        if (auto r = s->preparar(colunas); !r)
            return r.falha();
        return std::unique_ptr<Insercao>(std::move(s));
    }
    auto j = std::make_unique<InsercaoJson>(db, tabela, colunas);
    if (auto r = j->preparar(); !r)
        return r.falha();
    return std::unique_ptr<Insercao>(std::move(j));
}

// Rows inserted with their own NumRegisto: the identity must go on after the largest.
// SQLite's AUTOINCREMENT already follows explicit keys.
bool ajustarIdentidade(Database& db, const QString& tabela, qint64 maximo) {
    if (db.dialect().isSQLite())
        return true;
    if (maximo > 0)
        return db.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'numregisto'), ?, true)"),
                       {tabela.toLower(), maximo});
    return db.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence(?, 'numregisto'), 1, false)"),
                   {tabela.toLower()});
}

// The text of the element the reader is on, up to its end, into `texto` (whose buffer is reused).
bool lerTexto(QXmlStreamReader& r, QString& texto) {
    texto.resize(0);
    for (;;) {
        switch (r.readNext()) {
        case QXmlStreamReader::Characters:
            texto.append(r.text());
            break;
        case QXmlStreamReader::EndElement:
            return true;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
            break;
        default:
            return false;
        }
    }
}

// The rows of one table file into the same table of the target: columns by name, only those the
// target has.
Resultado<> carregarTabela(Database& db, const QString& tabelaAlvo, const QSet<QString>& colunasAlvo,
                           const EntradaControlo& e, QIODevice* xml) {
    if (!db.exec(QStringLiteral("DELETE FROM %1").arg(tabelaAlvo)))
        return Falha(QStringLiteral("%1: %2").arg(tabelaAlvo, db.lastError()));
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false); // the files use none
    if (!r.readNextStartElement() || r.name() != QLatin1String("tabela") ||
        r.attributes().value(QLatin1String("linhas")).toLongLong() != e.linhas)
        return alterada(e.tabela);
    // The element names of the last row and, for each, whether it goes in: worked out again only
    // when a row's names differ from the one before.
    QStringList nomes;
    std::vector<Valor> valores;
    std::vector<int> usadas; // positions in the row of the columns that go in
    std::vector<const Valor*> linha;
    int posNumRegisto = -1;
    std::unique_ptr<Insercao> insercao;
    qint64 linhas = 0, maximo = 0;
    while (r.readNextStartElement()) {
        if (r.name() != QLatin1String("linha"))
            return alterada(e.tabela);
        int n = 0;
        bool mudou = false;
        while (r.readNextStartElement()) {
            if (n == int(valores.size()))
                valores.emplace_back();
            if (n == nomes.size()) {
                nomes << r.name().toString();
                mudou = true;
            } else if (nomes[n] != r.name()) {
                nomes[n] = r.name().toString();
                mudou = true;
            }
            Valor& v = valores[size_t(n)];
            v.nulo = v.binario = false;
            if (const QXmlStreamAttributes a = r.attributes(); !a.isEmpty()) {
                v.nulo = a.value(QLatin1String("nulo")) == QLatin1String("1");
                v.binario = a.value(QLatin1String("base64")) == QLatin1String("1");
            }
            if (!lerTexto(r, v.texto))
                return alterada(e.tabela);
            if (v.binario && !v.nulo)
                v.bytes = QByteArray::fromBase64(v.texto.toLatin1());
            ++n;
        }
        if (r.hasError())
            return alterada(e.tabela);
        if (n != nomes.size()) {
            nomes.resize(n);
            mudou = true;
        }
        if (mudou || !insercao) {
            if (insercao)
                if (auto t = insercao->terminar(); !t)
                    return t;
            usadas.clear();
            posNumRegisto = -1;
            QStringList colunas;
            for (int i = 0; i < n; ++i) {
                if (!colunasAlvo.contains(nomes[i].toLower()) || !identificador(nomes[i]) ||
                    colunas.contains(nomes[i], Qt::CaseInsensitive))
                    continue;
                if (nomes[i].compare(QLatin1String("NumRegisto"), Qt::CaseInsensitive) == 0)
                    posNumRegisto = i;
                usadas.push_back(i);
                colunas << nomes[i];
            }
            if (colunas.isEmpty())
                return alterada(e.tabela);
            auto nova = novaInsercao(db, tabelaAlvo, colunas);
            if (!nova)
                return nova.falha();
            insercao = std::move(*nova);
            linha.resize(usadas.size());
        }
        for (size_t k = 0; k < usadas.size(); ++k)
            linha[k] = &valores[size_t(usadas[k])];
        if (posNumRegisto >= 0 && !valores[size_t(posNumRegisto)].nulo)
            maximo = std::max(maximo, valores[size_t(posNumRegisto)].texto.toLongLong());
        if (auto w = insercao->linha(linha); !w)
            return w;
        ++linhas;
    }
    if (insercao)
        if (auto t = insercao->terminar(); !t)
            return t;
    if (r.hasError() || linhas != e.linhas)
        return alterada(e.tabela);
    if (colunasAlvo.contains(QStringLiteral("numregisto")) && !ajustarIdentidade(db, tabelaAlvo, maximo))
        return Falha(QStringLiteral("%1: %2").arg(tabelaAlvo, db.lastError()));
    return {};
}

// Tables that the schema's triggers write when other tables change (the average cost's cached
// points): loaded last, so the rows of the backup are not removed by the loading itself.
bool escritaPorGatilho(const QString& tabela) {
    const QRegularExpression palavra(QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(tabela)),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const GatilhoDef& g : gatilhosEmpresa())
        if (g.tabela.compare(tabela, Qt::CaseInsensitive) != 0 && palavra.match(g.accao).hasMatch())
            return true;
    return false;
}

} // namespace

Resultado<> carregarBase(Database& db, zip_t* z, const std::vector<EntradaControlo>& todos, bool docs,
                         QStringList& avisos) {
    // Loading a big table and building its indexes outlast the command time-out: none until the
    // caller's transaction ends.
    if (!db.dialect().isSQLite() && !db.exec(QStringLiteral("SET LOCAL statement_timeout = 0")))
        return Falha(db.lastError());
    const auto estrutura = db.dialect().estrutura(db);
    std::vector<EntradaControlo> ficheiros, depois;
    for (const EntradaControlo& e : todos)
        (!docs && escritaPorGatilho(e.tabela) ? depois : ficheiros).push_back(e);
    ficheiros.insert(ficheiros.end(), depois.begin(), depois.end());
    for (const EntradaControlo& e : ficheiros) {
        if (e.membro.startsWith(PastaDocs) != docs)
            continue;
        const QString m = e.tabela.toLower();
        const bool naoVai = tabelaDeVersao(m) || tabelaDoSistema(m);
        if (naoVai || !estrutura.contains(m) || !identificador(m)) {
            // Not loaded, still checked: an altered file refuses the backup whole.
            if (resumoMembro(z, e.membro) != e.sha256)
                return alterada(e.tabela);
            if (!naoVai)
                avisos << QStringLiteral("A tabela %1 da cópia não existe nesta versão do programa e não foi reposta.")
                              .arg(e.tabela);
            continue;
        }
        const TabelaDef* def = declaracao(!docs).tabela(e.tabela);
        const QString alvo = def ? def->nome : e.tabela;
        MembroZip xml(z, e.membro);
        if (!xml.isOpen())
            return alterada(e.tabela);
        std::optional<SemIndices> sem;
        if (def && e.linhas >= LinhasSemIndices) {
            sem.emplace(SemIndices{db, def, {}});
            if (auto r = sem->retirar(); !r)
                return r;
        }
        if (auto r = carregarTabela(db, alvo, estrutura.value(m), e, &xml); !r)
            return r;
        if (xml.resumoAteAoFim() != e.sha256)
            return alterada(e.tabela);
        if (sem)
            if (auto r = sem->repor(); !r)
                return r;
    }
    return {};
}

} // namespace copia
