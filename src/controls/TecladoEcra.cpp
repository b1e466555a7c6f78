#include "controls/TecladoEcra.h"

#include <algorithm>

void TecladoEcra::setCursor(int posicao) { m_cursor = std::clamp(posicao, 0, int(m_texto.size())); }

QChar TecladoEcra::compor(QChar acento, QChar vogal) {
    const bool minuscula = vogal.isLower();
    const QChar v = vogal.toUpper();
    QString base;
    QString composto;
    switch (acento.unicode()) {
    case 0x00B4: // ´
        base = QStringLiteral("AEIOU");
        composto = QStringLiteral("ÁÉÍÓÚ");
        break;
    case '`':
        base = QStringLiteral("AEIOU");
        composto = QStringLiteral("ÀÈÌÒÙ");
        break;
    case '~':
        base = QStringLiteral("AO");
        composto = QStringLiteral("ÃÕ");
        break;
    case '^':
        base = QStringLiteral("AEIOU");
        composto = QStringLiteral("ÂÊÎÔÛ");
        break;
    default:
        return {};
    }
    const int p = int(base.indexOf(v));
    if (p < 0)
        return {};
    const QChar r = composto[p];
    return minuscula ? r.toLower() : r;
}

void TecladoEcra::inserir(const QString& s) {
    m_texto.insert(m_cursor, s);
    m_cursor += int(s.size());
}

void TecladoEcra::tecla(QChar c) {
    QChar ch = c;
    if (c.isLetter()) {
        const bool maiuscula = m_caps != m_shift;
        ch = maiuscula ? c.toUpper() : c.toLower();
        m_shift = false;
    }
    if (!m_acento.isNull()) {
        const QChar composto = compor(m_acento, ch);
        const QChar acento = m_acento;
        m_acento = QChar();
        if (!composto.isNull()) {
            inserir(QString(composto));
            return;
        }
        inserir(QString(acento));
    }
    inserir(QString(ch));
}

void TecladoEcra::acento(QChar a) {
    if (m_acento == a) {
        m_acento = QChar();
        inserir(QString(a));
        return;
    }
    if (!m_acento.isNull())
        inserir(QString(m_acento));
    m_acento = a;
}

void TecladoEcra::retrocesso() {
    if (!m_acento.isNull()) {
        m_acento = QChar();
        return;
    }
    if (m_cursor <= 0)
        return;
    m_texto.remove(m_cursor - 1, 1);
    --m_cursor;
}

void TecladoEcra::limpar() {
    m_texto.clear();
    m_cursor = 0;
    m_acento = QChar();
}
