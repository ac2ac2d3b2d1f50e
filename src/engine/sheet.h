#pragma once

#include <array>
#include <optional>

namespace kubiq {

inline constexpr int kDiceCount = 5;
inline constexpr int kCategoryCount = 13;
inline constexpr int kRollsPerTurn = 3;

// A score or suggestion: a number, or nothing ("" on the sheet).
using Points = std::optional<int>;

// Category indexes c, shared by ComandPHalten(c), LabelTip(c) and LabelPunkte(c).
enum Category : int {
    Einer,
    Zweier,
    Dreier,
    Vierer,
    Fuenfer,
    Sechser,
    Dreierpasch,
    Viererpasch,
    FullHouse,
    KleineStrasse,
    GrosseStrasse,
    Kubiq,
    Chance,
};

inline constexpr bool isUpper(int c) {
    return c <= Sechser;
}

// The sum cells LabelPunkte(100..106).
enum class SumCell : int {
    GesamtOben = 100, // sum of the upper categories
    BonusOben = 101,  // 35 once GesamtOben reaches 65
    Summe1 = 102,     // GesamtOben + BonusOben
    GesamtUnten = 103,
    BonusUnten = 104, // 100 once GesamtUnten reaches 200
    Summe2 = 105,     // GesamtUnten + BonusUnten
    Total = 106,      // Summe1 + Summe2
};

inline constexpr std::array<SumCell, 7> kSumCells{
    SumCell::GesamtOben, SumCell::BonusOben, SumCell::Summe1, SumCell::GesamtUnten,
    SumCell::BonusUnten, SumCell::Summe2,    SumCell::Total};

inline constexpr int kUpperBonusThreshold = 65;
inline constexpr int kUpperBonus = 35;
inline constexpr int kLowerBonusThreshold = 200;
inline constexpr int kLowerBonus = 100;

using Scores = std::array<Points, kCategoryCount>;

// The sum cell `cell` of a sheet with these scores, open categories counting 0. Nothing before
// the first entry of a game; the bonus cells hold nothing below their threshold.
Points sheetSum(const Scores& scores, SumCell cell);

} // namespace kubiq
