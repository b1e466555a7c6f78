#include "controls/ui/ComboMes.h"

#include "controls/DataEdicao.h"
#include "controls/ui/FocoCampos.h"

#include <QKeyEvent>

ComboMes::ComboMes(QWidget* pai) : QComboBox(pai) {
    addItems(nomesMeses());
    connect(this, &QComboBox::currentIndexChanged, this, &ComboMes::alterado);
}

void ComboMes::setMes(int mes) { setCurrentIndex(mes >= 1 && mes <= 12 ? mes - 1 : -1); }

void ComboMes::setForecor(const QColor& c) {
    m_fore = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboMes::setBackcor(const QColor& c) {
    m_back = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboMes::Refresh() { update(); }

void ComboMes::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        moverFoco(this, e->key() != Qt::Key_Escape);
        return;
    }
    QComboBox::keyPressEvent(e);
}
