#pragma once

#include <QColor>
#include <QFont>

class QWidget;
class UserInteraction;

// Enter moves to the next field and Esc to the previous one, as a Tab / Shift+Tab would.
void moverFoco(QWidget* origem, bool seguinte);

// Colours of an input field (invalid colours leave the style's own).
void aplicarCores(QWidget* campo, const QColor& texto, const QColor& fundo);

// The interaction a field uses for its messages: the one it was given, or real dialogs over it.
UserInteraction& interaccaoDoCampo(QWidget* campo, UserInteraction* dada);
