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

// One test, so that the solver runs once: seconds here, a minute under the sanitizers.
TEST(SolverTwin, AgreesOnEveryStateWithOneOpenCategoryAndOnASampleWithTwo) {
    const StateSpace space;
    const std::vector<double> values = solve(space);
    test::PlainSolver twin;
    // Compares a state given by raw sums; gives its number in the solver's table.
    const auto compare = [&](unsigned open, int upper, int lower) -> std::size_t {
        const std::optional<std::size_t> index = space.indexOf(space.stateOf(open, upper, lower));
        const std::string where =
            "upper sum " + std::to_string(upper) + ", lower sum " + std::to_string(lower);
        if (!index) {
            ADD_FAILURE() << "the solver has no state for " << where;
            return space.first(open);
        }
        EXPECT_NEAR(values[*index], twin.value(open, upper, lower), 1e-9) << where;
        return *index;
    };

    for (int c = 0; c < kCategoryCount; ++c) {
        SCOPED_TRACE(std::string("only ") + kNames[c] + " open");
        const unsigned open = 1u << c;
        std::vector<bool> compared(space.count(open));
        for (int upper : twin.sums(kUpper & ~open))
            for (int lower : twin.sums(kLower & ~open)) {
                compared[compare(open, upper, lower) - space.first(open)] = true;
                if (HasFailure())
                    return; // one wrong state says enough; the rest would only repeat it
            }
        EXPECT_EQ(std::count(compared.begin(), compared.end(), false), 0)
            << "states of the solver that no sheet reaches";
    }

    // Of every pair of open categories four states: each sum once just short of its bonus,
    // where this turn and the next decide whether the bonus comes, and once at random.
    std::mt19937 random(9);
    const auto pick = [&](const std::set<int>& sums, int threshold) {
        const std::vector<int> all(sums.begin(), sums.end());
        return std::vector<int>{*std::prev(sums.lower_bound(threshold)),
                                all[random() % all.size()]};
    };
    for (int a = 0; a < kCategoryCount; ++a)
        for (int b = a + 1; b < kCategoryCount; ++b) {
            SCOPED_TRACE(std::string(kNames[a]) + " and " + kNames[b] + " open");
            const unsigned open = 1u << a | 1u << b;
            for (int upper : pick(twin.sums(kUpper & ~open), kUpperBonusThreshold))
                for (int lower : pick(twin.sums(kLower & ~open), kLowerBonusThreshold))
                    compare(open, upper, lower);
        }
}

} // namespace
} // namespace kubiq
