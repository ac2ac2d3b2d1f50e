// The solver against its plain twin: the same expected rest of TOTAL for every state with one
// open category, and for a sample of states with two.

#include "plain_solver.h"
#include "solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>
#include <set>
#include <string>

namespace kubiq {
namespace {

constexpr unsigned kUpper = (1u << (Sechser + 1)) - 1;
constexpr unsigned kLower = kAllOpen & ~kUpper;
constexpr const char* kNames[kCategoryCount] = {
    "Einer",          "Zweier",      "Dreier",      "Vierer",     "Fuenfer",
    "Sechser",        "Dreierpasch", "Viererpasch", "Full House", "Kleine Strasse",
    "Grosse Strasse", "Kubiq",       "Chance"};

struct Solved {
    StateSpace space;
    std::vector<double> values = solve(space);
};

// Solved once per test program: it takes seconds.
const Solved& solved() {
    static const Solved solved;
    return solved;
}

test::PlainSolver& twin() {
    static test::PlainSolver twin;
    return twin;
}

// Compares one state given by its raw sums; returns its number in the solver's table.
std::size_t expectSameValue(unsigned open, int upperSum, int lowerSum) {
    const StateSpace& space = solved().space;
    const std::optional<std::size_t> index = space.indexOf(space.stateOf(open, upperSum, lowerSum));
    const std::string where =
        "upper sum " + std::to_string(upperSum) + ", lower sum " + std::to_string(lowerSum);
    if (!index) {
        ADD_FAILURE() << "the solver has no state for " << where;
        return 0;
    }
    EXPECT_NEAR(solved().values[*index], twin().value(open, upperSum, lowerSum), 1e-9) << where;
    return *index;
}

TEST(SolverTwin, AgreesOnEveryStateWithOneOpenCategory) {
    for (int c = 0; c < kCategoryCount; ++c) {
        SCOPED_TRACE(std::string("only ") + kNames[c] + " open");
        const unsigned open = 1u << c;
        const StateSpace& space = solved().space;
        std::vector<bool> compared(space.count(open));
        for (int upper : twin().sums(kUpper & ~open))
            for (int lower : twin().sums(kLower & ~open)) {
                compared[expectSameValue(open, upper, lower) - space.first(open)] = true;
                if (::testing::Test::HasFailure())
                    return; // one wrong state says enough; the rest would only repeat it
            }
        EXPECT_EQ(std::count(compared.begin(), compared.end(), true),
                  static_cast<std::ptrdiff_t>(compared.size()))
            << "states of the solver that no sheet reaches";
    }
}

// Of every pair of open categories, four states: each sum once just short of its bonus, where
// this turn and the next decide whether the bonus comes, and once at random.
TEST(SolverTwin, AgreesOnStatesWithTwoOpenCategories) {
    std::mt19937 random(9);
    const auto pick = [&](const std::set<int>& sums, int threshold) {
        const std::vector<int> all(sums.begin(), sums.end());
        const int shortOf = *std::prev(sums.lower_bound(threshold));
        return std::vector<int>{shortOf, all[random() % all.size()]};
    };
    for (int a = 0; a < kCategoryCount; ++a)
        for (int b = a + 1; b < kCategoryCount; ++b) {
            SCOPED_TRACE(std::string(kNames[a]) + " and " + kNames[b] + " open");
            const unsigned open = 1u << a | 1u << b;
            for (int upper : pick(twin().sums(kUpper & ~open), kUpperBonusThreshold))
                for (int lower : pick(twin().sums(kLower & ~open), kLowerBonusThreshold))
                    expectSameValue(open, upper, lower);
        }
}

} // namespace
} // namespace kubiq
