#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGest"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProd"));
    return 0;
}
