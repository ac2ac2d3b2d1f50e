#include "plain_solver.h"

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

double PlainSolver::turn(const std::vector<double>& enter) {
    std::vector<double> after = enter; // the worth of each throw with no roll left
    for (int roll = 1; roll < kRollsPerTurn; ++roll) {
        // Rerolling the dice outside a mask: the mean over the throws that agree on the others.
        std::vector<double> sums(32 * kThrows, 0.0);
        for (int mask = 0; mask < 32; ++mask)
            for (int x = 0; x < kThrows; ++x)
                sums[mask * kThrows + held(x, mask)] += after[x];
        std::vector<double> before = enter;
        for (int x = 0; x < kThrows; ++x)
            for (int mask = 0; mask < 32; ++mask)
                before[x] =
                    std::max(before[x], sums[mask * kThrows + held(x, mask)] /
                                            kPow6[kDiceCount - std::popcount(unsigned(mask))]);
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

    // What entering each score adds to TOTAL, the rest of the game included.
    std::map<int, double> worth[kCategoryCount];
    std::vector<double> key;
    for (int c = 0; c < kCategoryCount; ++c)
        for (int p : open >> c & 1 ? m_scores[c] : std::set<int>{}) {
            const int upper = upperSum + (isUpper(c) ? p : 0);
            const int lower = lowerSum + (isUpper(c) ? 0 : p);
            key.push_back(worth[c][p] = totalOf(upper, lower) - totalOf(upperSum, lowerSum) +
                                        value(open & ~(1u << c), upper, lower));
        }
    auto [memo, isNew] = m_turns.try_emplace({open, std::move(key)}, 0.0);
    if (isNew) {
        std::vector<double> enter(kThrows, -1.0);
        for (int x = 0; x < kThrows; ++x)
            for (int c = 0; c < kCategoryCount; ++c)
                if (open >> c & 1)
                    enter[x] = std::max(enter[x], worth[c][m_tips[x][c].value_or(0)]);
        memo->second = turn(enter);
    }
    return m_values[{open, upperSum, lowerSum}] = memo->second;
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
