#pragma once

#include "printing/DesenhoPagina.h"

#include <QWidget>

// One page of a recorded document on screen, at a chosen scale, with the find highlight.
class VistaPagina : public QWidget {
    Q_OBJECT
public:
    explicit VistaPagina(const DocumentoImpresso& doc, QWidget* pai = nullptr);

    void definir(int pagina, double escala); // pagina 1-based; escala = screen pixels per twip
    void marcar(const QRectF& caixa) {
        m_marca = caixa;
        update();
    }
    int pagina() const { return m_pagina; }
    QRectF marca() const { return m_marca; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    const DocumentoImpresso& m_doc;
    DesenhoPagina m_desenho;
    int m_pagina = 1;
    double m_escala = 0.05;
    QRectF m_marca;
};
