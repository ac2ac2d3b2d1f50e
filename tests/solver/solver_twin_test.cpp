// The solver against its plain twin: the same expected rest of TOTAL and the same chances of
// both bonuses for every state with one or two open categories, and for a sample with three.

#include "plain_solver.h"
#include "solver.h"
#include "table_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
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

// Every state of an open set that sheets reach: all sums both sections can show.
template <typename Compare>
void compareOpenSet(const StateSpace& space, test::PlainSolver& twin, unsigned open,
                    Compare&& compare) {
    std::vector<bool> compared(space.count(open));
    for (int upper : twin.sums(kUpper & ~open))
        for (int lower : twin.sums(kLower & ~open)) {
            compared[compare(open, upper, lower) - space.first(open)] = true;
            if (::testing::Test::HasFailure())
                return; // one wrong state says enough; the rest would only repeat it
        }
    EXPECT_EQ(std::count(compared.begin(), compared.end(), false), 0)
        << "states of the solver that no sheet reaches";
}

// Under the sanitizers, which check the memory and not the figures, the twin's pairs of open
// categories would take minutes: there it takes four states of each pair, as it does of the sets
// of three.
#ifdef KUBIQ_TWIN_SAMPLES_PAIRS
constexpr bool kSampledPairs = true;
constexpr int kSampledTriples = 6;
#else
constexpr bool kSampledPairs = false;
constexpr int kSampledTriples = 20;
#endif

// One test, so that the solver runs once: a minute here.
TEST(SolverTwin, AgreesOnEveryStateWithOneOrTwoOpenCategoriesAndOnASampleWithThree) {
    const StateSpace space;
    const Solution solution = solve(space, 2, 3); // the states compared have three open at most
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
        const test::PlainSolver::Outcome plain = twin.outcome(open, upper, lower);
        EXPECT_NEAR(solution.values[*index], plain.value, 1e-9) << where;
        EXPECT_NEAR(solution.upperChances[*index], plain.upper, 1e-9) << where;
        EXPECT_NEAR(solution.lowerChances[*index], plain.lower, 1e-9) << where;
        // As the table stores them: a step of 1/255 at most (half a step but near the ends);
        // certain and lost only when the twin, which sums its means in another order, agrees
        // to its own rounding.
        for (const auto& [stored, naive] :
             {std::pair{solution.upperChances[*index], plain.upper},
              std::pair{solution.lowerChances[*index], plain.lower}}) {
            EXPECT_NEAR(chanceOf(chanceByte(stored)), naive, 1.0 / 255 + 1e-9) << where;
            EXPECT_EQ(chanceByte(stored) == 255, naive > 1.0 - 1e-9) << where;
            EXPECT_EQ(chanceByte(stored) == 0, naive < 1e-9) << where;
        }
        return *index;
    };

    // Of twenty sets of three open categories (six under the sanitizers) four states each.
    // Where states are sampled, each sum once just short of its bonus, where this turn and the
    // next decide whether the bonus comes, and once at random.
    std::mt19937 random(9);
    const auto pick = [&](const std::set<int>& sums, int threshold) {
        const std::vector<int> all(sums.begin(), sums.end());
        return std::vector<int>{*std::prev(sums.lower_bound(threshold)),
                                all[random() % all.size()]};
    };
    for (int a = 0; a < kCategoryCount; ++a) {
        SCOPED_TRACE(std::string("only ") + kNames[a] + " open");
        compareOpenSet(space, twin, 1u << a, compare);
        for (int b = a + 1; b < kCategoryCount && !HasFailure(); ++b) {
            SCOPED_TRACE(std::string("and ") + kNames[b]);
            const unsigned open = 1u << a | 1u << b;
            if (!kSampledPairs) {
                compareOpenSet(space, twin, open, compare);
                continue;
            }
            for (int upper : pick(twin.sums(kUpper & ~open), kUpperBonusThreshold))
                for (int lower : pick(twin.sums(kLower & ~open), kLowerBonusThreshold))
                    compare(open, upper, lower);
        }
        if (HasFailure())
            return;
    }

    for (int sample = 0; sample < kSampledTriples; ++sample) {
        unsigned open = 0;
        while (std::popcount(open) < 3)
            open |= 1u << (random() % kCategoryCount);
        SCOPED_TRACE("open set " + std::to_string(open));
        for (int upper : pick(twin.sums(kUpper & ~open), kUpperBonusThreshold))
            for (int lower : pick(twin.sums(kLower & ~open), kLowerBonusThreshold))
                compare(open, upper, lower);
    }
}

} // namespace
} // namespace kubiq
