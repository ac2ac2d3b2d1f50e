#pragma once

#include "sheet.h"

#include <array>

namespace kubiq {

// One die as LabelWAnzeige(i) shows it: its face as caption, its hold flag as background.
struct Die {
    int face = 0;      // 1..6, or 0 while not rolled in this turn (caption "")
    bool held = false; // red background; free dice are black

    bool blank() const { return face == 0; }
    friend bool operator==(const Die&, const Die&) = default;
};

using Dice = std::array<Die, kDiceCount>;

// The face for a draw 0 <= r < 1: the integer part of r * 6 + 1, in single precision; 1..6.
int faceOf(float r);

} // namespace kubiq
