#include "monkey.h"

#include "form1.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <string>

namespace kubiq::monkey {
namespace {

// What a run did, event by event: the event, then the dice, Versuch and Runde after it.
std::string journal(std::uint64_t seed, long events) {
    Monkey monkey(seed);
    std::string shown;
    monkey.afterEvent = [&](long event, const std::string& what) {
        shown += std::to_string(event) + " " + what + ":";
        for (int i = 0; i < 5; ++i) {
            const auto* die =
                monkey.window().findChild<QLabel*>(QStringLiteral("LabelWAnzeige(%1)").arg(i));
            shown += die->text().toStdString() + ",";
        }
        shown += std::to_string(monkey.window().Versuch()) + "/" +
                 std::to_string(monkey.window().Runde()) + "\n";
    };
    EXPECT_TRUE(monkey.run(events)) << monkey.failure();
    return shown;
}

TEST(Monkey, TheSameSeedReplaysTheSameRunAndAnotherSeedAnother) {
    const std::string first = journal(11, 1500);
    EXPECT_EQ(journal(11, 1500), first);
    EXPECT_NE(journal(12, 1500), first);
}

TEST(Monkey, ReachesEveryPartOfTheGame) {
    Monkey monkey(3);
    ASSERT_TRUE(monkey.run(6000)) << monkey.failure();
    const MonkeyCounts& counts = monkey.counts();
    EXPECT_EQ(counts.events, 6000);
    EXPECT_GE(counts.gamesFinished, 3) << "whole games are played";
    EXPECT_GE(counts.panelsOpened, counts.gamesFinished) << "each one looked up in the history";
    EXPECT_GE(counts.closes, 1) << "the window is closed now and then";
    EXPECT_GE(counts.beeps, 1) << "refused clicks are made";
    EXPECT_GE(counts.animatedClicks, 1) << "mnemonics are pressed";
    EXPECT_TRUE(monkey.window().isVisible()) << "and play goes on after a close";
}

TEST(Monkey, StopsAtTheEventThatBreaksARuleAndNamesIt) {
    Monkey monkey(5);
    monkey.afterEvent = [&](long event, const std::string&) {
        if (event == 700) {
            monkey.window()
                .findChild<QLabel*>(QStringLiteral("LabelPunkte(106)"))
                ->setText(QStringLiteral("999"));
        }
    };
    EXPECT_FALSE(monkey.run(2000));
    EXPECT_EQ(monkey.failedEvent(), 700);
    EXPECT_EQ(monkey.counts().events, 700) << "no event after the fault";
    EXPECT_NE(monkey.failure().find("event 700 ("), std::string::npos) << monkey.failure();
    EXPECT_NE(monkey.failure().find("LabelPunkte(106) reads \"999\""), std::string::npos)
        << monkey.failure();
}

QWidget* openCoach(Monkey& monkey) {
    auto* coach = monkey.window().findChild<QWidget*>(QStringLiteral("CoachWindow"));
    return coach && coach->isVisible() ? coach : nullptr;
}

TEST(Monkey, KeepsTheCoachOpenMostOfTheTimeAndClosesAndReopensIt) {
    Monkey monkey(3, true);
    std::string open; // after each event: 1 while the coach is open, 0 while it is closed
    monkey.afterEvent = [&](long, const std::string&) { open += openCoach(monkey) ? '1' : '0'; };
    ASSERT_TRUE(monkey.run(3000)) << monkey.failure();
    EXPECT_GE(monkey.counts().coachChecks, 2700) << "open after nine events in ten";
    EXPECT_NE(open.find("01"), std::string::npos) << "closed and opened again";
    EXPECT_GE(monkey.counts().gamesFinished, 3) << "whole games are played with it open";
    EXPECT_GE(monkey.counts().warnings, 3) << "costly entries are warned of";
    EXPECT_GE(monkey.counts().viewsShown, 20) << "the review and its chart are shown";
}

TEST(Monkey, StopsWhenTheCoachsAdviceIsNotForTheBoardOnScreen) {
    Monkey monkey(5, true);
    long tamperedAt = 0;
    monkey.afterEvent = [&](long event, const std::string&) {
        if (QWidget* coach = openCoach(monkey); coach && event >= 700 && tamperedAt == 0) {
            tamperedAt = event;
            coach->findChild<QLabel*>(QStringLiteral("Erwartet"))
                ->setText(QStringLiteral("Erwartete Endsumme bei bester Spielweise: 999,9"));
        }
    };
    EXPECT_FALSE(monkey.run(2000));
    EXPECT_EQ(monkey.failedEvent(), tamperedAt);
    EXPECT_NE(monkey.failure().find("the coach's line Erwartet reads \"Erwartete Endsumme bei "
                                    "bester Spielweise: 999,9\" instead of"),
              std::string::npos)
        << monkey.failure();
}

TEST(Monkey, AWindowClosedByAKeyOtherThanItsMnemonicIsAFault) {
    Monkey monkey(5);
    long closedAt = 0;
    monkey.afterEvent = [&](long event, const std::string& what) {
        if (closedAt == 0 && what == "Tab") {
            closedAt = event;
            monkey.window().close();
        }
    };
    EXPECT_FALSE(monkey.run(2000));
    EXPECT_EQ(monkey.failedEvent(), closedAt);
    EXPECT_NE(monkey.failure().find("(Tab): the window closed"), std::string::npos)
        << monkey.failure();
}

} // namespace
} // namespace kubiq::monkey
