#pragma once

#include "coach.h"
#include "exercise_bank.h"
#include "rules_of_thumb.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kubiq {

// The choices of a board after a roll, each weighed: every hold of the dice shown while rolls
// are left, and every open category. Holding all five dice can only end in an entry and is worth
// exactly the best entry now: it is left out, counted as that entry. Best first.
std::vector<WeighedChoice> weighedChoices(const Coach& coach, const Position& board);

// The themes an exercise on this board teaches, by their rules.
std::uint16_t exerciseThemes(const Coach& coach, const BankExercise& exercise);

// How to mine: how many games, played from `seed`, on `threads` threads; the bank is the same
// for any number of threads.
struct Mining {
    std::uint64_t seed = 20261210;
    int games = 6000;
    int threads = 2;
    std::size_t most = 3000; // exercises kept at the most, spread over the game's parts
};

// Plays the games, each by one of the rules of thumb on dice drawn from the seed, and keeps the
// boards that make exercises (at most three a game, every board once), spread over the early,
// middle and last turns, the three rolls, holds and entries.
std::vector<BankExercise> mineExercises(const Coach& coach, const Mining& mining);

} // namespace kubiq
