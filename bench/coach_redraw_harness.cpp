// The coach beside the game redrawn after each click on a die, as the player clicks: the real
// window on the real clock, the coach open, dice held and freed one at a time and now and then
// rolled again (a roll's own time is its animation's, and is not counted).
//
//   coach_redraw_harness --table PATH [--clicks N] [-platform NAME]
//
// Prints one line: the median and the slowest wall time from a click until the whole coach has
// been painted anew, and, on the same boards in the same run, the median time of the coach's work
// alone: one analysis of the board as the coach now makes it, and the three evaluations
// (advice, ranking, reason) it made before.

#include "board_analysis.h"
#include "board_page.h"
#include "form1.h"
#include "frame_pacer.h"
#include "harness.h"
#include "mersenne_draw.h"
#include "monotonic_clock.h"
#include "qt_beeper.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

namespace kubiq::bench {

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

} // namespace

int runHarness(int argc, char** argv) {
    const std::string table = stringArgument(argc, argv, "--table");
    const int clicks = intArgument(argc, argv, "--clicks", 60);
    std::variant<Coach, TableProblem> loaded = Coach::load(table);
    if (!std::holds_alternative<Coach>(loaded)) {
        std::fputs("no table\n", stderr);
        return 2;
    }
    const Coach& coach = std::get<Coach>(loaded);
    MonotonicClock clock;
    MersenneDraw random;
    QtBeeper beeper;
    SilentMessageBox messageBox;
    FramePacer pacer;
    Form1 window({clock, random, beeper, messageBox, pacer, {table}});
    showAndWaitForFirstFrame(window);
    auto* roll = window.findChild<QPushButton*>(QStringLiteral("CommandWuerfeln"));
    QTest::mouseClick(roll, Qt::LeftButton);
    processEventsFor(0.6); // the roll's animation
    window.toggleCoach();
    auto* coachWindow = window.findChild<QWidget*>(QStringLiteral("CoachWindow"));
    processEventsFor(0.3);
    // The board on show, as the coach's page has it.
    const auto* page =
        static_cast<const BoardPage*>(coachWindow->findChild<QWidget*>(QStringLiteral("Brett")));
    PaintCounter paints;
    for (QWidget* part : coachWindow->findChildren<QWidget*>())
        part->installEventFilter(&paints);

    std::vector<double> redraws;
    std::vector<double> analyses;
    std::vector<double> before;
    for (int i = 0; static_cast<int>(redraws.size()) < clicks; ++i) {
        // Four holds toggled, then a roll; after the turn's last roll, the first open category
        // entered and the next turn's first roll.
        QPushButton* button = nullptr;
        if (window.Versuch() > kRollsPerTurn) {
            for (int c = 0; c < kCategoryCount && !button; ++c)
                if (auto* category =
                        window.findChild<QPushButton*>(QStringLiteral("ComandPHalten(%1)").arg(c));
                    category && category->isEnabled())
                    button = category;
            if (!button)
                break; // the game is over
            QTest::mouseClick(button, Qt::LeftButton);
            button = roll;
        } else if (i % 5 == 4) {
            button = roll;
        } else {
            button =
                window.findChild<QPushButton*>(QStringLiteral("CommandWHalten(%1)").arg(i % 5));
        }
        if (button == nullptr || !button->isEnabled())
            continue;
        if (button == roll) {
            QTest::mouseClick(button, Qt::LeftButton);
            processEventsFor(0.6);
            continue;
        }
        processEventsFor(0.02);
        // The click follows the board at once; the layout it asks for and the painting of the
        // whole coach then run as the next pass of the event loop would run them.
        paints.paints = 0;
        const double clicked = monotonicSeconds();
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        coachWindow->repaint();
        if (paints.paints == 0) {
            std::fputs("the coach was not painted\n", stderr);
            return 2;
        }
        redraws.push_back((monotonicSeconds() - clicked) * 1e3);
        const Position board = page->analysis()->board;
        double start = monotonicSeconds();
        const std::optional<BoardAnalysis> analysis = analyse(coach, board);
        analyses.push_back((monotonicSeconds() - start) * 1e3);
        start = monotonicSeconds();
        const std::optional<Advice> advice = coach.advise(board);
        const std::vector<RankedHold> ranking = coach.rankHolds(board);
        const std::optional<Explanation> why = coach.explain(board, {board.heldFaces(), -1});
        before.push_back((monotonicSeconds() - start) * 1e3);
        if (!analysis || !advice || ranking.empty() || !why) {
            std::fputs("a board without advice\n", stderr);
            return 2;
        }
    }
    printResult(
        "coach_redraw",
        {{"redraw_ms", median(redraws)},
         {"slowest_ms", redraws.empty() ? 0.0 : *std::max_element(redraws.begin(), redraws.end())},
         {"analysis_ms", median(analyses)},
         {"three_evaluations_ms", median(before)},
         {"clicks", static_cast<double>(redraws.size())}});
    return 0;
}

} // namespace kubiq::bench
