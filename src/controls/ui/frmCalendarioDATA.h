#pragma once

#include <QDate>
#include <QDialog>
#include <optional>

class QCalendarWidget;
class QLabel;
class QPushButton;

// "Calendário": a month calendar opened on a date; "&Selecionar" (or double-clicking a day)
// returns the date, "&Cancelar" nothing. Notes given by the caller show under "Notas:".
class frmCalendarioDATA : public QDialog {
    Q_OBJECT
public:
    explicit frmCalendarioDATA(const QDate& data, const QString& notas = {}, QWidget* pai = nullptr);

    std::optional<QDate> escolhida() const { return m_escolhida; }

    // Runs the window; the chosen date, or nullopt when cancelled.
    static std::optional<QDate> escolher(QWidget* pai, const QDate& data, const QString& notas = {});

    QCalendarWidget* calendario;
    QLabel* lblNotas;
    QLabel* lblTextoNotas;
    QPushButton* cmdSelecionar;
    QPushButton* cmdCancelar;

private:
    void selecionar();
    std::optional<QDate> m_escolhida;
};
