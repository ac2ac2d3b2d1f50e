#include "design_font.h"
#include "design_palette.h"
#include "form1.h"
#include "frame_pacer.h"
#include "mersenne_draw.h"
#include "monotonic_clock.h"
#include "qt_beeper.h"
#include "qt_message_box.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.kubiq"));
    QApplication::setFont(kubiq::designFont()); // the message box too; no second face to load
    kubiq::MonotonicClock clock;
    kubiq::MersenneDraw random;
    kubiq::QtBeeper beeper;
    kubiq::QtMessageBox messageBox(kubiq::designPalette());
    kubiq::FramePacer pacer;
    kubiq::Form1 window({clock, random, beeper, messageBox, pacer});
    window.showNormal(); // the designed size; a browser would show a window full screen
    return app.exec();
}
