#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// The report line a child test process writes after `marca`, or "" when it ended (or took more
// than a minute) without one.
QString relatorioFilho(QProcess& p, const char* marca);

// Starts this test program again as a child that runs only the disabled test `teste`
// ("Suite.DISABLED_Nome") with the variables given added to the environment; the caller owns it.
QProcess* iniciarFilho(const char* teste, const QList<std::pair<QString, QString>>& variaveis,
                       QObject* dono = nullptr);
