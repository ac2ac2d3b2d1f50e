// The help panel and the end of a game with a long history, on the real window.
//
//   history_harness [--runs N] [--games G] [-platform NAME]
//
// The window runs on scripted services (one pass a roll, faces from a fixed script, a game-over
// box that needs no answer) and its history is filled by clicking its own buttons: a roll and
// an entry, thirteen times a game. The window is hidden while it fills, so that the thousands
// of boards in between are not drawn, and shown again before each measurement.
//
// Prints the time of N openings of the help panel (the click on CommandHelp until the panel is
// drawn) at 0, 1000 (or G - 1, if less) and G games (32,767 by default), and the time of the
// click that finishes the game that takes the history from G - 1 to G games.

#include "form1.h"
#include "harness.h"
#include "scripted_services.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace kubiq::bench {
namespace {

class CountingMessageBox final : public MessageBox {
public:
    void information(std::string_view, std::string_view) override { ++shown; }
    int shown = 0;
};

class Harness {
public:
    Harness()
        : m_window({m_clock, m_draws, m_beeper, m_messageBox, m_pacer}),
          m_roll(button("CommandWuerfeln")), m_help(button("CommandHelp")),
          m_ok(button("CommandOK")) {
        for (int c = 0; c < kCategoryCount; ++c)
            m_categories[c] = button(QStringLiteral("ComandPHalten(%1)").arg(c));
        // Faces that change from turn to turn, so that the totals differ from game to game.
        m_draws.scriptFaces("3141526535323264643261531524531636125");
    }

    int games() const { return m_messageBox.shown; }

    // Plays whole games through the hidden window's buttons until `games` are finished, less
    // the last entry of the last one when `lastEntryLeft` is set. Returns the processor time of
    // the slowest finishing click, in milliseconds.
    double playUntil(int games, bool lastEntryLeft) {
        m_window.hide();
        double slowest = 0.0;
        while (this->games() < games) {
            for (int c = 0; c < kCategoryCount; ++c) {
                m_roll->click();
                if (c == kCategoryCount - 1 && lastEntryLeft && this->games() == games - 1) {
                    m_window.show();
                    return slowest;
                }
                const double start = threadProcessorSeconds();
                m_categories[c]->click();
                if (c == kCategoryCount - 1)
                    slowest = std::max(slowest, (threadProcessorSeconds() - start) * 1e3);
            }
        }
        m_window.show();
        return slowest;
    }

    void measureHelpPanel(int runs) {
        showAndWaitForFirstFrame(m_window);
        for (int i = 0; i < runs; ++i) {
            const double start = monotonicSeconds();
            QTest::mouseClick(m_help, Qt::LeftButton);
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            const double shown = monotonicSeconds();
            printResult("help_panel", {{"games", games()}, {"ms", (shown - start) * 1e3}});
            QTest::mouseClick(m_ok, Qt::LeftButton);
            processEventsFor(0.05);
        }
    }

    // The click on the last open category of a game, with the window shown: from the click
    // until its handler has finished the game. (A mouse click would add the repaint of the
    // pressed button before it, which is the toolkit's and the same for every click.)
    void measureGameOver() {
        showAndWaitForFirstFrame(m_window);
        const int before = games();
        const double start = monotonicSeconds();
        m_categories[kCategoryCount - 1]->click();
        const double finished = monotonicSeconds();
        if (games() != before + 1) {
            std::fputs("the click did not finish the game\n", stderr);
            std::exit(3);
        }
        printResult("game_over", {{"games_before", before}, {"ms", (finished - start) * 1e3}});
    }

private:
    QPushButton* button(const QString& name) const {
        auto* found = m_window.findChild<QPushButton*>(name);
        if (!found) {
            std::fprintf(stderr, "no button %s\n", qPrintable(name));
            std::exit(2);
        }
        return found;
    }
    QPushButton* button(const char* name) const { return button(QLatin1String(name)); }

    ScriptedClock m_clock;
    ScriptedDraws m_draws;
    RecordingBeeper m_beeper;
    CountingMessageBox m_messageBox;
    ScriptedPacer m_pacer;
    Form1 m_window;
    QPushButton* m_roll;
    QPushButton* m_help;
    QPushButton* m_ok;
    std::array<QPushButton*, kCategoryCount> m_categories{};
};

} // namespace

int runHarness(int argc, char** argv) {
    const int runs = intArgument(argc, argv, "--runs", 10);
    const int games =
        std::clamp(intArgument(argc, argv, "--games", History::kMaxGames), 2, History::kMaxGames);

    Harness harness;
    harness.measureHelpPanel(runs);
    const double start = monotonicSeconds();
    double slowest = harness.playUntil(std::min(1000, games - 1), false);
    harness.measureHelpPanel(runs);
    slowest = std::max(slowest, harness.playUntil(games, true));
    printResult("fill", {{"games", games - 1},
                         {"seconds", monotonicSeconds() - start},
                         {"slowest_finish_ms", slowest}});
    harness.measureGameOver();
    harness.measureHelpPanel(runs);
    return 0;
}

} // namespace kubiq::bench
