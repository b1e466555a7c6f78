#include "printing/FolhaLoteImpressao.h"
#include "cli/LinhaComandosCli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // Only printing needs fonts, hence a GUI application; every other command stays headless.
    const bool imprime = argc >= 3 && qstrcmp(argv[1], "producao") == 0 && qstrcmp(argv[2], "folha") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (imprime) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        InstalarImpressaoFolhaLote();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProd"));
    QByteArray saida;
    const int codigo = executarLinhaComandos(QCoreApplication::arguments().mid(1), &saida);
    std::fwrite(saida.constData(), 1, size_t(saida.size()), stdout);
    return codigo;
}
