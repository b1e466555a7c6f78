#include "controls/ui/SelOpta.h"

#include "controls/ui/FocoCampos.h"

#include <QKeyEvent>

SelOpta::SelOpta(QWidget* pai) : QComboBox(pai) {
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i >= int(m_opcoes.size()))
            return;
        m_chave = m_opcoes[size_t(i)].chave;
        m_found = true;
        emit alterado();
    });
}

void SelOpta::setLista(const QString& lista) {
    m_lista = lista;
    m_opcoes = interpretarOpcoes(lista);
    Refresh();
}

void SelOpta::Refresh() {
    const QSignalBlocker b(this);
    clear();
    for (const auto& o : m_opcoes)
        addItem(o.texto, o.chave);
    setChave(m_chave);
}

void SelOpta::setChave(const QString& chave) {
    const int p = posicaoDaChave(m_opcoes, chave);
    m_found = p >= 0;
    const QString antes = m_chave;
    m_chave = m_found ? m_opcoes[size_t(p)].chave : chave;
    {
        const QSignalBlocker b(this);
        setCurrentIndex(p);
    }
    if (m_chave != antes)
        emit alterado();
}

void SelOpta::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        moverFoco(this, true);
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        moverFoco(this, false);
        return;
    }
    QComboBox::keyPressEvent(e);
    // Arrow keys change the option without an "activated" of their own on every style.
    const int i = currentIndex();
    if (i >= 0 && i < int(m_opcoes.size()) && m_opcoes[size_t(i)].chave != m_chave) {
        m_chave = m_opcoes[size_t(i)].chave;
        m_found = true;
        emit alterado();
    }
}
