#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProd"));
    QTextStream(stderr) << "Uso: wlumoprod-cli <comando>\n";
    return 1;
}
