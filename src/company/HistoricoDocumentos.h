#pragma once

#include "db/Database.h"

#include <QString>
#include <memory>
#include <vector>

struct GlobalContext;
class UserInteraction;

struct FicheiroArquivado {
    qint64 numRegisto = 0;
    QString filePath, fileDate, fileTime, dataEntrada, utilizador;
};

struct DocumentoArquivado {
    qint64 numRegisto = 0;
    qint64 numeroMov = 0;
    QString chave, data, assunto, docTipo, docNumero, docData, utilizador;
    std::vector<FicheiroArquivado> ficheiros;
};

// Documents filed in the archive under one kind and number ("PP" + process, "PI" + run): listed
// with their files, added, saved elsewhere, removed. Talks to the user only through UserInteraction.
class HistoricoDocumentos {
public:
    HistoricoDocumentos(GlobalContext& ctx, UserInteraction& ui, QString tipo, QString numero, QString subtitulo = {});

    static QString TituloBase(); // "Histórico de Documentos"
    QString titulo() const;
    QString chave() const { return m_tipo + m_numero; }

    // Opens the archive (creating it) and reads the documents; false, told to the user, when it cannot.
    bool ler();
    const std::vector<DocumentoArquivado>& documentos() const { return m_documentos; }

    // Files the file as a new document under the key (numeroMov 0) or as a further file of one.
    bool adicionarFicheiro(const QString& caminho, qint64 numeroMov = 0, const QString& assunto = {});
    // "Adicionar": the file chosen by the user.
    bool cmdAdicionar_Click(qint64 numeroMov = 0);
    // The stored bytes of a file; empty on failure (told).
    QByteArray conteudo(qint64 numRegistoFicheiro);
    // Written whole (temporary file renamed over the target).
    bool gravarComo(qint64 numRegistoFicheiro, const QString& destino);
    bool cmdGravarComo_Click(qint64 numRegistoFicheiro);
    // A copy in the temporary folder for the desktop's program; "" on failure.
    QString extrairTemporario(qint64 numRegistoFicheiro);
    // "Confirma a eliminação?", then the file; a document left without files goes with it.
    bool cmdRemover_Click(qint64 numRegistoFicheiro);

private:
    const FicheiroArquivado* ficheiro(qint64 numRegisto) const;

    GlobalContext& m_ctx;
    UserInteraction& m_ui;
    QString m_tipo, m_numero, m_subtitulo;
    std::shared_ptr<Database> m_arq;
    std::vector<DocumentoArquivado> m_documentos;
};
