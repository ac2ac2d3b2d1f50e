#pragma once

// A second solver, written as plainly as the rules read: five ordered dice (6^5 throws), a hold
// mask per throw (32 of them), three rolls, raw section sums. It knows nothing of the solver's
// sets of dice or folded sums; the points come from the game's suggestions, TOTAL from its sheet.

#include "scoring.h"

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace kubiq::test {

class PlainSolver {
public:
    static constexpr int kThrows = 6 * 6 * 6 * 6 * 6; // throw x shows x / 6^i % 6 + 1 on die i

    // What best play makes of the rest of a game: the expected rest of the final TOTAL, and the
    // chances that the game ends with each bonus. The chances follow the choices the value
    // makes; of choices equal within kTie, the entry in the first category, and the hold of the
    // most dice.
    struct Outcome {
        double value = 0.0;
        double upper = 0.0;
        double lower = 0.0;
    };

    PlainSolver();
    // From the start of a turn.
    Outcome outcome(unsigned open, int upperSum, int lowerSum);
    double value(unsigned open, int upperSum, int lowerSum) {
        return outcome(open, upperSum, lowerSum).value;
    }
    // The expected outcome of a turn whose last throw x leads to enter[x].
    static Outcome turn(const std::vector<Outcome>& enter);
    // Every sum the categories of `closed` (a bit each, of one section) can add up to.
    std::set<int> sums(unsigned closed) const;

private:
    std::vector<Tips> m_tips;
    std::set<int> m_scores[kCategoryCount];
    std::map<std::tuple<unsigned, int, int>, Outcome> m_outcomes;
    // Turns by the outcome of each score of each open category: alike entries, alike turns.
    std::map<std::pair<unsigned, std::vector<double>>, Outcome> m_turns;
};

} // namespace kubiq::test
