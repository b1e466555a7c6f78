#include "cli/LinhaComandosCli.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Printing needs fonts, hence a GUI application; the command line never shows a window, so it
    // runs offscreen unless told otherwise, display or not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProd"));
    QByteArray saida;
    const int codigo = executarLinhaComandos(QCoreApplication::arguments().mid(1), &saida);
    std::fwrite(saida.constData(), 1, size_t(saida.size()), stdout);
    return codigo;
}
