// Writing a company backup: one XML file per table, read in one snapshot, then the zip.
#include "session/CopiaSegurancaComum.h"

#include "common/Currency.h"
#include "company/ArquivoDocumentos.h"
#include "company/GlobalContext.h"
#include "db/Database.h"
#include "db/esquema/Esquema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <QXmlStreamWriter>

#include <cstdio>

using namespace copia;

namespace {

// One snapshot for every table read: SQLite (WAL) keeps the snapshot of a deferred transaction's
// first read; PostgreSQL needs REPEATABLE READ for the same.
// A big table is read by one statement for longer than the command time-out allows: none for this
// transaction.
bool iniciarLeitura(Database& db) {
    if (db.dialect().isSQLite())
        return db.exec(QStringLiteral("BEGIN"));
    return db.exec(QStringLiteral("BEGIN TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY")) &&
           db.exec(QStringLiteral("SET LOCAL statement_timeout = 0"));
}

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

// A file whose SHA-256 is taken as it is written, so it is never read back for it. The writer's
// many small pieces are gathered here and go to the file and the hash in big blocks.
class SaidaComResumo final : public QIODevice {
public:
    explicit SaidaComResumo(const QString& caminho) : m_f(caminho) {
        m_bloco.reserve(Bloco + (1 << 16));
        if (m_f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    QByteArray resumo() { return m_h.hex(); }
    bool fechar() {
        despejar();
        close();
        m_f.close();
        return !m_falhou && m_f.error() == QFileDevice::NoError;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dados, qint64 n) override {
        m_bloco.append(dados, n);
        if (m_bloco.size() >= Bloco)
            despejar();
        return n;
    }

private:
    static constexpr qsizetype Bloco = 1 << 20;
    void despejar() {
        m_h.juntar(m_bloco.constData(), m_bloco.size());
        if (m_f.write(m_bloco) != m_bloco.size())
            m_falhou = true;
        m_bloco.resize(0);
    }
    QFile m_f;
    QByteArray m_bloco;
    ResumoSha256 m_h;
    bool m_falhou = false;
};

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
    // The count goes in the opening tag; read in the same snapshot as the rows, it is theirs.
    const QVariant contadas = db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela));
    if (!contadas.isValid())
        return Falha(QStringLiteral("%1 %2").arg(FalhaFim, tabela));
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
    SaidaComResumo saida(f.caminho);
    if (!saida.isOpen())
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    {
        QXmlStreamWriter w(&saida);
        w.writeStartDocument();
        w.writeStartElement(QStringLiteral("tabela"));
        w.writeAttribute(QStringLiteral("nome"), tabela);
        w.writeAttribute(QStringLiteral("linhas"), QString::number(contadas.toLongLong()));
        const QString nulo = QStringLiteral("nulo"), base64 = QStringLiteral("base64"), um = QStringLiteral("1");
        const QString linha = QStringLiteral("linha");
        while (q.next()) {
            w.writeStartElement(linha);
            for (int i = 0; i < nomes.size(); ++i) {
                const QVariant v = q.value(i);
                if (v.isNull()) {
                    w.writeEmptyElement(nomes[i]);
                    w.writeAttribute(nulo, um);
                } else if (formas[size_t(i)] == Forma::Binario) {
                    w.writeStartElement(nomes[i]);
                    w.writeAttribute(base64, um);
                    w.writeCharacters(textoValor(v, Forma::Binario));
                    w.writeEndElement();
                } else {
                    w.writeTextElement(nomes[i], textoValor(v, formas[size_t(i)]));
                }
            }
            w.writeEndElement();
            ++f.linhas;
        }
        w.writeEndElement();
        w.writeCharacters(QStringLiteral("\n"));
        if (w.hasError())
            return Falha(QStringLiteral("Localização TEMP inválida!"));
    }
    if (q.lastError().isValid() || f.linhas != contadas.toLongLong())
        return Falha(QStringLiteral("%1 %2").arg(FalhaFim, tabela));
    if (!saida.fechar())
        return Falha(QStringLiteral("Localização TEMP inválida!"));
    f.sha256 = saida.resumo();
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

// The zip written beside its final place and renamed: a reader never sees half a backup.
Resultado<> escreverZip(const QString& pasta, const QString& final, const QString& info,
                        const std::vector<FicheiroTabela>& ficheiros) {
    const QString parcial = QDir(pasta).absoluteFilePath(
        QStringLiteral(".%1.%2.tmp").arg(QFileInfo(final).fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(parcial).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    if (!z)
        return Falha(QStringLiteral("Localização %1 inválida!").arg(pasta));
    auto juntar = [&](const QString& caminho, const QString& membro) {
        zip_source_t* s = zip_source_file(z, QFile::encodeName(caminho).constData(), 0, -1);
        if (!s)
            return false;
        const zip_int64_t i = zip_file_add(z, membro.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
        if (i < 0) {
            zip_source_free(s);
            return false;
        }
        // The table files repeat their tags row after row: the fastest level packs them nearly as
        // small as the default one, in a fraction of the time.
        return zip_set_file_compression(z, zip_uint64_t(i), ZIP_CM_DEFLATE, 1) == 0;
    };
    bool ok = juntar(info, FicheiroControlo);
    for (const FicheiroTabela& f : ficheiros)
        ok = ok && juntar(f.caminho, f.membro);
    if (!ok || zip_close(z) != 0) {
        zip_discard(z);
        QFile::remove(parcial);
        return Falha(FalhaFim);
    }
    QFile::setPermissions(parcial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (std::rename(QFile::encodeName(parcial).constData(), QFile::encodeName(final).constData()) != 0) {
        QFile::remove(parcial);
        return Falha(FalhaFim);
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

    const QString final = QDir(pasta).absoluteFilePath(nomeCopia(ctx.CodigoEmpresa));
    if (auto r = escreverZip(pasta, final, info.fileName(), ficheiros); !r)
        return r.falha();
    mostrar(QStringLiteral("Copiando Ficheiro !"));
    resumo.ficheiro = final;
    return resumo;
}
