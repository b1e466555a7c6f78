#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <variant>
#include <vector>

// Positions inside a recorded document are twips from the page's top-left corner. Reports speak
// millimetres; the factor is the one the company's printed forms were laid out with (56.7, not
// 1440/25.4), so old and new reports place things in the same spot.
constexpr double TwipsPorMm = 56.7;
inline double ConvertmmTW(double mm) {
    return mm * TwipsPorMm;
}
inline double ConvertTWmm(double tw) {
    return tw / TwipsPorMm;
}

struct EstiloFonte {
    QString nome = QStringLiteral("Times New Roman");
    double tamanho = 10; // points
    bool negrito = false;
    bool italico = false;
    bool sublinhado = false;
    bool riscado = false;
    bool operator==(const EstiloFonte&) const = default;
};

// A QFont whose pixel size is measured in twips: drawn on a painter scaled twips → device, and
// measured with QFontMetricsF, it gives the same geometry on screen, paper and PDF.
QFont fonteEmTwips(const EstiloFonte& e);

// The title as a file name: characters no file system accepts become "_"; empty becomes "Listagem".
QString NomeFicheiroSeguro(const QString& titulo);

// What the spreadsheet export should make of a recorded text.
enum class TipoDado { Automatico, Texto, Numero };

struct OpTexto {
    QPointF base; // baseline start
    QRectF caixa; // the text's own box (for find and highlight)
    QString texto;
    int fonte = 0; // index into DocumentoImpresso::fontes
    QColor cor = Qt::black;
};
struct OpLinha {
    QPointF de, ate;
    QColor cor;
    double espessura; // twips; 0 = hairline
};
struct OpRectangulo {
    QRectF caixa;
    QColor cor;
    double espessura;
    QColor preenchimento; // invalid = hollow
    double raio = 0;      // rounded corners
};
struct OpElipse {
    QRectF caixa;
    QColor cor;
    double espessura;
    QColor preenchimento;
};
// Closed outlines filled as one shape (a barcode's bars, MaxiCode's hexagons), points in twips.
// One fill for the union leaves no seams between touching outlines, so a bar needs no outline of
// its own; `contorno` strokes each outline besides.
struct OpPoligono {
    std::vector<std::vector<QPointF>> contornos;
    QColor cor;
    double espessura;
    QColor preenchimento;
    bool contorno = true;
};
struct OpImagem {
    QRectF caixa;
    std::shared_ptr<const QImage> imagem;
};
using OpDesenho = std::variant<OpTexto, OpLinha, OpRectangulo, OpElipse, OpImagem, OpPoligono>;

// One text kept for the spreadsheet export, with the anchor the report gave (mm from the margins).
struct ElementoExportado {
    int pagina = 0;
    double x = 0, y = 0;
    QString texto;
    EstiloFonte fonte;
    TipoDado tipo = TipoDado::Automatico;
};

struct PaginaImpressa {
    std::vector<OpDesenho> ops;
};

// The finished (or growing) document a report draws: pages of drawing operations, the page size,
// and the texts recorded for the spreadsheet export. Preview, printer, PDF and .xlsx all read it.
struct DocumentoImpresso {
    QString titulo;
    double larguraTw = ConvertmmTW(210);
    double alturaTw = ConvertmmTW(297);
    bool paisagem = false;
    std::vector<EstiloFonte> fontes;
    std::vector<PaginaImpressa> paginas;
    std::vector<ElementoExportado> exportados;

    int numeroPaginas() const { return int(paginas.size()); }
    int indiceFonte(const EstiloFonte& e);
    void limpar();
};
