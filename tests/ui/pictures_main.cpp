#include "quiet_offscreen.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// The reference images are drawn headless, in the faces and the way of drawing them that the
// test's own font configuration names, whatever the desktop's fonts, theme, style or density.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", KUBIQ_PICTURE_FONTS, 1);
    for (const char* setting : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_FONT_DPI",
                                "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"})
        unsetenv(setting);
    QApplication app(argc, argv);
    kubiq::test::quietOffscreen();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
