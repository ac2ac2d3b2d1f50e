// The exercise in hand: a miss, a retry from the board as it started, a hint in two steps, the
// solution and its coming back, and the way "Nächste Aufgabe" goes through the list.

#include "coach_player.h"
#include "practice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <variant>

namespace kubiq {
namespace {

class PracticeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        auto loaded = Coach::load(KUBIQ_TEST_TABLE);
        ASSERT_TRUE(std::holds_alternative<Coach>(loaded)) << "no coach from " KUBIQ_TEST_TABLE;
        s_coach = new Coach(std::move(std::get<Coach>(loaded)));
        test::Player player(test::Strategy::Rule, s_coach, 20261211);
        for (int game = 0; game < 3; ++game)
            player.play();
        s_games = new std::vector<PlayedGame>(player.moves().finished());
    }
    static void TearDownTestSuite() {
        delete s_coach;
        delete s_games;
    }
    void SetUp() override {
        ASSERT_TRUE(practice.follow(coach, games));
        ASSERT_GE(practice.open().size(), 5u);
    }
    // The first exercise whose board has rolls left, or else the first.
    std::size_t withRollsLeft() const {
        for (std::size_t i = 0; i < practice.open().size(); ++i)
            if (practice.open()[i].original.before.rollsMade < kRollsPerTurn)
                return i;
        return 0;
    }
    // Every choice the board offers, with its expected final TOTAL, worked out one by one.
    std::vector<std::pair<double, Choice>> everyChoice(const Position& board) const {
        std::vector<std::pair<double, Choice>> choices;
        for (int c = 0; c < kCategoryCount; ++c)
            if (board.open >> c & 1)
                choices.push_back({coach.weigh(board, {{}, c})->chosenTotal, {{}, c}});
        std::set<std::vector<int>> holds;
        for (unsigned dice = 0; board.rollsMade < kRollsPerTurn && dice < 31; ++dice) {
            std::vector<int> faces;
            for (int i = 0; i < kDiceCount; ++i)
                if (dice >> i & 1)
                    faces.push_back(board.faces[i]);
            std::sort(faces.begin(), faces.end());
            if (holds.insert(faces).second)
                choices.push_back({coach.weigh(board, {faces, -1})->chosenTotal, {faces, -1}});
        }
        return choices;
    }

    static inline Coach* s_coach = nullptr;
    static inline std::vector<PlayedGame>* s_games = nullptr;
    const Coach& coach = *s_coach;
    const std::vector<PlayedGame>& games = *s_games;
    Practice practice;
};

TEST_F(PracticeTest, AMissIsTriedAgainFromTheBoardAsItStartedAndSolvedAfterwards) {
    const std::size_t index = withRollsLeft();
    const Exercise exercise = practice.open()[index];
    ASSERT_LT(exercise.original.before.rollsMade, kRollsPerTurn);
    const std::size_t count = practice.open().size();
    practice.take(index);
    Position start = exercise.original.before;
    start.held = {};
    EXPECT_EQ(practice.board(), start) << "the dice shown then, none held";
    EXPECT_FALSE(practice.helps()) << "no help before a miss";

    // The player's choice then, set by hand.
    const Choice then = choiceOf(exercise.original);
    for (int i = 0; i < kDiceCount; ++i)
        if (exercise.original.before.held[i])
            practice.toggle(i);
    const std::optional<Weighing> miss =
        then.enters() ? practice.answer(coach, then) : practice.roll(coach);
    ASSERT_TRUE(miss);
    EXPECT_DOUBLE_EQ(miss->cost(), exercise.cost);
    EXPECT_EQ(practice.stage(), Practice::Stage::Missed);
    EXPECT_EQ(practice.lastAnswer(), then);
    EXPECT_TRUE(practice.helps());
    practice.toggle(0);
    EXPECT_EQ(practice.board().held, exercise.original.before.held) << "no die moves after a miss";
    EXPECT_FALSE(practice.answer(coach, miss->best)) << "no answer before a retry";

    practice.retry();
    EXPECT_EQ(practice.stage(), Practice::Stage::Choosing);
    EXPECT_EQ(practice.board(), start);
    EXPECT_EQ(practice.open().size(), count) << "a miss stays in the list";
    EXPECT_EQ(practice.index(), index);

    ASSERT_TRUE(practice.answer(coach, miss->best));
    EXPECT_EQ(practice.stage(), Practice::Stage::Solved);
    EXPECT_EQ(practice.solved(), 1) << "solved after a miss counts";
    EXPECT_EQ(practice.open().size(), count - 1);
    EXPECT_EQ(practice.index(), std::nullopt);
    EXPECT_EQ(practice.misses(), 1);
}

// The first step says enter or hold and how many dice; the second names three choices of that
// kind, each as good as the third best of that kind, the best among them. A choice of another
// kind among them gave the answer away: two holds and one entry after "eine Kategorie
// eintragen".
TEST_F(PracticeTest, AHintInTwoStepsNamesTheBestChoicesWithoutTheirOrder) {
    int mixed = 0; // boards whose three best choices are of more than one kind
    for (std::size_t i = 0; i < practice.open().size(); ++i) {
        SCOPED_TRACE(i);
        practice.take(i);
        practice.askHint();
        EXPECT_EQ(practice.hintSteps(), 0) << "no hint before a miss";
        ASSERT_TRUE(practice.answer(coach, choiceOf(practice.exercise().original)));
        const Choice best = practice.solution(coach)->best;
        practice.askHint();
        Hint hint = practice.hint(coach);
        EXPECT_EQ(hint.enters, best.enters());
        EXPECT_EQ(hint.dice, static_cast<int>(best.hold.size()));
        EXPECT_TRUE(hint.best.empty());

        practice.askHint();
        practice.askHint();
        EXPECT_EQ(practice.hintSteps(), 2) << "two steps only";
        hint = practice.hint(coach);
        const auto ofTheKind = [&](const Choice& choice) {
            return choice.enters() == best.enters() && choice.hold.size() == best.hold.size();
        };
        std::vector<std::pair<double, Choice>> all = everyChoice(practice.start());
        std::vector<std::pair<double, Choice>> kind;
        std::copy_if(all.begin(), all.end(), std::back_inserter(kind),
                     [&](const auto& c) { return ofTheKind(c.second); });
        std::sort(kind.begin(), kind.end(),
                  [](const auto& a, const auto& b) { return a.first > b.first; });
        ASSERT_EQ(hint.best.size(), std::min<std::size_t>(3, kind.size()));
        std::sort(all.begin(), all.end(),
                  [](const auto& a, const auto& b) { return a.first > b.first; });
        mixed += std::any_of(all.begin(), all.begin() + std::min<std::ptrdiff_t>(3, all.size()),
                             [&](const auto& c) { return !ofTheKind(c.second); });
        EXPECT_EQ(std::count(hint.best.begin(), hint.best.end(), best), 1);
        const double third = kind[hint.best.size() - 1].first;
        for (const Choice& named : hint.best) {
            EXPECT_TRUE(ofTheKind(named)) << "nothing the first step tells apart";
            EXPECT_GE(coach.weigh(practice.start(), named)->chosenTotal, third - 1e-9);
        }
    }
    EXPECT_GT(mixed, 0) << "boards where another kind ranks among the three best";
}

TEST_F(PracticeTest, AShownSolutionEndsTheExerciseUntilTheNextFinishedGame) {
    const std::size_t count = practice.open().size();
    practice.take(1);
    const Exercise exercise = practice.exercise();
    practice.showSolution();
    EXPECT_EQ(practice.stage(), Practice::Stage::Choosing) << "offered only after a miss";
    ASSERT_TRUE(practice.answer(coach, choiceOf(exercise.original)));
    practice.showSolution();
    EXPECT_EQ(practice.stage(), Practice::Stage::Shown);
    EXPECT_EQ(practice.solved(), 0) << "shown is not solved";
    EXPECT_EQ(practice.open().size(), count - 1);
    EXPECT_FALSE(practice.follow(coach, games)) << "no game finished since";
    EXPECT_EQ(practice.open().size(), count - 1);

    // A game played by the coach costs nothing and sets no exercise of its own.
    test::Player best(test::Strategy::Coach, &coach, 20261212);
    best.play();
    std::vector<PlayedGame> more = games;
    more.push_back(best.moves().finished().back());
    EXPECT_TRUE(practice.follow(coach, more));
    EXPECT_FALSE(practice.inHand()) << "the list it stood in is gone";
    ASSERT_EQ(practice.open().size(), count);
    EXPECT_EQ(std::count_if(
                  practice.open().begin(), practice.open().end(),
                  [&](const Exercise& e) { return e.original.before == exercise.original.before; }),
              1)
        << "back in the list";
}

TEST_F(PracticeTest, NextGoesOnThroughTheListAndRoundAgain) {
    const std::size_t last = practice.open().size() - 1;
    const auto next = [this] {
        practice.takeNext();
        return practice.index();
    };
    EXPECT_EQ(next(), 0u) << "the first with none in hand";
    EXPECT_EQ(next(), 1u) << "unanswered, the one after it";
    ASSERT_TRUE(practice.answer(coach, choiceOf(practice.exercise().original)));
    EXPECT_EQ(next(), 2u) << "missed, the one after it";
    ASSERT_TRUE(practice.answer(coach, practice.solution(coach)->best));
    EXPECT_EQ(next(), 2u) << "solved, the one now standing where it stood";
    practice.take(last - 1); // the last, now that one is solved
    EXPECT_EQ(next(), 0u) << "after the last, the first";
}

} // namespace
} // namespace kubiq
