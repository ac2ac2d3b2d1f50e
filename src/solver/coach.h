#pragma once

#include "position.h"
#include "state_space.h"
#include "table_file.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kubiq {

// Every figure of the coach is an expected final TOTAL of the game under best play.
struct HoldAdvice {
    std::vector<int> faces; // the dice to hold, ascending; empty: roll all five
    double expectedTotal = 0.0;
};

struct EntryAdvice {
    int category = 0;
    double expectedTotal = 0.0;
};

// A choice on a board: the dice to hold for the next roll, or the category to enter.
struct Choice {
    std::vector<int> hold; // the faces held, ascending, when rolling
    int category = -1;     // the category entered; -1 when rolling
    bool enters() const { return category >= 0; }
    friend bool operator==(const Choice&, const Choice&) = default;
};

// A choice against the best one on its board.
// The choice a move made: the dice it held when rolling, or the category it entered.
Choice choiceOf(const Move& move);

// Equal choices are worth the same sums of the same table entries, so the best choice costs
// exactly nothing; the margin only absorbs a tie between two different sums.
inline constexpr double kTie = 1e-9;

// A choice against the best one on its board.
struct Weighing {
    Choice best;
    double bestTotal = 0.0;   // expected final TOTAL of the best choice
    double chosenTotal = 0.0; // expected final TOTAL of the choice made
    // How far the choice dropped the expected final TOTAL: 0 when it was the best.
    double cost() const { return bestTotal - chosenTotal; }
    // The best choice, or as good.
    bool isBest() const { return cost() <= kTie; }
};

// One hold of a ranking.
struct RankedHold {
    HoldAdvice hold;
    int rank = 0;      // 1 for the best
    double drop = 0.0; // below the best hold, which is the best choice while rolls are left
};

struct Advice {
    double expectedTotal = 0.0;         // from this board on
    std::optional<HoldAdvice> bestHold; // after a roll, while rolls are left
    std::vector<EntryAdvice> entries;   // after a roll: every open category, best first
};

// The best play for a board, worked out at once from the table of turn-start values: the
// solver has done the game, the coach does the turn in hand.
class Coach {
public:
    // The table must hold one value per state of a StateSpace().
    explicit Coach(std::vector<float> values);

    // Reads the table; a damaged or foreign one gives its problem instead.
    static std::variant<Coach, TableProblem> load(const std::string& path);

    // Nothing for a board no game can show.
    std::optional<Advice> advise(const Position& position) const;
    // A choice against the best one on its board: nothing for a board no game can show or
    // for a choice it does not offer, a hold of dice it does not show or a closed category.
    std::optional<Weighing> weigh(const Position& board, const Choice& choice) const;
    // The move against the best choice on its board.
    std::optional<Weighing> weigh(const Move& move) const;
    // How far the move dropped the expected final TOTAL below the best choice on its board:
    // 0 when it was the best.
    double cost(const Move& move) const;
    // The holds of the dice shown, best first (of equals, the one holding more dice): the best
    // `count`, then the dice held now and rolling all five where they rank lower. Empty with
    // no roll left or before the turn's first roll.
    std::vector<RankedHold> rankHolds(const Position& position, std::size_t count = 5) const;
    // The expected final TOTAL of a new game.
    double expectedGameTotal() const;

private:
    Coach(StateSpace space, std::vector<float> values);

    struct Evaluation;
    std::optional<Evaluation> evaluate(const Position& position) const;

    StateSpace m_space;
    std::vector<float> m_values;
};

} // namespace kubiq
