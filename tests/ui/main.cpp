#include "quiet_offscreen.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// The window tests run headless unless a platform is chosen.
int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    kubiq::test::quietOffscreen();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
