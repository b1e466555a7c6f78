#pragma once

class QLineEdit;
class QToolButton;
class QWidget;

// Lays out a text box with the small up/down arrows beside it, as the date and integer fields show
// them; the arrows repeat while held and never take the focus from the box.
void montarCampoComSetas(QWidget* dono, QLineEdit* campo, QToolButton* sobe, QToolButton* desce);
