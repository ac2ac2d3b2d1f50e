#include "exercise_mining.h"

#include "board_code.h"
#include "scoring.h"

#include <algorithm>
#include <map>
#include <set>
#include <thread>

namespace kubiq {

namespace {

bool isRun(const std::vector<int>& faces) {
    std::set<int> distinct(faces.begin(), faces.end());
    if (distinct.size() < 3 || distinct.size() != faces.size())
        return false;
    return *distinct.rbegin() - *distinct.begin() + 1 == static_cast<int>(distinct.size());
}

bool hasPair(const std::vector<int>& faces) {
    for (std::size_t i = 1; i < faces.size(); ++i)
        if (faces[i] == faces[i - 1])
            return true;
    return false;
}

bool allEqual(const std::vector<int>& faces) {
    return std::adjacent_find(faces.begin(), faces.end(), std::not_equal_to<>()) == faces.end();
}

// The board after `choice`: the dice it keeps held for the next roll, or the entry made.
Position play(const Position& board, const Choice& choice) {
    if (choice.enters()) {
        Scores entries{};
        for (int c = 0; c < kCategoryCount; ++c)
            if (!(board.open >> c & 1))
                entries[c] = board.points[c];
        entries[choice.category] = tipsOf(board)[choice.category].value_or(0);
        return boardWith(entries, {}, {}, 0);
    }
    return moveOf(board, choice).before;
}

Position rolled(Position board, std::uint64_t& random) {
    for (int die = 0; die < kDiceCount; ++die)
        if (!board.held[die] || board.rollsMade == 0)
            board.faces[die] = 1 + static_cast<int>(splitMix(random) % 6);
    if (board.rollsMade == 0)
        board.held = {};
    ++board.rollsMade;
    return board;
}

// Where an exercise stands in the game: the part of the game, the roll, hold or entry.
int bucketOf(const BankExercise& exercise) {
    const int turn = exercise.board.turn();
    const int part = turn <= 4 ? 0 : turn <= 10 ? 1 : 2;
    return (part * 3 + exercise.board.rollsMade - 1) * 2 + (exercise.best.enters() ? 1 : 0);
}

// The exercise this board makes, if any: a clear best, and a rule of thumb that loses by it.
std::optional<BankExercise> exerciseOn(const Coach& coach, const Position& shown,
                                       std::uint64_t& random) {
    // An exercise starts with no die held: the holds are the question.
    Position board = shown;
    board.held = {};
    const std::vector<WeighedChoice> choices = weighedChoices(coach, board);
    if (choices.size() < 2 || choices[0].total - choices[1].total < kUniqueMargin)
        return std::nullopt;
    const auto totalOf = [&](const Choice& choice) -> std::optional<double> {
        for (const WeighedChoice& weighed : choices)
            if (weighed.choice == choice)
                return weighed.total;
        // Holding all five dice: counted as the best entry.
        if (choice.hold.size() == kDiceCount)
            return choices[0].total;
        return std::nullopt;
    };
    BankExercise exercise;
    exercise.board = board;
    exercise.best = choices[0].choice;
    exercise.margin = choices[0].total - choices[1].total;
    std::map<std::vector<int>, int> votes; // how many rules chose each tempting choice
    std::optional<Choice> tempting;
    int temptingVotes = 0;
    for (RuleOfThumb rule : kRulesOfThumb) {
        const Choice chosen = chooseByRule(rule, board, choices, random);
        const std::optional<double> total = totalOf(chosen);
        if (!total || choices[0].total - *total <= kTie)
            continue;
        ++exercise.rulesFailing;
        if (choices[0].total - *total < kTempting)
            continue;
        std::vector<int> key = chosen.hold;
        key.push_back(chosen.category);
        const int count = ++votes[key];
        if (!tempting || count > temptingVotes) {
            tempting = chosen;
            temptingVotes = count;
            exercise.temptingCost = choices[0].total - *total;
        }
    }
    if (!tempting)
        return std::nullopt;
    exercise.tempting = *tempting;
    for (std::size_t i = 1; i < choices.size(); ++i)
        exercise.nearBest += choices[0].total - choices[i].total < 2.0;
    exercise.themes = exerciseThemes(coach, exercise);
    // Harder when more rules fall for it and more choices come near; easier when the tempting
    // choice is far behind, which the player sees more readily.
    exercise.rating = 1250.0 + 120.0 * exercise.rulesFailing + 60.0 * exercise.nearBest -
                      15.0 * std::min(exercise.temptingCost, 12.0);
    return exercise;
}

int partOf(const BankExercise& exercise) {
    return bucketOf(exercise) / 6;
}

// The exercises of one game: at most three, from its last turns, its middle and its opening
// where it has some in each.
std::vector<BankExercise> mineGame(const Coach& coach, std::uint64_t seed, RuleOfThumb driver) {
    std::uint64_t random = seed;
    std::vector<BankExercise> found;
    Position board;
    while (board.open != 0) {
        board = rolled(board, random);
        for (;;) {
            if (std::optional<BankExercise> exercise = exerciseOn(coach, board, random))
                found.push_back(std::move(*exercise));
            const Choice choice = chooseByRule(driver, board, weighedChoices(coach, board), random);
            board = play(board, choice);
            if (choice.enters())
                break;
            board = rolled(board, random);
        }
    }
    std::vector<BankExercise> kept;
    for (int part = 2; part >= 0; --part)
        if (const auto first =
                std::find_if(found.begin(), found.end(),
                             [&](const BankExercise& e) { return partOf(e) == part; });
            first != found.end())
            kept.push_back(*first);
    for (const BankExercise& exercise : found)
        if (kept.size() < 3 && std::none_of(kept.begin(), kept.end(), [&](const BankExercise& k) {
                return k.board == exercise.board;
            }))
            kept.push_back(exercise);
    return kept;
}

} // namespace

std::vector<WeighedChoice> weighedChoices(const Coach& coach, const Position& board) {
    std::vector<WeighedChoice> choices;
    const std::optional<BoardFigures> figures = coach.figures(board, 0);
    if (!figures)
        return choices;
    for (const HoldAdvice& hold : figures->everyHold)
        if (hold.faces.size() < kDiceCount)
            choices.push_back({{hold.faces, -1}, hold.expectedTotal});
    for (const EntryAdvice& entry : figures->advice.entries)
        choices.push_back({{{}, entry.category}, entry.expectedTotal});
    std::stable_sort(
        choices.begin(), choices.end(),
        [](const WeighedChoice& a, const WeighedChoice& b) { return a.total > b.total; });
    return choices;
}

std::uint16_t exerciseThemes(const Coach& coach, const BankExercise& exercise) {
    const Position& board = exercise.board;
    const std::optional<Explanation> why = coach.explain(board, exercise.tempting);
    const auto set = [](Theme theme) {
        return static_cast<std::uint16_t>(1u << static_cast<int>(theme));
    };
    std::uint16_t themes = 0;
    const int turn = board.turn();
    if (turn <= 4)
        themes |= set(Theme::Opening);
    if (turn >= kCategoryCount - 2)
        themes |= set(Theme::Endgame);
    if (why && why->best.bonus.upper - why->chosen.bonus.upper >= 0.05)
        themes |= set(Theme::UpperBonus);
    if (why && why->best.bonus.lower - why->chosen.bonus.lower >= 0.05)
        themes |= set(Theme::LowerBonus);
    const Choice& best = exercise.best;
    const Choice& tempting = exercise.tempting;
    if (best.enters() && tipsOf(board)[best.category].value_or(0) == 0)
        themes |= set(Theme::ZeroOnPurpose);
    if (best.enters() && board.rollsMade < kRollsPerTurn)
        themes |= set(Theme::EnterEarly);
    if (!best.enters() && isRun(best.hold) && !tempting.enters() && hasPair(tempting.hold))
        themes |= set(Theme::StraightOverPair);
    if (!best.enters() && best.hold.size() >= 3 && allEqual(best.hold))
        themes |= set(Theme::ChaseFive);
    if (tempting.category == Chance && best.category != Chance)
        themes |= set(Theme::KeepChance);
    return themes;
}

std::vector<BankExercise> mineExercises(const Coach& coach, const Mining& mining) {
    // Each game from a seed of its own, on whichever thread: the same games for any number.
    std::vector<std::vector<BankExercise>> games(
        static_cast<std::size_t>(std::max(0, mining.games)));
    const auto work = [&](int first, int step) {
        for (int game = first; game < mining.games; game += step) {
            std::uint64_t seed =
                mining.seed ^ (0x5851F42D4C957F2Dull * static_cast<std::uint64_t>(game + 1));
            const RuleOfThumb driver =
                kRulesOfThumb[static_cast<std::size_t>(game) % kRulesOfThumb.size()];
            games[static_cast<std::size_t>(game)] = mineGame(coach, splitMix(seed), driver);
        }
    };
    const int threads = std::max(1, mining.threads);
    {
        std::vector<std::jthread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work, t, threads);
        work(0, threads);
    }

    // Every board once, then spread: the parts of the game, the rolls, holds and entries take
    // turns, each its exercises in the order found.
    std::set<std::string> codes;
    std::map<int, std::vector<BankExercise>> buckets;
    for (std::vector<BankExercise>& game : games)
        for (BankExercise& exercise : game)
            if (codes.insert(boardCode(exercise.board)).second)
                buckets[bucketOf(exercise)].push_back(std::move(exercise));
    std::vector<BankExercise> bank;
    for (std::size_t round = 0; bank.size() < mining.most; ++round) {
        bool any = false;
        for (auto& [bucket, found] : buckets)
            if (round < found.size() && bank.size() < mining.most) {
                bank.push_back(found[round]);
                any = true;
            }
        if (!any)
            break;
    }
    return bank;
}

} // namespace kubiq
