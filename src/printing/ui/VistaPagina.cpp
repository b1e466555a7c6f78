#include "printing/ui/VistaPagina.h"

#include <QPainter>

VistaPagina::VistaPagina(const DocumentoImpresso& doc, QWidget* pai)
    : QWidget(pai), m_doc(doc), m_desenho(doc) {
    setObjectName(QStringLiteral("vwPagina"));
}

void VistaPagina::definir(int pagina, double escala) {
    if (pagina != m_pagina)
        m_marca = QRectF();
    m_pagina = pagina;
    m_escala = escala;
    setFixedSize(int(m_doc.larguraTw * escala) + 1, int(m_doc.alturaTw * escala) + 1);
    update();
}

void VistaPagina::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    std::vector<QRectF> marcas;
    if (!m_marca.isNull())
        marcas.push_back(m_marca);
    m_desenho.desenhar(p, m_pagina - 1, m_escala, marcas);
}
