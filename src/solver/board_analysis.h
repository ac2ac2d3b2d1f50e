#pragma once

#include "coach.h"
#include "position.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace kubiq {

// One row of the table of choices on a board: a hold to roll with, or a category to enter.
struct ChoiceRow {
    Choice choice;
    // The place among all the board's choices, holds and entries alike: 1 for the best; equal
    // figures share no rank, the order decides.
    int rank = 0;
    double expectedTotal = 0.0; // the choice's expected final TOTAL under best play
    TurnOutlook outlook;        // this turn, the rest of the game, the bonus chances, the endings
    // How far the choice drops the expected final TOTAL below the best row's: 0 for the best.
    double loss = 0.0;
};

// A board's whole analysis, worked out once and shown by every view of the coach: the advice,
// the table of choices with their outlooks, and which row is the best and which the player's.
struct BoardAnalysis {
    Position board;
    Advice advice;
    // Between rolls: the best holds (eight), the best entry now, then the player's own hold and
    // rolling all five again where they rank lower. After the last roll: every open category.
    // Best first. Empty before the turn's first roll.
    std::vector<ChoiceRow> rows;
    // The row of the player's current choice (the dice held now, between rolls); nothing after
    // the last roll or before the first.
    std::optional<std::size_t> playersRow;
    // The best choice's expected final TOTAL as weigh() gives it, which every loss is taken from.
    double bestTotal = 0.0;

    // Why the best row beats row `index`, its figures adding up to the loss: derived from the two
    // rows' outlooks, no new evaluation. Needs index < rows.size().
    Explanation explain(std::size_t index) const;
    // Why the best row beats entering `category` now, as Coach::explain() says it: nothing
    // without rows or for a closed category.
    std::optional<Explanation> explainEntry(int category) const;
};

// How many of the best holds the table shows between rolls.
inline constexpr std::size_t kTableHolds = 8;

// Analyses the board once; nothing for a board no game can show.
std::optional<BoardAnalysis> analyse(const Coach& coach, const Position& board);

} // namespace kubiq
