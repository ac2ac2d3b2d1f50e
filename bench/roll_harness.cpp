// A roll as the player sees it: the real window on the real clock, its roll button clicked.
//
//   roll_harness [--runs N] [--busy] [--listen] [-platform NAME]
//
// Prints one line per roll: the wall time from the click to the final faces shown, the passes
// of the animation, the paints of the dice and the processor time of the whole process. With
// --busy the passes follow each other without a pause: the baseline of a roll that keeps a core
// busy. With --listen it first prints the window's id and waits for a line on its input, so
// that another program can watch the window's damage on the X server during the rolls.

#include "form1.h"
#include "frame_pacer.h"
#include "harness.h"
#include "mersenne_draw.h"
#include "monotonic_clock.h"
#include "qt_beeper.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <array>
#include <cstdio>
#include <iostream>
#include <string>

namespace kubiq::bench {
namespace {

// Counts the passes of the animation: one more than the pauses between them.
class CountingPacer final : public Pacer {
public:
    explicit CountingPacer(Pacer* paced) : m_paced(paced) {}
    void awaitNextFrame() override {
        ++frames;
        if (m_paced)
            m_paced->awaitNextFrame();
    }
    int frames = 0;

private:
    Pacer* m_paced;
};

QLabel* LabelWAnzeige(const Form1& window, int die) {
    return window.findChild<QLabel*>(QStringLiteral("LabelWAnzeige(%1)").arg(die));
}

} // namespace

int runHarness(int argc, char** argv) {
    const int runs = intArgument(argc, argv, "--runs", 10);
    const bool busy = hasArgument(argc, argv, "--busy");

    MonotonicClock clock;
    MersenneDraw random;
    QtBeeper beeper;
    SilentMessageBox messageBox;
    FramePacer framePacer;
    CountingPacer pacer(busy ? nullptr : &framePacer);
    Form1 window({clock, random, beeper, messageBox, pacer});

    PaintCounter diePaints;
    for (int i = 0; i < kDiceCount; ++i)
        LabelWAnzeige(window, i)->installEventFilter(&diePaints);
    auto* rollButton = window.findChild<QPushButton*>(QStringLiteral("CommandWuerfeln"));
    std::array<QPushButton*, kCategoryCount> categories{};
    for (int c = 0; c < kCategoryCount; ++c)
        categories[c] = window.findChild<QPushButton*>(QStringLiteral("ComandPHalten(%1)").arg(c));

    showAndWaitForFirstFrame(window);
    if (hasArgument(argc, argv, "--listen")) {
        // The dice's row in the window, where their repaints damage it.
        const QRect die = LabelWAnzeige(window, 0)->geometry();
        const int top = LabelWAnzeige(window, 0)->mapTo(&window, QPoint(0, 0)).y();
        std::printf("{\"window\": %llu, \"dice_top\": %d, \"dice_bottom\": %d}\n",
                    static_cast<unsigned long long>(window.winId()), top, top + die.height());
        std::fflush(stdout);
        std::string go;
        std::getline(std::cin, go);
    }

    for (int i = 0; i < runs; ++i) {
        if (!rollButton->isEnabled()) {
            // The turn's three rolls are made: enter it, so that the next roll starts a turn.
            for (int c = 0; c < kCategoryCount; ++c) {
                if (categories[c]->isEnabled()) {
                    QTest::mouseClick(categories[c], Qt::LeftButton);
                    break;
                }
            }
            processEventsFor(0.05);
        }
        if (!rollButton->isEnabled()) {
            std::fputs("the roll button stays disabled\n", stderr);
            return 3;
        }
        pacer.frames = 0;
        diePaints.paints = 0;
        const double cpuBefore = processorSeconds();
        const double clicked = monotonicSeconds();
        QTest::mouseClick(rollButton, Qt::LeftButton);
        const double rolled = monotonicSeconds();
        // The rest of the board (tips, caption) follows in the same frame.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const double shown = monotonicSeconds();
        const double cpu = processorSeconds() - cpuBefore;
        printResult(busy ? "roll_busy" : "roll", {{"wall_ms", (shown - clicked) * 1e3},
                                                  {"handler_ms", (rolled - clicked) * 1e3},
                                                  {"cpu_ms", cpu * 1e3},
                                                  {"passes", pacer.frames + 1},
                                                  {"die_paints", diePaints.paints},
                                                  {"t_click", clicked},
                                                  {"t_shown", shown}});
        // A gap between rolls, so that an observer can tell them apart.
        processEventsFor(0.2);
    }
    return 0;
}

} // namespace kubiq::bench
