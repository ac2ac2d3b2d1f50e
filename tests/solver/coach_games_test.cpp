// Games played by the coach's advice through the real engine score, on average, what the solver
// expects of best play; the review of every game adds up to its final TOTAL; and the board the
// coach reads off the game is the one on screen.

#include "board_analysis.h"
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
// under the advice, and its chances of the bonuses are their mean chances: the coach counts the
// rolls left as the game does, and works the turn out as the solver did.
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
        constexpr int kThrows = 6 * 6 * 6 * 6 * 6;
        double sum = 0.0;
        BonusChances chances;
        for (int x = 0; x < kThrows; ++x) {
            Position board = row.board;
            board.rollsMade = 1;
            for (int die = 0, rest = x; die < kDiceCount; ++die, rest /= 6)
                board.faces[die] = rest % 6 + 1;
            const std::optional<Advice> after = coach.advise(board);
            ASSERT_TRUE(after);
            sum += after->expectedTotal;
            chances.upper += after->bonus.upper / kThrows;
            chances.lower += after->bonus.lower / kThrows;
        }
        // The table holds single precision, and its chances in steps of 1/255.
        EXPECT_NEAR(sum / kThrows, before->expectedTotal, 1e-4);
        EXPECT_NEAR(chances.upper, before->bonus.upper, 1.0 / 255);
        EXPECT_NEAR(chances.lower, before->bonus.lower, 1.0 / 255);
        EXPECT_GT(before->bonus.upper, 0.0);
        EXPECT_LT(before->bonus.upper, 1.0);
    }
}

// How a choice goes on: its parts add up to its expected final TOTAL, its endings' chances to 1,
// and an entry ends the turn with the points the sheet gives it.
void expectOutlookAddsUp(const Position& board, const Choice& choice, const TurnOutlook& outlook,
                         double expectedTotal) {
    static const StateSpace space; // built once: it takes a while
    const double sheet = space.total(board.upperSum, board.lowerSum);
    ASSERT_NEAR(sheet + outlook.thisTurn + outlook.restOfGame, expectedTotal, 1e-9);
    double chance = 0.0;
    for (const TurnEnding& ending : outlook.endings) {
        ASSERT_GT(ending.chance, 0.0);
        chance += ending.chance;
    }
    ASSERT_NEAR(chance, 1.0, 1e-9);
    ASSERT_TRUE(std::is_sorted(
        outlook.endings.begin(), outlook.endings.end(),
        [](const TurnEnding& a, const TurnEnding& b) { return a.chance > b.chance; }));
    for (const double bonus : {outlook.bonus.upper, outlook.bonus.lower})
        ASSERT_TRUE(bonus >= 0.0 && bonus <= 1.0);
    if (choice.enters()) {
        ASSERT_EQ(outlook.endings.size(), 1u);
        EXPECT_EQ(outlook.endings[0].category, choice.category);
        EXPECT_EQ(outlook.endings[0].chance, 1.0);
    }
}

// Why a decision cost what it did: this turn's part and the rest of the game's add up to the
// cost, the figures on screen to the cost on screen, and each outlook to its choice's total.
void expectExplanationAddsUp(const Coach& coach, const Move& move) {
    const Choice choice = choiceOf(move);
    const std::optional<Explanation> why = coach.explain(move.before, choice);
    ASSERT_TRUE(why);
    ASSERT_NEAR(why->thisTurn() + why->restOfGame(), why->weighing.cost(), 1e-9);
    const Explanation::Tenths tenths = why->inTenths();
    ASSERT_EQ(tenths.thisTurn + tenths.restOfGame, tenths.cost);
    ASSERT_NEAR(tenths.restOfGame / 10.0, why->restOfGame(), 0.1 + 1e-9);
    EXPECT_EQ(why->weighing.chosenTotal, coach.weigh(move)->chosenTotal);
    expectOutlookAddsUp(move.before, choice, why->chosen, why->weighing.chosenTotal);
    expectOutlookAddsUp(move.before, why->weighing.best, why->best, why->weighing.bestTotal);
}

// A board whose outcome is certain, the last roll made with one category open or all five dice
// held: its bonus chances are exactly 0 or 1, however the table rounds its chances.
TEST_F(CoachGames, CertainOutcomesHaveCertainChances) {
    constexpr std::array<bool, kDiceCount> kAllHeld{true, true, true, true, true};
    const struct {
        const char* name;
        Position board;
        BonusChances chances;
    } rows[] = {
        {"three ones bring the upper sum to 65",
         {1u << Einer, 62, 150, 3, {1, 1, 1, 4, 5}, {}, {}},
         {1.0, 0.0}},
        {"three ones bring it to 64, one short",
         {1u << Einer, 61, 150, 3, {1, 1, 1, 4, 5}, {}, {}},
         {0.0, 0.0}},
        {"the last Kubiq brings the lower sum to 200",
         {1u << Kubiq, 70, 150, 3, {6, 6, 6, 6, 6}, kAllHeld, {}},
         {1.0, 1.0}},
        {"the upper bonus reached before, Chance 22 brings the lower sum to 200",
         {1u << Chance, 70, 178, 3, {2, 4, 5, 5, 6}, kAllHeld, {}},
         {1.0, 1.0}},
        {"Chance 21 leaves it one short",
         {1u << Chance, 70, 178, 3, {1, 4, 5, 5, 6}, {}, {}},
         {1.0, 0.0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<Advice> advice = coach.advise(row.board);
        ASSERT_TRUE(advice);
        EXPECT_EQ(advice->bonus.upper, row.chances.upper);
        EXPECT_EQ(advice->bonus.lower, row.chances.lower);
        const TurnOutlook& entry = advice->entries.front().outlook;
        EXPECT_EQ(entry.bonus.upper, row.chances.upper);
        EXPECT_EQ(entry.bonus.lower, row.chances.lower);
    }
    // All five held with a roll left: the turn ends one way, whatever the roll.
    const Position held{1u << Kubiq | 1u << Chance, 0, 137, 2, {6, 6, 6, 6, 6}, kAllHeld, {}};
    const std::optional<TurnOutlook> outlook = coach.outlook(held, {{6, 6, 6, 6, 6}, -1});
    ASSERT_TRUE(outlook);
    ASSERT_EQ(outlook->endings.size(), 1u);
    EXPECT_EQ(outlook->endings[0].chance, 1.0);
    EXPECT_EQ(outlook->endings[0].category, Kubiq);
    EXPECT_EQ(outlook->thisTurn, 50.0) << "Kubiq; the lower bonus waits for Chance";
}

// What the review says of every finished game of a player: its TOTAL is what best play
// expected, plus the luck of the rolls, minus the cost of the decisions, each cost the one the
// coach gives the move on its own and explains in parts that add up; and every hold ranking
// starts with the advice's best hold.
void expectReviewsAddUp(const Coach& coach, const MoveLog& moves) {
    std::vector<GameReview> reviews;
    for (const PlayedGame& game : moves.finished()) {
        GameReview review = reviewGame(coach, game);
        ASSERT_TRUE(review.balanced()) << "game " << reviews.size() + 1;
        ASSERT_NEAR(review.expected + review.luck() - review.loss(), game.total, 1e-3);
        ASSERT_EQ(review.decisions(), static_cast<int>(game.moves.size()));
        double loss = 0.0;
        for (const Move& move : game.moves) {
            loss += coach.cost(move);
            expectExplanationAddsUp(coach, move);
        }
        ASSERT_NEAR(review.loss(), loss, 1e-9);
        for (const Move& move : game.moves) {
            if (move.kind != Move::Kind::Roll)
                continue;
            const std::vector<RankedHold> ranking = coach.rankHolds(move.before);
            ASSERT_FALSE(ranking.empty());
            EXPECT_EQ(ranking.front().hold.faces, coach.advise(move.before)->bestHold->faces);
            EXPECT_EQ(ranking.front().drop, 0.0);
            const auto listed = [&](const std::vector<int>& faces) {
                return std::count_if(ranking.begin(), ranking.end(),
                                     [&](const RankedHold& r) { return r.hold.faces == faces; });
            };
            EXPECT_EQ(listed(move.before.heldFaces()), 1) << "the dice held, once";
            for (const RankedHold& ranked : ranking)
                expectOutlookAddsUp(move.before, {ranked.hold.faces, -1}, ranked.outlook,
                                    ranked.hold.expectedTotal);
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

// The outlooks of one choice, worked out twice, agree to the last bit.
void expectSameOutlook(const TurnOutlook& a, const TurnOutlook& b) {
    EXPECT_EQ(a.thisTurn, b.thisTurn);
    EXPECT_EQ(a.restOfGame, b.restOfGame);
    EXPECT_EQ(a.bonus.upper, b.bonus.upper);
    EXPECT_EQ(a.bonus.lower, b.bonus.lower);
    ASSERT_EQ(a.endings.size(), b.endings.size());
    for (std::size_t i = 0; i < a.endings.size(); ++i) {
        EXPECT_EQ(a.endings[i].category, b.endings[i].category);
        EXPECT_EQ(a.endings[i].points, b.endings[i].points);
        EXPECT_EQ(a.endings[i].chance, b.endings[i].chance);
    }
}

// Two explanations of one choice, worked out apart, agree to the last bit.
void expectSameExplanation(const Explanation& a, const Explanation& b) {
    EXPECT_EQ(a.weighing.best, b.weighing.best);
    EXPECT_EQ(a.weighing.bestTotal, b.weighing.bestTotal);
    EXPECT_EQ(a.weighing.chosenTotal, b.weighing.chosenTotal);
    expectSameOutlook(a.best, b.best);
    expectSameOutlook(a.chosen, b.chosen);
}

// A board analysed once says to the last bit what advise(), rankHolds() and explain() say of it
// on their own: the advice, a row for each hold of the ranking and the best entry (every open
// category after the last roll), the best first and the rest by worth, each row's loss the cost
// of its choice, and its reason the one explain() gives, its parts adding up to the loss.
void expectAnalysisAgrees(const Coach& coach, const Position& board) {
    const std::optional<BoardAnalysis> analysis = analyse(coach, board);
    const std::optional<Advice> advice = coach.advise(board);
    ASSERT_EQ(analysis.has_value(), advice.has_value());
    if (!advice)
        return;
    EXPECT_EQ(analysis->board, board);
    EXPECT_EQ(analysis->advice.expectedTotal, advice->expectedTotal);
    EXPECT_EQ(analysis->advice.bonus.upper, advice->bonus.upper);
    EXPECT_EQ(analysis->advice.bonus.lower, advice->bonus.lower);
    ASSERT_EQ(analysis->advice.bestHold.has_value(), advice->bestHold.has_value());
    if (advice->bestHold) {
        EXPECT_EQ(analysis->advice.bestHold->faces, advice->bestHold->faces);
        EXPECT_EQ(analysis->advice.bestHold->expectedTotal, advice->bestHold->expectedTotal);
    }
    ASSERT_EQ(analysis->advice.entries.size(), advice->entries.size());
    for (std::size_t i = 0; i < advice->entries.size(); ++i) {
        EXPECT_EQ(analysis->advice.entries[i].category, advice->entries[i].category);
        EXPECT_EQ(analysis->advice.entries[i].expectedTotal, advice->entries[i].expectedTotal);
        expectSameOutlook(analysis->advice.entries[i].outlook, advice->entries[i].outlook);
    }

    const std::vector<ChoiceRow>& rows = analysis->rows;
    const std::vector<RankedHold> ranking = coach.rankHolds(board, kTableHolds);
    if (advice->entries.empty()) {
        EXPECT_TRUE(rows.empty());
        EXPECT_FALSE(analysis->playersRow);
        return;
    }
    // Every row once: each hold of the ranking and the best entry, or every open category.
    std::vector<Choice> wanted;
    for (const RankedHold& ranked : ranking)
        wanted.push_back({ranked.hold.faces, -1});
    for (std::size_t i = 0; i < advice->entries.size(); ++i)
        if (ranking.empty() || i == 0)
            wanted.push_back({{}, advice->entries[i].category});
    ASSERT_EQ(rows.size(), wanted.size());
    const std::vector<int> held = board.heldFaces();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const ChoiceRow& row = rows[i];
        EXPECT_EQ(std::count(wanted.begin(), wanted.end(), row.choice), 1);
        // Ranks among all the board's choices: rising down the table, skipping those left out.
        EXPECT_GT(row.rank, i > 0 ? rows[i - 1].rank : 0);
        EXPECT_EQ(row.rank == 1, i == 0);
        if (i > 1) {
            EXPECT_GE(rows[i - 1].expectedTotal, row.expectedTotal);
        }
        const auto hold = std::find_if(ranking.begin(), ranking.end(), [&](const RankedHold& r) {
            return !row.choice.enters() && r.hold.faces == row.choice.hold;
        });
        if (hold != ranking.end()) {
            EXPECT_EQ(row.expectedTotal, hold->hold.expectedTotal);
            expectSameOutlook(row.outlook, hold->outlook);
        }
        const std::optional<Explanation> why = coach.explain(board, row.choice);
        ASSERT_TRUE(why);
        const Explanation mine = analysis->explain(i);
        expectSameExplanation(mine, *why);
        EXPECT_EQ(row.expectedTotal, why->weighing.chosenTotal);
        EXPECT_EQ(row.loss, std::max(0.0, why->weighing.cost()));
        if (i == 0) {
            EXPECT_EQ(row.choice, why->weighing.best) << "the best row first";
        }
        const Explanation::Tenths tenths = mine.inTenths();
        EXPECT_EQ(tenths.thisTurn + tenths.restOfGame, tenths.cost);
        EXPECT_EQ(tenths.cost, std::lround(row.loss * 10.0));
        const bool players = !ranking.empty() && !row.choice.enters() && row.choice.hold == held;
        EXPECT_EQ(analysis->playersRow == i, players);
    }
    EXPECT_EQ(analysis->playersRow.has_value(), !ranking.empty());
    for (int c = 0; c < kCategoryCount; ++c) {
        SCOPED_TRACE("entering " + std::to_string(c));
        const std::optional<Explanation> why = coach.explain(board, {{}, c});
        const std::optional<Explanation> mine = analysis->explainEntry(c);
        ASSERT_EQ(mine.has_value(), why.has_value());
        if (why)
            expectSameExplanation(*mine, *why);
    }
}

// Boards of games played by the coach, by the rule of thumb and at random: the holds they keep
// rank high and low, their categories are entered early and late.
TEST_F(CoachGames, OneAnalysisOfABoardSaysWhatTheCoachSaysOfItPieceByPiece) {
    expectAnalysisAgrees(coach, Position()); // before the first roll: no rows
    for (const test::Strategy strategy :
         {test::Strategy::Coach, test::Strategy::Rule, test::Strategy::Random}) {
        test::Player player(strategy, &coach, 20261211);
        for (int game = 0; game < 8; ++game)
            player.play();
        for (const PlayedGame& game : player.moves().finished())
            for (const Move& move : game.moves) {
                SCOPED_TRACE(testing::Message() << "turn " << move.before.turn() << ", roll "
                                                << move.before.rollsMade);
                expectAnalysisAgrees(coach, move.before);
                if (HasFatalFailure())
                    return;
            }
    }
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
        wanted.insert(wanted.end(), costs.begin(),
                      costs.begin() + std::min<std::size_t>(10, costs.size()));
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
