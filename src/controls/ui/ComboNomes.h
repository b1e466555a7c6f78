#pragma once

#include <QColor>
#include <QComboBox>

// A chooser of a fixed list of names (months, weekdays): colours, access and the Enter/Esc moves
// shared by both; the subclasses name the chosen position as their callers know it.
class ComboNomes : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QColor Forecor READ Forecor WRITE setForecor)
    Q_PROPERTY(QColor Backcor READ Backcor WRITE setBackcor)
    Q_PROPERTY(bool Acesso READ Acesso WRITE setAcesso)
    Q_PROPERTY(QFont Fonte READ font WRITE setFont)
public:
    ComboNomes(const QStringList& nomes, QWidget* pai);

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
    // 1-based position; outside 1..count no name is chosen.
    void escolher(int posicao) { setCurrentIndex(posicao >= 1 && posicao <= count() ? posicao - 1 : -1); }
    void keyPressEvent(QKeyEvent* e) override;

private:
    QColor m_fore, m_back;
};
