#pragma once

#include "position.h"
#include "scoring.h"
#include "sheet.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kubiq {

// A board as a short text that players paste to each other, version 1:
//
//   K1-SSSSSSSSSSSSSDDDDDRC     23 characters
//
// "K1-" names the format and its version. Every character after it is one digit of the
// URL-safe base-64 alphabet (A–Z 0–25, a–z 26–51, 0–9 52–61, "-" 62, "_" 63):
//   S  the thirteen categories in the sheet's order: "_" while open, else the points entered
//   D  the five dice: the face (0 blank, 1..6), plus 8 while the die is held
//   R  the rolls made in the turn, 0..3
//   C  the check character, over all 22 characters before it
//
// The check is a weighted sum in the field of 64 elements (GF(2^6), x^6 + x + 1): the character
// at distance k before the check counts a^k times, a = x. A changed character changes the sum by
// a^k times a non-zero difference, a swap of two neighbours by a^k (a + 1) times one: neither can
// vanish in a field, so every single typo and every swap of two different neighbours is caught.
inline constexpr std::string_view kCodePrefix = "K1-";
inline constexpr std::size_t kCodeLength = 23;

// Why a code gives no board, or why the board it gives is one no game can show.
struct CodeProblem {
    enum class Kind {
        NoCode,         // the text does not begin as a code ("K", the version, "-")
        OtherVersion,   // a code of another version; `value` is its version character
        Character,      // a character outside the alphabet at `where` (0-based), `value` it
        Length,         // `value` characters where a code has kCodeLength
        Typo,           // the check character does not fit the others
        Score,          // `value` points in category `where`, which cannot give them
        Rolls,          // `value` rolls made, more than a turn has
        Face,           // die `where` shows `value`, no face 1..6, after the turn's first roll
        DiceBeforeRoll, // die `where` shows a face before the turn's first roll
        HeldBeforeRoll, // die `where` is held before the turn's first roll
        SheetFull,      // every category is entered: the game is over
        Sums,           // the board's sums, or the points of an open category, are not its entries'
    };
    Kind kind = Kind::NoCode;
    int where = -1;
    int value = 0;
    friend bool operator==(const CodeProblem&, const CodeProblem&) = default;
};

// The points category c can hold once entered, ascending: what some throw of five dice
// scores there, 0 included where a throw can miss it.
const std::vector<int>& categoryScores(int category);

// The board with these entries (nothing while a category is open), dice and rolls made, its
// sums derived from the entries as the sheet derives them: what positionOf() reads off a game
// showing it.
Position boardWith(const Scores& entries, const Faces& faces,
                   const std::array<bool, kDiceCount>& held, int rollsMade);

// Nothing for a board some game shows while a decision is open; else a reason none does.
std::optional<CodeProblem> boardProblem(const Position& board);

// The code of a board. Writes the fields as they are, so that a code can carry any board
// whose points lie in 0..62, faces in 0..7 and rolls made in 0..63; parseBoardCode() decides
// whether a game can show it.
std::string boardCode(const Position& board);

// The board of a code, blanks around it ignored: exactly the board boardCode() was given, for
// every board boardProblem() accepts; else the first problem found, the form of the code before
// its check character, the check before the board.
std::variant<Position, CodeProblem> parseBoardCode(std::string_view code);

} // namespace kubiq
