// What the coach and the solver cost: the advice for one board, the ranking of its holds, the
// whole analysis of a board and the review of a whole game; one turn of the solver's kernel
// against plainer ways of working out the same turn, so that each of its tricks is measured by
// what it saves; the whole table on one thread; and the bank of exercises read.

#include "coach.h"
#include "coach_player.h"
#include "exercise_bank.h"
#include "game_review.h"
#include "plain_solver.h"
#include "scoring.h"
#include "solver.h"
#include "turn_values.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <utility>
#include <variant>

namespace kubiq {
namespace {

// The build's table, read once; the benchmark is skipped without one.
const Coach* coachOrSkip(benchmark::State& state) {
    static const std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_BENCH_TABLE);
    if (const Coach* coach = std::get_if<Coach>(&loaded))
        return coach;
    state.SkipWithError("no table at " KUBIQ_BENCH_TABLE);
    return nullptr;
}

// The advice on the first roll of a game: every category open, two rolls left, the most a
// board asks of the coach. The throws come in a shuffled order.
void adviseOneBoard(benchmark::State& state) {
    const Coach* loaded = coachOrSkip(state);
    if (loaded == nullptr)
        return;
    const Coach& coach = *loaded;
    std::vector<Position> boards(1000);
    std::mt19937 random(5);
    for (Position& board : boards) {
        board.rollsMade = 1;
        for (int& face : board.faces)
            face = static_cast<int>(random() % 6) + 1;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(coach.advise(boards[i]));
        i = (i + 1) % boards.size();
    }
}
BENCHMARK(adviseOneBoard)->Unit(benchmark::kMicrosecond);

// A first roll of five different faces, every category open: 32 holds, the most a ranking weighs.
Position firstRollOfFiveFaces() {
    Position board;
    board.rollsMade = 1;
    board.faces = {1, 2, 3, 5, 6};
    return board;
}

// The holds of such a roll ranked.
void rankHoldsOfOneBoard(benchmark::State& state) {
    const Coach* loaded = coachOrSkip(state);
    if (loaded == nullptr)
        return;
    const Coach& coach = *loaded;
    const Position board = firstRollOfFiveFaces();
    for (auto _ : state)
        benchmark::DoNotOptimize(coach.rankHolds(board));
}
BENCHMARK(rankHoldsOfOneBoard)->Unit(benchmark::kMicrosecond);

// Everything the coach shows of a first roll, every category open: the advice with the bonus
// chances, the ranking with how the turn ends after each ranked hold, and why the dice held
// (one 6) fall short of the best.
void analyseOneBoard(benchmark::State& state) {
    const Coach* loaded = coachOrSkip(state);
    if (loaded == nullptr)
        return;
    const Coach& coach = *loaded;
    Position board = firstRollOfFiveFaces();
    board.held = {false, false, false, false, true};
    for (auto _ : state) {
        benchmark::DoNotOptimize(coach.advise(board));
        benchmark::DoNotOptimize(coach.rankHolds(board));
        benchmark::DoNotOptimize(coach.explain(board, {board.heldFaces(), -1}));
    }
}
BENCHMARK(analyseOneBoard)->Unit(benchmark::kMicrosecond);

// The review of whole games played at random, which roll as often as a game can (three times a
// turn, half the time): 100 games in turn.
void reviewOneGame(benchmark::State& state) {
    const Coach* loaded = coachOrSkip(state);
    if (loaded == nullptr)
        return;
    const Coach& coach = *loaded;
    test::Player player(test::Strategy::Random, &coach, 7);
    for (int game = 0; game < 100; ++game)
        player.play();
    const std::vector<PlayedGame>& games = player.moves().finished();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(reviewGame(coach, games[i]));
        i = (i + 1) % games.size();
    }
}
BENCHMARK(reviewOneGame)->Unit(benchmark::kMicrosecond);

// The turn every kernel works out: all thirteen categories open, a score in category c worth
// its points plus c / 10, so that no two categories tie.
double worth(int category, int points) {
    return points + category / 10.0;
}

// Ordered dice and hold masks, as the tests' plain twin has them: 7,776 throws, 32 holds each.
void turnOrderedDice(benchmark::State& state) {
    std::vector<Tips> tips(test::PlainSolver::kThrows);
    for (int x = 0; x < test::PlainSolver::kThrows; ++x) {
        Faces faces;
        for (int die = 0, rest = x; die < kDiceCount; ++die, rest /= 6)
            faces[die] = rest % 6 + 1;
        tips[x] = suggest(faces, OpenCategories{true, true, true, true, true, true, true, true,
                                                true, true, true, true, true});
    }
    double value = 0.0;
    for (auto _ : state) {
        std::vector<test::PlainSolver::Outcome> enter(tips.size(), {-1.0, 0.0, 0.0});
        for (std::size_t x = 0; x < tips.size(); ++x)
            for (int c = 0; c < kCategoryCount; ++c)
                enter[x].value = std::max(enter[x].value, worth(c, tips[x][c].value_or(0)));
        value = test::PlainSolver::turn(enter).value;
        benchmark::DoNotOptimize(std::as_const(value)); // read only: the value is reported
    }
    state.counters["value"] = value;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(turnOrderedDice)->Unit(benchmark::kMicrosecond);

// Sets of dice (252 throws, 462 keeps) without the kernel's two shortcuts: each keep's value
// sums every outcome of its free dice, each throw tries every keep it allows.
void turnSetsWithoutShortcuts(benchmark::State& state) {
    const DiceSets& dice = diceSets();
    struct Outcome {
        int throwIndex;
        double probability;
    };
    std::vector<std::vector<Outcome>> outcomes(DiceSets::kKeeps);
    std::vector<std::vector<int>> holds(DiceSets::kThrows);
    for (int keep = 0; keep < DiceSets::kKeeps; ++keep)
        for (int rolled = 0; rolled < DiceSets::kKeeps; ++rolled) {
            const int free = kDiceCount - dice.size(keep);
            if (dice.size(rolled) != free)
                continue;
            std::array<int, 6> counts{};
            double orders = std::tgamma(free + 1);
            for (int f = 0; f < 6; ++f) {
                counts[f] = dice.counts(keep)[f] + dice.counts(rolled)[f];
                orders /= std::tgamma(dice.counts(rolled)[f] + 1);
            }
            outcomes[keep].push_back(
                {dice.throwOf(dice.keepOf(counts)), orders / std::pow(6.0, free)});
        }
    for (int t = 0; t < DiceSets::kThrows; ++t)
        holds[t] = dice.subKeeps(dice.throwKeep(t));

    double value = 0.0;
    for (auto _ : state) {
        std::vector<double> throws(DiceSets::kThrows, -1.0);
        for (int c = 0; c < kCategoryCount; ++c)
            for (int t = 0; t < DiceSets::kThrows; ++t)
                throws[t] = std::max(throws[t], worth(c, dice.score(t, c)));
        std::vector<double> keeps(DiceSets::kKeeps);
        for (int roll = 1; roll < kRollsPerTurn; ++roll) {
            for (int keep = 0; keep < DiceSets::kKeeps; ++keep) {
                keeps[keep] = 0.0;
                for (const Outcome& outcome : outcomes[keep])
                    keeps[keep] += outcome.probability * throws[outcome.throwIndex];
            }
            for (int t = 0; t < DiceSets::kThrows; ++t)
                for (int hold : holds[t])
                    throws[t] = std::max(throws[t], keeps[hold]);
        }
        value = 0.0;
        for (int t = 0; t < DiceSets::kThrows; ++t)
            value += dice.probability(t) * throws[t];
        benchmark::DoNotOptimize(std::as_const(value)); // read only: the value is reported
    }
    state.counters["value"] = value;
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(turnSetsWithoutShortcuts)->Unit(benchmark::kMicrosecond);

// The solver's own kernel with `Lanes` states side by side, each with its value and the chances
// of both bonuses; a state here is one lane.
template <int Lanes> void turnKernel(benchmark::State& state) {
    const StateSpace space;
    using Turn = TurnValues<Lanes, 3>;
    Turn turn(space);
    auto throws = std::make_unique<typename Turn::ThrowRow>();
    auto keeps = std::make_unique<typename Turn::KeepRow>();
    const auto entry = [&](int c, int slot) {
        typename Turn::Worth lanes;
        lanes[0].fill(worth(c, space.pointsOf(c)[slot]));
        lanes[1].fill(c < Sechser ? 1.0 : 0.0);
        lanes[2].fill(slot % 2);
        return lanes;
    };
    typename Turn::Worth value{};
    for (auto _ : state) {
        turn.afterLastRoll(kAllOpen, entry, *throws);
        for (int roll = 1; roll < kRollsPerTurn; ++roll) {
            turn.keepsBeforeRoll(*throws, *keeps);
            turn.withRollLeft(*keeps, *throws);
        }
        value = turn.beforeFirstRoll(*throws);
        benchmark::DoNotOptimize(std::as_const(value)); // read only: the value is reported
    }
    state.counters["value"] = value[0][0];
    state.SetItemsProcessed(state.iterations() * Lanes);
}
BENCHMARK(turnKernel<1>)->Unit(benchmark::kMicrosecond);
BENCHMARK(turnKernel<8>)->Unit(benchmark::kMicrosecond);

// The whole table, as kubiq-solve computes it but on one thread: the baseline of its two.
void solveOnOneThread(benchmark::State& state) {
    const StateSpace space;
    for (auto _ : state)
        benchmark::DoNotOptimize(solve(space, 1));
}
BENCHMARK(solveOnOneThread)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

// The bank of exercises read and checked, every board parsed, against reading its bytes alone.
void readExerciseBank(benchmark::State& state) {
    for (auto _ : state) {
        const auto bank = readBank(KUBIQ_BENCH_BANK);
        if (!std::holds_alternative<std::vector<BankExercise>>(bank)) {
            state.SkipWithError("no bank at " KUBIQ_BENCH_BANK);
            return;
        }
        benchmark::DoNotOptimize(bank);
    }
}
BENCHMARK(readExerciseBank)->Unit(benchmark::kMillisecond);

void readBankBytes(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream file(KUBIQ_BENCH_BANK, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(readBankBytes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kubiq

BENCHMARK_MAIN();
