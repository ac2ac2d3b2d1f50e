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

    PlainSolver();
    // The expected rest of the final TOTAL from the start of a turn.
    double value(unsigned open, int upperSum, int lowerSum);
    // The expected worth of a turn whose last throw x is worth enter[x].
    static double turn(const std::vector<double>& enter);
    // Every sum the categories of `closed` (a bit each, of one section) can add up to.
    std::set<int> sums(unsigned closed) const;

private:
    std::vector<Tips> m_tips;
    std::set<int> m_scores[kCategoryCount];
    std::map<std::tuple<unsigned, int, int>, double> m_values;
    // Turns by the worth of each score of each open category: alike entries, alike turns.
    std::map<std::pair<unsigned, std::vector<double>>, double> m_turns;
};

} // namespace kubiq::test
