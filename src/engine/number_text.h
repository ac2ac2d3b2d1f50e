#pragma once

#include <string>
#include <string_view>

namespace kubiq {

// A number as the sheet and the history write it: plain decimal digits, no grouping, no
// decimals for whole values ("0", "35", "230").
std::string numberText(double value);

// A caption read as a number: the leading decimal number of the text (optional sign, digits,
// optional fraction) after any leading blanks; 0 when there is none, as for "".
double captionValue(std::string_view text);

} // namespace kubiq
