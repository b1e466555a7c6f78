#include "support/RelatorioFilho.h"

#include <QCoreApplication>
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

QProcess* iniciarFilho(const char* teste, const QList<std::pair<QString, QString>>& variaveis, QObject* dono) {
    auto* p = new QProcess(dono);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [nome, valor] : variaveis)
        env.insert(nome, valor);
    p->setProcessEnvironment(env);
    p->setProgram(QCoreApplication::applicationFilePath());
    p->setArguments({QStringLiteral("--gtest_filter=") + QLatin1String(teste),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start();
    return p;
}
