#include "session/CopiaSegurancaComum.h"

#include "db/esquema/Esquema.h"
#include "db/esquema/EsquemaArquivo.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace copia {

QString nomeCopia(const QString& codigo) { return QStringLiteral("ExportTARVOEX%1.zip").arg(codigo); }

bool identificador(const QString& n) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,62}$"));
    return re.match(n).hasMatch();
}

bool tabelaDoSistema(const QString& minusculas) {
    return minusculas.startsWith(QLatin1String("lock")) || minusculas == QLatin1String("dtproperties") ||
           minusculas.startsWith(QLatin1String("sqlite_")) || minusculas.startsWith(QLatin1String("pg_")) ||
           minusculas.startsWith(QLatin1String("sql_"));
}

bool tabelaDeVersao(const QString& minusculas) {
    return minusculas == QLatin1String("esquemaversao") || minusculas == QLatin1String("histdocbinversao");
}

Declaracao declaracao(bool empresa) {
    return empresa ? Declaracao{tabelasEmpresa(), &tabelaEmpresa, true}
                   : Declaracao{tabelasArquivo(), &tabelaArquivo, false};
}

QStringList tabelasUtilizador(const QHash<QString, QSet<QString>>& estrutura, const Declaracao& decl) {
    QStringList r;
    QSet<QString> vistas;
    for (const TabelaDef& t : decl.tabelas) {
        const QString m = t.nome.toLower();
        if (estrutura.contains(m) && !tabelaDoSistema(m) && !vistas.contains(m)) {
            r << t.nome;
            vistas.insert(m);
        }
    }
    QStringList outras;
    for (auto it = estrutura.cbegin(); it != estrutura.cend(); ++it)
        if (!vistas.contains(it.key()) && !tabelaDoSistema(it.key()) && identificador(it.key()))
            outras << it.key();
    outras.sort();
    return r + outras;
}

Zip abrirZip(const QString& ficheiro) {
    int erro = 0;
    return Zip(zip_open(QFile::encodeName(ficheiro).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &erro));
}

MembroZip::MembroZip(zip_t* z, const QString& membro) : m_f(zip_fopen(z, membro.toUtf8().constData(), 0)) {
    if (m_f)
        open(QIODevice::ReadOnly);
}

MembroZip::~MembroZip() {
    if (m_f)
        zip_fclose(m_f);
}

qint64 MembroZip::readData(char* dados, qint64 max) {
    const zip_int64_t n = zip_fread(m_f, dados, zip_uint64_t(max));
    if (n < 0)
        m_falhou = true;
    else
        m_resumo.juntar(dados, n);
    return n;
}

QByteArray MembroZip::resumoAteAoFim() {
    if (!isOpen())
        return {};
    QByteArray bloco(1 << 16, Qt::Uninitialized);
    qint64 n;
    while ((n = read(bloco.data(), bloco.size())) > 0) {
    }
    return n < 0 || falhou() ? QByteArray() : m_resumo.hex();
}

QByteArray ResumoSha256::hex() {
    unsigned char r[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&m_estado, r);
    return QByteArray(reinterpret_cast<const char*>(r), sizeof r).toHex();
}

QByteArray resumoMembro(zip_t* z, const QString& membro) { return MembroZip(z, membro).resumoAteAoFim(); }

namespace {
Resultado<QByteArray> lerMembro(zip_t* z, const QString& membro) {
    MembroZip m(z, membro);
    if (!m.isOpen())
        return Falha();
    const QByteArray b = m.readAll();
    if (m.falhou())
        return Falha();
    return b;
}
} // namespace

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

} // namespace copia
