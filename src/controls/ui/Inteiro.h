#pragma once

#include "controls/InteiroEdicao.h"

#include <QColor>
#include <QWidget>

class QLineEdit;
class QToolButton;

// Integer field with up/down arrows, kept between Minimo and Maximo. The arrows and the Up/Down
// keys move by one while inside the bounds; a typed value outside them is brought to the bound
// when the field is left or Enter is pressed.
class Inteiro : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint64 Valor READ valor WRITE setValor NOTIFY alterado)
    Q_PROPERTY(qint64 Maximo READ Maximo WRITE setMaximo)
    Q_PROPERTY(qint64 Minimo READ Minimo WRITE setMinimo)
    Q_PROPERTY(QColor Forecor READ Forecor WRITE setForecor)
    Q_PROPERTY(QColor Backcor READ Backcor WRITE setBackcor)
    Q_PROPERTY(QFont Fonte READ Fonte WRITE setFonte)
    Q_PROPERTY(bool Acesso READ Acesso WRITE setAcesso)
public:
    explicit Inteiro(QWidget* pai = nullptr);

    qint64 valor() const { return m_logica.valor; }
    void setValor(qint64 v);
    qint64 Maximo() const { return m_logica.maximo; }
    void setMaximo(qint64 v);
    qint64 Minimo() const { return m_logica.minimo; }
    void setMinimo(qint64 v);
    QColor Forecor() const { return m_fore; }
    void setForecor(const QColor& c);
    QColor Backcor() const { return m_back; }
    void setBackcor(const QColor& c);
    QFont Fonte() const;
    void setFonte(const QFont& f);
    bool Acesso() const { return m_acesso; }
    void setAcesso(bool sim);

    void Refresh();
    void subir();
    void descer();

    QLineEdit* campo() const { return m_campo; }
    QToolButton* botaoSobe() const { return m_sobe; }
    QToolButton* botaoDesce() const { return m_desce; }

signals:
    void alterado();
    void enterPremido();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void concluir();

    InteiroEdicao m_logica;
    QLineEdit* m_campo;
    QToolButton* m_sobe;
    QToolButton* m_desce;
    QColor m_fore, m_back;
    bool m_acesso = true;
};
