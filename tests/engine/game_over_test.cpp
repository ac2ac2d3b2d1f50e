#include "game_fixture.h"
#include "sample_games.h"

#include <string>
#include <utility>
#include <vector>

namespace kubiq::test {
namespace {

class GameOverTest : public GameTest {
protected:
    void play(const Turns& turns) {
        for (const auto& [faces, category] : turns)
            turn(faces, category);
    }
};

TEST_F(GameOverTest, TheHistoryOfThreeGames) {
    play(kGame230);
    play(kGame201);
    EXPECT_EQ(game.history().AnzahlSpiele(), 2);
    EXPECT_EQ(game.history().GesamtPunkte(), 431.0);
    EXPECT_EQ(game.history().SpielstandText(), "1. Spiel: 230 Punkte\r\n"
                                               "Punkte gesamt: 230\r\n"
                                               "Durchschnitt: 230\r\n"
                                               "2. Spiel: 201 Punkte\r\n"
                                               "Punkte gesamt: 431\r\n"
                                               "Durchschnitt: 216\r\n");
    play(kGame260);
    const std::string& text = game.history().SpielstandText();
    EXPECT_EQ(text.substr(text.find("3. Spiel")),
              "3. Spiel: 260 Punkte\r\nPunkte gesamt: 691\r\nDurchschnitt: 230\r\n");
}

TEST_F(GameOverTest, TheBoxShowsOnceWhileTheFinishedSheetShows) {
    int shownAt = -1;
    messageBox.onShow = [&] {
        shownAt = static_cast<int>(messageBox.shown().size());
        EXPECT_EQ(game.Runde(), 14);
        EXPECT_EQ(game.LabelPunkte(SumCell::Total), 230);
        for (int c = 0; c < kCategoryCount; ++c)
            EXPECT_FALSE(game.ComandPHaltenEnabled(c));
        EXPECT_EQ(faces(), ".....");
        EXPECT_EQ(game.CommandWuerfelnCaption(), "Würfeln  (1. Versuch)");
        EXPECT_TRUE(game.CommandWuerfelnEnabled());
        EXPECT_EQ(game.history().AnzahlSpiele(), 1) << "the history is complete before the box";
    };
    Turns firstTwelve(kGame230.begin(), kGame230.end() - 1);
    play(firstTwelve);
    EXPECT_TRUE(messageBox.shown().empty());
    play({kGame230.back()});

    ASSERT_EQ(messageBox.shown().size(), 1u);
    EXPECT_EQ(shownAt, 1);
    EXPECT_EQ(messageBox.shown()[0].title, "Game Over");
    EXPECT_EQ(messageBox.shown()[0].text,
              "GAME OVER\r\nDen Spielstand finden Sie unter 'Hilfe/Spielstand'.\r\n"
              "Es folgt die nächste Runde.");
}

TEST_F(GameOverTest, ANewGameStartsWithAnEmptySheetAndKeepsTheHistory) {
    play(kGame201);
    EXPECT_EQ(game.Runde(), 1);
    EXPECT_EQ(game.Versuch(), 1);
    for (int c = 0; c < kCategoryCount; ++c) {
        EXPECT_TRUE(game.ComandPHaltenEnabled(c));
        EXPECT_EQ(game.LabelPunkte(c), std::nullopt);
        EXPECT_EQ(game.LabelTip(c), std::nullopt);
    }
    for (SumCell cell : kSumCells)
        EXPECT_EQ(game.LabelPunkte(cell), std::nullopt);
    EXPECT_EQ(game.history().AnzahlSpiele(), 1);
    EXPECT_EQ(game.history().GesamtPunkte(), 201.0);
}

TEST_F(GameOverTest, AtTheLimitTheGameIsNotRecordedButStillEnds) {
    // Five ones every roll, entered in category order: TOTAL Einer 5 + 3 + 4 + Kubiq 50 + 5 = 67.
    draws.scriptFaces("11111");
    const auto playQuickly = [&] {
        for (int c = 0; c < kCategoryCount; ++c) {
            game.roll();
            game.enter(c);
        }
    };
    for (int n = 0; n < History::kMaxGames; ++n)
        playQuickly();
    ASSERT_EQ(game.history().AnzahlSpiele(), History::kMaxGames);
    const std::string text = game.history().SpielstandText();
    EXPECT_EQ(text.substr(text.rfind("32767. Spiel")),
              "32767. Spiel: 67 Punkte\r\nPunkte gesamt: 2195389\r\nDurchschnitt: 67\r\n");

    Points totalInTheBox;
    messageBox.onShow = [&] { totalInTheBox = game.LabelPunkte(SumCell::Total); };
    playQuickly();
    EXPECT_EQ(game.history().AnzahlSpiele(), History::kMaxGames) << "the count never wraps";
    EXPECT_EQ(game.history().GesamtPunkte(), 2195389.0);
    EXPECT_EQ(game.history().SpielstandText(), text) << "nor is the game written";
    EXPECT_EQ(messageBox.shown().size(), static_cast<std::size_t>(History::kMaxGames) + 1)
        << "the player is still told that the game is over";
    EXPECT_EQ(messageBox.shown().back().title, "Game Over");
    EXPECT_EQ(totalInTheBox, 67) << "over the finished sheet";
    EXPECT_EQ(game.Runde(), 1) << "and a new game begins";
    EXPECT_TRUE(game.ComandPHaltenEnabled(Chance));

    // Play goes on: a turn of the new game, then the rest of it, again told and not recorded.
    game.roll();
    EXPECT_EQ(faces(), "11111");
    game.enter(Kubiq);
    EXPECT_EQ(game.LabelPunkte(Kubiq), 50);
    EXPECT_EQ(game.Runde(), 2);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (c == Kubiq)
            continue;
        game.roll();
        game.enter(c);
    }
    EXPECT_EQ(messageBox.shown().size(), static_cast<std::size_t>(History::kMaxGames) + 2);
    EXPECT_EQ(totalInTheBox, 67);
    EXPECT_EQ(game.history().AnzahlSpiele(), History::kMaxGames);
    EXPECT_EQ(game.history().SpielstandText(), text);
    EXPECT_EQ(game.Runde(), 1);
}

TEST(History, AveragesRoundHalfUp) {
    const struct {
        const char* why;
        std::vector<int> totals;
        const char* lastLine;
    } rows[] = {
        {"the first average is the total", {0}, "Durchschnitt: 0\r\n"},
        {"an exact half goes up", {100, 101}, "Durchschnitt: 101\r\n"},
        {"a third goes down", {100, 100, 101}, "Durchschnitt: 100\r\n"},
        {"two thirds go up", {100, 101, 101}, "Durchschnitt: 101\r\n"},
        {"230.33 gives 230", {230, 201, 260}, "Durchschnitt: 230\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        History history;
        for (int total : row.totals)
            EXPECT_TRUE(history.record(total));
        const std::string& text = history.SpielstandText();
        EXPECT_EQ(text.substr(text.rfind("Durchschnitt")), row.lastLine);
    }
}

TEST(History, StopsCountingAtTheLimitWithoutWrapping) {
    History history;
    for (int game = 1; game <= History::kMaxGames; ++game)
        ASSERT_TRUE(history.record(game % 2 ? 100 : 200));
    const std::string text = history.SpielstandText();
    EXPECT_EQ(text.substr(text.rfind("32767. Spiel")),
              "32767. Spiel: 100 Punkte\r\nPunkte gesamt: 4915000\r\nDurchschnitt: 150\r\n");

    EXPECT_FALSE(history.record(300));
    EXPECT_EQ(history.AnzahlSpiele(), 32767);
    EXPECT_EQ(history.GesamtPunkte(), 4915000.0);
    EXPECT_EQ(history.SpielstandText(), text);
}

TEST(History, AGameOfNothingIsRecordedAsZero) {
    History history;
    history.record(0);
    EXPECT_EQ(history.SpielstandText(),
              "1. Spiel: 0 Punkte\r\nPunkte gesamt: 0\r\nDurchschnitt: 0\r\n");
}

} // namespace
} // namespace kubiq::test
