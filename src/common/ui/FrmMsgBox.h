#pragma once

#include "common/UserInteraction.h"

#include <QDialog>

// The button message window: a text and a row of buttons (the negative one first); the result is
// the 0-based position of the button pressed, or of the first button when the window is closed.
class FrmMsgBox : public QDialog {
    Q_OBJECT
public:
    FrmMsgBox(const QString& texto, const QString& titulo, const QStringList& botoes, UserInteraction::Icone icone,
              QWidget* pai = nullptr);
    int resultado() const { return m_resultado; }

private:
    int m_resultado = 0;
};
