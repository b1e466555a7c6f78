#pragma once

#include "controls/ui/ComboNomes.h"

// Weekday chooser: Dia 1..7, 1 = "Domingo".
class ComboSem : public ComboNomes {
    Q_OBJECT
    Q_PROPERTY(int Dia READ Dia WRITE setDia NOTIFY alterado)
    Q_PROPERTY(QString dsemana READ dsemana)
public:
    explicit ComboSem(QWidget* pai = nullptr);

    int Dia() const { return currentIndex() + 1; }
    // Outside 1..7 no day is chosen.
    void setDia(int dia) { escolher(dia); }
    QString dsemana() const { return currentText(); }
};
