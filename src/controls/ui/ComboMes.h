#pragma once

#include "controls/ui/ComboNomes.h"

// Month chooser: the twelve month names, Mes 1..12.
class ComboMes : public ComboNomes {
    Q_OBJECT
    Q_PROPERTY(int Mes READ Mes WRITE setMes NOTIFY alterado)
    Q_PROPERTY(QString DMes READ DMes)
public:
    explicit ComboMes(QWidget* pai = nullptr);

    int Mes() const { return currentIndex() + 1; }
    // Outside 1..12 no month is chosen.
    void setMes(int mes) { escolher(mes); }
    QString DMes() const { return currentText(); }
};
