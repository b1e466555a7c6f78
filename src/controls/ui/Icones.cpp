#include "controls/ui/Icones.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

const char* nomeTema(Icone qual) {
    switch (qual) {
    case Icone::Fechar: return "window-close";
    case Icone::Imprimir: return "document-print";
    case Icone::ImprimirDirecto: return "printer";
    case Icone::Procurar: return "edit-find";
    case Icone::Pdf: return "application-pdf";
    case Icone::Folha: return "x-office-spreadsheet";
    case Icone::FolhaFicheiro: return "document-save-as";
    case Icone::Primeira: return "go-first";
    case Icone::Anterior: return "go-previous";
    case Icone::Seguinte: return "go-next";
    case Icone::Ultima: return "go-last";
    }
    return "";
}

void folha(QPainter& p, const QRectF& r) {
    QPainterPath c;
    c.moveTo(r.topLeft());
    c.lineTo(r.right() - 6, r.top());
    c.lineTo(r.right(), r.top() + 6);
    c.lineTo(r.bottomRight());
    c.lineTo(r.bottomLeft());
    c.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(c);
}

void impressora(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0x60, 0x6a, 0x78));
    p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 8));
}

void grelha(QPainter& p, const QRectF& r, const QColor& cor) {
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(cor, 1.2));
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(r.left(), r.top() + i * r.height() / 3), QPointF(r.right(), r.top() + i * r.height() / 3));
        p.drawLine(QPointF(r.left() + i * r.width() / 3, r.top()), QPointF(r.left() + i * r.width() / 3, r.bottom()));
    }
}

void seta(QPainter& p, bool paraTras, bool comBarra) {
    p.setBrush(QColor(0x2e, 0x6d, 0xb4));
    p.setPen(Qt::NoPen);
    const QPolygonF t = paraTras ? QPolygonF({QPointF(22, 6), QPointF(22, 26), QPointF(9, 16)})
                                 : QPolygonF({QPointF(10, 6), QPointF(10, 26), QPointF(23, 16)});
    p.drawPolygon(t);
    if (comBarra)
        p.drawRect(paraTras ? QRectF(5, 6, 3, 20) : QRectF(24, 6, 3, 20));
}

// Drawn on a 32-unit square at twice the size, so it stays sharp on a 200 % screen.
QPixmap desenhar(Icone qual, int lado) {
    QPixmap px(lado, lado);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / 32.0, lado / 32.0);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    switch (qual) {
    case Icone::Fechar:
        p.setPen(QPen(QColor(0xb0, 0x20, 0x20), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(24, 24));
        p.drawLine(QPointF(24, 8), QPointF(8, 24));
        break;
    case Icone::Imprimir:
        impressora(p);
        p.setPen(QPen(QColor(0x2e, 0x6d, 0xb4), 2.5));
        p.drawEllipse(QRectF(21, 1, 10, 10)); // the dialog that comes first
        break;
    case Icone::ImprimirDirecto:
        impressora(p);
        break;
    case Icone::Procurar:
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 3));
        p.setBrush(QColor(0xdd, 0xee, 0xff));
        p.drawEllipse(QRectF(5, 5, 15, 15));
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 4.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(27, 27));
        break;
    case Icone::Pdf: {
        folha(p, QRectF(6, 3, 20, 26));
        QFont f = p.font();
        f.setPixelSize(8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0xb0, 0x20, 0x20));
        p.drawText(QRectF(6, 12, 20, 12), Qt::AlignCenter, QStringLiteral("PDF"));
        break;
    }
    case Icone::Folha:
        grelha(p, QRectF(4, 6, 24, 20), QColor(0x1d, 0x7a, 0x3c));
        break;
    case Icone::FolhaFicheiro:
        grelha(p, QRectF(2, 2, 20, 17), QColor(0x1d, 0x7a, 0x3c));
        folha(p, QRectF(16, 14, 13, 16)); // a file of one's choosing
        break;
    case Icone::Primeira: seta(p, true, true); break;
    case Icone::Anterior: seta(p, true, false); break;
    case Icone::Seguinte: seta(p, false, false); break;
    case Icone::Ultima: seta(p, false, true); break;
    }
    return px;
}

} // namespace

QIcon iconeDesenhado(Icone qual) {
    QIcon i;
    for (int lado : {16, 24, 32, 48, 64})
        i.addPixmap(desenhar(qual, lado));
    return i;
}

QIcon icone(Icone qual) {
    return QIcon::fromTheme(QLatin1String(nomeTema(qual)), iconeDesenhado(qual));
}
