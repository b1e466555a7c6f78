#pragma once

#include "printing/DocumentoImpresso.h"

struct GlobalContext;
class UserInteraction;

// The PDF export window's logic: to a file on disk, by e-mail with the company's SMTP settings, or
// into the company's document archive.
class ExportacaoPdf {
public:
    enum class Destino { Disco, Mail, Arquivo };

    ExportacaoPdf(const DocumentoImpresso& doc, GlobalContext& ctx, UserInteraction& ui);

    Destino destino = Destino::Disco;
    QString ficheiro;     // disk destination
    QString destinatario; // e-mail; starts as the last one used
    // Archive: module code ("CL"), year, month 1-12, file name and subject.
    QString modulo;
    int ano = 0;
    int mes = 0;
    QString nomeFicheiro;
    QString assunto;

    // "CL - Clientes", ...: the modules a PDF may be filed under (code before " - ").
    static QStringList Modulos();
    // "01 - Janeiro" ... "12 - Dezembro".
    static QStringList Meses();

    // The file dialog of the disk destination; false when cancelled.
    bool escolherFicheiro();
    // Checks, writes or sends, tells the user; true on success ("Exportação Terminada!").
    bool exportar();

    // Where the e-mailed PDF is written before sending.
    QString ficheiroTemporario() const;

    static QString UltimoDestinatario(const QString& utilizador);

private:
    bool exportarDisco();
    bool exportarMail();
    bool exportarArquivo();

    const DocumentoImpresso& m_doc;
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
