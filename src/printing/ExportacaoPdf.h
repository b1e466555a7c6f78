#pragma once

#include "printing/DocumentoImpresso.h"

struct GlobalContext;
class UserInteraction;

// The PDF export window's logic: to a file on disk, or by e-mail with the company's SMTP settings.
class ExportacaoPdf {
public:
    enum class Destino { Disco, Mail };

    ExportacaoPdf(const DocumentoImpresso& doc, GlobalContext& ctx, UserInteraction& ui);

    Destino destino = Destino::Disco;
    QString ficheiro;     // disk destination
    QString destinatario; // e-mail; starts as the last one used

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

    const DocumentoImpresso& m_doc;
    GlobalContext& m_ctx;
    UserInteraction& m_ui;
};
