#pragma once

#include <QColor>
#include <QComboBox>

// Weekday chooser: Dia 1..7, 1 = "Domingo".
class ComboSem : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(int Dia READ Dia WRITE setDia NOTIFY alterado)
    Q_PROPERTY(QString dsemana READ dsemana)
    Q_PROPERTY(QColor Forecor READ Forecor WRITE setForecor)
    Q_PROPERTY(QColor Backcor READ Backcor WRITE setBackcor)
    Q_PROPERTY(bool Acesso READ Acesso WRITE setAcesso)
    Q_PROPERTY(QFont Fonte READ font WRITE setFont)
public:
    explicit ComboSem(QWidget* pai = nullptr);

    int Dia() const { return currentIndex() + 1; }
    // Outside 1..7 no day is chosen.
    void setDia(int dia);
    QString dsemana() const { return currentText(); }
    QColor Forecor() const { return m_fore; }
    void setForecor(const QColor& c);
    QColor Backcor() const { return m_back; }
    void setBackcor(const QColor& c);
    bool Acesso() const { return focusPolicy() != Qt::NoFocus; }
    void setAcesso(bool sim) { setFocusPolicy(sim ? Qt::StrongFocus : Qt::NoFocus); }
    void Refresh();

signals:
    void alterado();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QColor m_fore, m_back;
};
