#include "session/CopiaSeguranca.h"

#include "common/Currency.h"
#include "company/ArquivoDocumentos.h"
#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "db/Servidor.h"
#include "db/esquema/Esquema.h"
#include "db/esquema/EsquemaArquivo.h"
#include "session/LogGeral.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <zip.h>

namespace {

const QString FicheiroControlo = QStringLiteral("TARVOEXInfo.xml");
const QString PastaDocs = QStringLiteral("Docs/");
const QString FalhaFim = QStringLiteral("A Operação não chegou ao Fim!");

QString nomeCopia(const QString& codigo) { return QStringLiteral("ExportTARVOEX%1.zip").arg(codigo); }

// Catalogue names reach SQL spliced; anything that is not a plain identifier is left out.
bool identificador(const QString& n) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return re.match(n).hasMatch();
}

bool tabelaDoSistema(const QString& minusculas) {
    return minusculas.startsWith(QLatin1String("lock")) || minusculas == QLatin1String("dtproperties") ||
           minusculas.startsWith(QLatin1String("sqlite_")) || minusculas.startsWith(QLatin1String("pg_")) ||
           minusculas.startsWith(QLatin1String("sql_"));
}

// The schema a database is declared by: the company's or its document archive's.
struct Declaracao {
    const std::vector<TabelaDef>& tabelas;
    const TabelaDef* (*tabela)(const QString&);
    bool empresa;
};
Declaracao declaracao(bool empresa) {
    return empresa ? Declaracao{tabelasEmpresa(), &tabelaEmpresa, true}
                   : Declaracao{tabelasArquivo(), &tabelaArquivo, false};
}

// Tables whose rows are the target's own, written by its schema step.
bool tabelaDeVersao(const QString& minusculas) {
    return minusculas == QLatin1String("esquemaversao") || minusculas == QLatin1String("histdocbinversao");
}

// The user tables of a database: the declared ones first, in their own spelling, then any other the
// database holds (a company may carry tables of the suite's other programs).
QStringList tabelasUtilizador(const QHash<QString, QSet<QString>>& estrutura, const Declaracao& decl) {
    QStringList r;
    QSet<QString> vistas;
    {
        for (const TabelaDef& t : decl.tabelas) {
            const QString m = t.nome.toLower();
            if (estrutura.contains(m) && !tabelaDoSistema(m) && !vistas.contains(m)) {
                r << t.nome;
                vistas.insert(m);
            }
        }
    }
    QStringList outras;
    for (auto it = estrutura.cbegin(); it != estrutura.cend(); ++it)
        if (!vistas.contains(it.key()) && !tabelaDoSistema(it.key()) && identificador(it.key()))
            outras << it.key();
    outras.sort();
    return r + outras;
}

// --- engine differences the backup needs beyond the dialect's ---

// One snapshot for every table read: SQLite (WAL) keeps the snapshot of a deferred transaction's
// first read; PostgreSQL needs REPEATABLE READ for the same.
bool iniciarLeitura(Database& db) {
    if (db.dialect().isSQLite())
        return db.exec(QStringLiteral("BEGIN"));
    return db.exec(QStringLiteral("BEGIN TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"));
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

// --- writing ---

enum class Forma { Texto, Montante, Inteiro, DataHora, Binario };

Forma formaColuna(const TabelaDef* def, const QString& coluna, const QSqlField& campo) {
    if (const ColunaDef* c = def ? def->coluna(coluna) : nullptr) {
        switch (c->tipo) {
        case TipoColuna::Money:
            return Forma::Montante;
        case TipoColuna::Numerico:
            // Beyond four decimals the engine's own exact text is kept (the money type would round).
            return c->escala == 0 ? Forma::Inteiro : c->escala <= 4 ? Forma::Montante : Forma::Texto;
        case TipoColuna::SmallInt:
        case TipoColuna::Inteiro:
            return Forma::Inteiro;
        case TipoColuna::DataHora:
            return Forma::DataHora;
        case TipoColuna::Binario:
            return Forma::Binario;
        default:
            return Forma::Texto;
        }
    }
    if (coluna.compare(QLatin1String("NumRegisto"), Qt::CaseInsensitive) == 0)
        return Forma::Inteiro;
    switch (campo.metaType().id()) {
    case QMetaType::QByteArray:
        return Forma::Binario;
    case QMetaType::QDateTime:
        return Forma::DataHora;
    default:
        return Forma::Texto;
    }
}

QString textoValor(const QVariant& v, Forma f) {
    switch (f) {
    case Forma::Montante:
        return Currency::fromVariant(v).toString();
    case Forma::Inteiro: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        if (ok)
            return QString::number(n);
        const double d = v.toDouble(&ok); // SQLite may hand back 5.0 for a numeric(18,0)
        return ok ? QString::number(qlonglong(d)) : v.toString();
    }
    case Forma::DataHora:
        if (v.metaType().id() == QMetaType::QDateTime)
            return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return v.toString();
    case Forma::Binario:
        return QString::fromLatin1(v.toByteArray().toBase64());
    case Forma::Texto:
        break;
    }
    if (v.metaType().id() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 17);
    return v.toString();
}

struct FicheiroTabela {
    QString tabela;
    QString membro; // name inside the zip
    QString caminho; // temporary file
    qint64 linhas = 0;
    QByteArray sha256;
};

Resultado<FicheiroTabela> exportarTabela(Database& db, const QString& tabela, const QSet<QString>& colunasBD,
                                         const Declaracao& decl, const QString& pastaTemp, const QString& prefixo) {
    FicheiroTabela f;
    f.tabela = tabela;
    f.membro = prefixo + tabela + QStringLiteral(".xml");
    f.caminho = pastaTemp + QLatin1Char('/') + QString(f.membro).replace(QLatin1Char('/'), QLatin1Char('_'));
    const TabelaDef* def = decl.tabela(tabela);
    QSqlQuery q(db.qdb());
    q.setForwardOnly(true); // a big table is never held in memory whole
    const bool temNum = colunasBD.contains(QStringLiteral("numregisto"));
    if (!q.exec(QStringLiteral("SELECT * FROM %1%2").arg(tabela, temNum ? QStringLiteral(" ORDER BY NumRegisto") : QString())))
        return Falha(QStringLiteral("%1 %2").arg(FalhaFim, tabela));
    const QSqlRecord rec = q.record();
    QStringList nomes;
    std::vector<Forma> formas;
    for (int i = 0; i < rec.count(); ++i) {
        const QString lida = rec.fieldName(i);
        const ColunaDef* c = def ? def->coluna(lida) : nullptr;
        const QString n = c ? c->nome : decl.empresa ? grafiaColuna(lida) : lida;
        nomes << n;
        formas.push_back(formaColuna(def, n, rec.field(i)));
    }
    // The row count goes in the opening tag, so the rows are written first and the tag after.
    QFile corpo(f.caminho + QStringLiteral(".linhas"));
    if (!corpo.open(QIODevice::WriteOnly))
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    {
        QXmlStreamWriter w(&corpo);
        while (q.next()) {
            w.writeStartElement(QStringLiteral("linha"));
            for (int i = 0; i < nomes.size(); ++i) {
                const QVariant v = q.value(i);
                if (v.isNull()) {
                    w.writeEmptyElement(nomes[i]);
                    w.writeAttribute(QStringLiteral("nulo"), QStringLiteral("1"));
                } else if (formas[size_t(i)] == Forma::Binario) {
                    w.writeStartElement(nomes[i]);
                    w.writeAttribute(QStringLiteral("base64"), QStringLiteral("1"));
                    w.writeCharacters(textoValor(v, Forma::Binario));
                    w.writeEndElement();
                } else {
                    w.writeTextElement(nomes[i], textoValor(v, formas[size_t(i)]));
                }
            }
            w.writeEndElement();
            ++f.linhas;
        }
    }
    if (q.lastError().isValid())
        return Falha(QStringLiteral("%1 %2").arg(FalhaFim, tabela));
    corpo.close();

    QFile saida(f.caminho);
    if (!saida.open(QIODevice::WriteOnly) || !corpo.open(QIODevice::ReadOnly))
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    QCryptographicHash h(QCryptographicHash::Sha256);
    auto escrever = [&](const QByteArray& b) {
        h.addData(b);
        return saida.write(b) == b.size();
    };
    QByteArray inicio;
    {
        QXmlStreamWriter w(&inicio);
        w.writeStartDocument();
        w.writeStartElement(QStringLiteral("tabela"));
        w.writeAttribute(QStringLiteral("nome"), tabela);
        w.writeAttribute(QStringLiteral("linhas"), QString::number(f.linhas));
        w.writeCharacters(QString()); // closes the start tag
    }
    bool ok = escrever(inicio);
    while (ok && !corpo.atEnd())
        ok = escrever(corpo.read(1 << 20));
    ok = ok && escrever(QByteArrayLiteral("</tabela>\n"));
    corpo.close();
    corpo.remove();
    if (!ok || !saida.flush())
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    f.sha256 = h.result().toHex();
    return f;
}

Resultado<std::vector<FicheiroTabela>> exportarBase(Database& db, bool empresa, const QString& pastaTemp,
                                                    const QString& prefixo) {
    if (!iniciarLeitura(db))
        return Falha(FalhaFim);
    std::vector<FicheiroTabela> r;
    const auto estrutura = db.dialect().estrutura(db);
    const Declaracao decl = declaracao(empresa);
    for (const QString& t : tabelasUtilizador(estrutura, decl)) {
        auto f = exportarTabela(db, t, estrutura.value(t.toLower()), decl, pastaTemp, prefixo);
        if (!f) {
            (void)db.exec(QStringLiteral("ROLLBACK"));
            return f.falha();
        }
        r.push_back(*f);
    }
    (void)db.exec(QStringLiteral("COMMIT"));
    return r;
}

QByteArray controlo(const GlobalContext& ctx, const QString& ano, const std::vector<FicheiroTabela>& ficheiros) {
    QByteArray b;
    QXmlStreamWriter w(&b);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("TARVOEXInfo"));
    w.writeTextElement(QStringLiteral("codigo"), ctx.CodigoEmpresa);
    w.writeTextElement(QStringLiteral("Nome"), ctx.NomeEmpresa);
    w.writeTextElement(QStringLiteral("Ano"), ano);
    w.writeTextElement(QStringLiteral("NewStruct"), QStringLiteral("1"));
    w.writeTextElement(QStringLiteral("VersaoEsquema"), QString::number(VersaoEsquema));
    w.writeStartElement(QStringLiteral("ficheiros"));
    for (const FicheiroTabela& f : ficheiros) {
        w.writeEmptyElement(QStringLiteral("ficheiro"));
        w.writeAttribute(QStringLiteral("nome"), f.membro);
        w.writeAttribute(QStringLiteral("tabela"), f.tabela);
        w.writeAttribute(QStringLiteral("linhas"), QString::number(f.linhas));
        w.writeAttribute(QStringLiteral("sha256"), QString::fromLatin1(f.sha256));
    }
    w.writeEndDocument();
    return b;
}

struct ZipFechar {
    void operator()(zip_t* z) const {
        if (z)
            zip_discard(z);
    }
};

// --- reading ---

struct EntradaControlo {
    QString membro, tabela;
    qint64 linhas = 0;
    QByteArray sha256;
};

struct Controlo {
    InfoCopia info;
    std::vector<EntradaControlo> ficheiros;
};

Resultado<QByteArray> lerMembro(zip_t* z, const QString& membro) {
    const QByteArray nome = membro.toUtf8();
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(z, nome.constData(), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
        return Falha();
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> f(zip_fopen(z, nome.constData(), 0), zip_fclose);
    if (!f)
        return Falha();
    QByteArray b;
    b.resize(qsizetype(st.size));
    zip_int64_t lidos = 0;
    while (lidos < zip_int64_t(st.size)) {
        const zip_int64_t n = zip_fread(f.get(), b.data() + lidos, st.size - zip_uint64_t(lidos));
        if (n <= 0)
            return Falha();
        lidos += n;
    }
    return b;
}

// One member of the zip read as it is decompressed: a table file is never held in memory whole.
class MembroZip final : public QIODevice {
public:
    MembroZip(zip_t* z, const QString& membro) : m_f(zip_fopen(z, membro.toUtf8().constData(), 0)) {
        if (m_f)
            open(QIODevice::ReadOnly);
    }
    ~MembroZip() override {
        if (m_f)
            zip_fclose(m_f);
    }
    bool isSequential() const override { return true; }
    bool falhou() const { return !m_f || m_falhou; }

protected:
    qint64 readData(char* dados, qint64 max) override {
        const zip_int64_t n = zip_fread(m_f, dados, zip_uint64_t(max));
        if (n < 0)
            m_falhou = true;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_f;
    bool m_falhou = false;
};

// The member's SHA-256 in hexadecimal; empty when it cannot be read to the end.
QByteArray resumoMembro(zip_t* z, const QString& membro) {
    MembroZip m(z, membro);
    if (!m.isOpen())
        return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    QByteArray bloco(1 << 16, Qt::Uninitialized);
    qint64 n;
    while ((n = m.read(bloco.data(), bloco.size())) > 0)
        h.addData(QByteArrayView(bloco.constData(), n));
    return n < 0 || m.falhou() ? QByteArray() : h.result().toHex();
}

std::unique_ptr<zip_t, ZipFechar> abrirZip(const QString& ficheiro) {
    int erro = 0;
    return std::unique_ptr<zip_t, ZipFechar>(
        zip_open(QFile::encodeName(ficheiro).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &erro));
}

Resultado<Controlo> lerControlo(zip_t* z, const QString& ficheiro) {
    const auto b = lerMembro(z, FicheiroControlo);
    if (!b)
        return Falha(QStringLiteral("A cópia %1 não tem o ficheiro de controlo %2.")
                         .arg(QFileInfo(ficheiro).fileName(), FicheiroControlo));
    Controlo c;
    QXmlStreamReader r(*b);
    bool raiz = false;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto n = r.name();
        if (n == QLatin1String("TARVOEXInfo")) {
            raiz = true;
        } else if (n == QLatin1String("codigo")) {
            c.info.codigo = r.readElementText();
        } else if (n == QLatin1String("Nome")) {
            c.info.nome = r.readElementText();
        } else if (n == QLatin1String("Ano")) {
            c.info.ano = r.readElementText().toInt();
        } else if (n == QLatin1String("VersaoEsquema")) {
            c.info.versaoEsquema = r.readElementText().toInt();
        } else if (n == QLatin1String("ficheiro")) {
            const auto a = r.attributes();
            EntradaControlo e;
            e.membro = a.value(QLatin1String("nome")).toString();
            e.tabela = a.value(QLatin1String("tabela")).toString();
            e.linhas = a.value(QLatin1String("linhas")).toLongLong();
            e.sha256 = a.value(QLatin1String("sha256")).toLatin1();
            c.ficheiros.push_back(e);
            if (!e.membro.startsWith(PastaDocs))
                c.info.tabelas << e.tabela;
        }
    }
    if (r.hasError() || !raiz)
        return Falha(QStringLiteral("O ficheiro de controlo da cópia %1 está danificado.")
                         .arg(QFileInfo(ficheiro).fileName()));
    return c;
}

Falha alterada(const QString& tabela) {
    return Falha(QStringLiteral("A cópia está incompleta ou foi alterada: %1").arg(tabela));
}

// The rows of one table file into the same table of the target: columns by name, only those the
// target has; one prepared statement for all the rows.
Resultado<> carregarTabela(Database& db, const QString& tabelaAlvo, const QSet<QString>& colunasAlvo,
                           const EntradaControlo& e, QIODevice* xml) {
    if (!db.exec(QStringLiteral("DELETE FROM %1").arg(tabelaAlvo)))
        return Falha(QStringLiteral("%1: %2").arg(tabelaAlvo, db.lastError()));
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || r.name() != QLatin1String("tabela") ||
        r.attributes().value(QLatin1String("linhas")).toLongLong() != e.linhas)
        return alterada(e.tabela);
    // Rows go in groups, one INSERT per group: one round trip to the server per group, not per row.
    QStringList colunas;
    std::vector<QVariantList> pendentes;
    std::map<int, std::unique_ptr<QSqlQuery>> preparadas; // by rows per statement
    int porGrupo = 1;
    auto escrever = [&]() -> Resultado<> {
        if (pendentes.empty())
            return {};
        const int n = int(pendentes.size());
        auto& q = preparadas[n];
        if (!q) {
            q = std::make_unique<QSqlQuery>(db.qdb());
            const QString uma = QLatin1Char('(') + QStringList(colunas.size(), QStringLiteral("?")).join(u',') +
                                QLatin1Char(')');
            if (!q->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                                .arg(tabelaAlvo, colunas.join(u','), QStringList(n, uma).join(u','))))
                return Falha(QStringLiteral("%1: %2").arg(tabelaAlvo, q->lastError().text()));
        }
        int k = 0;
        for (const QVariantList& l : pendentes)
            for (const QVariant& v : l)
                q->bindValue(k++, v);
        if (!q->exec())
            return Falha(QStringLiteral("%1: %2").arg(tabelaAlvo, q->lastError().text()));
        pendentes.clear();
        return {};
    };
    qint64 linhas = 0, maximo = 0;
    while (r.readNextStartElement()) {
        if (r.name() != QLatin1String("linha"))
            return alterada(e.tabela);
        QStringList nomes;
        QVariantList valores;
        while (r.readNextStartElement()) {
            const QString nome = r.name().toString();
            const bool nulo = r.attributes().value(QLatin1String("nulo")) == QLatin1String("1");
            const bool base64 = r.attributes().value(QLatin1String("base64")) == QLatin1String("1");
            const QString texto = r.readElementText();
            if (!colunasAlvo.contains(nome.toLower()) || !identificador(nome))
                continue;
            nomes << nome;
            if (nulo)
                valores << QVariant();
            else if (base64)
                valores << QByteArray::fromBase64(texto.toLatin1());
            else
                valores << (texto.isNull() ? QString(QLatin1String("")) : texto);
            if (nome.compare(QLatin1String("NumRegisto"), Qt::CaseInsensitive) == 0)
                maximo = std::max(maximo, texto.toLongLong());
        }
        if (r.hasError())
            return alterada(e.tabela);
        if (nomes != colunas) {
            if (auto w = escrever(); !w)
                return w;
            colunas = nomes;
            preparadas.clear();
            // Small groups: the SQLite driver looks each bound value up by position, so cost grows
            // with the square of the values in one statement.
            porGrupo = std::clamp(int(2000 / std::max<qsizetype>(1, colunas.size())), 1, 50);
        }
        if (colunas.isEmpty())
            return alterada(e.tabela);
        pendentes.push_back(std::move(valores));
        if (int(pendentes.size()) >= porGrupo)
            if (auto w = escrever(); !w)
                return w;
        ++linhas;
    }
    if (auto w = escrever(); !w)
        return w;
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

Resultado<> carregarBase(Database& db, zip_t* z, const std::vector<EntradaControlo>& todos, bool docs,
                         QStringList& avisos) {
    const auto estrutura = db.dialect().estrutura(db);
    std::vector<EntradaControlo> ficheiros, depois;
    for (const EntradaControlo& e : todos)
        (!docs && escritaPorGatilho(e.tabela) ? depois : ficheiros).push_back(e);
    ficheiros.insert(ficheiros.end(), depois.begin(), depois.end());
    for (const EntradaControlo& e : ficheiros) {
        if (e.membro.startsWith(PastaDocs) != docs)
            continue;
        const QString m = e.tabela.toLower();
        if (tabelaDeVersao(m) || tabelaDoSistema(m))
            continue;
        if (!estrutura.contains(m) || !identificador(m)) {
            avisos << QStringLiteral("A tabela %1 da cópia não existe nesta versão do programa e não foi reposta.")
                          .arg(e.tabela);
            continue;
        }
        const TabelaDef* def = declaracao(!docs).tabela(e.tabela);
        const QString alvo = def ? def->nome : e.tabela;
        MembroZip xml(z, e.membro);
        if (!xml.isOpen())
            return alterada(e.tabela);
        if (auto r = carregarTabela(db, alvo, estrutura.value(m), e, &xml); !r)
            return r;
    }
    return {};
}

} // namespace

Resultado<ResumoCopia> CopiarEmpresa(GlobalContext& ctx, const QString& pasta, const EstadoCopia& estado) {
    auto mostrar = [&](const QString& t) {
        if (estado)
            estado(t);
    };
    if (pasta.trimmed().isEmpty())
        return Falha(QStringLiteral("Não definiu a localização dos ficheiros!"));
    const QFileInfo destino(pasta);
    if (!destino.isDir() || !destino.isWritable())
        return Falha(QStringLiteral("Localização %1 inválida!").arg(pasta));
    QTemporaryDir temp;
    if (!temp.isValid())
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    mostrar(QStringLiteral("Inicializando..."));
    Database& db = ctx.bd();
    const QString ano = db.scalar(QStringLiteral("SELECT ano FROM ParamGeral ORDER BY NumRegisto") +
                                  db.dialect().limite(1))
                            .toString();

    mostrar(QStringLiteral("Exportando Informação !"));
    auto lidos = exportarBase(db, true, temp.path(), QString());
    if (!lidos)
        return lidos.falha();
    std::vector<FicheiroTabela> ficheiros = std::move(*lidos);
    ResumoCopia resumo;
    resumo.tabelas = int(ficheiros.size());
    for (const FicheiroTabela& f : ficheiros)
        resumo.linhas += f.linhas;

    const auto docs = abrirArquivoExistente(ctx);
    if (!docs)
        return Falha(FalhaFim);
    if (*docs) {
        auto lidosDocs = exportarBase(**docs, false, temp.path(), PastaDocs);
        (*docs)->close();
        if (!lidosDocs)
            return lidosDocs.falha();
        for (FicheiroTabela& f : *lidosDocs)
            ficheiros.push_back(std::move(f));
    }

    QFile info(temp.filePath(FicheiroControlo));
    if (!info.open(QIODevice::WriteOnly) || info.write(controlo(ctx, ano, ficheiros)) < 0)
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    info.close();

    // Written beside its final place and renamed: a reader never sees half a backup.
    const QString final = QDir(pasta).absoluteFilePath(nomeCopia(ctx.CodigoEmpresa));
    const QString parcial = QDir(pasta).absoluteFilePath(
        QStringLiteral(".%1.%2.tmp").arg(nomeCopia(ctx.CodigoEmpresa), QUuid::createUuid().toString(QUuid::Id128)));
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(parcial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    if (!z)
        return Falha(QStringLiteral("Localização %1 inválida!").arg(pasta));
    bool ok = true;
    auto juntar = [&](const QString& caminho, const QString& membro) {
        zip_source_t* s = zip_source_file(z, QFile::encodeName(caminho).constData(), 0, -1);
        if (!s)
            return false;
        if (zip_file_add(z, membro.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            zip_source_free(s);
            return false;
        }
        return true;
    };
    ok = juntar(info.fileName(), FicheiroControlo);
    for (const FicheiroTabela& f : ficheiros)
        ok = ok && juntar(f.caminho, f.membro);
    if (!ok || zip_close(z) != 0) {
        zip_discard(z);
        QFile::remove(parcial);
        return Falha(FalhaFim);
    }
    mostrar(QStringLiteral("Copiando Ficheiro !"));
    QFile::setPermissions(parcial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (std::rename(QFile::encodeName(parcial).constData(), QFile::encodeName(final).constData()) != 0) {
        QFile::remove(parcial);
        return Falha(FalhaFim);
    }
    resumo.ficheiro = final;
    return resumo;
}

Resultado<InfoCopia> LerInfoCopia(const QString& ficheiro) {
    const auto z = abrirZip(ficheiro);
    if (!z)
        return Falha(QStringLiteral("O ficheiro %1 não é uma cópia de segurança válida.").arg(ficheiro));
    const auto c = lerControlo(z.get(), ficheiro);
    if (!c)
        return c.falha();
    return c->info;
}

Resultado<ResumoReposicao> ReporEmpresa(const ConnectionParams& servidor, const QString& ficheiro,
                                        const QString& novoCodigo, const QString& utilizador) {
    const QString codigo = novoCodigo.trimmed();
    if (!codigoEmpresaValido(codigo))
        return Falha(QStringLiteral("O código da empresa deve ter 4 letras ou algarismos."));
    const auto z = abrirZip(ficheiro);
    if (!z)
        return Falha(QStringLiteral("O ficheiro %1 não é uma cópia de segurança válida.").arg(ficheiro));
    const auto lido = lerControlo(z.get(), ficheiro);
    if (!lido)
        return lido.falha();
    const Controlo& c = *lido;
    if (c.info.versaoEsquema > VersaoEsquema)
        return Falha(QStringLiteral("A cópia foi feita por uma versão mais recente do programa"));
    const auto srv = Servidor::para(servidor);
    if (srv->existeBaseDados(nomeBaseDadosEmpresa(codigo)))
        return Falha(QStringLiteral("A empresa %1 já existe.").arg(codigo));
    if (srv->existeBaseDados(nomeArquivoDocumentos(codigo)))
        return Falha(QStringLiteral("O arquivo de documentos %1 já existe.").arg(nomeArquivoDocumentos(codigo)));

    // Every file is checked before anything is made.
    bool temDocs = false;
    if (c.ficheiros.empty())
        return alterada(FicheiroControlo);
    for (const EntradaControlo& e : c.ficheiros) {
        const QByteArray resumo = resumoMembro(z.get(), e.membro);
        if (resumo.isEmpty() || resumo != e.sha256)
            return alterada(e.tabela);
        temDocs = temDocs || e.membro.startsWith(PastaDocs);
    }

    NovaEmpresa nova;
    nova.codigo = codigo;
    nova.nome = c.info.nome.trimmed().isEmpty() ? codigo : c.info.nome;
    nova.ano = c.info.ano >= 1000 && c.info.ano <= 9999 ? c.info.ano : QDate::currentDate().year();
    // A refusal found while loading is the backup's fault and is told as such, not as a creation failure.
    std::optional<Falha> naCarga;
    QStringList avisos;
    const auto carregar = [&](Database& db) -> Resultado<> {
        auto r = carregarBase(db, z.get(), c.ficheiros, false, avisos);
        if (!r)
            naCarga = r.falha();
        return r;
    };
    if (auto r = criarEmpresa(servidor, nova, carregar); !r)
        return naCarga ? *naCarga : r.falha();

    auto desfazer = [&](const Falha& f) -> Falha {
        (void)srv->apagarBaseDados(nomeArquivoDocumentos(codigo));
        (void)srv->apagarBaseDados(nomeBaseDadosEmpresa(codigo));
        return f;
    };

    ResumoReposicao resumo;
    resumo.empresa = codigo;
    resumo.avisos = avisos;
    GlobalContext ctx;
    if (auto r = abrirEmpresa(ctx, servidor, codigo); !r)
        return desfazer(r.falha());
    ctx.CodigoUtilizador = utilizador;
    ctx.NomePosto = QSysInfo::machineHostName();
    auto fechar = [&] {
        if (ctx.LigacaoEmpresa)
            ctx.LigacaoEmpresa->close();
        ctx.LigacaoEmpresa.reset();
    };
    if (temDocs) {
        // The archive is made with its own schema, then gets the backup's rows.
        const auto docs = Abre_Connexao_DocumentosBin(ctx);
        if (!docs) {
            fechar();
            return desfazer(docs.falha());
        }
        Resultado<> carregado;
        {
            Transaction tr(**docs);
            carregado = carregarBase(**docs, z.get(), c.ficheiros, true, resumo.avisos);
            if (carregado && !tr.commit())
                carregado = Falha((*docs)->lastError());
        }
        (*docs)->close();
        if (!carregado) {
            fechar();
            return desfazer(carregado.falha());
        }
    }
    const bool escrito = LancaLOG_DB(ctx, QStringLiteral("Reposição"), QFileInfo(ficheiro).fileName());
    const auto linha = ctx.bd().primeiraLinha(
        QStringLiteral("SELECT NomeEmpresa, ano FROM ParamGeral ORDER BY NumRegisto") + ctx.bd().dialect().limite(1));
    if (linha) {
        resumo.nome = linha->at(0).toString();
        resumo.ano = linha->at(1).toInt();
    }
    fechar();
    if (!escrito)
        return desfazer(Falha(QStringLiteral("Não foi possível registar a reposição.")));
    return resumo;
}
