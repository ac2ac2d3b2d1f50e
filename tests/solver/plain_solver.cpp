#include "plain_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kubiq::test {

namespace {

constexpr int kPow6[kDiceCount + 1] = {1, 6, 36, 216, 1296, 7776};

// Throw x shows face x / 6^i % 6 + 1 on die i.
int digit(int x, int die) {
    return x / kPow6[die] % 6;
}

int totalOf(int upperSum, int lowerSum) {
    Scores sheet{};
    sheet[Einer] = upperSum;
    sheet[Dreierpasch] = lowerSum;
    return sheetSum(sheet, SumCell::Total).value_or(0);
}

} // namespace

PlainSolver::PlainSolver() : m_tips(kThrows) {
    OpenCategories allOpen;
    allOpen.fill(true);
    for (int x = 0; x < kThrows; ++x) {
        Faces faces{};
        for (int die = 0; die < kDiceCount; ++die)
            faces[die] = digit(x, die) + 1;
        m_tips[x] = suggest(faces, allOpen);
        for (int c = 0; c < kCategoryCount; ++c)
            m_scores[c].insert(points(x, c));
    }
}

double PlainSolver::turn(const std::vector<double>& enter) {
    std::array<std::vector<int>, 32> free; // the dice a hold mask leaves to roll
    for (int mask = 0; mask < 32; ++mask)
        for (int die = 0; die < kDiceCount; ++die)
            if (!(mask >> die & 1))
                free[mask].push_back(die);
    std::vector<double> after = enter; // the worth of each throw with no roll left
    for (int roll = 1; roll < kRollsPerTurn; ++roll) {
        // The mean after rerolling the dice outside a mask, by mask and the faces held.
        std::vector<double> rerolled(32 * kThrows, std::numeric_limits<double>::quiet_NaN());
        std::vector<double> before(kThrows);
        for (int x = 0; x < kThrows; ++x) {
            double best = enter[x];
            for (int mask = 0; mask < 32; ++mask) {
                int held = x;
                for (int die : free[mask])
                    held -= digit(x, die) * kPow6[die];
                double& mean = rerolled[mask * kThrows + held];
                if (std::isnan(mean)) {
                    const int outcomes = kPow6[free[mask].size()];
                    double sum = 0.0;
                    for (int o = 0; o < outcomes; ++o) {
                        int y = held;
                        for (std::size_t k = 0; k < free[mask].size(); ++k)
                            y += digit(o, static_cast<int>(k)) * kPow6[free[mask][k]];
                        sum += after[y];
                    }
                    mean = sum / outcomes;
                }
                best = std::max(best, mean);
            }
            before[x] = best;
        }
        after = before;
    }
    double sum = 0.0;
    for (double worth : after)
        sum += worth;
    return sum / kThrows;
}

double PlainSolver::value(unsigned open, int upperSum, int lowerSum) {
    if (open == 0)
        return 0.0;
    const auto known = m_values.find({open, upperSum, lowerSum});
    if (known != m_values.end())
        return known->second;

    // What entering each score in each open category adds to TOTAL, the rest of the game included.
    std::array<std::map<int, double>, kCategoryCount> worth;
    std::vector<double> key;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!(open >> c & 1))
            continue;
        for (int p : m_scores[c]) {
            const int upper = upperSum + (isUpper(c) ? p : 0);
            const int lower = lowerSum + (isUpper(c) ? 0 : p);
            worth[c][p] = totalOf(upper, lower) - totalOf(upperSum, lowerSum) +
                          value(open & ~(1u << c), upper, lower);
            key.push_back(worth[c][p]);
        }
    }
    auto [turnAt, isNew] = m_turns.try_emplace({open, std::move(key)}, 0.0);
    if (isNew) {
        std::vector<double> enter(kThrows, -1.0);
        for (int x = 0; x < kThrows; ++x)
            for (int c = 0; c < kCategoryCount; ++c)
                if (open >> c & 1)
                    enter[x] = std::max(enter[x], worth[c][points(x, c)]);
        turnAt->second = turn(enter);
    }
    return m_values[{open, upperSum, lowerSum}] = turnAt->second;
}

std::set<int> PlainSolver::sums(unsigned closed) const {
    std::set<int> sums{0};
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!(closed >> c & 1))
            continue;
        std::set<int> more;
        for (int sum : sums)
            for (int p : m_scores[c])
                more.insert(sum + p);
        sums.swap(more);
    }
    return sums;
}

} // namespace kubiq::test
