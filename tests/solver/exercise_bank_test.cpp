// The bank of exercises: every exercise the build ships is proven by the coach itself (its best
// choice ahead of every other by a point, its tempting choice two points behind, its themes as
// their rules say, its board one a game shows); mining gives the same bytes on any number of
// threads; a damaged bank file is turned away, never half read; ratings move by Glicko-2.

#include "bank_practice.h"
#include "board_code.h"
#include "exercise_bank.h"
#include "exercise_mining.h"
#include "glicko.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <variant>

namespace kubiq {
namespace {

const Coach& tableCoach() {
    static const std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_TEST_TABLE);
    return std::get<Coach>(loaded);
}

std::string shippedBytes() {
    std::ifstream file(KUBIQ_TEST_BANK, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(ExerciseBank, EveryShippedExerciseIsProvenByTheCoach) {
    const auto read = parseBank(shippedBytes());
    ASSERT_TRUE(std::holds_alternative<std::vector<BankExercise>>(read));
    const std::vector<BankExercise>& bank = std::get<std::vector<BankExercise>>(read);
    EXPECT_GE(bank.size(), 2000u);
    std::array<int, kThemeCount> themes{};
    std::set<int> turnsParts, rolls, kinds;
    std::set<std::string> codes;
    for (const BankExercise& exercise : bank) {
        const Position& board = exercise.board;
        SCOPED_TRACE(boardCode(board));
        ASSERT_FALSE(boardProblem(board)) << "a board a game shows";
        EXPECT_TRUE(codes.insert(boardCode(board)).second) << "every board once";
        const std::vector<WeighedChoice> choices = weighedChoices(tableCoach(), board);
        ASSERT_GE(choices.size(), 2u);
        EXPECT_TRUE(choices[0].choice == exercise.best) << "the best choice";
        EXPECT_GE(choices[0].total - choices[1].total, kUniqueMargin) << "unique by a point";
        const std::optional<Weighing> tempting =
            tableCoach().weigh(moveOf(board, exercise.tempting));
        ASSERT_TRUE(tempting);
        EXPECT_GE(tempting->cost(), kTempting - 1e-9) << "the tempting choice costs";
        EXPECT_EQ(exercise.has(Theme::Opening), board.turn() <= 4);
        EXPECT_EQ(exercise.has(Theme::Endgame), board.turn() >= 11);
        for (int t = 0; t < kThemeCount; ++t)
            themes[t] += exercise.themes >> t & 1;
        turnsParts.insert(board.turn() <= 4 ? 0 : board.turn() <= 10 ? 1 : 2);
        rolls.insert(board.rollsMade);
        kinds.insert(exercise.best.enters());
    }
    EXPECT_GE(std::count_if(themes.begin(), themes.end(), [](int n) { return n >= 100; }), 6);
    EXPECT_EQ(turnsParts.size(), 3u);
    EXPECT_EQ(rolls.size(), 3u);
    EXPECT_EQ(kinds.size(), 2u);
}

TEST(ExerciseBank, MiningGivesTheSameBytesOnAnyNumberOfThreads) {
    Mining few;
    few.games = 300;
    few.threads = 1;
    const std::string one = bankBytes(mineExercises(tableCoach(), few));
    few.threads = 2;
    EXPECT_EQ(bankBytes(mineExercises(tableCoach(), few)), one);
    few.seed += 1;
    EXPECT_NE(bankBytes(mineExercises(tableCoach(), few)), one) << "another seed, other games";
#ifndef KUBIQ_TWIN_SAMPLES_PAIRS
    // The shipped file is the one the build's seed gives (under the sanitizers, too slow a run).
    EXPECT_EQ(std::hash<std::string>()(bankBytes(mineExercises(tableCoach(), Mining()))),
              std::hash<std::string>()(shippedBytes()));
#endif
}

// A board of turn `turn` (the sheet's first `turn - 1` categories entered with 0) showing
// `faces`.
Position boardOf(int turn, std::string_view faces, int rollsMade) {
    Scores entries{};
    for (int c = 0; c + 1 < turn; ++c)
        entries[c] = 0;
    Faces shown{};
    for (int i = 0; i < kDiceCount; ++i)
        shown[i] = faces[i] - '0';
    return boardWith(entries, shown, {}, rollsMade);
}

TEST(ExerciseBank, EachThemeIsFoundByItsRule) {
    const auto hold = [](std::vector<int> faces) { return Choice{std::move(faces), -1}; };
    const auto enter = [](int category) { return Choice{{}, category}; };
    const struct {
        const char* name;
        Position board;
        Choice best;
        Choice tempting;
        std::set<Theme> present;
        std::set<Theme> absent;
    } rows[] = {
        {"a run kept over a pair, in the opening",
         boardOf(1, "23446", 1),
         hold({2, 3, 4}),
         hold({4, 4}),
         {Theme::StraightOverPair, Theme::Opening},
         {Theme::Endgame, Theme::ChaseFive}},
        {"three of a kind kept to roll for more",
         boardOf(6, "55512", 2),
         hold({5, 5, 5}),
         enter(Dreierpasch),
         {Theme::ChaseFive},
         {Theme::Opening, Theme::EnterEarly}},
        {"a zero entered on purpose before the last roll",
         boardOf(12, "23456", 1),
         enter(Kubiq),
         enter(Chance),
         {Theme::ZeroOnPurpose, Theme::EnterEarly, Theme::Endgame, Theme::KeepChance},
         {Theme::Opening}},
        {"points entered after the last roll",
         boardOf(8, "66662", 3),
         enter(Viererpasch),
         enter(Chance),
         {Theme::KeepChance},
         {Theme::ZeroOnPurpose, Theme::EnterEarly}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        BankExercise exercise;
        exercise.board = row.board;
        exercise.best = row.best;
        exercise.tempting = row.tempting;
        exercise.themes = exerciseThemes(tableCoach(), exercise);
        for (Theme theme : row.present)
            EXPECT_TRUE(exercise.has(theme)) << themeName(theme);
        for (Theme theme : row.absent)
            EXPECT_FALSE(exercise.has(theme)) << themeName(theme);
    }
}

// A missing, cut, other version or changed file is turned away with its problem; a thousand
// randomly damaged ones too, and never read in part.
TEST(ExerciseBank, ADamagedFileIsTurnedAway) {
    Mining few;
    few.games = 40;
    const std::string sound = bankBytes(mineExercises(tableCoach(), few));
    ASSERT_GT(sound.size(), 32u + 3 * kBankRecord);
    EXPECT_EQ(std::get<BankProblem>(readBank("/nonexistent/exercises.bank")), BankProblem::Missing);
    std::string otherVersion = sound;
    otherVersion[8] = 2;
    const struct {
        const char* name;
        std::string bytes;
        BankProblem problem;
    } rows[] = {
        {"empty", "", BankProblem::Damaged},
        {"cut in the header", sound.substr(0, 20), BankProblem::Damaged},
        {"cut in a record", sound.substr(0, sound.size() - 7), BankProblem::Damaged},
        {"another version", otherVersion, BankProblem::OtherVersion},
        {"a byte changed",
         [&] {
             std::string changed = sound;
             changed[40] ^= 0x20;
             return changed;
         }(),
         BankProblem::Damaged},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto read = parseBank(row.bytes);
        ASSERT_TRUE(std::holds_alternative<BankProblem>(read));
        EXPECT_EQ(std::get<BankProblem>(read), row.problem);
    }

    std::mt19937 random(29);
    const auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 1000; ++round) {
        std::string bytes = sound;
        const std::size_t kind = below(3);
        if (kind == 0)
            bytes.resize(below(bytes.size()));
        for (std::size_t n = 1 + below(4); kind == 1 && n > 0; --n)
            bytes[below(bytes.size())] ^= static_cast<char>(1 + below(255));
        if (kind == 2)
            bytes.push_back(static_cast<char>(random()));
        const auto read = parseBank(bytes);
        EXPECT_EQ(std::holds_alternative<BankProblem>(read), bytes != sound) << round;
    }
}

// A run from the bank, answered as a player answers: counts, streak and ratings follow each
// first answer; a missed exercise comes back once, three exercises later; themes and levels
// choose what comes.
TEST(BankPractice, CountsRatesAndBringsAMissBackOnce) {
    const auto read = parseBank(shippedBytes());
    ASSERT_TRUE(std::holds_alternative<std::vector<BankExercise>>(read));
    BankPractice run(std::get<std::vector<BankExercise>>(read));
    run.setRepeats(true);
    ASSERT_TRUE(run.next());
    const std::size_t missed = *run.current();
    const BankExercise& first = run.bank()[missed];
    const double before = run.ratingOf(missed).rating;
    ASSERT_TRUE(run.answer(tableCoach(), first.tempting));
    EXPECT_EQ(run.hand().stage(), Practice::Stage::Missed);
    EXPECT_LT(run.rating().rating, 1500.0);
    EXPECT_GT(run.ratingOf(missed).rating, before) << "the exercise won";
    const double afterMiss = run.rating().rating;
    run.hand().retry();
    ASSERT_TRUE(run.answer(tableCoach(), first.best));
    EXPECT_EQ(run.solved(), 1);
    EXPECT_EQ(run.solvedFirstTry(), 0) << "solved, but not at the first try";
    EXPECT_EQ(run.rating().rating, afterMiss) << "a second answer rates nothing";

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(run.next());
        EXPECT_NE(*run.current(), missed);
        ASSERT_TRUE(run.answer(tableCoach(), run.bank()[*run.current()].best));
    }
    EXPECT_EQ(run.streak(), 3);
    EXPECT_EQ(run.solvedFirstTry(), 3);
    EXPECT_GT(run.rating().rating, afterMiss);
    ASSERT_TRUE(run.next());
    EXPECT_EQ(*run.current(), missed) << "the miss comes back";
    ASSERT_TRUE(run.answer(tableCoach(), first.tempting));
    EXPECT_EQ(run.streak(), 0);
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(run.next());
        EXPECT_NE(*run.current(), missed) << "only once";
    }

    // A theme gives only its exercises; a harder level those rated higher.
    const auto pick = [&](BankPractice::Level level, std::optional<Theme> theme) {
        BankPractice fresh(run.bank());
        fresh.setLevel(level);
        fresh.setTheme(theme);
        EXPECT_TRUE(fresh.next());
        return fresh.bank()[*fresh.current()];
    };
    EXPECT_TRUE(pick(BankPractice::Level::Medium, Theme::KeepChance).has(Theme::KeepChance));
    EXPECT_LT(pick(BankPractice::Level::Easy, std::nullopt).rating,
              pick(BankPractice::Level::Hard, std::nullopt).rating);
}

// Glickman's worked example: a player of 1500 (deviation 200) beats 1400, loses to 1550 and to
// 1700 in one period: 1464.06, 151.52, volatility 0.05999.
TEST(Glicko, RatesAsTheWorkedExample) {
    const Outcome games[] = {
        {{1400, 30, 0.06}, 1.0}, {{1550, 100, 0.06}, 0.0}, {{1700, 300, 0.06}, 0.0}};
    const Rating after = rated({1500, 200, 0.06}, games);
    EXPECT_NEAR(after.rating, 1464.06, 0.01);
    EXPECT_NEAR(after.deviation, 151.52, 0.01);
    EXPECT_NEAR(after.volatility, 0.05999, 0.00001);
    const Rating idle = rated({1500, 200, 0.06}, {});
    EXPECT_EQ(idle.rating, 1500);
    EXPECT_GT(idle.deviation, 200) << "uncertain again without games";
}

} // namespace
} // namespace kubiq
