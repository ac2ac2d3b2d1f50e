#pragma once

// A second solver, written as plainly as the rules read: five ordered dice (6^5 throws), a hold
// mask per throw (32 of them), three rolls, raw section sums. It knows nothing of the solver's
// sets of dice or folded sums; only the points (the game's suggestions) and the TOTAL (the
// game's sheet) come from the engine.

#include "scoring.h"

#include <array>
#include <map>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace kubiq::test {

class PlainSolver {
public:
    static constexpr int kThrows = 6 * 6 * 6 * 6 * 6;

    PlainSolver();

    // The expected rest of the final TOTAL from the start of a turn with these categories open
    // and these raw GESAMT sums.
    double value(unsigned open, int upperSum, int lowerSum);

    // The expected worth of one turn whose throw x, entered at the end, is worth enter[x].
    static double turn(const std::vector<double>& enter);

    // Every sum that the categories of `closed` (a bit per category) can add up to.
    std::set<int> sums(unsigned closed) const;
    // What throw x scores in category c.
    int points(int x, int c) const { return m_tips[x][c].value_or(0); }
    // Every score category c can get, ascending.
    const std::set<int>& scores(int c) const { return m_scores[c]; }

private:
    std::vector<Tips> m_tips;
    std::array<std::set<int>, kCategoryCount> m_scores;
    std::map<std::tuple<unsigned, int, int>, double> m_values;
    // Turns already worked out, by the worth of each score of each open category: two states
    // whose entries are worth the same have the same turn.
    std::map<std::pair<unsigned, std::vector<double>>, double> m_turns;
};

} // namespace kubiq::test
