#include "printing/DesenhoPagina.h"

#include <QPainterPath>
#include <QPolygonF>

DesenhoPagina::DesenhoPagina(const DocumentoImpresso& doc) : m_doc(doc) {}

const QFont& DesenhoPagina::fonte(int i) {
    while (int(m_fontes.size()) < int(m_doc.fontes.size()))
        m_fontes.push_back(fonteEmTwips(m_doc.fontes[m_fontes.size()]));
    return m_fontes[size_t(i)];
}

namespace {
QPen caneta(const QColor& cor, double espessura) {
    QPen pen(cor.isValid() ? cor : QColor(Qt::black));
    pen.setWidthF(espessura);
    pen.setCosmetic(espessura <= 0); // a hairline stays one dot on any device
    return pen;
}
} // namespace

void DesenhoPagina::desenhar(QPainter& p, int pagina, double escala, const std::vector<QRectF>& marcas) {
    if (pagina < 0 || pagina >= m_doc.numeroPaginas())
        return;
    p.save();
    p.scale(escala, escala);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (const QRectF& m : marcas)
        p.fillRect(m, QColor(255, 255, 0, 160));
    int fonteActual = -1;
    QColor corActual;
    for (const OpDesenho& op : m_doc.paginas[size_t(pagina)].ops) {
        if (const auto* t = std::get_if<OpTexto>(&op)) {
            if (t->fonte != fonteActual) {
                fonteActual = t->fonte;
                p.setFont(fonte(t->fonte));
            }
            if (t->cor != corActual || p.pen().style() != Qt::SolidLine) {
                corActual = t->cor;
                p.setPen(QPen(t->cor));
            }
            p.drawText(t->base, t->texto);
        } else if (const auto* l = std::get_if<OpLinha>(&op)) {
            p.setPen(caneta(l->cor, l->espessura));
            corActual = QColor();
            p.drawLine(l->de, l->ate);
        } else if (const auto* r = std::get_if<OpRectangulo>(&op)) {
            p.setPen(caneta(r->cor, r->espessura));
            corActual = QColor();
            p.setBrush(r->preenchimento.isValid() ? QBrush(r->preenchimento) : QBrush(Qt::NoBrush));
            if (r->raio > 0)
                p.drawRoundedRect(r->caixa, r->raio, r->raio);
            else
                p.drawRect(r->caixa);
            p.setBrush(Qt::NoBrush);
        } else if (const auto* e = std::get_if<OpElipse>(&op)) {
            p.setPen(caneta(e->cor, e->espessura));
            corActual = QColor();
            p.setBrush(e->preenchimento.isValid() ? QBrush(e->preenchimento) : QBrush(Qt::NoBrush));
            p.drawEllipse(e->caixa);
            p.setBrush(Qt::NoBrush);
        } else if (const auto* g = std::get_if<OpPoligono>(&op)) {
            if (g->contorno)
                p.setPen(caneta(g->cor, g->espessura));
            else
                p.setPen(Qt::NoPen);
            corActual = QColor();
            p.setBrush(g->preenchimento.isValid() ? QBrush(g->preenchimento) : QBrush(Qt::NoBrush));
            if (g->contornos.size() == 1) {
                p.drawPolygon(g->contornos.front().data(), int(g->contornos.front().size()));
            } else {
                QPainterPath caminho;
                caminho.setFillRule(Qt::WindingFill);
                for (const std::vector<QPointF>& c : g->contornos)
                    caminho.addPolygon(QPolygonF(QList<QPointF>(c.begin(), c.end())));
                caminho.closeSubpath();
                p.drawPath(caminho);
            }
            p.setBrush(Qt::NoBrush);
        } else if (const auto* i = std::get_if<OpImagem>(&op)) {
            if (i->imagem)
                p.drawImage(i->caixa, *i->imagem);
        }
    }
    p.restore();
}
