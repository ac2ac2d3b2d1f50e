#include "game_fixture.h"

namespace kubiq::test {
namespace {

Scores scoresOf(std::initializer_list<Points> points) {
    Scores scores{};
    std::copy(points.begin(), points.end(), scores.begin());
    return scores;
}

TEST(SheetSum, TheWorkedExample) {
    const Scores scores = scoresOf({3, 8, 12, 16, 15, 18, 24, 0, 25, 30, std::nullopt, 50, 23});
    EXPECT_EQ(sheetSum(scores, SumCell::GesamtOben), 72);
    EXPECT_EQ(sheetSum(scores, SumCell::BonusOben), 35);
    EXPECT_EQ(sheetSum(scores, SumCell::Summe1), 107);
    EXPECT_EQ(sheetSum(scores, SumCell::GesamtUnten), 152);
    EXPECT_EQ(sheetSum(scores, SumCell::BonusUnten), std::nullopt);
    EXPECT_EQ(sheetSum(scores, SumCell::Summe2), 152);
    EXPECT_EQ(sheetSum(scores, SumCell::Total), 259);
}

TEST(SheetSum, BonusThresholds) {
    const struct {
        const char* why;
        Scores scores;
        Points bonusOben, summe1, bonusUnten, summe2;
    } rows[] = {
        {"upper 64 earns no bonus", scoresOf({4, 8, 12, 16, 0, 24}), std::nullopt, 64, std::nullopt,
         0},
        {"upper exactly 65 earns 35", scoresOf({5, 8, 12, 16, 0, 24}), 35, 100, std::nullopt, 0},
        {"lower 199 earns no bonus",
         scoresOf({std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                   std::nullopt, 18, 24, 25, 30, 40, 50, 12}),
         std::nullopt, 0, std::nullopt, 199},
        {"lower exactly 200 earns 100",
         scoresOf({std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                   std::nullopt, 18, 24, 25, 30, 40, 50, 13}),
         std::nullopt, 0, 100, 300},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(sheetSum(row.scores, SumCell::BonusOben), row.bonusOben);
        EXPECT_EQ(sheetSum(row.scores, SumCell::Summe1), row.summe1);
        EXPECT_EQ(sheetSum(row.scores, SumCell::BonusUnten), row.bonusUnten);
        EXPECT_EQ(sheetSum(row.scores, SumCell::Summe2), row.summe2);
        EXPECT_EQ(sheetSum(row.scores, SumCell::Total), *row.summe1 + *row.summe2);
    }
}

TEST(SheetSum, AnEmptySheetHasNoSums) {
    for (SumCell cell : kSumCells)
        EXPECT_EQ(sheetSum(Scores{}, cell), std::nullopt);
}

using EnterTest = GameTest;

TEST_F(EnterTest, BeforeTheFirstRollOnlyBeeps) {
    game.enter(Chance);
    EXPECT_EQ(beeper.beeps(), 1);
    EXPECT_TRUE(game.ComandPHaltenEnabled(Chance));
    EXPECT_EQ(game.LabelPunkte(Chance), std::nullopt);
    EXPECT_EQ(game.LabelPunkte(SumCell::Total), std::nullopt);
    EXPECT_EQ(game.Runde(), 1);
    EXPECT_EQ(game.Versuch(), 1);

    turn("12345", GrosseStrasse);
    game.enter(Chance);
    EXPECT_EQ(beeper.beeps(), 2) << "also at the start of every later turn";
    EXPECT_EQ(game.Runde(), 2);
}

TEST_F(EnterTest, TheFirstEntryFillsEverySumCell) {
    turn("64444", Chance);
    EXPECT_EQ(game.LabelPunkte(Chance), 22);
    EXPECT_FALSE(game.ComandPHaltenEnabled(Chance));
    EXPECT_EQ(game.LabelPunkte(SumCell::GesamtOben), 0);
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusOben), std::nullopt);
    EXPECT_EQ(game.LabelPunkte(SumCell::Summe1), 0);
    EXPECT_EQ(game.LabelPunkte(SumCell::GesamtUnten), 22);
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusUnten), std::nullopt);
    EXPECT_EQ(game.LabelPunkte(SumCell::Summe2), 22);
    EXPECT_EQ(game.LabelPunkte(SumCell::Total), 22);
    EXPECT_EQ(game.Runde(), 2);
}

TEST_F(EnterTest, AnEmptySuggestionEntersZeroAndAFullHouseItsTwentyFive) {
    turn("12346", Kubiq);
    EXPECT_EQ(game.LabelPunkte(Kubiq), 0);
    EXPECT_FALSE(game.ComandPHaltenEnabled(Kubiq));
    turn("52525", FullHouse);
    EXPECT_EQ(game.LabelPunkte(FullHouse), 25);
}

TEST_F(EnterTest, EveryEntryStartsAFreshTurn) {
    // After the first, the second and the third roll, with held dice and a disabled button.
    for (int rolls = 1; rolls <= 3; ++rolls) {
        SCOPED_TRACE(rolls);
        for (int r = 0; r < rolls; ++r)
            roll("55523");
        game.toggleHold(0);
        game.toggleHold(4);
        game.enter(rolls - 1);
        EXPECT_EQ(faces(), ".....");
        for (int i = 0; i < kDiceCount; ++i)
            EXPECT_FALSE(game.LabelWAnzeige(i).held);
        for (int c = 0; c < kCategoryCount; ++c)
            EXPECT_EQ(game.LabelTip(c), std::nullopt);
        EXPECT_EQ(game.Versuch(), 1);
        EXPECT_TRUE(game.CommandWuerfelnEnabled());
        EXPECT_EQ(game.CommandWuerfelnCaption(), "Würfeln  (1. Versuch)");
        EXPECT_EQ(game.Runde(), rolls + 1);
    }
}

TEST_F(EnterTest, TheEntryIsTheTipOfTheLastRoll) {
    roll("66666");
    roll("12346");
    game.enter(Sechser);
    EXPECT_EQ(game.LabelPunkte(Sechser), 6);
}

TEST_F(EnterTest, AClosedCategoryIsRefusedWithoutAChange) {
    turn("66666", Kubiq);
    roll("66666");
    game.enter(Kubiq);
    EXPECT_EQ(game.LabelPunkte(Kubiq), 50);
    EXPECT_EQ(game.Runde(), 2);
    EXPECT_EQ(faces(), "66666") << "the turn goes on";
    EXPECT_EQ(game.LabelTip(Kubiq), std::nullopt) << "a closed category suggests nothing";
}

TEST_F(EnterTest, ABonusStaysOnceReached) {
    turn("66661", Sechser); // 24
    turn("55551", Fuenfer); // 20
    turn("44441", Vierer);  // 16
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusOben), std::nullopt);
    turn("33331", Dreier); // 12: 72 in all
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusOben), 35);
    EXPECT_EQ(game.LabelPunkte(SumCell::Summe1), 107);
    turn("23456", Einer);  // 0
    turn("13456", Zweier); // 0
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusOben), 35);
    turn("66666", Kubiq);
    turn("66666", Viererpasch);
    turn("66666", Dreierpasch);
    turn("23456", GrosseStrasse);
    EXPECT_EQ(game.LabelPunkte(SumCell::BonusUnten), std::nullopt);
    turn("12345", KleineStrasse); // 50 + 24 + 18 + 40 + 30 = 162
    turn("66655", FullHouse);     // 187
    EXPECT_EQ(game.LabelPunkte(SumCell::Total), 107 + 187);
}

} // namespace
} // namespace kubiq::test
