#pragma once

#include "coach.h"
#include "position.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kubiq {

// A choice of a board with its expected final TOTAL under best play after it.
struct WeighedChoice {
    Choice choice;
    double total = 0.0;
};

// The rules of thumb that players really use (docs/STRATEGY.md tells each in a few words). The
// exercises of the bank are the boards where one of them goes wrong.
enum class RuleOfThumb {
    MostPointsNow, // enter at once the category that scores most now
    ChaseAKind,    // keep the most frequent face and roll for five of a kind
    UpperFirst,    // fill the upper half first: keep the most frequent face whose row is open
    NoisyBest,     // the best play, with a little noise in how the choices are weighed
};
inline constexpr std::array kRulesOfThumb{RuleOfThumb::MostPointsNow, RuleOfThumb::ChaseAKind,
                                          RuleOfThumb::UpperFirst, RuleOfThumb::NoisyBest};

// The choice `rule` makes on `board`, a board after a roll with a category open. `choices` are
// the board's choices weighed (for NoisyBest, which draws its noise from `random`, a state of
// splitMix() that it moves on).
Choice chooseByRule(RuleOfThumb rule, const Position& board,
                    const std::vector<WeighedChoice>& choices, std::uint64_t& random);

// A step of the SplitMix64 generator: the same numbers on every machine and compiler.
std::uint64_t splitMix(std::uint64_t& state);

} // namespace kubiq
