#pragma once

#include "sheet.h"

#include <array>

namespace kubiq {

using Faces = std::array<int, kDiceCount>;
using OpenCategories = std::array<bool, kCategoryCount>;
using Tips = std::array<Points, kCategoryCount>;

// What the dice would score in each category: the LabelTip row after a roll.
// Needs every face in 1..6. A closed category, and an open one the dice do not fit, get nothing.
Tips suggest(const Faces& faces, const OpenCategories& open);

} // namespace kubiq
