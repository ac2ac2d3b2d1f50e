#pragma once

#include "state_space.h"

#include <vector>

namespace kubiq {

// The value of every turn state of `space`, by its number: the expected rest of the game's
// TOTAL (points still to enter and bonuses still to reach) under the best play, by exact
// expectimax over the three rolls of each turn. A state's value needs only states with one
// category fewer open, so the open sets are worked in order of size, those of one size shared
// out among `threads` threads.
std::vector<double> solve(const StateSpace& space, int threads = 2);

} // namespace kubiq
