#include "support/RelatorioFilho.h"

#include <QDeadlineTimer>

QString relatorioFilho(QProcess& p, const char* marca) {
    QByteArray saida;
    QDeadlineTimer prazo(60000);
    while (!prazo.hasExpired()) {
        saida += p.readAllStandardOutput();
        const qsizetype i = saida.indexOf(marca);
        const qsizetype fim = i >= 0 ? saida.indexOf('\n', i) : -1;
        if (fim >= 0)
            return QString::fromUtf8(saida.mid(i + qstrlen(marca), fim - i - qstrlen(marca)));
        if (p.state() == QProcess::NotRunning && !p.bytesAvailable())
            return {};
        p.waitForReadyRead(500);
    }
    return {};
}
