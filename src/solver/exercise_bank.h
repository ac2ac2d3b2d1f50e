#pragma once

#include "coach.h"
#include "position.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kubiq {

// What an exercise of the bank teaches, found by rules over its board and its solution (each
// rule in exerciseThemes()).
enum class Theme : int {
    Opening,          // turns 1 to 4
    Endgame,          // the last three turns
    UpperBonus,       // the best choice keeps the upper bonus 5 points likelier than the tempting
    LowerBonus,       // the same for the lower bonus
    ZeroOnPurpose,    // the best choice enters 0 points
    EnterEarly,       // the best choice enters with rolls left
    StraightOverPair, // the best holds a run of three or more faces, the tempting a pair or more
    ChaseFive,        // the best holds three or more of a kind to roll for more
    KeepChance,       // the tempting enters Chance, the best does not
};
inline constexpr int kThemeCount = 9;
// The theme's German name: "Eröffnung", "Bonus oben", …
std::string_view themeName(Theme theme);

// A board of the bank: one choice is the best by a clear margin, and a rule of thumb players
// use chooses otherwise there and loses at least kTempting by it.
struct BankExercise {
    Position board;
    Choice best;
    Choice tempting;
    double margin = 0.0;       // how far the best is ahead of every other choice
    double temptingCost = 0.0; // what the tempting choice loses against the best
    int rulesFailing = 0;      // how many of the rules of thumb choose otherwise
    int nearBest = 0;          // other choices within two points of the best
    std::uint16_t themes = 0;  // bit t for Theme t
    double rating = 1500.0;    // how hard it is, on the scale of the player's rating

    bool has(Theme theme) const { return themes >> static_cast<int>(theme) & 1; }
};

// The rules an exercise must meet to enter the bank.
inline constexpr double kUniqueMargin = 1.0;
inline constexpr double kTempting = 2.0;

// The bank on disk:
//
//   offset  size  field
//        0     8  magic "KUBIQBNK"
//        8     4  format version (kBankVersion)
//       12     4  bytes per exercise (kBankRecord)
//       16     8  number of exercises n
//       24     8  checksum (FNV-1a over the records' bytes)
//       32   n r  the exercises, each: the board's code (23 characters), the best and the
//                 tempting choice (the category, or 255 and the held dice as bits of die
//                 positions), the margin and the tempting cost in hundredths of a point, the
//                 themes, the rating, the rules failing and the choices near the best, all
//                 little-endian
//
// The reader checks every field, the length, the checksum and every board before it hands out
// a single exercise.
inline constexpr std::uint32_t kBankVersion = 1;
inline constexpr std::uint32_t kBankRecord = 40;

enum class BankProblem { Missing, Damaged, OtherVersion };

// The bytes of the bank file for these exercises.
std::string bankBytes(const std::vector<BankExercise>& exercises);
// The exercises of a bank file's bytes, or why there are none.
std::variant<std::vector<BankExercise>, BankProblem> parseBank(std::string_view bytes);
// Reads the bank file at `path`.
std::variant<std::vector<BankExercise>, BankProblem> readBank(const std::string& path);

} // namespace kubiq
