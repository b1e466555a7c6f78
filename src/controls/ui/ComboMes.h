#pragma once

#include <QColor>
#include <QComboBox>

// Month chooser: the twelve month names, Mes 1..12.
class ComboMes : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(int Mes READ Mes WRITE setMes NOTIFY alterado)
    Q_PROPERTY(QString DMes READ DMes)
    Q_PROPERTY(QColor Forecor READ Forecor WRITE setForecor)
    Q_PROPERTY(QColor Backcor READ Backcor WRITE setBackcor)
    Q_PROPERTY(bool Acesso READ Acesso WRITE setAcesso)
    Q_PROPERTY(QFont Fonte READ font WRITE setFont)
public:
    explicit ComboMes(QWidget* pai = nullptr);

    int Mes() const { return currentIndex() + 1; }
    // Outside 1..12 no month is chosen.
    void setMes(int mes);
    QString DMes() const { return currentText(); }
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
