#include "controls/ui/ComboNomes.h"

#include "controls/ui/FocoCampos.h"

#include <QKeyEvent>

ComboNomes::ComboNomes(const QStringList& nomes, QWidget* pai) : QComboBox(pai) {
    addItems(nomes);
    connect(this, &QComboBox::currentIndexChanged, this, &ComboNomes::alterado);
}

void ComboNomes::setForecor(const QColor& c) {
    m_fore = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboNomes::setBackcor(const QColor& c) {
    m_back = c;
    aplicarCores(this, m_fore, m_back);
}

void ComboNomes::Refresh() { update(); }

void ComboNomes::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        moverFoco(this, e->key() != Qt::Key_Escape);
        return;
    }
    QComboBox::keyPressEvent(e);
}
