#include "db/esquema/EsquemaArquivo.h"

#include "db/Database.h"
#include "db/esquema/Esquema.h"

#include <QCryptographicHash>

namespace {

// The archive keeps the suite's column spelling; both engines compare names without regard to case.
std::vector<TabelaDef> declarar() {
    return {
        {"HistDocBinConfigTipos",
         {txt("TipoMov", 3), txt("LayoutExporta", 2), smallint("PedeDocAnexo"), smallint("DocFiscalmenteRelevante")},
         {}},
        {"HistDocBinConfigMapasExp", {txt("Periodo", 1), txt("ChaveMapa", 100)}, {}},
        {"HistDocBinConfig",
         {inteiro("ConfigSizeImg"), inteiro("ConfigQualImg"), inteiro("ExportaEmail"), memo("Email"),
          smallint("AssinaPDF")},
         {}},
        {"HistDocBin",
         {num("NumeroMov", 18, 0), txt("Chave", 150), txt("Data", 10), txt("Ent_Data", 10), txt("Ent_Hora", 5),
          txt("Ent_Registo", 50), txt("Assunto", 70), memo("Observacoes"), txt("Doc_Tipo", 3), txt("Doc_Numero", 8),
          txt("Doc_Data", 10), txt("NumProcessoResiduos", 10), txt("Arq_Ano", 4), txt("Arq_Mes", 2),
          txt("Arq_Modulo", 2), txt("Arq_Subdivisao", 50), smallint("Arq_DocFiscRelevante"), txt("Arq_Chave", 100),
          txt("Utilizador", 20), datahora("DataSys")},
         {{"IDX_HistDocBin_TipoNumData", {"Doc_Tipo", "Doc_Numero", "Doc_Data"}, false},
          {"IDX_HistDocBin_Chave", {"Chave"}, false},
          {"IDX_HistDocBin_NumeroMov", {"NumeroMov"}, false}}},
        {"HistDocBinDocs",
         {num("NumeroMov", 18, 0), txt("Chave", 150), binario("Doc"), memo("FilePath"), txt("FileDate", 10),
          txt("FileTime", 5), txt("DataEntrada", 10), smallint("Db"), smallint("NivelDoc"), txt("Utilizador", 20),
          datahora("DataSys")},
         {{"IDX_HistDocBinDocs_NumeroMov", {"NumeroMov"}, false}}},
        {"HistDocBinVersao", {inteiro("Versao"), txt("Assinatura", 64)}, {}},
    };
}

} // namespace

const std::vector<TabelaDef>& tabelasArquivo() {
    static const std::vector<TabelaDef> t = declarar();
    return t;
}

const TabelaDef* tabelaArquivo(const QString& nome) {
    for (const TabelaDef& t : tabelasArquivo())
        if (t.nome.compare(nome, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList ddlArquivo(const Dialect& d) {
    QStringList r = d.preparacaoBaseDados();
    for (const TabelaDef& t : tabelasArquivo())
        r << ddlTabela(d, t);
    return r;
}

QString assinaturaEsquemaArquivo(const Dialect& d) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(VersaoEsquemaArquivo));
    for (const QString& s : ddlArquivo(d))
        h.addData((s + u'\n').toUtf8());
    return QString::fromLatin1(h.result().toHex());
}

bool esquemaArquivoEmDia(Database& db) {
    const Dialect& d = db.dialect();
    // The catalogue first: reading a missing table inside a PostgreSQL transaction would abort it.
    if (!estruturaCompleta(d.estrutura(db), tabelasArquivo()))
        return false;
    const auto r = db.lerPrimeiraLinha(QStringLiteral("SELECT Assinatura FROM HistDocBinVersao"));
    return r && *r && (*r)->value(0).toString() == assinaturaEsquemaArquivo(d);
}

Resultado<> aplicarEstruturaArquivo(Database& db) {
    const Dialect& d = db.dialect();
    auto falha = [&](const QString& sql) {
        qWarning("Arquivo: %s [%s]", qPrintable(db.erroTecnico()), qPrintable(sql));
        return Falha(QStringLiteral("Não foi possível actualizar a estrutura do arquivo de documentos: %1")
                         .arg(db.lastError()));
    };
    for (const QString& s : d.preparacaoBaseDados())
        if (!db.exec(s))
            return falha(s);
    if (const QString s = aplicarTabelas(db, tabelasArquivo()); !s.isEmpty())
        return falha(s);
    return {};
}

Resultado<> gravarAssinaturaArquivo(Database& db) {
    const QString assinatura = assinaturaEsquemaArquivo(db.dialect());
    const QVariant v = db.scalar(QStringLiteral("SELECT COUNT(*) FROM HistDocBinVersao"));
    const bool ok = v.toInt() > 0
                        ? db.exec(QStringLiteral("UPDATE HistDocBinVersao SET Versao=?, Assinatura=?"),
                                  {VersaoEsquemaArquivo, assinatura})
                        : db.exec(QStringLiteral("INSERT INTO HistDocBinVersao (Versao, Assinatura) VALUES (?, ?)"),
                                  {VersaoEsquemaArquivo, assinatura});
    if (!ok)
        return Falha(QStringLiteral("Não foi possível registar a versão do arquivo de documentos: %1")
                         .arg(db.lastError()));
    return {};
}
