#pragma once

#include <string>

namespace kubiq {

// A number as the sheet and the history write it: plain decimal digits, no grouping, no
// decimals for whole values ("0", "35", "230").
std::string numberText(double value);

} // namespace kubiq
