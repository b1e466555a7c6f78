#pragma once

#include "common/AlertaOpcoes.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The option alert window over AlertaOpcoes.
class WAlert1 : public QDialog {
    Q_OBJECT
public:
    WAlert1(AlertaOpcoes& alerta, QWidget* pai = nullptr);

    QListWidget* List1 = nullptr;
    QPushButton* GravarG = nullptr;
    QPushButton* CancelarG = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void reject() override;

private:
    void escolher();
    AlertaOpcoes& m_alerta;
};
