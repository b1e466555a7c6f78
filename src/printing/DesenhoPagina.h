#pragma once

#include "printing/DocumentoImpresso.h"

#include <QPainter>
#include <vector>

// Draws recorded pages onto any painter (preview, printer, PDF). The painter's transform is set
// here from the device's resolution, so callers only hand over a fresh painter.
class DesenhoPagina {
public:
    explicit DesenhoPagina(const DocumentoImpresso& doc);

    // Dots of the device per twip of the document.
    static double escalaPara(double dpi) { return dpi / 25.4 / TwipsPorMm; }

    // pagina is 0-based. escala = device dots per twip; marcas are boxes (twips) to highlight.
    void desenhar(QPainter& p, int pagina, double escala, const std::vector<QRectF>& marcas = {});

private:
    const QFont& fonte(int i);

    const DocumentoImpresso& m_doc;
    std::vector<QFont> m_fontes;
};
