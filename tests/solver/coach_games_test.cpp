// Games played by the coach's advice through the real engine score, on average, what the solver
// expects of best play.

#include "coach_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kubiq {
namespace {

TEST(CoachGames, MeanTotalIsTheSolversExpectedTotal) {
    std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_TEST_TABLE);
    ASSERT_TRUE(std::holds_alternative<Coach>(loaded)) << "no coach from " << KUBIQ_TEST_TABLE;
    const Coach& coach = std::get<Coach>(loaded);

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
