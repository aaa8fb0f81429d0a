#include "app/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Widget tests run without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    lt::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
