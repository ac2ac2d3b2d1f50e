// Games played by the coach's advice through the real engine score, on average, what the solver
// expects of best play; and the board the coach reads off the game is the one on screen.

#include "coach_player.h"
#include "position.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <variant>

namespace kubiq {
namespace {

class CoachGames : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::holds_alternative<Coach>(loaded)) << "no coach from " KUBIQ_TEST_TABLE;
    }
    std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_TEST_TABLE);
    const Coach& coach = *std::get_if<Coach>(&loaded);
};

// Before a turn's first roll, the board is worth the mean of what the 7,776 first rolls are worth
// under the advice: the coach counts the rolls left as the game does.
TEST_F(CoachGames, FirstRollsAverageToTheTurnsValue) {
    const struct {
        const char* name;
        Position board;
    } rows[] = {{"a new game", {}},
                {"Sechser and Chance open, both bonuses in reach",
                 {1u << Sechser | 1u << Chance, 50, 180, 0, {}, {}}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<Advice> before = coach.advise(row.board);
        ASSERT_TRUE(before);
        double sum = 0.0;
        for (int x = 0; x < 6 * 6 * 6 * 6 * 6; ++x) {
            Position board = row.board;
            board.rollsMade = 1;
            for (int die = 0, rest = x; die < kDiceCount; ++die, rest /= 6)
                board.faces[die] = rest % 6 + 1;
            const std::optional<Advice> after = coach.advise(board);
            ASSERT_TRUE(after);
            sum += after->expectedTotal;
        }
        // The table holds single precision.
        EXPECT_NEAR(sum / (6 * 6 * 6 * 6 * 6), before->expectedTotal, 1e-4);
    }
}

TEST_F(CoachGames, MeanTotalIsTheSolversExpectedTotal) {
    constexpr int kGames = 2000;
    test::Player player(&coach, 20261208);
    double sum = 0.0;
    double squares = 0.0;
    for (int game = 0; game < kGames; ++game) {
        const double total = player.play().total;
        sum += total;
        squares += total * total;
    }
    const double mean = sum / kGames;
    const double deviation = std::sqrt((squares - sum * mean) / (kGames - 1));
    const double standardError = deviation / std::sqrt(kGames);
    EXPECT_NEAR(mean, coach.expectedGameTotal(), 3 * standardError)
        << "standard deviation " << deviation;
}

// The board the coach reads is the one on screen: every die's face and hold flag, and no more
// dice than there are.
TEST(PositionOf, HoldsAndFacesAreThoseOnScreen) {
    const struct {
        const char* name;
        const char* held; // 'x' where held
    } rows[] = {
        {"no die held", "....."},
        {"all but the first held", ".xxxx"},
        {"the first and the last", "x...x"},
        {"the last alone", "....x"},
        {"every die held", "xxxxx"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedClock clock;
        ScriptedDraws draws = ScriptedDraws::faces("33312");
        RecordingBeeper beeper;
        RecordingMessageBox messageBox;
        RecordingDisplay display;
        Game game{Services{clock, draws, beeper, messageBox, display}};
        game.load();
        game.roll();
        game.enter(Dreier);
        draws.scriptFaces("35146");
        game.roll();
        std::array<int, kDiceCount> faces{3, 5, 1, 4, 6};
        std::array<bool, kDiceCount> held{};
        for (int i = 0; i < kDiceCount; ++i) {
            held[i] = row.held[i] == 'x';
            if (held[i])
                game.toggleHold(i);
            else
                faces[i] = 2;
        }
        draws.scriptFaces("2");
        game.roll();
        const Position position = positionOf(game);
        EXPECT_EQ(position.faces, faces);
        EXPECT_EQ(position.held, held);
        EXPECT_EQ(position.open, kAllOpen & ~(1u << Dreier));
        EXPECT_EQ(position.upperSum, 9);
        EXPECT_EQ(position.lowerSum, 0);
        EXPECT_EQ(position.rollsMade, 2);
    }
}

} // namespace
} // namespace kubiq
