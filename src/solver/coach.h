#pragma once

#include "position.h"
#include "state_space.h"
#include "table_file.h"
#include "tie.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kubiq {

// The chances that best play reaches each bonus by the end of the game, 0..1: 1 once reached,
// 0 once out of reach.
struct BonusChances {
    double upper = 0.0;
    double lower = 0.0;
};

// One way a turn can end: the category entered and the points entered there.
struct TurnEnding {
    int category = 0;
    int points = 0;
    double chance = 0.0;
};

// How the game goes on after a choice, under best play. The parts add up to the choice's
// expected final TOTAL: the sheet's TOTAL before the turn + thisTurn + restOfGame.
struct TurnOutlook {
    double thisTurn = 0.0;   // the points this turn enters, bonuses reached this turn included
    double restOfGame = 0.0; // what the turns after it are expected to add
    BonusChances bonus;      // by the end of the game
    // Every way the turn can end, likeliest first (of equals, by category, then points); the
    // chances add up to 1. An entry ends the turn one way, for certain.
    std::vector<TurnEnding> endings;
};

// Every figure of the coach is an expected final TOTAL of the game under best play.
struct HoldAdvice {
    std::vector<int> faces; // the dice to hold, ascending; empty: roll all five
    double expectedTotal = 0.0;
};

struct EntryAdvice {
    int category = 0;
    double expectedTotal = 0.0;
    TurnOutlook outlook; // the points entered, the rest and the bonus chances after it
};

// A choice on a board: the dice to hold for the next roll, or the category to enter.
struct Choice {
    std::vector<int> hold; // the faces held, ascending, when rolling
    int category = -1;     // the category entered; -1 when rolling
    bool enters() const { return category >= 0; }
    friend bool operator==(const Choice&, const Choice&) = default;
};

// The choice a move made: the dice it held when rolling, or the category it entered.
Choice choiceOf(const Move& move);
// The decision that makes `choice` on `board`, as the coach's log records it: for a hold, the
// board with just those dice held (of equal faces the first ones).
Move moveOf(const Position& board, const Choice& choice);

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
    TurnOutlook outlook;
};

// Why the best choice on a board is better than another: its cost split into what the two
// choices bring this turn and what they leave for the rest of the game.
struct Explanation {
    Weighing weighing;
    TurnOutlook best;
    TurnOutlook chosen;

    double thisTurn() const { return best.thisTurn - chosen.thisTurn; }
    double restOfGame() const { return best.restOfGame - chosen.restOfGame; }

    // The split in tenths of a point as the coach shows it: the cost and this turn's part each
    // rounded, the rest what makes them add up, so that the figures on screen add up exactly.
    struct Tenths {
        long cost = 0;
        long thisTurn = 0;
        long restOfGame = 0;
    };
    Tenths inTenths() const;
};

struct Advice {
    double expectedTotal = 0.0;         // from this board on
    BonusChances bonus;                 // under best play from this board on
    std::optional<HoldAdvice> bestHold; // after a roll, while rolls are left
    std::vector<EntryAdvice> entries;   // after a roll: every open category, best first
};

// Everything the coach says of a board, from one working out of it: the advice, the holds as
// rankHolds() ranks them, and the best choice with its outlook, against which any hold or entry
// of them is explained as explain() explains it.
struct BoardFigures {
    Advice advice;
    std::vector<RankedHold> holds;
    // Every hold of the dice shown, in the ranking's order, each with its expected final TOTAL.
    std::vector<HoldAdvice> everyHold;
    // The best choice and its expected final TOTAL, as weigh() gives them; after a roll only.
    std::optional<Choice> best;
    double bestTotal = 0.0;
    TurnOutlook bestOutlook;
};

// The best play for a board, worked out at once from the table of turn-start values: the
// solver has done the game, the coach does the turn in hand.
class Coach {
public:
    // The table must hold one value and two bonus chances per state of a StateSpace().
    explicit Coach(TableRead table);

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
    // How the game goes on after a choice on a board: nothing where weigh() gives nothing.
    std::optional<TurnOutlook> outlook(const Position& board, const Choice& choice) const;
    // The choice against the best one, with both outlooks: nothing where weigh() gives nothing.
    std::optional<Explanation> explain(const Position& board, const Choice& choice) const;
    // advise(), rankHolds(position, count) and the best choice's outlook at once: nothing for a
    // board no game can show. Each figure is the one those give.
    std::optional<BoardFigures> figures(const Position& position, std::size_t count) const;
    // The expected final TOTAL of a new game.
    double expectedGameTotal() const;

private:
    Coach(StateSpace space, TableRead table);

    struct Evaluation;
    std::optional<Evaluation> evaluate(const Position& position) const;
    BonusChances chancesAt(std::size_t state) const;
    std::optional<Weighing> weighOn(const Evaluation& evaluation, const Choice& choice) const;
    Advice adviceOn(const Evaluation& evaluation) const;
    // Every hold of the dice shown, best first, its expected total without the sheet's.
    std::vector<HoldAdvice> holdOrder(const Evaluation& evaluation) const;
    std::vector<RankedHold> rankingOn(const Evaluation& evaluation, const Position& position,
                                      const std::vector<HoldAdvice>& holds,
                                      std::size_t count) const;
    // Needs a choice weighOn() weighs.
    TurnOutlook outlookOf(const Evaluation& evaluation, const Choice& choice) const;

    StateSpace m_space;
    TableRead m_table;
};

} // namespace kubiq
