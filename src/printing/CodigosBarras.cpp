#include "printing/CodigosBarras.h"

#include "printing/cPrinter.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct Simbologia {
    int layout, tipo;
    const char* nome;
    int zint;
    int algarismos = 0; // digits only: the length with the check digit, -1 any length; 0 any text
};

// The editor's order.
constexpr Simbologia Simbologias[] = {
    {LayoutCodigo1D, 1, "EAN-13", BARCODE_EANX, 13},
    {LayoutCodigo1D, 2, "EAN-8", BARCODE_EANX, 8},
    {LayoutCodigo1D, 3, "UPC-A", BARCODE_UPCA, 12},
    {LayoutCodigo1D, 4, "Code 128", BARCODE_CODE128},
    {LayoutCodigo1D, 5, "Code 39", BARCODE_CODE39},
    {LayoutCodigo1D, 6, "Interleaved 2 of 5", BARCODE_C25INTER, -1},
    {LayoutCodigo1D, 7, "ITF-14", BARCODE_ITF14, 14},
    {LayoutCodigo2D, 0, "Code16k", BARCODE_CODE16K},
    {LayoutCodigo2D, 1, "Code49", BARCODE_CODE49},
    {LayoutCodigo2D, 2, "PDF417", BARCODE_PDF417},
    {LayoutCodigo2D, 3, "Aztec", BARCODE_AZTEC},
    {LayoutCodigo2D, 4, "Data Matrix", BARCODE_DATAMATRIX},
    {LayoutCodigo2D, 5, "MaxiCode", BARCODE_MAXICODE},
    {LayoutCodigo2D, 6, "MicroPDF417", BARCODE_MICROPDF417},
    {LayoutCodigo2D, 7, "GS1 DataBar Expanded Stacked", BARCODE_DBAR_EXPSTK},
    {LayoutCodigo2D, 8, "Codablock-F", BARCODE_CODABLOCKF},
    {LayoutCodigo2D, 9, "QR Code", BARCODE_QRCODE},
    {LayoutCodigo2D, 10, "Micro QR", BARCODE_MICROQR},
};

const Simbologia* procurar(int layout, int tipo) {
    for (const Simbologia& s : Simbologias)
        if (s.layout == layout && s.tipo == tipo)
            return &s;
    return nullptr;
}

// What the generator is asked for besides the text.
struct Pedido {
    const Simbologia* sim = nullptr;
    int modo = UNICODE_MODE;
    int opcao1 = -1, opcao2 = 0;
    int borda = -1; // -1 = the symbology's own
    bool caixa = false;
    QColor frente = QColor(0, 0, 0), fundo;
};

QString falhaGeral(const Simbologia& s, const QString& motivo) {
    return QStringLiteral("Não foi possível gerar o código %1: %2").arg(QLatin1String(s.nome), motivo);
}

QString codigoInvalido(const Simbologia& s, const QString& motivo) {
    return QStringLiteral("Código inválido para %1: %2").arg(QLatin1String(s.nome), motivo);
}

// zint's English reasons, by kind, in the user's words.
QString motivoZint(const Simbologia& s, int erro, const char* errtxt) {
    switch (erro) {
    case ZINT_ERROR_TOO_LONG:
        return falhaGeral(s, QStringLiteral("o texto é demasiado longo para esta simbologia"));
    case ZINT_ERROR_INVALID_DATA:
        if (s.zint == BARCODE_DBAR_EXPSTK)
            return falhaGeral(
                s, QStringLiteral("o texto tem de estar no formato GS1, por exemplo (01)09501101530003"));
        return falhaGeral(s, QStringLiteral("o texto tem caracteres que esta simbologia não aceita"));
    case ZINT_ERROR_INVALID_CHECK:
        return codigoInvalido(s, QStringLiteral("dígito de controlo errado"));
    case ZINT_ERROR_INVALID_OPTION:
        return falhaGeral(s, QStringLiteral("opção inválida (colunas ou nível de segurança)"));
    default:
        return falhaGeral(s, QStringLiteral("erro do gerador (%1)").arg(QString::fromUtf8(errtxt)));
    }
}

// Points of a zint hexagon: pointed top and bottom unless turned by 90 degrees.
std::vector<QPointF> hexagono(const zint_vector_hexagon& h) {
    const double r = h.diameter / 2.0, meio = r / 2, lado = r * std::sqrt(3.0) / 2;
    const double x = h.x, y = h.y;
    if (h.rotation == 90 || h.rotation == 270)
        return {{x - r, y}, {x - meio, y + lado}, {x + meio, y + lado},
                {x + r, y}, {x + meio, y - lado}, {x - meio, y - lado}};
    return {{x, y + r}, {x + lado, y + meio}, {x + lado, y - meio},
            {x, y - r}, {x - lado, y - meio}, {x - lado, y + meio}};
}

Resultado<SimboloCodigo> gerar(const Pedido& pd, const QByteArray& dados) {
    const Simbologia& s = *pd.sim;
    if (dados.isEmpty())
        return Falha(falhaGeral(s, QStringLiteral("não há texto para codificar")));
    // Each call its own symbol: zint keeps no state between symbols, so labels may be made in parallel.
    std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> z(ZBarcode_Create(), &ZBarcode_Delete);
    if (!z)
        return Falha(falhaGeral(s, QStringLiteral("memória insuficiente")));
    z->symbology = s.zint;
    z->input_mode = pd.modo;
    z->option_1 = pd.opcao1;
    z->option_2 = pd.opcao2;
    z->scale = 0.5f; // vector units are then modules
    z->show_hrt = 0; // the text is drawn by DesenhaCodigoBarras, in the report's font
    z->guard_descent = 0;
    // No quiet zones: a 1D code fills its box and the label keeps its own margins. A box needs the
    // quiet zone inside it, and ITF-14 gets bearer bars only above and below for the same reason.
    z->output_options |= pd.caixa ? BARCODE_BOX | BARCODE_QUIET_ZONES : BARCODE_NO_QUIET_ZONES;
    if (s.zint == BARCODE_ITF14)
        z->output_options |= BARCODE_BIND;
    if (pd.borda >= 0)
        z->border_width = pd.borda;

    const int erro = ZBarcode_Encode_and_Buffer_Vector(
        z.get(), reinterpret_cast<const unsigned char*>(dados.constData()), int(dados.size()), 0);
    if (erro >= ZINT_ERROR) // warnings (an ECI added, a value overridden) still give a symbol
        return Falha(motivoZint(s, erro, z->errtxt));
    const zint_vector* v = z->vector;
    if (!v)
        return Falha(falhaGeral(s, QStringLiteral("o gerador não devolveu o desenho")));

    SimboloCodigo r;
    r.largura = v->width;
    r.altura = v->height;
    r.linear = s.layout == LayoutCodigo1D;
    r.corFrente = pd.frente;
    r.corFundo = pd.fundo;
    for (const zint_vector_rect* q = v->rectangles; q; q = q->next)
        if (q->colour == -1) // the foreground; other colours belong to symbologies not offered here
            r.barras.emplace_back(q->x, q->y, q->width, q->height);
    for (const zint_vector_hexagon* h = v->hexagons; h; h = h->next)
        r.hexagonos.push_back(hexagono(*h));
    for (const zint_vector_circle* c = v->circles; c; c = c->next) {
        if (c->colour != 0)
            continue; // a disc in the background colour only clears what is already light here
        // zint's diameter runs through the middle of the ring's stroke.
        const double meio = c->diameter / 2.0, meiaEspessura = c->width / 2.0;
        r.aneis.push_back({QPointF(c->x, c->y), meio + meiaEspessura,
                           c->width > 0 ? std::max(0.0, meio - meiaEspessura) : 0.0});
    }
    if (r.linear)
        r.textoLegivel = QString::fromUtf8(reinterpret_cast<const char*>(z->text));
    return r;
}

// GS1 mod-10 check digit of the digits (EAN, UPC, ITF-14).
int digitoControlo(const QString& digitos) {
    int soma = 0;
    for (qsizetype i = digitos.size() - 1, peso = 3; i >= 0; --i, peso = 4 - peso)
        soma += digitos[i].digitValue() * peso;
    return (10 - soma % 10) % 10;
}

bool soAlgarismos(const QString& t) {
    return std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

Resultado<SimboloCodigo> gerar1D(const Simbologia& s, const QString& textoDado) {
    Pedido pd;
    pd.sim = &s;
    QString texto = textoDado;
    // Fixed-length numbers: n-1 digits get their check digit, n digits must carry the right one.
    // zint checks it itself only for some of them, and reads eight digits as a short EAN-13.
    const int comprimento = std::max(0, s.algarismos);
    if (s.algarismos != 0) {
        texto = texto.trimmed();
        if (texto.isEmpty())
            return Falha(falhaGeral(s, QStringLiteral("não há texto para codificar")));
        if (!soAlgarismos(texto))
            return Falha(codigoInvalido(s, QStringLiteral("só são aceites algarismos")));
    }
    if (comprimento > 0) {
        if (texto.size() != comprimento - 1 && texto.size() != comprimento)
            return Falha(codigoInvalido(
                s, QStringLiteral("são precisos %1 ou %2 algarismos").arg(comprimento - 1).arg(comprimento)));
        if (texto.size() == comprimento) {
            const QString dados = texto.left(comprimento - 1);
            if (digitoControlo(dados) != texto.back().digitValue())
                return Falha(codigoInvalido(s, QStringLiteral("dígito de controlo errado")));
            texto = dados;
        }
    }
    return gerar(pd, texto.toUtf8());
}

} // namespace

QString NomeSimbologia(int layout, int tipo) {
    const Simbologia* s = procurar(layout, tipo);
    return s ? QString::fromLatin1(s->nome) : QString();
}

std::vector<std::pair<int, int>> SimbologiasConhecidas() {
    std::vector<std::pair<int, int>> r;
    for (const Simbologia& s : Simbologias)
        r.emplace_back(s.layout, s.tipo);
    return r;
}

// How the properties reach zint:
//   SecurityLevel  error correction (option_1): PDF417 1-8, QR Code 1-4 (L, M, Q, H), Micro QR 1-3,
//                  Aztec 1-4 (10 % to 50 %); MaxiCode takes mode 5 (enhanced correction) for any
//                  level; 0 leaves the symbology's own choice; above the maximum, the maximum.
//   Columns        option_2, columns per row: PDF417 1-30, MicroPDF417 1-4, Codablock-F 9-67,
//                  DataBar 1-11; 0 = automatic; outside the range, the nearest end.
//   ForeColor, BackColor  the bars and the area under the symbol.
//   BorderThickness  border_width, as a box round the symbol with its quiet zone inside it.
// xUnit, yUnit, AspectRatio, StartMode, Orientation and LineReduction have no counterpart: the
// symbol is drawn to the size of its box.
bool cBarCodes2D::DoBarCode(const QString& texto, int simbologia) {
    m_erro.clear();
    m_simbolo = SimboloCodigo();
    const Simbologia* s = procurar(LayoutCodigo2D, simbologia);
    if (!s) {
        m_erro = QStringLiteral("Simbologia de código de barras desconhecida (%1).").arg(simbologia);
        return false;
    }
    Pedido pd;
    pd.sim = s;
    pd.frente = ForeColor.isValid() ? ForeColor : QColor(0, 0, 0);
    pd.fundo = BackColor;
    QString dados = texto;
    const int nivel = SecurityLevel;
    switch (s->zint) {
    case BARCODE_PDF417:
        if (nivel > 0)
            pd.opcao1 = std::min(nivel, 8);
        pd.opcao2 = Columns > 0 ? std::min(Columns, 30) : 0;
        break;
    case BARCODE_MICROPDF417:
        pd.opcao2 = Columns > 0 ? std::min(Columns, 4) : 0;
        break;
    case BARCODE_QRCODE:
    case BARCODE_AZTEC:
        if (nivel > 0)
            pd.opcao1 = std::min(nivel, 4);
        break;
    case BARCODE_MICROQR:
        if (nivel > 0)
            pd.opcao1 = std::min(nivel, 3);
        break;
    case BARCODE_MAXICODE:
        if (nivel > 0)
            pd.opcao1 = 5;
        break;
    case BARCODE_CODABLOCKF:
        pd.opcao2 = Columns > 0 ? std::clamp(Columns, 9, 67) : 0;
        break;
    case BARCODE_DBAR_EXPSTK:
        pd.opcao2 = Columns > 0 ? std::min(Columns, 11) : 0;
        dados = dados.trimmed();
        pd.modo = GS1_MODE | (dados.startsWith(u'(') ? GS1PARENS_MODE : 0);
        break;
    default:
        break;
    }
    if (BorderThickness > 0) {
        pd.borda = BorderThickness;
        pd.caixa = true;
    }
    Resultado<SimboloCodigo> r = gerar(pd, dados.toUtf8());
    if (!r) {
        m_erro = r.mensagem();
        return false;
    }
    m_simbolo = std::move(r).valor();
    return true;
}

Resultado<SimboloCodigo> GeraCodigoBarras(int layout, int tipo, const QString& texto) {
    const Simbologia* s = procurar(layout, tipo);
    if (!s)
        return Falha(QStringLiteral("Tipo de código de barras desconhecido (layout %1, tipo %2).")
                         .arg(layout)
                         .arg(tipo));
    if (layout == LayoutCodigo1D)
        return gerar1D(*s, texto);
    cBarCodes2D c;
    if (!c.DoBarCode(texto, tipo))
        return Falha(c.Error());
    return c.simbolo();
}

void DesenhaCodigoBarras(cPrinter& p, const SimboloCodigo& s, double x, double y, double largura,
                         double altura) {
    if (s.largura <= 0 || s.altura <= 0 || altura <= 0 || (s.linear && largura <= 0))
        return;
    const QColor corAntes = p.Cor(), preenchimentoAntes = p.Preenchimento();
    const double larguraAntes = p.Largura();
    const QColor frente = s.corFrente.isValid() ? s.corFrente : QColor(0, 0, 0);

    double sx, sy;
    if (s.linear) {
        double alturaBarras = altura;
        if (!s.textoLegivel.isEmpty()) {
            const EstiloFonte fonteAntes = p.Fonte();
            const bool gravar = p.GravarExportacao();
            p.GravarExportacao(false); // part of the picture, not report data
            // A small font, smaller still when the text would take over a quarter of the box or
            // overflow its width.
            double tamanho = 8;
            p.PFont(std::nullopt, tamanho, false, false, false);
            const double encolher = std::min({1.0, altura * 0.25 / p.HeightOfString(s.textoLegivel),
                                              largura / std::max(0.01, p.WidthOfString(s.textoLegivel))});
            if (encolher < 1) {
                tamanho = std::max(4.0, tamanho * encolher);
                p.PFont(std::nullopt, tamanho);
            }
            alturaBarras = std::max(altura * 0.5, altura - p.HeightOfString(s.textoLegivel));
            p.PColor(frente);
            p.c(s.textoLegivel, y + alturaBarras, x + largura / 2);
            p.PFont(fonteAntes.nome, fonteAntes.tamanho, fonteAntes.negrito, fonteAntes.italico,
                    fonteAntes.sublinhado);
            p.GravarExportacao(gravar);
        }
        sx = largura / s.largura;
        sy = alturaBarras / s.altura;
    } else {
        sx = altura / s.altura;
        if (largura > 0 && s.largura * sx > largura)
            sx = largura / s.largura;
        sy = sx;
    }

    if (s.corFundo.isValid()) {
        p.PColor(s.corFundo);
        p.PFill(s.corFundo);
        p.pBox(x, y, x + s.largura * sx, y + s.altura * sy, 0);
    }
    // All bars (and all hexagons) as one filled shape: touching modules merge without the light
    // seams anti-aliasing leaves between separately filled boxes, and a symbol is one drawing op.
    p.PColor(frente);
    p.PFill(frente);
    std::vector<std::vector<QPointF>> formas;
    formas.reserve(s.barras.size());
    for (const QRectF& b : s.barras) {
        const double x1 = x + b.left() * sx, y1 = y + b.top() * sy, x2 = x + b.right() * sx, y2 = y + b.bottom() * sy;
        formas.push_back({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}});
    }
    p.pPolygons(formas, false);
    formas.clear();
    for (const std::vector<QPointF>& h : s.hexagonos) {
        std::vector<QPointF> pontos;
        for (const QPointF& q : h)
            pontos.emplace_back(x + q.x() * sx, y + q.y() * sy);
        formas.push_back(std::move(pontos));
    }
    p.pPolygons(formas, false);
    for (const SimboloCodigo::Anel& a : s.aneis) {
        const QPointF c(x + a.centro.x() * sx, y + a.centro.y() * sy);
        if (a.raioInterior <= 0) {
            p.PFill(frente);
            p.pCircle(c.x(), c.y(), a.raioExterior * sx, 0);
        } else { // a ring: a hollow circle whose stroke is the ring
            p.PFill(QColor());
            p.pCircle(c.x(), c.y(), (a.raioExterior + a.raioInterior) / 2 * sx,
                      (a.raioExterior - a.raioInterior) * sx);
        }
    }
    p.PColor(corAntes);
    p.PFill(preenchimentoAntes);
    p.PLargura(larguraAntes);
}
