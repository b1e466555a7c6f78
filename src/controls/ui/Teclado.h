#pragma once

#include <QList>

class QWidget;

// Keyboard use of a window, called at the end of its constructor once every control exists:
// the Tab order follows reading order as the layouts place the controls (a grid by row then
// column, a box in its own direction, panels shown later included), and each control that the
// screen reader cannot name gets the text of the label beside it (to its left in the row, or
// above it) as buddy and accessible name.
void PrepararTeclado(QWidget* janela);

// The window's Tab-reachable controls in reading order, as PrepararTeclado chains them.
QList<QWidget*> ControlosEmLeitura(QWidget* janela);
