#pragma once

#include "coach.h"
#include "position.h"

#include <array>
#include <optional>
#include <vector>

namespace kubiq {

// How much a decision cost, in the words of the review. The thresholds split the decisions of
// measured games: most small slips are inaccuracies, a mistake is worth a warning.
enum class Slip { None, Inaccuracy, Mistake, Blunder };
inline constexpr double kInaccuracy = 0.5;
inline constexpr double kMistake = 2.0;
inline constexpr double kBlunder = 8.0;
Slip slipOf(double cost);

// One step of a game: a roll of the dice, or a decision of the player. Both figures are expected
// final TOTALs under best play from then on, so a roll's change is its luck and a decision's
// change is minus its cost.
struct ReviewStep {
    enum class Kind { Roll, Decision };
    Kind kind = Kind::Roll;
    int turn = 1;                        // 1..13
    int roll = 1;                        // the roll made, or the last roll before the decision
    std::array<int, kDiceCount> faces{}; // the dice the roll gave, or those decided on
    // A roll: the value of the hold it was made with (of the turn, for its first roll), and of
    // the board it gave. A decision: the value of its board (the best choice), and of the choice.
    double before = 0.0;
    double after = 0.0;
    Choice chosen; // decisions only
    Choice best;   // decisions only
    // The board the roll gave, or the one decided on (its held dice those of the decision), to
    // be looked at again.
    Position board;

    double luck() const { return kind == Kind::Roll ? after - before : 0.0; }
    double cost() const { return kind == Kind::Decision ? before - after : 0.0; }
    // A decision that was the best choice on its board, or as good.
    bool isBest() const { return kind == Kind::Decision && cost() <= kTie; }
};

struct GameReview {
    double expected = 0.0; // of a new game under best play
    std::vector<ReviewStep> steps;
    std::optional<int> total; // the final TOTAL, once the game is finished

    double luck() const;
    double loss() const;
    int decisions() const;
    // The decisions that were the best choice on their board (or as good).
    int bestDecisions() const;
    // A finished game's TOTAL is what best play expected, plus the luck, minus the loss; true
    // when the figures hold that to the table's single precision.
    bool balanced() const;
};

// The review of the game in play from its decisions so far and the board on screen.
GameReview reviewGame(const Coach& coach, const std::vector<Move>& moves, const Position& now);
// The review of a finished game.
GameReview reviewGame(const Coach& coach, const PlayedGame& game);

// A run of finished games in numbers.
struct RunSummary {
    int games = 0;
    double meanTotal = 0.0;
    double meanLuck = 0.0;
    double meanLoss = 0.0;
    // Of all decisions, the share that were the best (0..1); 0 without a decision.
    double bestShare = 0.0;
};
RunSummary summarize(const std::vector<GameReview>& games);

} // namespace kubiq
