#pragma once

#include "printing/DocumentoImpresso.h"

#include <optional>

class UserInteraction;

// Finds text in a recorded document, page range by page range, one occurrence at a time: each
// call continues after the previous find; at the end the user is told "Fim de Pesquisa!" and the
// next call starts over. Texts are matched within each printed text.
class ProcuraDocumento {
public:
    struct Ocorrencia {
        int pagina = 0; // 1-based
        QRectF caixa;   // twips, the matched part only
    };

    ProcuraDocumento(const DocumentoImpresso& doc, UserInteraction& ui) : m_doc(doc), m_ui(ui) {}

    // Field values of the find window; a change of text, range or case starts over.
    void definir(const QString& texto, int paginaInicial, int paginaFinal, bool diferenciar);
    QString texto() const { return m_texto; }
    int paginaInicial() const { return m_de; }
    int paginaFinal() const { return m_ate; }
    bool diferenciar() const { return m_diferenciar; }
    bool marcar = true; // highlight the match in the preview

    // The next occurrence; nullopt at the end ("Fim de Pesquisa!" shown) or with nothing to find.
    std::optional<Ocorrencia> procurar();

private:
    void recomecar();

    const DocumentoImpresso& m_doc;
    UserInteraction& m_ui;
    QString m_texto;
    int m_de = 1, m_ate = 1;
    bool m_diferenciar = false;
    // Where the next search starts: page (0-based), op index, character position.
    int m_pag = 0;
    size_t m_op = 0;
    qsizetype m_pos = 0;
};
