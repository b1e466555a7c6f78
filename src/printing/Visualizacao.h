#pragma once

#include "printing/DocumentoImpresso.h"

#include <functional>
#include <memory>

class UserInteraction;

// The preview's state and its actions that need no widget: paging, the caption, the zoom mode and
// the spreadsheet exports. WVSPrint binds its controls to it.
class Visualizacao {
public:
    enum class Zoom { PaginaInteira = 0, LarguraPagina = 1, Cem = 2 };
    static QStringList NomesZoom(); // entries of cmbZoom, in Zoom order

    Visualizacao(std::shared_ptr<const DocumentoImpresso> doc, UserInteraction& ui);

    const DocumentoImpresso& documento() const { return *m_doc; }
    int paginaActual() const { return m_pagina; } // 1-based
    int numeroPaginas() const { return m_doc->numeroPaginas(); }
    QString legenda() const; // "Página n de total"
    bool podeRecuar() const { return m_pagina > 1; }
    bool podeAvancar() const { return m_pagina < numeroPaginas(); }
    void primeira() { irPara(1); }
    void anterior() { irPara(m_pagina - 1); }
    void seguinte() { irPara(m_pagina + 1); }
    void ultima() { irPara(numeroPaginas()); }
    void irPara(int pagina);

    Zoom zoom = Zoom::PaginaInteira;

    // The program's export folder (created when missing); tests point it elsewhere.
    QString pastaExportacao;
    static QString PastaExportacaoPorOmissao();

    // Spreadsheet of the recorded texts into the export folder, named after the title and the
    // moment, without asking. Returns the file written, empty on failure (the user was told).
    QString exportarFolhaParaPasta();
    // The same after the file dialog; empty when cancelled or failed.
    QString exportarFolhaComDialogo();

    // The system's "open" action for a finished export (set by the window).
    std::function<void(const QString&)> abrirFicheiro;

private:
    QString exportarPara(const QString& ficheiro);

    std::shared_ptr<const DocumentoImpresso> m_doc;
    UserInteraction& m_ui;
    int m_pagina = 1;
};
