#include "controls/ui/frmCalendarioDATA.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

frmCalendarioDATA::frmCalendarioDATA(const QDate& data, const QString& notas, QWidget* pai) : QDialog(pai) {
    setWindowTitle(QStringLiteral("Calendário"));
    setObjectName(QStringLiteral("frmCalendarioDATA"));
    calendario = new QCalendarWidget(this);
    calendario->setObjectName(QStringLiteral("MonthView1"));
    calendario->setLocale(QLocale(QLocale::Portuguese, QLocale::Portugal));
    calendario->setFirstDayOfWeek(Qt::Monday);
    calendario->setGridVisible(true);
    calendario->setSelectedDate(data.isValid() ? data : QDate::currentDate());

    lblNotas = new QLabel(QStringLiteral("Notas:"), this);
    lblNotas->setObjectName(QStringLiteral("lblNotas"));
    lblTextoNotas = new QLabel(notas, this);
    lblTextoNotas->setObjectName(QStringLiteral("lblTextoNotas"));
    lblTextoNotas->setWordWrap(true);
    lblTextoNotas->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Without notes the buttons sit right under the calendar.
    lblNotas->setVisible(!notas.trimmed().isEmpty());
    lblTextoNotas->setVisible(!notas.trimmed().isEmpty());

    cmdSelecionar = new QPushButton(QStringLiteral("&Selecionar"), this);
    cmdSelecionar->setObjectName(QStringLiteral("cmdSelecionar"));
    cmdSelecionar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));

    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(cmdSelecionar);
    botoes->addWidget(cmdCancelar);
    auto* l = new QVBoxLayout(this);
    l->addWidget(calendario);
    l->addWidget(lblNotas);
    l->addWidget(lblTextoNotas);
    l->addLayout(botoes);

    connect(cmdSelecionar, &QPushButton::clicked, this, &frmCalendarioDATA::selecionar);
    connect(calendario, &QCalendarWidget::activated, this, &frmCalendarioDATA::selecionar);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void frmCalendarioDATA::selecionar() {
    m_escolhida = calendario->selectedDate();
    accept();
}

std::optional<QDate> frmCalendarioDATA::escolher(QWidget* pai, const QDate& data, const QString& notas) {
    frmCalendarioDATA f(data, notas, pai);
    if (f.exec() != QDialog::Accepted)
        return std::nullopt;
    return f.escolhida();
}
