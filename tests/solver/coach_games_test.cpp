// Games played by the coach's advice through the real engine score, on average, what the solver
// expects of best play.

#include "coach_player.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace kubiq
