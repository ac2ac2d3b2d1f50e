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
    // How far the move dropped the expected final TOTAL below the best choice on its board:
    // 0 when it was the best.
    double cost(const Move& move) const;
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
