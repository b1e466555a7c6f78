// Shapes and pictures of cPrinter.
#include "printing/cPrinter.h"

void cPrinter::pLine(double x1, double y1, double x2, double y2, double espessura) {
    if (!m_iniciado)
        return;
    ops().push_back(
        OpLinha{QPointF(xTw(x1), yTw(y1)), QPointF(xTw(x2), yTw(y2)), m_cor, espessuraTw(espessura)});
}

void cPrinter::pBox(double x1, double y1, double x2, double y2, double espessura, double raio) {
    if (!m_iniciado)
        return;
    const QRectF caixa = QRectF(QPointF(xTw(x1), yTw(y1)), QPointF(xTw(x2), yTw(y2))).normalized();
    ops().push_back(OpRectangulo{caixa, m_cor, espessuraTw(espessura), m_preenchimento, ConvertmmTW(raio)});
}

void cPrinter::pCircle(double xc, double yc, double raio, double espessura) {
    if (!m_iniciado || raio <= 0)
        return;
    const QPointF centro(xTw(xc), yTw(yc));
    const double r = ConvertmmTW(raio);
    ops().push_back(OpElipse{QRectF(centro.x() - r, centro.y() - r, 2 * r, 2 * r), m_cor,
                             espessuraTw(espessura), m_preenchimento});
}

void cPrinter::pPolygon(const std::vector<QPointF>& pontos, double espessura) {
    if (!m_iniciado || pontos.size() < 3)
        return;
    std::vector<QPointF> tw;
    tw.reserve(pontos.size());
    for (const QPointF& q : pontos)
        tw.emplace_back(xTw(q.x()), yTw(q.y()));
    ops().push_back(OpPoligono{{std::move(tw)}, m_cor, espessuraTw(espessura), m_preenchimento, true});
}

void cPrinter::pPolygons(const std::vector<std::vector<QPointF>>& contornos, bool contorno, double espessura) {
    if (!m_iniciado)
        return;
    OpPoligono op{{}, m_cor, espessuraTw(espessura), m_preenchimento, contorno};
    op.contornos.reserve(contornos.size());
    for (const std::vector<QPointF>& c : contornos) {
        if (c.size() < 3)
            continue;
        std::vector<QPointF> tw;
        tw.reserve(c.size());
        for (const QPointF& q : c)
            tw.emplace_back(xTw(q.x()), yTw(q.y()));
        op.contornos.push_back(std::move(tw));
    }
    if (!op.contornos.empty())
        ops().push_back(std::move(op));
}

int cPrinter::PNewImg(const QString& ficheiro) {
    QImage img(ficheiro);
    if (img.isNull())
        return -1;
    return PNewImg(img);
}

int cPrinter::PNewImg(const QImage& imagem) {
    if (imagem.isNull())
        return -1;
    m_imagens.push_back(std::make_shared<const QImage>(imagem));
    return int(m_imagens.size()) - 1;
}

void cPrinter::PDrawImg(int indice, double x, double y, double largura, double altura) {
    if (!m_iniciado || indice < 0 || indice >= int(m_imagens.size()))
        return;
    const auto& img = m_imagens[size_t(indice)];
    // A missing side keeps the picture's proportions; both missing gives its size at 96 dpi.
    if (largura <= 0 && altura <= 0) {
        largura = img->width() * 25.4 / 96;
        altura = img->height() * 25.4 / 96;
    } else if (largura <= 0) {
        largura = altura * img->width() / std::max(1, img->height());
    } else if (altura <= 0) {
        altura = largura * img->height() / std::max(1, img->width());
    }
    ops().push_back(OpImagem{QRectF(xTw(x), yTw(y), ConvertmmTW(largura), ConvertmmTW(altura)), img});
}
