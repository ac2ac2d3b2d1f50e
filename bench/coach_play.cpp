// coach_play [--games N] [--threads T] [--seed S]: plays N games through the engine by the
// coach's advice and N by a simple rule (keep the most frequent face, enter the highest tip),
// and prints one JSON line for each: the final TOTAL's mean, standard deviation, standard
// error, percentiles, and how often each bonus was reached. The solver's expected total goes
// with them, to set the coach's mean against. A last line gives the costs of the simple rule's
// decisions that were not the best, from which the review's marks of a decision are chosen.

#include "coach_player.h"
#include "game_review.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <variant>

namespace {

using kubiq::test::FinalSheet;
using kubiq::test::Strategy;

struct Played {
    std::vector<FinalSheet> sheets;
    std::vector<double> costs; // of every decision that was not the best
};

// The nearest-rank percentile of sorted values.
template <typename T> const T& percentileOf(const std::vector<T>& sorted, double p) {
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * sorted.size()));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

void report(const char* strategy, std::vector<FinalSheet> games, double seconds, double expected) {
    const double n = static_cast<double>(games.size());
    double sum = 0.0, squares = 0.0, upper = 0.0, lower = 0.0;
    for (const FinalSheet& game : games) {
        sum += game.total;
        squares += static_cast<double>(game.total) * game.total;
        upper += game.upperBonus;
        lower += game.lowerBonus;
    }
    const double mean = sum / n;
    const double deviation = std::sqrt((squares - sum * mean) / (n - 1));
    std::sort(games.begin(), games.end(),
              [](const FinalSheet& a, const FinalSheet& b) { return a.total < b.total; });
    const auto percentile = [&](double p) { return percentileOf(games, p).total; };
    std::printf("{\"strategy\": \"%s\", \"games\": %zu, \"seconds\": %.3f, \"expected\": %.6f, "
                "\"mean\": %.4f, \"sd\": %.4f, \"se\": %.4f, \"min\": %d, \"p5\": %d, "
                "\"p25\": %d, \"p50\": %d, \"p75\": %d, \"p95\": %d, \"max\": %d, "
                "\"upper_bonus\": %.5f, \"lower_bonus\": %.5f}\n",
                strategy, games.size(), seconds, expected, mean, deviation,
                deviation / std::sqrt(n), games.front().total, percentile(5), percentile(25),
                percentile(50), percentile(75), percentile(95), games.back().total, upper / n,
                lower / n);
}

void reportCosts(std::vector<double> costs, int games) {
    std::sort(costs.begin(), costs.end());
    const auto share = [&](double least) {
        return static_cast<double>(costs.end() - std::lower_bound(costs.begin(), costs.end(), least)) /
               static_cast<double>(costs.size());
    };
    std::printf("{\"costs of\": \"simple\", \"per game\": %.2f, \"p50\": %.3f, \"p75\": %.3f, "
                "\"p90\": %.3f, \"p99\": %.3f, \"from 0.5\": %.4f, \"from 2\": %.4f, "
                "\"from 8\": %.4f}\n",
                static_cast<double>(costs.size()) / games, percentileOf(costs, 50),
                percentileOf(costs, 75), percentileOf(costs, 90), percentileOf(costs, 99),
                share(kubiq::kInaccuracy), share(kubiq::kMistake), share(kubiq::kBlunder));
}

// Thread t plays games t, t + threads, ... with a draw seeded seed + t.
Played play(Strategy strategy, const kubiq::Coach& coach, int games, int threads,
            std::uint64_t seed) {
    Played played{std::vector<FinalSheet>(games), {}};
    std::vector<std::vector<double>> costs(threads);
    std::vector<std::jthread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            kubiq::test::Player player(strategy, &coach, seed + t);
            for (int game = t; game < games; game += threads)
                played.sheets[game] = player.play();
            for (const kubiq::PlayedGame& game : player.moves().finished())
                for (const kubiq::Move& move : game.moves)
                    if (const double cost = coach.cost(move); cost > 1e-9)
                        costs[t].push_back(cost);
        });
    pool.clear(); // joins
    for (const std::vector<double>& some : costs)
        played.costs.insert(played.costs.end(), some.begin(), some.end());
    return played;
}

} // namespace

int main(int argc, char* argv[]) {
    int games = 100000;
    int threads = 2;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const long value = std::atol(argv[i + 1]);
        if (!std::strcmp(argv[i], "--games"))
            games = static_cast<int>(value);
        else if (!std::strcmp(argv[i], "--threads"))
            threads = static_cast<int>(value);
        else if (!std::strcmp(argv[i], "--seed"))
            seed = static_cast<std::uint64_t>(value);
    }
    if (games < 2 || threads < 1) {
        std::fprintf(stderr, "usage: coach_play [--games N >= 2] [--threads T] [--seed S]\n");
        return 2;
    }
    auto loaded = kubiq::Coach::load(KUBIQ_BENCH_TABLE);
    if (!std::holds_alternative<kubiq::Coach>(loaded)) {
        std::fprintf(stderr, "coach_play: no table at %s\n", KUBIQ_BENCH_TABLE);
        return 1;
    }
    const kubiq::Coach& coach = std::get<kubiq::Coach>(loaded);
    for (Strategy strategy : {Strategy::Coach, Strategy::Rule}) {
        const auto start = std::chrono::steady_clock::now();
        Played played = play(strategy, coach, games, threads, seed);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        report(strategy == Strategy::Coach ? "coach" : "simple", std::move(played.sheets),
               wall.count(), coach.expectedGameTotal());
        if (strategy == Strategy::Rule)
            reportCosts(std::move(played.costs), games);
    }
    return 0;
}
