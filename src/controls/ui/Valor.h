#pragma once

#include "controls/ValorEdicao.h"

#include <QColor>
#include <QWidget>

class QLineEdit;
class UserInteraction;

// Decimal number field. While editing it shows the plain number ("1234.5"); on leaving, the
// Portuguese form with its decimals ("1.234,50"). Only digits, "-" and one decimal mark are typed;
// a value beyond the amount range is refused with a message and becomes 0.
class Valor : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int comprimento READ Comprimento WRITE setComprimento)
    Q_PROPERTY(int Decimais READ Decimais WRITE setDecimais)
    Q_PROPERTY(QString valor READ valorTexto WRITE setValorTexto)
    Q_PROPERTY(QString texto READ Texto WRITE setTexto)
    Q_PROPERTY(QString separador READ Separador WRITE setSeparador)
    Q_PROPERTY(QColor forecor READ Forecor WRITE setForecor)
    Q_PROPERTY(QColor backcor READ Backcor WRITE setBackcor)
    Q_PROPERTY(QFont Fontes READ Fonte WRITE setFonte)
    Q_PROPERTY(bool Acesso READ Acesso WRITE setAcesso)
    Q_PROPERTY(bool locked READ Locked WRITE setLocked)
    Q_PROPERTY(bool sepmilhares READ SepMilhares WRITE setSepMilhares)
public:
    explicit Valor(QWidget* pai = nullptr);

    void setUserInteraction(UserInteraction* ui) { m_ui = ui; }

    Currency valor() const { return m_logica.valor(); }
    void setValor(const Currency& v);
    QString valorTexto() const { return m_logica.valor().toShortString(); }
    void setValorTexto(const QString& t) { setValor(Currency::fromString(t)); }

    int Comprimento() const { return m_logica.comprimento; }
    void setComprimento(int n);
    int Decimais() const { return m_logica.decimais; }
    void setDecimais(int n);
    QString Texto() const;
    void setTexto(const QString& t);
    QString Separador() const { return m_logica.separador; }
    void setSeparador(const QString& s);
    QColor Forecor() const { return m_fore; }
    void setForecor(const QColor& c);
    QColor Backcor() const { return m_back; }
    void setBackcor(const QColor& c);
    QFont Fonte() const;
    void setFonte(const QFont& f);
    // Whether the user can reach the field with Tab and the mouse.
    bool Acesso() const { return m_acesso; }
    void setAcesso(bool sim);
    bool Locked() const;
    void setLocked(bool sim);
    bool SepMilhares() const { return m_logica.sepMilhares; }
    void setSepMilhares(bool sim);

    // Shows the value again in the form for outside editing.
    void Refresh();
    // Focus on the field with its whole text selected.
    void SelCtrl();

    QLineEdit* campo() const { return m_campo; }

signals:
    // Enter: first enterPremido, then teclaPremida(13).
    void enterPremido();
    void teclaPremida(int tecla);
    void alterado();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void textoEditado(const QString& t);
    void concluir();

    ValorEdicao m_logica;
    QLineEdit* m_campo;
    UserInteraction* m_ui = nullptr;
    QColor m_fore, m_back;
    bool m_acesso = true;
    bool m_aEditar = false;
};
