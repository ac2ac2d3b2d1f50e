#pragma once

#include "state_space.h"

#include <vector>

namespace kubiq {

// What best play makes of every turn state of `space`, by the state's number.
struct Solution {
    // The expected rest of the game's TOTAL: points still to enter and bonuses still to reach.
    std::vector<double> values;
    // The chances, 0..1, that the game ends with the upper and with the lower bonus. They follow
    // the choices that maximise the value, of equal choices those the coach names.
    std::vector<double> upperChances;
    std::vector<double> lowerChances;
};

// Best play by exact expectimax over the three rolls of each turn. A state needs only states
// with one category fewer open, so the open sets are worked in order of size, those of one size
// shared out among `threads` threads. Only the states with at most `mostOpen` categories open
// are worked out; those with more are left at 0 (a check of the few-open states needs no more).
Solution solve(const StateSpace& space, int threads = 2, int mostOpen = kCategoryCount);

} // namespace kubiq
