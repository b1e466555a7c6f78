#include <QApplication>
#include <gtest/gtest.h>

// Window tests run offscreen; QT_QPA_PLATFORM is set before the application starts.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGestTestes"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProdTestes"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
