#pragma once

#include <QChar>
#include <QString>

// State of the screen keyboard for touch screens: the text being typed, the caret, Shift (one
// letter) and Caps Lock, and a pending accent that composes with the next vowel
// ("´" + A → "Á", "`" + E → "È", "~" + O → "Õ", "^" + U → "Û").
class TecladoEcra {
public:
    explicit TecladoEcra(const QString& inicial = {}) : m_texto(inicial), m_cursor(int(inicial.size())) {}

    QString texto() const { return m_texto; }
    int cursor() const { return m_cursor; }
    void setCursor(int posicao);

    bool shift() const { return m_shift; }
    void setShift(bool sim) { m_shift = sim; }
    bool capsLock() const { return m_caps; }
    void setCapsLock(bool sim) { m_caps = sim; }
    // The accent waiting for its vowel (null when none).
    QChar acentoPendente() const { return m_acento; }

    // A letter, digit or sign key. Letters follow Shift/Caps Lock (Shift lasts one letter);
    // after an accent key a vowel takes the accent, anything else gets the accent typed before it.
    void tecla(QChar c);
    // One of the accent keys: ´ ` ~ ^. The same accent twice types the accent itself.
    void acento(QChar a);
    // "Ponto" of the numeric pane.
    void ponto() { tecla(QLatin1Char('.')); }
    void espaco() { tecla(QLatin1Char(' ')); }
    // Deletes the character before the caret.
    void retrocesso();
    // "Limpar Campo".
    void limpar();

    // The accented form of a vowel, or a null QChar when that accent does not go on it.
    static QChar compor(QChar acento, QChar vogal);

private:
    void inserir(const QString& s);

    QString m_texto;
    int m_cursor = 0;
    bool m_shift = false;
    bool m_caps = false;
    QChar m_acento;
};
