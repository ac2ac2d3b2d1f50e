#include "plain_solver.h"

#include "tie.h"

#include <algorithm>
#include <bit>

namespace kubiq::test {

namespace {

constexpr int kPow6[kDiceCount + 1] = {1, 6, 36, 216, 1296, 7776};

// Throw x with the dice outside the mask blanked (digit 0).
int held(int x, int mask) {
    for (int die = 0; die < kDiceCount; ++die)
        if (!(mask >> die & 1))
            x -= x / kPow6[die] % 6 * kPow6[die];
    return x;
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
            faces[die] = x / kPow6[die] % 6 + 1;
        m_tips[x] = suggest(faces, allOpen);
        for (int c = 0; c < kCategoryCount; ++c)
            m_scores[c].insert(m_tips[x][c].value_or(0));
    }
}

PlainSolver::Outcome PlainSolver::turn(const std::vector<Outcome>& enter) {
    // Holds with more dice first: of equal holds, the first is taken.
    std::vector<int> masks(32);
    for (int mask = 0; mask < 32; ++mask)
        masks[mask] = mask;
    std::stable_sort(masks.begin(), masks.end(), [](int a, int b) {
        return std::popcount(unsigned(a)) > std::popcount(unsigned(b));
    });
    std::vector<Outcome> after = enter; // the outcome of each throw with no roll left
    for (int roll = 1; roll < kRollsPerTurn; ++roll) {
        // Rerolling the dice outside a mask: the mean over the throws that agree on the others.
        std::vector<Outcome> sums(32 * kThrows);
        for (int mask = 0; mask < 32; ++mask)
            for (int x = 0; x < kThrows; ++x) {
                Outcome& sum = sums[mask * kThrows + held(x, mask)];
                sum.value += after[x].value;
                sum.upper += after[x].upper;
                sum.lower += after[x].lower;
            }
        std::vector<Outcome> before(kThrows);
        for (int x = 0; x < kThrows; ++x) {
            before[x].value = -1.0;
            for (int mask : masks) {
                const Outcome& sum = sums[mask * kThrows + held(x, mask)];
                const double rolled = kPow6[kDiceCount - std::popcount(unsigned(mask))];
                if (sum.value / rolled > before[x].value + kTie)
                    before[x] = {sum.value / rolled, sum.upper / rolled, sum.lower / rolled};
            }
        }
        after = before;
    }
    Outcome mean;
    for (const Outcome& outcome : after) {
        mean.value += outcome.value / kThrows;
        mean.upper += outcome.upper / kThrows;
        mean.lower += outcome.lower / kThrows;
    }
    return mean;
}

PlainSolver::Outcome PlainSolver::outcome(unsigned open, int upperSum, int lowerSum) {
    if (open == 0) {
        Scores sheet{};
        sheet[Einer] = upperSum;
        sheet[Dreierpasch] = lowerSum;
        return {0.0, sheetSum(sheet, SumCell::BonusOben).value_or(0) > 0 ? 1.0 : 0.0,
                sheetSum(sheet, SumCell::BonusUnten).value_or(0) > 0 ? 1.0 : 0.0};
    }
    const auto known = m_outcomes.find({open, upperSum, lowerSum});
    if (known != m_outcomes.end())
        return known->second;

    // What entering each score adds to TOTAL, the rest of the game included.
    std::map<int, Outcome> worth[kCategoryCount];
    std::vector<double> key;
    for (int c = 0; c < kCategoryCount; ++c)
        for (int p : open >> c & 1 ? m_scores[c] : std::set<int>{}) {
            const int upper = upperSum + (isUpper(c) ? p : 0);
            const int lower = lowerSum + (isUpper(c) ? 0 : p);
            Outcome rest = outcome(open & ~(1u << c), upper, lower);
            rest.value += totalOf(upper, lower) - totalOf(upperSum, lowerSum);
            worth[c][p] = rest;
            key.insert(key.end(), {rest.value, rest.upper, rest.lower});
        }
    auto [memo, isNew] = m_turns.try_emplace({open, std::move(key)});
    if (isNew) {
        std::vector<Outcome> enter(kThrows, Outcome{-1.0, 0.0, 0.0});
        for (int x = 0; x < kThrows; ++x)
            for (int c = 0; c < kCategoryCount; ++c)
                if (open >> c & 1) {
                    const Outcome& entered = worth[c][m_tips[x][c].value_or(0)];
                    if (entered.value > enter[x].value + kTie)
                        enter[x] = entered;
                }
        memo->second = turn(enter);
    }
    return m_outcomes[{open, upperSum, lowerSum}] = memo->second;
}

std::set<int> PlainSolver::sums(unsigned closed) const {
    std::set<int> sums{0};
    for (int c = 0; c < kCategoryCount; ++c) {
        std::set<int> more;
        for (int sum : sums)
            for (int p : closed >> c & 1 ? m_scores[c] : std::set<int>{0})
                more.insert(sum + p);
        sums.swap(more);
    }
    return sums;
}

} // namespace kubiq::test
