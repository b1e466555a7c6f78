#pragma once

#include <QProcess>
#include <QString>

// The report line a child test process writes after `marca`, or "" when it ended (or took more
// than a minute) without one.
QString relatorioFilho(QProcess& p, const char* marca);
