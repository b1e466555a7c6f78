#include "common/Currency.h"
#include "shell/Arranque.h"
#include "company/GlobalContext.h"
#include "shell/InstanciaUnica.h"
#include "shell/ui/CicloPrograma.h"
#include "common/ui/QtUserInteraction.h"

#include <QApplication>
#include <QMessageBox>
#include <QDir>
#include <QFileInfo>

namespace {
const QString NomePrograma = QStringLiteral("WLumoProd");

// An amount beyond the money type stops the action that met it, never the program: postings have
// already rolled back by then, and the user is told why.
class Aplicacao : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* destino, QEvent* evento) override {
        try {
            return QApplication::notify(destino, evento);
        } catch (const EstouroMontante&) {
            QMessageBox::critical(nullptr, NomePrograma,
                                  QStringLiteral("Ultrapassou o valor limite: um montante ou quantidade não cabe "
                                                 "nos limites do programa.\nA operação foi anulada."));
            return false;
        }
    }
};
} // namespace

int main(int argc, char** argv) {
    // Service calls never show a window, so they are handled before the GUI exists.
    QStringList argumentos;
    for (int i = 0; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    const QString pasta = QFileInfo(argumentos.value(0)).absolutePath();
    if (TrataLinhaComando(LinhaComandoDosArgumentos(argumentos), pasta, NomePrograma, LUMO_VERSAO_MAJOR,
                          LUMO_VERSAO_MINOR, LUMO_VERSAO_REVISAO) == AccaoLinhaComando::Terminar)
        return 0;

    Aplicacao app(argc, argv);
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
