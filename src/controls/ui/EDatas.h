#pragma once

#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;
class UserInteraction;

// Date field with day completion ("7" is the 7th of this month, "2003" the 20th of March) and
// up/down arrows that move a valid date by one day. F4 opens the calendar.
// A text that makes no date shows "Data Inválida <text>!" and the field keeps the focus.
class EDatas : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QDate DataSys READ DataSys WRITE setDataSys NOTIFY alterado)
    Q_PROPERTY(QString Conteudo READ Conteudo WRITE setConteudo)
    Q_PROPERTY(QString LongData READ LongData)
    Q_PROPERTY(QFont Fonte READ Fonte WRITE setFonte)
public:
    explicit EDatas(QWidget* pai = nullptr);

    void setUserInteraction(UserInteraction* ui) { m_ui = ui; }
    // The day the completion counts from (today unless set, for tests and fixed-date windows).
    void setHoje(const QDate& d) { m_hoje = d; }

    QDate DataSys() const { return m_data; }
    void setDataSys(const QDate& d);
    QString Conteudo() const;
    void setConteudo(const QString& t);
    QString LongData() const;
    QFont Fonte() const;
    void setFonte(const QFont& f);

    // Completes the typed text; false (with the message) when it is no date.
    bool validar();
    void Refresh();
    void diaSeguinte();
    void diaAnterior();
    // Opens the calendar on the field's date and takes the chosen one.
    void abrirCalendario();

    QLineEdit* campo() const { return m_campo; }

signals:
    void alterado();
    void enterPremido();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void mudarData(const QDate& d);

    QLineEdit* m_campo;
    QToolButton* m_sobe;
    QToolButton* m_desce;
    UserInteraction* m_ui = nullptr;
    QDate m_data;
    QDate m_hoje;
    bool m_aValidar = false;
};
