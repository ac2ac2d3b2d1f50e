#include "game_fixture.h"

#include <chrono>
#include <vector>

namespace kubiq::test {
namespace {

using namespace std::chrono_literals;

using RollTest = GameTest;

TEST_F(RollTest, TheDesignStartsWithDisabledHoldButtonsAndLoadEnablesThem) {
    ScriptedClock c;
    ScriptedDraws d;
    RecordingBeeper b;
    RecordingMessageBox m;
    RecordingDisplay s;
    Game fresh(Services{c, d, b, m, s});
    EXPECT_FALSE(fresh.CommandWHaltenEnabled());
    fresh.load();
    EXPECT_TRUE(fresh.CommandWHaltenEnabled());
    EXPECT_EQ(d.seeds().size(), 1u) << "load seeds the draw once, from the clock";
}

TEST_F(RollTest, TheStartOfTheFirstTurn) {
    EXPECT_EQ(faces(), ".....");
    for (int i = 0; i < kDiceCount; ++i)
        EXPECT_FALSE(game.LabelWAnzeige(i).held);
    EXPECT_EQ(game.Versuch(), 1);
    EXPECT_EQ(game.Runde(), 1);
    EXPECT_EQ(game.CommandWuerfelnCaption(), "Würfeln  (1. Versuch)");
    EXPECT_TRUE(game.CommandWuerfelnEnabled());
    for (int c = 0; c < kCategoryCount; ++c) {
        EXPECT_TRUE(game.ComandPHaltenEnabled(c));
        EXPECT_EQ(game.LabelTip(c), std::nullopt);
        EXPECT_EQ(game.LabelPunkte(c), std::nullopt);
    }
    for (SumCell cell : kSumCells)
        EXPECT_EQ(game.LabelPunkte(cell), std::nullopt);
    EXPECT_EQ(game.history().AnzahlSpiele(), 0);
    EXPECT_EQ(game.history().GesamtPunkte(), 0.0);
    EXPECT_EQ(game.history().SpielstandText(), "");
}

TEST_F(RollTest, TheButtonCountsTheAttemptsOfATurn) {
    const struct {
        int versuch;
        const char* caption;
        bool enabled;
    } after[] = {
        {2, "Würfeln  (2. Versuch)", true},
        {3, "Würfeln  (3. Versuch)", true},
        {4, "Würfeln  (3. Versuch)", false},
    };
    for (const auto& row : after) {
        SCOPED_TRACE(row.versuch);
        roll("12345");
        EXPECT_EQ(game.Versuch(), row.versuch);
        EXPECT_EQ(game.CommandWuerfelnCaption(), row.caption);
        EXPECT_EQ(game.CommandWuerfelnEnabled(), row.enabled);
        EXPECT_TRUE(game.CommandWHaltenEnabled());
    }
}

TEST_F(RollTest, AFourthRollIsRefusedWithoutAChange) {
    for (int i = 0; i < 3; ++i)
        roll("12345");
    const auto drawn = draws.drawn();
    roll("66666");
    EXPECT_EQ(faces(), "12345");
    EXPECT_EQ(game.Versuch(), 4);
    EXPECT_EQ(draws.drawn(), drawn);
}

TEST_F(RollTest, EveryPassDrawsEachFreeDieInOrderAndTheLastPassStays) {
    clock.setStep(100ms); // the readings after the passes: 100, 200, 300, 400, 500 ms
    draws.scriptFaces("11111"
                      "22222"
                      "33333"
                      "44444"
                      "56123");
    game.roll();
    EXPECT_EQ(draws.drawn(), 25u);
    EXPECT_EQ(display.pauses(), 4) << "a pause between two passes, none after the last";
    const std::vector<int> oneToFive{0, 1, 2, 3, 4};
    std::vector<int> expected;
    for (int pass = 0; pass < 5; ++pass)
        expected.insert(expected.end(), oneToFive.begin(), oneToFive.end());
    EXPECT_EQ(display.repaints(), expected);
    EXPECT_EQ(faces(), "56123");
}

TEST_F(RollTest, AtLeastOnePassRunsWhenTheClockHasAlreadyRunOut) {
    clock.setStep(std::chrono::hours(1));
    roll("65432");
    EXPECT_EQ(draws.drawn(), 5u);
    EXPECT_EQ(display.pauses(), 0);
    EXPECT_EQ(faces(), "65432");
}

TEST_F(RollTest, TheAnimationEndsAtTheFirstReadingHalfASecondAfterItsStart) {
    // The roll starts at the clock's reading 500 ms, not at zero.
    const struct {
        const char* why;
        std::chrono::milliseconds step;
        int pauses;
    } rows[] = {
        {"a reading of exactly half a second ends it", 125ms, 3},
        {"4 ms short of half a second takes one more pass", 124ms, 4},
        {"two long passes", 250ms, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        clock.setStep(row.step);
        display.clear();
        roll("12345");
        EXPECT_EQ(display.pauses(), row.pauses);
    }
}

TEST_F(RollTest, HeldDiceKeepTheirFacesAndTakeNoDraw) {
    roll("12345");
    game.toggleHold(1);
    game.toggleHold(3);
    display.clear();
    const auto drawn = draws.drawn();
    roll("666");
    EXPECT_EQ(faces(), "62646");
    EXPECT_EQ(draws.drawn() - drawn, 3u);
    EXPECT_EQ((std::vector<int>{0, 2, 4}), display.repaints());
    EXPECT_TRUE(game.LabelWAnzeige(1).held);
    EXPECT_TRUE(game.LabelWAnzeige(3).held);
}

TEST_F(RollTest, WithAllDiceHeldTheRollStillCountsAndSuggests) {
    roll("44412");
    for (int i = 0; i < kDiceCount; ++i)
        game.toggleHold(i);
    clock.setStep(100ms);
    display.clear();
    const auto drawn = draws.drawn();
    game.roll();
    EXPECT_EQ(draws.drawn(), drawn);
    EXPECT_TRUE(display.repaints().empty());
    EXPECT_EQ(display.pauses(), 4) << "the animation still runs its half second";
    EXPECT_EQ(game.Versuch(), 3);
    EXPECT_EQ(game.LabelTip(Dreierpasch), 12);
}

TEST_F(RollTest, SuggestionsFollowTheNewFaces) {
    roll("12346");
    EXPECT_EQ(game.LabelTip(KleineStrasse), 30);
    EXPECT_EQ(game.LabelTip(Chance), 16);
    roll("11111");
    EXPECT_EQ(game.LabelTip(KleineStrasse), std::nullopt)
        << "a roll away from a straight takes its tip back";
    EXPECT_EQ(game.LabelTip(Kubiq), 50);
    EXPECT_EQ(game.LabelTip(Einer), 5);
    EXPECT_EQ(game.LabelTip(Chance), 5);
}

TEST_F(RollTest, HoldingNeedsARolledDie) {
    for (int i = 0; i < kDiceCount; ++i)
        game.toggleHold(i);
    EXPECT_EQ(beeper.beeps(), kDiceCount);
    for (int i = 0; i < kDiceCount; ++i)
        EXPECT_FALSE(game.LabelWAnzeige(i).held);
}

TEST_F(RollTest, HoldingTogglesOnlyTheColour) {
    roll("33355");
    const Tips tips = [&] {
        Tips t;
        for (int c = 0; c < kCategoryCount; ++c)
            t[c] = game.LabelTip(c);
        return t;
    }();
    game.toggleHold(2);
    EXPECT_TRUE(game.LabelWAnzeige(2).held);
    game.toggleHold(2);
    game.toggleHold(2);
    EXPECT_TRUE(game.LabelWAnzeige(2).held) << "an odd number of clicks holds";
    game.toggleHold(2);
    EXPECT_FALSE(game.LabelWAnzeige(2).held) << "an even number of clicks frees";
    EXPECT_EQ(faces(), "33355");
    EXPECT_EQ(game.Versuch(), 2);
    EXPECT_EQ(beeper.beeps(), 0);
    for (int c = 0; c < kCategoryCount; ++c)
        EXPECT_EQ(game.LabelTip(c), tips[c]);
}

TEST_F(RollTest, AReleasedDieRollsAgainAndDiceCanBeHeldAfterTheThirdRoll) {
    roll("11111");
    game.toggleHold(0);
    game.toggleHold(0);
    roll("22222");
    EXPECT_EQ(faces(), "22222");
    roll("33333");
    game.toggleHold(4);
    EXPECT_TRUE(game.LabelWAnzeige(4).held);
    EXPECT_FALSE(game.CommandWuerfelnEnabled());
}

} // namespace
} // namespace kubiq::test
