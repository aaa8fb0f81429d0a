#include "ui/Application.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Widget tests run without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    lt::Application app(argc, argv);
    // Backups and settings that tests make go to a test folder, never to the
    // user's own.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
