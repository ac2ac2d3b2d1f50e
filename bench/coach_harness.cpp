// The coach opened for the first time, as the player opens it: the real window on the real
// clock, F2 pressed after a roll.
//
//   coach_harness --table PATH [-platform NAME]
//
// Prints one line: the wall time from F2 until the coach's advice is painted, table read
// included, and the processor time it took. Each run is a process of its own, since only the
// first opening reads the table. With a PATH where there is no table the coach only says so:
// the baseline of opening its window at all.

#include "form1.h"
#include "frame_pacer.h"
#include "harness.h"
#include "mersenne_draw.h"
#include "monotonic_clock.h"
#include "qt_beeper.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <string>

namespace kubiq::bench {

int runHarness(int argc, char** argv) {
    const std::string table = stringArgument(argc, argv, "--table");
    MonotonicClock clock;
    MersenneDraw random;
    QtBeeper beeper;
    SilentMessageBox messageBox;
    FramePacer pacer;
    Form1 window({clock, random, beeper, messageBox, pacer, {table}});
    showAndWaitForFirstFrame(window);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("CommandWuerfeln")),
                      Qt::LeftButton);
    processEventsFor(0.1);

    const double cpuBefore = processorSeconds();
    const double pressed = monotonicSeconds();
    window.toggleCoach();
    auto* coach = window.findChild<QWidget*>(QStringLiteral("CoachWindow"));
    PaintCounter paints;
    for (QWidget* part : coach->findChildren<QWidget*>())
        part->installEventFilter(&paints);
    // Polled finely: QTest::qWaitFor would sleep ten milliseconds at a time.
    while (paints.paints == 0) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (monotonicSeconds() - pressed > 5.0) {
            std::fputs("the coach was never painted\n", stderr);
            return 2;
        }
    }
    const double painted = monotonicSeconds();
    printResult("coach_open", {{"wall_ms", (painted - pressed) * 1e3},
                               {"cpu_ms", (processorSeconds() - cpuBefore) * 1e3}});
    return 0;
}

} // namespace kubiq::bench
