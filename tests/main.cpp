#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/DataFolder.h"

// One QApplication for every test; widgets run headless.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Settings of its own: the test processes ctest runs side by side must
    // not see each other's stored balance, operator or ledger server.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quilvane Inc.");
    QApplication::setApplicationName("vyn8_rk47_tests");
    // A test that sets up no data folder of its own writes here, never into
    // the build folder.
    QTemporaryDir dataFolder;
    SetDataFolder(dataFolder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
