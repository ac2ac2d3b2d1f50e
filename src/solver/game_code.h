#pragma once

#include "position.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kubiq {

// A game, finished or in play, as a text to keep or pass on, version 1:
//
//   G1-  then, turn by turn:  FFF  (S FFF)*  E C P  ...  and the check character
//
// "G1-" names the format and its version; every character after it is one digit of the
// URL-safe base-64 alphabet of the board code. A turn is its first roll, then its steps:
//   FFF  the five faces after a roll, as the number sum (face_i - 1) 6^i in three digits
//   S    a step: the dice held at that moment (bit i for die i), 0..31 when the player rolls
//        again (the faces after the roll follow), 32 more when the player enters
//   C P  after an entering step: the category 0..12 and the points entered
// A game in play ends after its last step, or with the holds of the dice on show (one S
// alone). The check character is the board code's, over all the characters before it.
inline constexpr std::string_view kGameCodePrefix = "G1-";

// A game as its code gives it: the player's decisions, as the coach's log records them, and the
// board after them (the finished sheet, for a finished game).
struct CodedGame {
    std::vector<Move> moves;
    Position now;
    bool finished() const { return now.open == 0; }
    // The final TOTAL of a finished game.
    std::optional<int> total() const;
};

// Why a text is no game: the first fault found, the form before the check, the check before the
// rules. `turn` is 1..13 where a rule is broken.
struct GameCodeProblem {
    enum class Kind {
        NoCode,       // the text does not begin as a game's code
        OtherVersion, // `value` is the version character
        Character,    // a character outside the alphabet at `where` (0-based), `value` it
        Typo,         // the check character does not fit the others
        CutShort,     // the code ends inside a step of turn `turn`
        Face,         // a roll of turn `turn` gives no faces 1..6
        HeldChanged,  // die `where` (0-based) was held and changed in a roll of turn `turn`
        FourthRoll,   // turn `turn` rolls a fourth time
        Category,     // turn `turn` enters category `value`, which is none of the 13
        EnteredTwice, // turn `turn` enters category `where`, entered before
        Score,        // turn `turn` enters `value` points in `where`, which its dice do not give
        AfterTheGame, // characters follow the thirteenth entry
    };
    Kind kind = Kind::NoCode;
    int turn = 0;
    int where = -1;
    int value = 0;
    friend bool operator==(const GameCodeProblem&, const GameCodeProblem&) = default;
};

// The code of the game these decisions made, standing at `now`. Needs decisions a game can make,
// as the coach's log records them, `now` the board after the last.
std::string gameCode(const std::vector<Move>& moves, const Position& now);

// The game of a code, blanks around it ignored; its moves and board are exactly those
// gameCode() was given.
std::variant<CodedGame, GameCodeProblem> parseGameCode(std::string_view code);

} // namespace kubiq
