#pragma once

#include "common/Resultado.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class cPrinter;

// Barcodes made in memory and drawn as vectors, so they stay sharp in the preview, on paper and in
// PDF. A label definition names its code by layout and type:
//   layout 0 (one-dimensional), tipo 1 EAN-13, 2 EAN-8, 3 UPC-A, 4 Code 128, 5 Code 39,
//            6 Interleaved 2 of 5, 7 ITF-14;
//   layout 1 (two-dimensional), tipo 0 Code16k, 1 Code49, 2 PDF417, 3 Aztec, 4 Data Matrix,
//            5 MaxiCode, 6 MicroPDF417, 7 DataBar (GS1 DataBar Expanded Stacked, GS1 text only),
//            8 Codablock-F, 9 QR Code, 10 Micro QR.
inline constexpr int LayoutCodigo1D = 0;
inline constexpr int LayoutCodigo2D = 1;

// One symbol in its own units (modules): dark rectangles, MaxiCode's hexagons and bullseye rings.
struct SimboloCodigo {
    double largura = 0, altura = 0; // extent of the symbol, in its own units
    std::vector<QRectF> barras;
    std::vector<std::vector<QPointF>> hexagonos;
    struct Anel {
        QPointF centro;
        double raioExterior = 0, raioInterior = 0;
    };
    std::vector<Anel> aneis;
    QString textoLegivel; // the human-readable text under a 1D code, "" when none is printed
    bool linear = false;  // a 1D code: stretched to fill its box
    QColor corFrente = QColor(0, 0, 0);
    QColor corFundo; // painted under the symbol when valid
};

// The symbology's name as the label definition editor lists it ("EAN-13", "QR Code", ...); "" when
// the layout/type pair is unknown.
QString NomeSimbologia(int layout, int tipo);
// Every (layout, tipo) pair known, in the editor's order.
std::vector<std::pair<int, int>> SimbologiasConhecidas();

// The properties the two-dimensional codes take (get/set in the definition's order), mapped onto
// the generator's options; defaults: white back colour, black fore colour, no error, and 4, 40, 40
// for xUnit, yUnit and AspectRatio.
class cBarCodes2D {
public:
    int xUnit = 4, yUnit = 40, StartMode = 0, SecurityLevel = 0, AspectRatio = 40, Orientation = 0, Columns = 0,
        LineReduction = 0, BorderThickness = 0;
    QColor BackColor = QColor(255, 255, 255), ForeColor = QColor(0, 0, 0);
    QString Error() const { return m_erro; }

    // The code of the text in the two-dimensional symbology (0-10); false with Error() set when the
    // text cannot be encoded.
    bool DoBarCode(const QString& texto, int simbologia);
    const SimboloCodigo& simbolo() const { return m_simbolo; }

private:
    QString m_erro;
    SimboloCodigo m_simbolo;
};

// The symbol of a text; refused (nothing to draw) with the generator's reason in Portuguese when the
// text does not fit the symbology (a wrong check digit, characters it does not take, too long).
Resultado<SimboloCodigo> GeraCodigoBarras(int layout, int tipo, const QString& texto);

// Draws the symbol scaled into the box (mm from the page's corner, the printer's coordinates): a 1D
// code fills the box, with its text under the bars when it has one; a 2D code keeps its aspect, its
// height the box's height (its width the box's width when the box is too narrow for that), from
// the box's top-left corner. The printer's colours, pen and font are left as they were.
void DesenhaCodigoBarras(cPrinter& p, const SimboloCodigo& s, double x, double y, double largura, double altura);
