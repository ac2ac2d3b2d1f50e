#pragma once

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

    // The faces of the held dice, ascending.
    std::vector<int> heldFaces() const;
    friend bool operator==(const Position&, const Position&) = default;
};

Position positionOf(const Game& game);

// A decision of the player: the dice held when rolling, or the category entered.
struct Move {
    enum class Kind { Roll, Enter };
    Kind kind = Kind::Roll;
    Position before;   // the board the decision was made on
    int category = -1; // the category entered, for Kind::Enter
};

// The decisions of the game in play, and the last one (which stays when a game ends). The
// window tells it of each click before the game takes it; the rules decide what counts.
class MoveLog {
public:
    // A click of the roll button on this board: a decision once there are dice to hold, until
    // the turn's rolls are used up.
    void roll(const Position& before);
    // A click on category c: a decision once the turn's first roll is made, while c is open.
    // True when it is the game's last entry.
    bool enter(const Position& before, int category);
    // The game is over and the next one begins.
    void newGame() {
        m_thisGame.clear();
        ++m_games;
    }

    const std::vector<Move>& thisGame() const { return m_thisGame; }
    const std::optional<Move>& last() const { return m_last; }
    // Counts the games begun, so that a reader can tell this game's decisions from another's.
    long games() const { return m_games; }

private:
    void record(const Move& move);

    std::vector<Move> m_thisGame;
    std::optional<Move> m_last;
    long m_games = 0;
};

} // namespace kubiq
