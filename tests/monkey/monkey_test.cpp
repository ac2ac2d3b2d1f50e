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
