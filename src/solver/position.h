#pragma once

#include "scoring.h"
#include "sheet.h"
#include "state_space.h"

#include <array>
#include <optional>
#include <vector>

namespace kubiq {

class Game;

// A board as the coach reads it off the game: what the player sees when deciding.
struct Position {
    unsigned open = kAllOpen;            // bit c set while category c is open
    int upperSum = 0;                    // GESAMT oben; 0 before the first entry
    int lowerSum = 0;                    // GESAMT unten
    int rollsMade = 0;                   // Versuch - 1: 0 before the turn's first roll, at most 3
    std::array<int, kDiceCount> faces{}; // 0 while blank
    std::array<bool, kDiceCount> held{};
    // The points entered in each closed category, as the sheet shows them; 0 where open. The
    // coach needs only the open set and the sums; an exercise shows the whole sheet.
    std::array<int, kCategoryCount> points{};

    // The faces of the held dice, ascending.
    std::vector<int> heldFaces() const;
    // The turn of the game, 1..13: one more than the categories entered.
    int turn() const;
    friend bool operator==(const Position&, const Position&) = default;
};

Position positionOf(const Game& game);
// What the dice shown would score in each open category, as the game suggests it.
Tips tipsOf(const Position& board);

// A decision of the player: the dice held when rolling, or the category entered.
struct Move {
    enum class Kind { Roll, Enter };
    Kind kind = Kind::Roll;
    Position before;   // the board the decision was made on
    int category = -1; // the category entered, for Kind::Enter
    friend bool operator==(const Move&, const Move&) = default;
};

// A game the player finished: its decisions and the final TOTAL on its sheet.
struct PlayedGame {
    std::vector<Move> moves;
    int total = 0;
};

// The decisions of the game in play and of the games finished before it. The window tells it of
// each click before the game takes it; the rules decide what counts.
class MoveLog {
public:
    // A click of the roll button on this board: a decision once there are dice to hold, until
    // the turn's rolls are used up.
    void roll(const Position& before);
    // A click on category c: a decision once the turn's first roll is made, while c is open.
    void enter(const Position& before, int category);
    // The game in play ended with this TOTAL; the next one begins with no decision.
    void finish(int total);

    const std::vector<Move>& thisGame() const { return m_thisGame; }
    const std::vector<PlayedGame>& finished() const { return m_finished; }

private:
    std::vector<Move> m_thisGame;
    std::vector<PlayedGame> m_finished;
};

} // namespace kubiq
