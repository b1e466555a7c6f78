#include "controls/ui/ComboSem.h"

#include "controls/DataEdicao.h"
#include "controls/ui/FocoCampos.h"

#include <QKeyEvent>

ComboSem::ComboSem(QWidget* pai) : QComboBox(pai) {
    addItems(nomesDiasSemana());
    connect(this, &QComboBox::currentIndexChanged, this, &ComboSem::alterado);
}

void ComboSem::setDia(int dia) { setCurrentIndex(dia >= 1 && dia <= 7 ? dia - 1 : -1); }

void ComboSem::setForecor(const QColor& c) {
    m_fore = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboSem::setBackcor(const QColor& c) {
    m_back = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboSem::Refresh() { update(); }

void ComboSem::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        moverFoco(this, e->key() != Qt::Key_Escape);
        return;
    }
    QComboBox::keyPressEvent(e);
}
