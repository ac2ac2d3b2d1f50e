#pragma once

#include <span>

namespace kubiq {

// A rating by the Glicko-2 rules (Glickman, "Example of the Glicko-2 system", 2013): a rating
// on the usual scale (1500 at the start), how uncertain it is (the rating deviation, 350 at the
// start) and how erratic (the volatility).
struct Rating {
    double rating = 1500.0;
    double deviation = 350.0;
    double volatility = 0.06;
};

// One game of a rating period: the opponent as rated before it, and the score, 1 for a win and
// 0 for a loss.
struct Outcome {
    Rating opponent;
    double score = 0.0;
};

// The rating after a period of these games (none: only the deviation grows). `tau` bounds how
// fast the volatility changes. In practice a period is one answer: the player's against the
// exercise, and the exercise's against the player with the score turned round.
Rating rated(const Rating& player, std::span<const Outcome> games, double tau = 0.5);

// The chance that `player` wins against `opponent`, as the rules expect it.
double expectedScore(const Rating& player, const Rating& opponent);

} // namespace kubiq
