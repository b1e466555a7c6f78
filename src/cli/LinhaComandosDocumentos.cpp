// The document archive on the command line: a file filed under a key, the documents of a key
// listed, a stored file written back out.

#include "cli/LinhaComandosCli.h"
#include "cli/SessaoCli.h"
#include "common/FicheiroSaida.h"
#include "company/ArquivoDocumentos.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

namespace {

const QString UsoDocumentos = QStringLiteral(
    "Uso: documentos anexar FICHEIRO --empresa C --chave K --assunto S [--tipo T] [--numero N] | "
    "documentos listar --empresa C [--chave K] [--tipo T] | "
    "documentos extrair --empresa C --registo N --saida FICHEIRO");

// Options each action takes besides the common ones: a filter or number meant for another action is
// refused, never silently ignored.
const QHash<QString, QSet<QString>>& opcoesDaAccao() {
    static const QHash<QString, QSet<QString>> o{
        {QStringLiteral("anexar"),
         {QStringLiteral("chave"), QStringLiteral("assunto"), QStringLiteral("tipo"), QStringLiteral("numero")}},
        {QStringLiteral("listar"), {QStringLiteral("chave"), QStringLiteral("tipo")}},
        {QStringLiteral("extrair"), {QStringLiteral("registo"), QStringLiteral("saida")}},
    };
    return o;
}

Resultado<QJsonValue> anexar(const PedidoCli& p, SessaoCli& s, Database& arq) {
    const QString caminho = p.argumentos.value(1);
    const QString chave = p.opcao(QStringLiteral("chave")).trimmed();
    const QString assunto = p.opcao(QStringLiteral("assunto")).trimmed();
    if (chave.isEmpty())
        return Falha(QStringLiteral("Indique a chave do documento (--chave)."));
    if (assunto.isEmpty())
        return Falha(QStringLiteral("Não pode exportar sem indicar o assunto!"));
    QFile f(caminho);
    if (!QFileInfo(caminho).isFile() || !f.open(QIODevice::ReadOnly))
        return Falha(QStringLiteral("Não foi possível ler o ficheiro %1.").arg(caminho));
    NovoDocumentoArquivo n;
    n.chave = chave;
    n.assunto = assunto;
    n.docTipo = p.opcao(QStringLiteral("tipo")).trimmed();
    n.docNumero = p.opcao(QStringLiteral("numero")).trimmed();
    n.utilizador = s.ctx.CodigoUtilizador;
    n.caminho = QFileInfo(caminho).absoluteFilePath();
    n.dataFicheiro = QFileInfo(caminho).lastModified();
    n.conteudo = f.readAll();
    const auto r = ArquivarDocumento(arq, n);
    if (!r)
        return r.falha();
    // NumRegistoFicheiro is the number extrair takes; the document's own NumRegisto differs from it
    // once a document has a further file.
    return QJsonValue(QJsonObject{
        {"NumeroMov", r->numeroMov}, {"NumRegisto", r->numRegisto}, {"NumRegistoFicheiro", r->numRegistoFicheiro}});
}

Resultado<QJsonValue> listar(const PedidoCli& p, Database& arq) {
    QString sql = QStringLiteral("SELECT NumRegisto, NumeroMov, Chave, Assunto, Doc_Tipo, Doc_Numero, Doc_Data, "
                                 "Arq_Ano, Arq_Mes, Arq_Modulo, Utilizador FROM HistDocBin WHERE 1=1");
    QVariantList v;
    if (p.opcoes.contains(QStringLiteral("chave"))) {
        sql += QStringLiteral(" AND Chave=?");
        v << p.opcao(QStringLiteral("chave")).trimmed();
    }
    if (p.opcoes.contains(QStringLiteral("tipo"))) {
        sql += QStringLiteral(" AND Doc_Tipo=?");
        v << p.opcao(QStringLiteral("tipo")).trimmed();
    }
    sql += QStringLiteral(" ORDER BY NumeroMov");
    QJsonArray docs;
    const bool ok = arq.percorrer(sql, v, [&](const QSqlQuery& q) {
        docs.append(QJsonObject{{"NumRegisto", q.value(0).toLongLong()}, {"NumeroMov", q.value(1).toLongLong()},
                                {"Chave", q.value(2).toString()},        {"Assunto", q.value(3).toString()},
                                {"Doc_Tipo", q.value(4).toString()},     {"Doc_Numero", q.value(5).toString()},
                                {"Doc_Data", q.value(6).toString()},     {"Arq_Ano", q.value(7).toString()},
                                {"Arq_Mes", q.value(8).toString()},      {"Arq_Modulo", q.value(9).toString()},
                                {"Utilizador", q.value(10).toString()}});
    });
    if (!ok)
        return Falha(arq.lastError());
    // Each document's files, without their bytes.
    for (qsizetype i = 0; i < docs.size(); ++i) {
        QJsonObject d = docs[i].toObject();
        QJsonArray fic;
        (void)arq.percorrer(QStringLiteral("SELECT NumRegisto, FilePath, FileDate, FileTime, DataEntrada "
                                           "FROM HistDocBinDocs WHERE NumeroMov=? ORDER BY NumRegisto"),
                            {d.value("NumeroMov").toInteger()}, [&](const QSqlQuery& q) {
                                fic.append(QJsonObject{{"NumRegisto", q.value(0).toLongLong()},
                                                       {"FilePath", q.value(1).toString()},
                                                       {"FileDate", q.value(2).toString()},
                                                       {"FileTime", q.value(3).toString()},
                                                       {"DataEntrada", q.value(4).toString()}});
                            });
        d.insert("ficheiros", fic);
        docs[i] = d;
    }
    return QJsonValue(docs);
}

Resultado<QJsonValue> extrair(const PedidoCli& p, Database& arq) {
    bool numero = false;
    const qint64 registo = p.opcao(QStringLiteral("registo")).trimmed().toLongLong(&numero);
    const QString saida = p.opcao(QStringLiteral("saida"));
    if (!numero || registo <= 0)
        return Falha(QStringLiteral("Indique o nº de registo do ficheiro (--registo)."));
    if (saida.isEmpty())
        return Falha(QStringLiteral("Indique o ficheiro de saída (--saida)."));
    if (auto r = DestinoDeFicheiroValido(saida); !r)
        return r.falha();
    const auto v = arq.lerPrimeiraLinha(QStringLiteral("SELECT Doc FROM HistDocBinDocs WHERE NumRegisto=?"), {registo});
    if (!v)
        return v.falha();
    if (!*v)
        return Falha(QStringLiteral("O ficheiro nº %1 não existe no arquivo.").arg(registo));
    const QByteArray bytes = (**v).value(0).toByteArray();
    QSaveFile f(saida);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        return Falha(QStringLiteral("Não foi possível gravar o ficheiro %1.").arg(saida));
    return QJsonValue(QJsonObject{{"ficheiro", saida}, {"bytes", bytes.size()}});
}

Resultado<QJsonValue> cmdDocumentos(const PedidoCli& p) {
    const QString sub = p.argumentos.value(0).toLower();
    const bool valido = (sub == QStringLiteral("anexar") && p.argumentos.size() == 2) ||
                        ((sub == QStringLiteral("listar") || sub == QStringLiteral("extrair")) &&
                         p.argumentos.size() == 1);
    if (!valido)
        return Falha(UsoDocumentos);
    const QSet<QString> aceites = opcoesDaAccao().value(sub);
    for (auto i = p.opcoes.cbegin(); i != p.opcoes.cend(); ++i)
        if (i.key() != QStringLiteral("pg") && i.key() != QStringLiteral("login") &&
            i.key() != QStringLiteral("empresa") && i.key() != QStringLiteral("utilizador") && !aceites.contains(i.key()))
            return Falha(QStringLiteral("A opção --%1 não serve com \"documentos %2\".").arg(i.key(), sub));
    SessaoCli s;
    if (auto r = s.abrir(p); !r)
        return r.falha();
    if (auto r = s.permitidoPrograma(); !r)
        return r.falha();
    const auto arq = Abre_Connexao_DocumentosBin(s.ctx);
    if (!arq)
        return arq.falha();
    if (sub == QStringLiteral("anexar"))
        return anexar(p, s, **arq);
    if (sub == QStringLiteral("listar"))
        return listar(p, **arq);
    return extrair(p, **arq);
}

} // namespace

std::vector<ComandoCli> comandosDocumentosCli() {
    return {{QStringLiteral("documentos"),
             QStringLiteral("documentos anexar FICHEIRO --chave K --assunto S [--tipo T] [--numero N] | documentos "
                            "listar [--chave K] [--tipo T] | documentos extrair --registo N --saida FICHEIRO "
                            "(sempre com --empresa CODIGO [--utilizador CODIGO])"),
             QStringLiteral("Arquivo de documentos da empresa: arquiva um ficheiro sob uma chave, lista os documentos "
                            "arquivados e grava de novo um ficheiro arquivado."),
             {QStringLiteral("empresa"), QStringLiteral("utilizador"), QStringLiteral("chave"), QStringLiteral("assunto"),
              QStringLiteral("tipo"), QStringLiteral("numero"), QStringLiteral("registo"), QStringLiteral("saida")},
             cmdDocumentos}};
}
