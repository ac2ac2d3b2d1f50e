// Games played by the coach's advice through the real engine score, on average, what the solver
// expects of best play; the review of every game adds up to its final TOTAL; and the board the
// coach reads off the game is the one on screen.

#include "coach_player.h"
#include "game_review.h"
#include "position.h"
#include "practice.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
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

// What the review says of every finished game of a player: its TOTAL is what best play
// expected, plus the luck of the rolls, minus the cost of the decisions, each cost the one the
// coach gives the move on its own; and every hold ranking starts with the advice's best hold.
void expectReviewsAddUp(const Coach& coach, const MoveLog& moves) {
    std::vector<GameReview> reviews;
    for (const PlayedGame& game : moves.finished()) {
        GameReview review = reviewGame(coach, game);
        ASSERT_TRUE(review.balanced()) << "game " << reviews.size() + 1;
        ASSERT_NEAR(review.expected + review.luck() - review.loss(), game.total, 1e-3);
        ASSERT_EQ(review.decisions(), static_cast<int>(game.moves.size()));
        double loss = 0.0;
        for (const Move& move : game.moves)
            loss += coach.cost(move);
        ASSERT_NEAR(review.loss(), loss, 1e-9);
        for (const Move& move : game.moves) {
            if (move.kind != Move::Kind::Roll)
                continue;
            const std::vector<RankedHold> ranking = coach.rankHolds(move.before);
            ASSERT_FALSE(ranking.empty());
            EXPECT_EQ(ranking.front().hold.faces, coach.advise(move.before)->bestHold->faces);
            EXPECT_EQ(ranking.front().drop, 0.0);
            const auto listed = [&](const std::vector<int>& faces) {
                return std::count_if(ranking.begin(), ranking.end(), [&](const RankedHold& r) {
                    return r.hold.faces == faces;
                });
            };
            EXPECT_EQ(listed(move.before.heldFaces()), 1) << "the dice held, once";
            EXPECT_EQ(listed({}), 1) << "rolling all five, once";
            for (std::size_t i = 1; i < ranking.size(); ++i)
                EXPECT_LT(ranking[i - 1].rank, ranking[i].rank);
        }
        reviews.push_back(std::move(review));
    }
    const RunSummary summary = summarize(reviews);
    EXPECT_EQ(summary.games, static_cast<int>(moves.finished().size()));
    EXPECT_NEAR(summary.meanTotal - summary.meanLuck + summary.meanLoss, coach.expectedGameTotal(),
                1e-3);
}

TEST_F(CoachGames, ReviewsOfRuleAndRandomGamesAddUpToTheirTotals) {
    const struct {
        const char* name;
        test::Strategy strategy;
        double fewestBest; // share of decisions that were the best
        double mostBest;
    } rows[] = {{"the rule of thumb", test::Strategy::Rule, 0.2, 0.9},
                {"random play", test::Strategy::Random, 0.0, 0.3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::Player player(row.strategy, &coach, 20261209);
        for (int game = 0; game < 500; ++game)
            player.play();
        expectReviewsAddUp(coach, player.moves());
        std::vector<GameReview> reviews;
        for (const PlayedGame& game : player.moves().finished())
            reviews.push_back(reviewGame(coach, game));
        const RunSummary summary = summarize(reviews);
        EXPECT_GT(summary.bestShare, row.fewestBest);
        EXPECT_LT(summary.bestShare, row.mostBest);
        EXPECT_GT(summary.meanLoss, 10.0) << "neither plays as well as the coach";
    }
}

TEST_F(CoachGames, MeanTotalIsTheSolversExpectedTotal) {
    constexpr int kGames = 2000;
    test::Player player(test::Strategy::Coach, &coach, 20261208);
    double sum = 0.0;
    double squares = 0.0;
    for (int game = 0; game < kGames; ++game) {
        const double total = player.play().total;
        sum += total;
        squares += total * total;
    }
    expectReviewsAddUp(coach, player.moves());
    for (const PlayedGame& game : player.moves().finished())
        EXPECT_EQ(reviewGame(coach, game).loss(), 0.0) << "the coach's own play costs nothing";
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

namespace kubiq {
namespace {

TEST_F(CoachGames, PracticeSetsTheCostliestDecisionsOfTheFinishedGamesAgain) {
    test::Player player(test::Strategy::Rule, &coach, 20261210);
    for (int game = 0; game < 30; ++game)
        player.play();
    const std::vector<PlayedGame>& games = player.moves().finished();
    Practice practice;
    practice.follow(coach, {games.begin(), games.begin() + 20});
    practice.follow(coach, games); // the games finished since come in too

    // Worked out plainly: each game's decisions costing 1 point or more, its ten worst.
    std::vector<double> wanted;
    for (const PlayedGame& game : games) {
        std::vector<double> costs;
        for (const ReviewStep& step : reviewGame(coach, game).steps)
            if (step.cost() >= 1.0)
                costs.push_back(step.cost());
        std::sort(costs.rbegin(), costs.rend());
        wanted.insert(wanted.end(), costs.begin(), costs.begin() + std::min<std::size_t>(10, costs.size()));
    }
    std::sort(wanted.rbegin(), wanted.rend());
    std::vector<double> set;
    for (const Exercise& exercise : practice.open())
        set.push_back(exercise.cost);
    ASSERT_EQ(set, wanted);

    // Answered as the player did then, an exercise costs what the review says, and stays.
    const std::size_t count = practice.open().size();
    for (std::size_t i = 0; i < count; i += 7) {
        const Exercise exercise = practice.open()[i];
        practice.take(i);
        const std::optional<Weighing> again = practice.answer(coach, choiceOf(exercise.original));
        ASSERT_TRUE(again);
        EXPECT_DOUBLE_EQ(again->cost(), exercise.cost);
        EXPECT_EQ(practice.stage(), Practice::Stage::Missed);
    }
    EXPECT_EQ(practice.open().size(), count);
    EXPECT_EQ(practice.solved(), 0);

    const Position& last = practice.open().back().original.before;
    const int closed = std::countr_one(last.open);
    ASSERT_LT(closed, kCategoryCount) << "the game's last boards have closed categories";
    practice.take(count - 1);
    EXPECT_FALSE(practice.answer(coach, {{}, closed})) << "a closed category";
    EXPECT_EQ(practice.stage(), Practice::Stage::Choosing) << "is no answer";
    // Answered with the best choice, it is solved and leaves the list.
    const Exercise worst = practice.open().front();
    const Choice best = coach.weigh(worst.original)->best;
    practice.take(0);
    EXPECT_EQ(practice.answer(coach, best)->cost(), 0.0);
    EXPECT_EQ(practice.solved(), 1);
    ASSERT_EQ(practice.open().size(), count - 1);
    EXPECT_EQ(practice.open().front().cost, set[1]);
}

} // namespace
} // namespace kubiq

namespace kubiq {
namespace {

// The review's marks start at their thresholds: a cost of exactly 0.5, 2 or 8 points earns the
// higher mark, the least bit below it the lower one.
TEST(SlipOf, EachMarkStartsAtItsThreshold) {
    const struct {
        const char* name;
        double cost;
        Slip mark;
    } rows[] = {
        {"the best choice", 0.0, Slip::None},
        {"just below an inaccuracy", 0.4999, Slip::None},
        {"exactly half a point is an inaccuracy", 0.5, Slip::Inaccuracy},
        {"just below a mistake", 1.9999, Slip::Inaccuracy},
        {"exactly two points is a mistake", 2.0, Slip::Mistake},
        {"just below a blunder", 7.9999, Slip::Mistake},
        {"exactly eight points is a blunder", 8.0, Slip::Blunder},
        {"far beyond", 40.0, Slip::Blunder},
    };
    for (const auto& row : rows)
        EXPECT_EQ(slipOf(row.cost), row.mark) << row.name;
}

} // namespace
} // namespace kubiq
