#include "company/ArquivoDocumentos.h"

#include "company/Empresas.h"
#include "company/GlobalContext.h"
#include "db/Servidor.h"
#include "db/ServidorPostgres.h"
#include "db/esquema/EsquemaArquivo.h"

#include <QFileInfo>
#include <QRegularExpression>

QString nomeArquivoDocumentos(const QString& codigoEmpresa) {
    return QString::fromLatin1(PrefixoEmpresa) + codigoEmpresa + QStringLiteral("_Docs");
}

namespace {

const QString MsgSemArquivo = QStringLiteral("Não foi possível abrir o arquivo de documentos da empresa.");

bool ligada(GlobalContext& ctx) { return ctx.LigacaoEmpresa && ctx.LigacaoEmpresa->isOpen(); }

// Named after the company database actually open ("LumoGest" + code): a company opened under
// another database name keeps its own archive.
QString nomeDoArquivo(GlobalContext& ctx) {
    const QString base = ctx.bd().params().baseDados;
    return base.isEmpty() ? nomeArquivoDocumentos(ctx.CodigoEmpresa) : base + QStringLiteral("_Docs");
}

// Names read from the server's catalogue go into CREATE DATABASE, where they cannot be bound.
bool nomeCatalogoSeguro(const QString& s) {
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_.@ -]{1,63}$"));
    return re.match(s).hasMatch();
}

// The archive takes the company database's encoding, collation, character type and tablespace.
Resultado<> criarArquivoPostgres(const ServidorPostgres& s, const QString& empresa, const QString& nome) {
    const auto adm = s.ligarManutencao();
    if (!adm)
        return adm.falha();
    const auto linha = (*adm)->lerPrimeiraLinha(
        QStringLiteral("SELECT pg_encoding_to_char(d.encoding), d.datcollate, d.datctype, t.spcname "
                       "FROM pg_database d JOIN pg_tablespace t ON t.oid=d.dattablespace WHERE d.datname=?"),
        {empresa});
    if (!linha || !*linha)
        return Falha(MsgSemArquivo);
    const QVariantList& v = **linha;
    for (const QVariant& x : v)
        if (!nomeCatalogoSeguro(x.toString()))
            return Falha(MsgSemArquivo);
    const QString sql = QStringLiteral("CREATE DATABASE \"%1\" TEMPLATE template0 ENCODING '%2' LC_COLLATE '%3' "
                                       "LC_CTYPE '%4' TABLESPACE \"%5\"")
                            .arg(nome, v[0].toString(), v[1].toString(), v[2].toString(), v[3].toString());
    if (!Servidor::nomeValido(nome))
        return Falha(MsgSemArquivo);
    if ((*adm)->exec(sql))
        return {};
    // Another workstation created it at the same moment.
    if ((*adm)->erroTecnico().contains(QStringLiteral("already exists")) || s.existeBaseDados(nome))
        return {};
    qWarning("Arquivo: %s", qPrintable((*adm)->erroTecnico()));
    return Falha(MsgSemArquivo);
}

Resultado<> criarArquivo(GlobalContext& ctx, const QString& nome) {
    const Servidor& s = ctx.bd().servidor();
    if (const auto* pg = dynamic_cast<const ServidorPostgres*>(&s))
        return criarArquivoPostgres(*pg, ctx.bd().params().baseDados, nome);
    const auto r = s.criarBaseDados(nome);
    if (!r && !s.existeBaseDados(nome))
        return r;
    return {};
}

bool passo(Database& db, const QString& sql, const QVariantList& v = {}) {
    if (db.exec(sql, v))
        return true;
    qWarning("Arquivo: %s [%s]", qPrintable(db.erroTecnico()), qPrintable(sql));
    return false;
}

// The key prefixes of documents filed without a kind, longest first so "CA" is never read as "C".
// Cash ("CX", "CA") and banks ("BA", "B") keep their own modules; "ORC", "O" and "C" are
// customer quotations, orders and documents; "F" suppliers; "S" stock.
const std::vector<std::pair<QString, QString>>& prefixosModulo() {
    static const std::vector<std::pair<QString, QString>> p{
        {"ORC", "CL"}, {"CX", "CA"}, {"CA", "CA"}, {"BA", "BA"}, {"ST", "ST"}, {"FO", "FO"},
        {"C", "CL"},   {"F", "FO"},  {"S", "ST"},  {"B", "BA"},  {"O", "CL"}};
    return p;
}

// Null-filling updates and the filing fields of rows written before they existed. Every step is
// idempotent: it touches only rows still empty.
bool passosDados(Database& arq, Database* empresa) {
    bool ok = passo(arq, QStringLiteral("UPDATE HistDocBinConfig SET AssinaPDF=-1 WHERE AssinaPDF IS NULL"));
    for (const char* c : {"Ent_Data", "Ent_Hora", "Ent_Registo", "Doc_Tipo", "Doc_Numero", "Doc_Data",
                          "NumProcessoResiduos", "Arq_Ano", "Arq_Mes", "Arq_Modulo", "Arq_Subdivisao", "Arq_Chave"})
        ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET %1='' WHERE %1 IS NULL").arg(QLatin1String(c))) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET Arq_DocFiscRelevante=0 WHERE Arq_DocFiscRelevante IS NULL")) &&
         ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET Arq_Ano=substr(Doc_Data,1,4) "
                                   "WHERE Arq_Ano='' AND length(Doc_Data)>=4")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET Arq_Mes=substr(Doc_Data,6,2) "
                                   "WHERE Arq_Mes='' AND length(Doc_Data)>=7")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET Arq_Ano=substr(Data,1,4) "
                                   "WHERE Arq_Ano='' AND Doc_Data='' AND length(Data)>=4")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBin SET Arq_Mes=substr(Data,6,2) "
                                   "WHERE Arq_Mes='' AND Doc_Data='' AND length(Data)>=7")) && ok;
    if (empresa && empresa->isOpen()) {
        empresa->percorrer(QStringLiteral("SELECT Codigo, Modulo FROM TabTipoMov WHERE Modulo<>''"), {},
                           [&](const QSqlQuery& q) {
                               ok = passo(arq,
                                          QStringLiteral("UPDATE HistDocBin SET Arq_Modulo=? "
                                                         "WHERE Arq_Modulo='' AND Doc_Tipo=?"),
                                          {q.value(1).toString().trimmed(), q.value(0).toString().trimmed()}) &&
                                    ok;
                           });
    }
    for (const auto& [prefixo, modulo] : prefixosModulo())
        ok = passo(arq,
                   QStringLiteral("UPDATE HistDocBin SET Arq_Modulo=? WHERE Arq_Modulo='' AND Doc_Tipo='' "
                                  "AND upper(substr(Chave,1,%1))=?")
                       .arg(prefixo.size()),
                   {modulo, prefixo}) &&
             ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBinDocs SET Chave='' WHERE Chave IS NULL")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBinDocs SET NivelDoc=0 WHERE NivelDoc IS NULL")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBinDocs SET Db=1 WHERE Db IS NULL")) && ok;
    ok = passo(arq, QStringLiteral("UPDATE HistDocBinDocs SET NumeroMov=0 WHERE NumeroMov IS NULL")) && ok;
    // Who filed a file and when, from its document: by number, or failing that by key.
    for (const auto& [coluna, vazio] :
         {std::pair{QStringLiteral("Utilizador"), QStringLiteral("(HistDocBinDocs.Utilizador IS NULL OR "
                                                                  "HistDocBinDocs.Utilizador='')")},
          std::pair{QStringLiteral("DataSys"), QStringLiteral("HistDocBinDocs.DataSys IS NULL")}}) {
        const QString naoVazioH = coluna == QStringLiteral("DataSys") ? QStringLiteral("h.DataSys IS NOT NULL")
                                                                     : QStringLiteral("h.Utilizador<>''");
        for (const auto& [liga, condicao] :
             {std::pair{QStringLiteral("h.NumeroMov=HistDocBinDocs.NumeroMov"),
                        QStringLiteral("HistDocBinDocs.NumeroMov>0")},
              std::pair{QStringLiteral("h.Chave=HistDocBinDocs.Chave"), QStringLiteral("HistDocBinDocs.Chave<>''")}})
            ok = passo(arq, QStringLiteral("UPDATE HistDocBinDocs SET %1=(SELECT h.%1 FROM HistDocBin h WHERE %2 AND %3 "
                                           "ORDER BY h.NumRegisto LIMIT 1) WHERE %4 AND %5 AND EXISTS (SELECT 1 FROM "
                                           "HistDocBin h WHERE %2 AND %3)")
                                .arg(coluna, liga, naoVazioH, vazio, condicao)) &&
                 ok;
    }
    return ok;
}

Resultado<> actualizarEsquema(Database& arq, Database* empresa) {
    // Opening an archive already at this schema writes nothing: DDL on every opening would
    // take locks against other workstations' filing.
    if (esquemaArquivoEmDia(arq))
        return {};
    Transaction tr(arq);
    if (!tr.ok())
        return Falha(MsgSemArquivo);
    const QString bloqueio = arq.dialect().bloqueioEsquema();
    if (!bloqueio.isEmpty() && !arq.exec(bloqueio))
        return Falha(MsgSemArquivo);
    if (esquemaArquivoEmDia(arq))
        return {};
    if (auto r = aplicarEstruturaArquivo(arq); !r)
        return r;
    // The data steps never stop the opening; a failed one is tried again next time.
    const bool dados = passosDados(arq, empresa);
    if (dados)
        if (auto r = gravarAssinaturaArquivo(arq); !r)
            return r;
    if (!tr.commit())
        return Falha(MsgSemArquivo);
    return {};
}

// Checks a text against its archive column's declared length.
Resultado<> cabe(const QString& tabela, const QString& coluna, const QString& valor) {
    const TabelaDef* t = tabelaArquivo(tabela);
    const ColunaDef* c = t ? t->coluna(coluna) : nullptr;
    if (c && c->tipo == TipoColuna::Texto && c->tamanho > 0 && valor.size() > c->tamanho)
        return Falha(QStringLiteral("%1: no máximo %2 caracteres.").arg(coluna).arg(c->tamanho), coluna);
    return {};
}

Resultado<> cabem(const QString& tabela, const std::vector<std::pair<const char*, const QString*>>& campos) {
    for (const auto& [nome, valor] : campos)
        if (auto r = cabe(tabela, QLatin1String(nome), *valor); !r)
            return r;
    return {};
}

Falha abrirFalhou(Database& db, const QString& texto) {
    qWarning("Arquivo: %s", qPrintable(db.erroTecnico()));
    return Falha(texto + QStringLiteral(" ") + db.lastError());
}

} // namespace

Resultado<std::shared_ptr<Database>> abrirArquivoExistente(GlobalContext& ctx) {
    if (!ligada(ctx))
        return Falha(MsgSemArquivo);
    const QString nome = nomeDoArquivo(ctx);
    if (!ctx.bd().servidor().existeBaseDados(nome))
        return std::shared_ptr<Database>();
    return Abre_Connexao_DocumentosBin(ctx);
}

Resultado<std::shared_ptr<Database>> Abre_Connexao_DocumentosBin(GlobalContext& ctx) {
    if (!ligada(ctx))
        return Falha(MsgSemArquivo);
    const QString nome = nomeDoArquivo(ctx);
    if (!Servidor::nomeValido(nome))
        return Falha(MsgSemArquivo);
    const Servidor& s = ctx.bd().servidor();
    if (!s.existeBaseDados(nome))
        if (auto r = criarArquivo(ctx, nome); !r)
            return r.falha();
    auto aberta = s.abrir(nome);
    if (!aberta)
        return Falha(MsgSemArquivo + QStringLiteral(" ") + aberta.mensagem());
    if (auto r = actualizarEsquema(**aberta, ctx.LigacaoEmpresa.get()); !r)
        return r.falha();
    return aberta;
}

QString moduloDaChave(const QString& chave) {
    const QString c = chave.trimmed().toUpper();
    for (const auto& [prefixo, modulo] : prefixosModulo())
        if (c.startsWith(prefixo))
            return modulo;
    return {};
}

Resultado<qint64> InsertUpdateHistDocBin(Database& arq, RegistoHistDocBin& r) {
    if (auto c = cabem(QStringLiteral("HistDocBin"),
                       {{"Chave", &r.Chave},           {"Data", &r.Data},
                        {"Ent_Data", &r.Ent_Data},     {"Ent_Hora", &r.Ent_Hora},
                        {"Ent_Registo", &r.Ent_Registo}, {"Assunto", &r.Assunto},
                        {"Utilizador", &r.Utilizador}, {"Doc_Tipo", &r.Doc_Tipo},
                        {"Doc_Numero", &r.Doc_Numero}, {"Doc_Data", &r.Doc_Data},
                        {"Arq_Ano", &r.Arq_Ano},       {"Arq_Mes", &r.Arq_Mes},
                        {"Arq_Modulo", &r.Arq_Modulo}, {"Arq_Subdivisao", &r.Arq_Subdivisao},
                        {"Arq_Chave", &r.Arq_Chave},   {"NumProcessoResiduos", &r.NumProcessoResiduos}});
        !c)
        return c.falha();
    Transaction tr(arq);
    if (!tr.ok())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    // Every filing waits here for the one before it: the next number is read and used under the lock.
    const QString bloqueio = arq.dialect().bloqueioEsquema();
    if (!bloqueio.isEmpty() && !arq.exec(bloqueio))
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    const QDateTime agora = arq.agoraServidor();
    Registo reg;
    reg(QStringLiteral("Chave"), r.Chave)(QStringLiteral("Data"), r.Data)(QStringLiteral("Ent_Data"), r.Ent_Data)(
        QStringLiteral("Ent_Hora"), r.Ent_Hora)(QStringLiteral("Ent_Registo"), r.Ent_Registo)(
        QStringLiteral("Assunto"), r.Assunto)(QStringLiteral("Observacoes"), r.Observacoes)(
        QStringLiteral("Utilizador"), r.Utilizador)(QStringLiteral("Doc_Tipo"), r.Doc_Tipo)(
        QStringLiteral("Doc_Numero"), r.Doc_Numero)(QStringLiteral("Doc_Data"), r.Doc_Data)(
        QStringLiteral("Arq_Ano"), r.Arq_Ano)(QStringLiteral("Arq_Mes"), r.Arq_Mes)(
        QStringLiteral("Arq_Modulo"), r.Arq_Modulo)(QStringLiteral("Arq_Subdivisao"), r.Arq_Subdivisao)(
        QStringLiteral("Arq_DocFiscRelevante"), r.Arq_DocFiscRelevante)(QStringLiteral("Arq_Chave"), r.Arq_Chave)(
        QStringLiteral("NumProcessoResiduos"), r.NumProcessoResiduos)(QStringLiteral("DataSys"), agora);
    if (r.Modo == QStringLiteral("N")) {
        const auto maior = arq.lerValor(QStringLiteral("SELECT COALESCE(MAX(NumeroMov),0) FROM HistDocBin"));
        if (!maior)
            return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
        const qint64 numeroMov = maior->toLongLong() + 1;
        reg(QStringLiteral("NumeroMov"), numeroMov);
        const qint64 id = arq.insert(QStringLiteral("HistDocBin"), reg);
        if (id <= 0 || !tr.commit())
            return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
        r.NumeroMov = numeroMov;
        r.NumRegisto = id;
        return id;
    }
    const auto atual = arq.lerValor(QStringLiteral("SELECT NumeroMov FROM HistDocBin WHERE NumRegisto=?"), {r.NumRegisto});
    if (!atual)
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    if (!atual->isValid())
        return Falha(QStringLiteral("O documento nº %1 não existe no arquivo.").arg(r.NumRegisto));
    if (!arq.update(QStringLiteral("HistDocBin"), reg.colunas, reg.valores, QStringLiteral("WHERE NumRegisto=?"),
                    {r.NumRegisto}) ||
        !tr.commit())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    r.NumeroMov = atual->toLongLong();
    return r.NumRegisto;
}

Resultado<qint64> InsertUpdateHistDocBinDocs(Database& arq, RegistoHistDocBinDocs& r) {
    if (auto c = cabem(QStringLiteral("HistDocBinDocs"), {{"Chave", &r.Chave},
                                                          {"FileDate", &r.FileDate},
                                                          {"FileTime", &r.FileTime},
                                                          {"DataEntrada", &r.DataEntrada},
                                                          {"Utilizador", &r.Utilizador}});
        !c)
        return c.falha();
    Registo reg;
    reg(QStringLiteral("NumeroMov"), r.NumeroMov)(QStringLiteral("Chave"), r.Chave)(QStringLiteral("FilePath"),
                                                                                    r.FilePath)(
        QStringLiteral("FileDate"), r.FileDate)(QStringLiteral("FileTime"), r.FileTime)(QStringLiteral("DataEntrada"),
                                                                                        r.DataEntrada)(
        QStringLiteral("Db"), r.Db)(QStringLiteral("NivelDoc"), r.NivelDoc)(QStringLiteral("Utilizador"), r.Utilizador)(
        QStringLiteral("DataSys"), arq.agoraServidor());
    if (r.Doc)
        reg(QStringLiteral("Doc"), *r.Doc);
    if (r.Modo == QStringLiteral("N")) {
        const qint64 id = arq.insert(QStringLiteral("HistDocBinDocs"), reg);
        if (id <= 0)
            return abrirFalhou(arq, QStringLiteral("Não foi possível gravar o ficheiro no arquivo de documentos."));
        r.NumRegisto = id;
        return id;
    }
    Transaction tr(arq);
    if (!tr.ok())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar o ficheiro no arquivo de documentos."));
    const auto existe = arq.lerValor(QStringLiteral("SELECT COUNT(*) FROM HistDocBinDocs WHERE NumRegisto=?"),
                                     {r.NumRegisto});
    if (!existe)
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar o ficheiro no arquivo de documentos."));
    if (existe->toInt() == 0)
        return Falha(QStringLiteral("O ficheiro nº %1 não existe no arquivo.").arg(r.NumRegisto));
    if (!arq.update(QStringLiteral("HistDocBinDocs"), reg.colunas, reg.valores, QStringLiteral("WHERE NumRegisto=?"),
                    {r.NumRegisto}) ||
        !tr.commit())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar o ficheiro no arquivo de documentos."));
    return r.NumRegisto;
}

Resultado<qint64> AnexarFicheiro(Database& arq, qint64 numeroMov, const QString& chave, const QString& caminho,
                                 const QDateTime& dataFicheiro, const QByteArray& conteudo, const QString& utilizador) {
    RegistoHistDocBinDocs f;
    f.NumeroMov = numeroMov;
    f.Chave = chave;
    f.FilePath = caminho;
    f.FileDate = dataFicheiro.isValid() ? dataFicheiro.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    f.FileTime = dataFicheiro.isValid() ? dataFicheiro.toString(QStringLiteral("HH:mm")) : QString();
    const QDateTime agora = arq.agoraServidor();
    f.DataEntrada = (agora.isValid() ? agora : QDateTime::currentDateTime()).toString(QStringLiteral("yyyy-MM-dd"));
    f.Utilizador = utilizador;
    f.Doc = conteudo;
    return InsertUpdateHistDocBinDocs(arq, f);
}

Resultado<DocumentoArquivadoIds> ArquivarDocumento(Database& arq, NovoDocumentoArquivo n) {
    const QDateTime agora = arq.agoraServidor().isValid() ? arq.agoraServidor() : QDateTime::currentDateTime();
    if (n.docData.isEmpty())
        n.docData = agora.toString(QStringLiteral("yyyy-MM-dd"));
    if (n.arqAno.isEmpty())
        n.arqAno = n.docData.left(4);
    if (n.arqMes.isEmpty())
        n.arqMes = n.docData.mid(5, 2);
    if (n.arqModulo.isEmpty() && n.docTipo.isEmpty())
        n.arqModulo = moduloDaChave(n.chave);
    RegistoHistDocBin h;
    h.Chave = n.chave;
    h.Data = agora.toString(QStringLiteral("yyyy-MM-dd"));
    h.Ent_Data = h.Data;
    h.Ent_Hora = agora.toString(QStringLiteral("HH:mm"));
    h.Assunto = n.assunto;
    h.Observacoes = n.observacoes;
    h.Utilizador = n.utilizador;
    h.Doc_Tipo = n.docTipo;
    h.Doc_Numero = n.docNumero;
    h.Doc_Data = n.docData;
    h.Arq_Ano = n.arqAno;
    h.Arq_Mes = n.arqMes;
    h.Arq_Modulo = n.arqModulo;
    Transaction tr(arq);
    if (!tr.ok())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    const auto doc = InsertUpdateHistDocBin(arq, h);
    if (!doc)
        return doc.falha();
    const auto fic = AnexarFicheiro(arq, h.NumeroMov, n.chave, n.caminho, n.dataFicheiro, n.conteudo, n.utilizador);
    if (!fic)
        return fic.falha();
    if (!tr.commit())
        return abrirFalhou(arq, QStringLiteral("Não foi possível gravar no arquivo de documentos."));
    return DocumentoArquivadoIds{h.NumeroMov, *doc, *fic};
}

Resultado<int> RemoverDocumentosArquivados(GlobalContext& ctx, const QString& chave) {
    if (chave.trimmed().isEmpty())
        return 0;
    const auto aberta = abrirArquivoExistente(ctx);
    if (!aberta)
        return aberta.falha();
    if (!*aberta)
        return 0;
    Database& arq = **aberta;
    Transaction tr(arq);
    if (!tr.ok())
        return abrirFalhou(arq, QStringLiteral("Não foi possível eliminar os documentos arquivados."));
    const int n = arq.executarContando(QStringLiteral("DELETE FROM HistDocBin WHERE Chave=?"), {chave});
    if (n < 0 ||
        !arq.exec(QStringLiteral("DELETE FROM HistDocBinDocs WHERE Chave=? OR (NumeroMov>0 AND NumeroMov NOT IN "
                                 "(SELECT NumeroMov FROM HistDocBin WHERE NumeroMov IS NOT NULL) AND Chave=?)"),
                  {chave, chave}) ||
        !tr.commit())
        return abrirFalhou(arq, QStringLiteral("Não foi possível eliminar os documentos arquivados."));
    return n;
}
