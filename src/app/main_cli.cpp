#include "shell/LinhaComandosCli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProd"));
    QByteArray saida;
    const int codigo = executarLinhaComandos(app.arguments().mid(1), &saida);
    std::fwrite(saida.constData(), 1, size_t(saida.size()), stdout);
    return codigo;
}
