#pragma once

#include "db/Database.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

struct GlobalContext;

// The company's document archive, "LumoGest" + code + "_Docs": scanned documents and exported
// PDFs, one HistDocBin row per document and one HistDocBinDocs row per file of it.

QString nomeArquivoDocumentos(const QString& codigoEmpresa);

// Opens the archive of the current company, creating it beside the company database when missing
// (SQLite: a companion file, 0600; PostgreSQL: a database with the company's encoding, collation,
// character type and tablespace), and brings its schema up to date when its fingerprint changed.
Resultado<std::shared_ptr<Database>> Abre_Connexao_DocumentosBin(GlobalContext& ctx);
// The same without creating it: a null connection when the company has no archive.
Resultado<std::shared_ptr<Database>> abrirArquivoExistente(GlobalContext& ctx);

// Module of a document key from its beginning, longest prefix first ("" when none matches).
QString moduloDaChave(const QString& chave);

// One row of HistDocBin as InsertUpdateHistDocBin takes it.
struct RegistoHistDocBin {
    QString Modo = QStringLiteral("N"); // "N" inserts; anything else updates NumRegisto
    qint64 NumRegisto = 0;
    qint64 NumeroMov = 0; // given back
    QString Chave, Data, Ent_Data, Ent_Hora, Ent_Registo, Assunto, Observacoes, Utilizador;
    QString Doc_Tipo, Doc_Numero, Doc_Data;
    QString Arq_Ano, Arq_Mes, Arq_Modulo, Arq_Subdivisao, Arq_Chave;
    int Arq_DocFiscRelevante = 0;
    QString NumProcessoResiduos;
};

// One row of HistDocBinDocs as InsertUpdateHistDocBinDocs takes it.
struct RegistoHistDocBinDocs {
    QString Modo = QStringLiteral("N");
    qint64 NumRegisto = 0;
    qint64 NumeroMov = 0;
    QString Chave, FilePath, FileDate, FileTime, DataEntrada, Utilizador;
    int Db = 1;
    int NivelDoc = 0;
    std::optional<QByteArray> Doc; // an update without it keeps the stored file
};

// Mode "N": the next NumeroMov (largest + 1) is taken under the archive's lock, so two
// workstations never share one, and the row inserted; otherwise the row NumRegisto is updated
// (refused when there is none). Returns the row's NumRegisto; r.NumeroMov is filled.
Resultado<qint64> InsertUpdateHistDocBin(Database& arquivo, RegistoHistDocBin& r);
Resultado<qint64> InsertUpdateHistDocBinDocs(Database& arquivo, RegistoHistDocBinDocs& r);

// A whole file filed as one document: one HistDocBin and one HistDocBinDocs row, together or not at all.
struct NovoDocumentoArquivo {
    QString chave, assunto, observacoes, utilizador;
    QString docTipo, docNumero, docData;        // docData "yyyy-mm-dd"; today when empty
    QString arqAno, arqMes, arqModulo;          // derived from the date and key when empty
    QString caminho;                            // FilePath as the user named it
    QDateTime dataFicheiro;                     // FileDate / FileTime
    QByteArray conteudo;
};
struct DocumentoArquivadoIds {
    qint64 numeroMov = 0;
    qint64 numRegisto = 0;         // HistDocBin
    qint64 numRegistoFicheiro = 0; // HistDocBinDocs
};
Resultado<DocumentoArquivadoIds> ArquivarDocumento(Database& arquivo, NovoDocumentoArquivo n);
// A further file of the document NumeroMov.
Resultado<qint64> AnexarFicheiro(Database& arquivo, qint64 numeroMov, const QString& chave, const QString& caminho,
                                 const QDateTime& dataFicheiro, const QByteArray& conteudo, const QString& utilizador);

// Every document filed under the key, with its files. A company without an archive has nothing
// to remove; returns how many documents went.
Resultado<int> RemoverDocumentosArquivados(GlobalContext& ctx, const QString& chave);
