#include "shell/Arranque.h"
#include "shell/GlobalContext.h"
#include "shell/InstanciaUnica.h"
#include "shell/ui/CicloPrograma.h"
#include "shell/ui/QtUserInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace {
const QString NomePrograma = QStringLiteral("WLumoProd");
}

int main(int argc, char** argv) {
    // Service calls never show a window, so they are handled before the GUI exists.
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    const QString pasta = QFileInfo(argumentos.value(0)).absolutePath();
    if (TrataLinhaComando(LinhaComandoDosArgumentos(argumentos), pasta, NomePrograma, LUMO_VERSAO_MAJOR,
                          LUMO_VERSAO_MINOR, LUMO_VERSAO_REVISAO) == AccaoLinhaComando::Terminar)
        return 0;

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(NomePrograma);
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(LUMO_VERSAO_MAJOR).arg(LUMO_VERSAO_MINOR).arg(LUMO_VERSAO_REVISAO));

    QtUserInteraction ui;
    InstanciaUnica instancia(NomePrograma);
    if (!verificarInstanciaUnica(instancia, ui))
        return 1;

    GlobalContext ctx;
    return CicloPrograma(ctx, ui).executar();
}
