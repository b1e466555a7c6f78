#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("LumoGestTestes"));
    QCoreApplication::setApplicationName(QStringLiteral("WLumoProdTestes"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
