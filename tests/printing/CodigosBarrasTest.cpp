#include "printing/CodigosBarras.h"
#include "printing/DesenhoPagina.h"
#include "printing/cPrinter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <numeric>
#include <zint.h>

#define ZX_USE_UTF8 // text() as UTF-8
#include <ZXing/ReadBarcode.h>

using ZXing::BarcodeFormat;

namespace {

// A page just large enough for the box at (5, 5) mm, the code drawn in it as a label would.
std::unique_ptr<cPrinter> paginaCom(const SimboloCodigo& s, double largura, double altura) {
    auto p = std::make_unique<cPrinter>();
    p->SetMargens(0, 0, 0, 0);
    EXPECT_TRUE(p->init(QStringLiteral("Código"), QStringLiteral("S"), 0, cPrinter::Orientacao::Retrato,
                        altura + 10, largura + 10));
    DesenhaCodigoBarras(*p, s, 5, 5, largura, altura);
    return p;
}

// The page as the preview and the printer paint it.
QImage imagem(const DocumentoImpresso& d, double dpi) {
    const double escala = DesenhoPagina::escalaPara(dpi);
    QImage img(int(std::lround(d.larguraTw * escala)), int(std::lround(d.alturaTw * escala)),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter pt(&img);
    DesenhoPagina(d).desenhar(pt, 0, escala);
    pt.end();
    return img.convertToFormat(QImage::Format_Grayscale8);
}

QString le(const QImage& img, BarcodeFormat formato) {
    const ZXing::ImageView vista(img.constBits(), img.width(), img.height(), ZXing::ImageFormat::Lum,
                                 int(img.bytesPerLine()));
    // This reader finds MaxiCode, and small Aztec codes, only in an image holding nothing else.
    const bool puro = formato == BarcodeFormat::MaxiCode || formato == BarcodeFormat::Aztec;
    const auto r = ZXing::ReadBarcode(vista, ZXing::DecodeHints().setFormats(formato).setIsPure(puro));
    return r.isValid() ? QString::fromStdString(r.text()) : QStringLiteral("<não lido>");
}

struct Leitura {
    int layout, tipo;
    const char* texto;
    BarcodeFormat formato;
    const char* lido; // what a scanner returns: check digits added, ITF's leading zero, GS1 in brackets
    int colunas = 0;
};

const Leitura Leituras[] = {
    {LayoutCodigo1D, 1, "590123412345", BarcodeFormat::EAN13, "5901234123457"},
    {LayoutCodigo1D, 1, "5601234567892", BarcodeFormat::EAN13, "5601234567892"},
    {LayoutCodigo1D, 2, "9638507", BarcodeFormat::EAN8, "96385074"},
    {LayoutCodigo1D, 2, "96385074", BarcodeFormat::EAN8, "96385074"},
    {LayoutCodigo1D, 3, "03600029145", BarcodeFormat::UPCA, "036000291452"},
    {LayoutCodigo1D, 3, "036000291452", BarcodeFormat::UPCA, "036000291452"},
    {LayoutCodigo1D, 4, "LOTE-2024/117 Ação", BarcodeFormat::Code128, "LOTE-2024/117 Ação"},
    {LayoutCodigo1D, 5, "ART-00417", BarcodeFormat::Code39, "ART-00417"},
    {LayoutCodigo1D, 6, "12345", BarcodeFormat::ITF, "012345"},
    {LayoutCodigo1D, 6, "00123456", BarcodeFormat::ITF, "00123456"},
    {LayoutCodigo1D, 7, "1540014128876", BarcodeFormat::ITF, "15400141288763"},
    {LayoutCodigo1D, 7, "15400141288763", BarcodeFormat::ITF, "15400141288763"},
    {LayoutCodigo2D, 2, "Lote 2024/117 - Armário de cozinha", BarcodeFormat::PDF417,
     "Lote 2024/117 - Armário de cozinha"},
    {LayoutCodigo2D, 3, "Aztec: lote 117, peça 3", BarcodeFormat::Aztec, "Aztec: lote 117, peça 3"},
    {LayoutCodigo2D, 4, "Ordem de fabrico 4711 — 250 €", BarcodeFormat::DataMatrix,
     "Ordem de fabrico 4711 — 250 €"},
    {LayoutCodigo2D, 5, "LUMO MAXICODE 0042", BarcodeFormat::MaxiCode, "LUMO MAXICODE 0042"},
    // The reader takes DataBar in one row only: as many columns as it needs.
    {LayoutCodigo2D, 7, "[01]95012345678903[3103]000123", BarcodeFormat::DataBarExpanded,
     "(01)95012345678903(3103)000123", 11},
    {LayoutCodigo2D, 7, "(01)09501101530003(10)LOTE117", BarcodeFormat::DataBarExpanded,
     "(01)09501101530003(10)LOTE117", 11},
    {LayoutCodigo2D, 9, "https://exemplo.pt/lote?n=117&ç", BarcodeFormat::QRCode,
     "https://exemplo.pt/lote?n=117&ç"},
    {LayoutCodigo2D, 10, "4711", BarcodeFormat::MicroQRCode, "4711"},
};

Resultado<SimboloCodigo> simboloDe(const Leitura& l) {
    if (l.colunas == 0)
        return GeraCodigoBarras(l.layout, l.tipo, QString::fromUtf8(l.texto));
    cBarCodes2D c;
    c.Columns = l.colunas;
    if (!c.DoBarCode(QString::fromUtf8(l.texto), l.tipo))
        return Falha(c.Error());
    return c.simbolo();
}

} // namespace

// The box a filled shape covers, in twips.
static QRectF caixaDe(const OpPoligono& g) {
    QRectF r;
    for (const auto& c : g.contornos)
        r |= QPolygonF(QList<QPointF>(c.begin(), c.end())).boundingRect();
    return r;
}

TEST(CodigosBarras, DesenhadoELidoDeVoltaPorUmLeitor) {
    for (const Leitura& l : Leituras) {
        SCOPED_TRACE(NomeSimbologia(l.layout, l.tipo).toStdString() + " " + l.texto);
        const auto s = simboloDe(l);
        ASSERT_TRUE(s) << s.mensagem().toStdString();
        // 1D: 0.4 mm bars under 15 mm, text included; 2D: 30 mm high.
        const bool linear = l.layout == LayoutCodigo1D;
        const auto p = linear ? paginaCom(*s, s->largura * 0.4, 15) : paginaCom(*s, 80, 30);
        EXPECT_EQ(le(imagem(*p->documento(), 300), l.formato).toStdString(), l.lido);
        if (linear) { // Code 39 shows its asterisks
            EXPECT_EQ(QString(s->textoLegivel).remove(u'*').toStdString(), l.lido);
        }
    }
}

TEST(CodigosBarras, SemLeitorDesenhoIgualAoDoGerador) {
    // No reader here for these (nor for DataBar in more than one row): the drawing, rasterised at
    // 10 dots per module, must match zint's own raster of the same text dot for dot (dots on an
    // edge aside, where anti-aliasing greys them).
    const struct {
        int tipo, zint;
        const char* texto;
    } casos[] = {{0, BARCODE_CODE16K, "Code16k: lote 117"},
                 {1, BARCODE_CODE49, "LOTE 117"},
                 {6, BARCODE_MICROPDF417, "MicroPDF417 lote 117"},
                 {8, BARCODE_CODABLOCKF, "Codablock-F: lote 2024/117"},
                 {7, BARCODE_DBAR_EXPSTK, "[01]09501101530003[10]LOTE117"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.texto);
        const auto s = GeraCodigoBarras(LayoutCodigo2D, c.tipo, QString::fromUtf8(c.texto));
        ASSERT_TRUE(s) << s.mensagem().toStdString();
        std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> z(ZBarcode_Create(), &ZBarcode_Delete);
        z->symbology = c.zint;
        z->input_mode = c.zint == BARCODE_DBAR_EXPSTK ? GS1_MODE : UNICODE_MODE;
        z->output_options |= BARCODE_NO_QUIET_ZONES;
        z->show_hrt = 0;
        z->scale = 5; // 10 dots per module
        ASSERT_LT(ZBarcode_Encode_and_Buffer(z.get(), reinterpret_cast<const unsigned char*>(c.texto), 0, 0),
                  ZINT_ERROR);
        // Module 0.5 mm at 508 dpi = 10 dots; the box at 5 mm = 100 dots.
        const auto p = paginaCom(*s, s->largura * 0.5, s->altura * 0.5);
        const QImage img = imagem(*p->documento(), 508);
        const int w = z->bitmap_width, h = z->bitmap_height;
        ASSERT_EQ(std::lround(s->largura * 10), w);
        ASSERT_EQ(std::lround(s->altura * 10), h);
        auto escuroZint = [&](int x, int y) { return z->bitmap[(size_t(y) * w + x) * 3] < 128; };
        int diferentes = 0, escuros = 0;
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x) {
                const bool e = escuroZint(x, y);
                if (e != escuroZint(x - 1, y) || e != escuroZint(x + 1, y) || e != escuroZint(x, y - 1) ||
                    e != escuroZint(x, y + 1))
                    continue;
                escuros += e;
                diferentes += e != (qGray(img.pixel(100 + x, 100 + y)) < 128);
            }
        EXPECT_EQ(diferentes, 0);
        EXPECT_GT(escuros, w * h / 5);
    }
}

TEST(CodigosBarras, MaxiCodeComOlhoDeBoiEHexagonosSeparados) {
    // The reader samples module centres only; a scanner also needs the bullseye (three dark rings,
    // rings and gaps of one width) and hexagons that stay apart from their neighbours in a row.
    const auto s = GeraCodigoBarras(LayoutCodigo2D, 5, QStringLiteral("LUMO MAXICODE 0042"));
    ASSERT_TRUE(s);
    ASSERT_EQ(s->aneis.size(), 3u);
    ASSERT_GT(s->hexagonos.size(), 300u);
    const auto p = paginaCom(*s, s->largura * 0.5, s->altura * 0.5); // 20 dots per module at 1016 dpi
    const QImage img = imagem(*p->documento(), 1016);
    auto escuro = [&](double x, double y) {
        return qGray(img.pixel(int(200 + x * 20), int(200 + y * 20))) < 128;
    };

    const QPointF c = s->aneis[0].centro;
    std::vector<int> faixas{0};
    bool actual = escuro(c.x(), c.y());
    EXPECT_FALSE(actual);
    for (double x = c.x(); x < c.x() + 6 && faixas.size() < 7; x += 0.05) {
        if (escuro(x, c.y()) != actual) {
            actual = !actual;
            faixas.push_back(0);
        }
        ++faixas.back();
    }
    ASSERT_EQ(faixas.size(), 7u); // light centre, dark, light, dark, light, dark, the light round it
    for (size_t i = 2; i < 6; ++i)
        EXPECT_NEAR(faixas[i], faixas[1], 2) << i;

    auto centro = [](const std::vector<QPointF>& h) {
        return std::accumulate(h.begin(), h.end(), QPointF()) / double(h.size());
    };
    int pares = 0, separados = 0;
    for (size_t i = 1; i < s->hexagonos.size(); ++i) {
        const QPointF a = centro(s->hexagonos[i - 1]), b = centro(s->hexagonos[i]);
        if (std::abs(a.y() - b.y()) < 1e-3 && std::abs(b.x() - a.x() - 1) < 1e-3) {
            ++pares;
            separados += !escuro((a.x() + b.x()) / 2, a.y());
        }
    }
    EXPECT_GT(pares, 50);
    EXPECT_EQ(separados, pares);
}

TEST(CodigosBarras, DigitoDeControloErradoRecusado) {
    const struct {
        int tipo;
        const char* texto;
        const char* mensagem;
    } casos[] = {{1, "5901234123458", "Código inválido para EAN-13: dígito de controlo errado"},
                 {2, "96385075", "Código inválido para EAN-8: dígito de controlo errado"},
                 {3, "036000291453", "Código inválido para UPC-A: dígito de controlo errado"},
                 {7, "15400141288760", "Código inválido para ITF-14: dígito de controlo errado"}};
    for (const auto& c : casos) {
        const auto s = GeraCodigoBarras(LayoutCodigo1D, c.tipo, QString::fromUtf8(c.texto));
        ASSERT_FALSE(s) << c.texto;
        EXPECT_EQ(s.mensagem().toStdString(), c.mensagem);
    }
}

TEST(CodigosBarras, TextoQueASimbologiaNaoAceitaRecusadoComMotivo) {
    const struct {
        int layout, tipo;
        const char* texto;
        const char* motivo;
    } casos[] = {
        {LayoutCodigo1D, 1, "59012A412345", "Código inválido para EAN-13: só são aceites algarismos"},
        // Eight digits would come out as a zero-padded EAN-13, seven as an EAN-8.
        {LayoutCodigo1D, 1, "96385074", "Código inválido para EAN-13: são precisos 12 ou 13 algarismos"},
        {LayoutCodigo1D, 1, "9638507", "Código inválido para EAN-13: são precisos 12 ou 13 algarismos"},
        {LayoutCodigo1D, 2, "590123412345", "Código inválido para EAN-8: são precisos 7 ou 8 algarismos"},
        {LayoutCodigo1D, 6, "12 34", "Código inválido para Interleaved 2 of 5: só são aceites algarismos"},
        {LayoutCodigo1D, 1, "", "Não foi possível gerar o código EAN-13: não há texto para codificar"},
        {LayoutCodigo1D, 5, "Peça nº 5",
         "Não foi possível gerar o código Code 39: o texto tem caracteres que esta simbologia não aceita"},
        {LayoutCodigo2D, 7, "09501101530003",
         "Não foi possível gerar o código GS1 DataBar Expanded Stacked: o texto tem de estar no formato GS1, "
         "por exemplo (01)09501101530003"},
        {LayoutCodigo2D, 10, "Micro QR não leva um texto tão comprido como este",
         "Não foi possível gerar o código Micro QR: o texto é demasiado longo para esta simbologia"},
        {LayoutCodigo2D, 11, "x", "Tipo de código de barras desconhecido (layout 1, tipo 11)."},
        {2, 1, "x", "Tipo de código de barras desconhecido (layout 2, tipo 1)."},
    };
    for (const auto& c : casos) {
        const auto s = GeraCodigoBarras(c.layout, c.tipo, QString::fromUtf8(c.texto));
        ASSERT_FALSE(s) << c.texto;
        EXPECT_EQ(s.mensagem().toStdString(), c.motivo);
    }
}

TEST(CodigosBarras, CaixaDoDesenhoECoresDaImpressoraRepostas) {
    cPrinter p;
    p.SetMargens(10, 10);
    ASSERT_TRUE(p.init(QStringLiteral("Etiqueta")));
    p.PColor(QColor(10, 20, 30));
    p.PFill(QColor(200, 0, 0));
    p.PLargura(0.7);
    p.PFont(QStringLiteral("Arial"), 14, true);
    p.GravarExportacao(true);
    const auto ean = GeraCodigoBarras(LayoutCodigo1D, 1, QStringLiteral("590123412345"));
    const auto qr = GeraCodigoBarras(LayoutCodigo2D, 9, QStringLiteral("Lote 117"));
    ASSERT_TRUE(ean && qr);
    DesenhaCodigoBarras(p, *ean, 20, 30, 40, 20);
    const size_t opsEan = p.documento()->paginas[0].ops.size();
    DesenhaCodigoBarras(p, *qr, 100, 30, 60, 25);

    EXPECT_EQ(p.Cor(), QColor(10, 20, 30));
    EXPECT_EQ(p.Preenchimento(), QColor(200, 0, 0));
    EXPECT_DOUBLE_EQ(p.Largura(), 0.7);
    EXPECT_EQ(p.Fonte(), (EstiloFonte{QStringLiteral("Arial"), 14, true}));
    EXPECT_TRUE(p.documento()->exportados.empty()); // the code's digits are not report data

    // The EAN fills its box: bars from edge to edge, the digits under them inside the box.
    const auto& ops = p.documento()->paginas[0].ops;
    QRectF barras, textos, quadrado;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (const auto* g = std::get_if<OpPoligono>(&ops[i])) {
            EXPECT_EQ(g->preenchimento, QColor(0, 0, 0));
            EXPECT_FALSE(g->contorno); // one fill for all modules: no outline, no seams
            (i < opsEan ? barras : quadrado) |= caixaDe(*g);
        } else if (const auto* t = std::get_if<OpTexto>(&ops[i])) {
            EXPECT_EQ(t->texto, QStringLiteral("5901234123457"));
            textos |= t->caixa;
        }
    }
    EXPECT_NEAR(ConvertTWmm(barras.left()), 30, 1e-6);
    EXPECT_NEAR(ConvertTWmm(barras.right()), 70, 1e-6);
    EXPECT_NEAR(ConvertTWmm(barras.top()), 40, 1e-6);
    EXPECT_NEAR(ConvertTWmm(textos.bottom()), 60, 0.3);
    EXPECT_NEAR(textos.top(), barras.bottom(), 1e-6);
    EXPECT_NEAR(textos.center().x(), barras.center().x(), 1);
    // The QR is square, the box's height, from its corner; the white under it first.
    EXPECT_TRUE(std::holds_alternative<OpRectangulo>(ops[opsEan]));
    EXPECT_EQ(std::get<OpRectangulo>(ops[opsEan]).preenchimento, QColor(255, 255, 255));
    EXPECT_NEAR(ConvertTWmm(quadrado.left()), 110, 1e-6);
    EXPECT_NEAR(ConvertTWmm(quadrado.top()), 40, 1e-6);
    EXPECT_NEAR(ConvertTWmm(quadrado.height()), 25, 1e-6);
    EXPECT_NEAR(quadrado.width(), quadrado.height(), 1e-6);

    // A box narrower than the height asks: the width rules, the aspect stays.
    const size_t antes = ops.size();
    DesenhaCodigoBarras(p, *qr, 0, 100, 10, 25);
    QRectF estreito;
    for (size_t i = antes; i < ops.size(); ++i)
        if (const auto* g = std::get_if<OpPoligono>(&ops[i]))
            estreito |= caixaDe(*g);
    EXPECT_NEAR(ConvertTWmm(estreito.width()), 10, 1e-6);
    EXPECT_NEAR(ConvertTWmm(estreito.height()), 10, 1e-6);
}

TEST(CodigosBarras, PropriedadesDos2DChegamAoSimbolo) {
    const QString texto = QStringLiteral("Ordem de fabrico 2024/117, armário de cozinha, 3 portas");
    auto simbolo = [&](int simbologia, auto ajustar) {
        cBarCodes2D c;
        ajustar(c);
        EXPECT_TRUE(c.DoBarCode(texto, simbologia)) << c.Error().toStdString();
        return c.simbolo();
    };
    // More correction, a larger symbol; fewer PDF417 columns, a narrower one.
    EXPECT_GT(simbolo(9, [](cBarCodes2D& c) { c.SecurityLevel = 4; }).largura,
              simbolo(9, [](cBarCodes2D& c) { c.SecurityLevel = 1; }).largura);
    const SimboloCodigo duas = simbolo(2, [](cBarCodes2D& c) { c.Columns = 2; });
    const SimboloCodigo seis = simbolo(2, [](cBarCodes2D& c) { c.Columns = 6; });
    EXPECT_LT(duas.largura, seis.largura);
    EXPECT_GT(duas.altura, seis.altura);

    // Colours and a border reach the drawing, and the code still reads.
    const SimboloCodigo cor = simbolo(9, [](cBarCodes2D& c) {
        c.ForeColor = QColor(0, 0, 120);
        c.BackColor = QColor(255, 255, 200);
        c.BorderThickness = 2;
    });
    const SimboloCodigo simples = simbolo(9, [](cBarCodes2D&) {});
    EXPECT_GT(cor.largura, simples.largura + 4); // the border and the quiet zone inside it
    const auto p = paginaCom(cor, 40, 40);
    int frente = 0, fundo = 0;
    for (const OpDesenho& op : p->documento()->paginas[0].ops) {
        if (const auto* g = std::get_if<OpPoligono>(&op); g && g->preenchimento == QColor(0, 0, 120))
            frente += int(g->contornos.size());
        if (const auto* r = std::get_if<OpRectangulo>(&op))
            fundo += r->preenchimento == QColor(255, 255, 200);
    }
    EXPECT_EQ(frente, int(cor.barras.size()));
    EXPECT_EQ(fundo, 1);
    EXPECT_EQ(le(imagem(*p->documento(), 300), BarcodeFormat::QRCode), texto);
}
