#pragma once

namespace kubiq {

// Two choices worth the same in exact arithmetic can differ in the last bits of a double, since
// their sums run in another order (1.7e-13 apart, seen in the endgame). Within this margin they
// count as equal, so that best play breaks the tie by a rule (the first category, the hold of
// more dice) and not by rounding; the same margin tells a best choice from a slip.
inline constexpr double kTie = 1e-9;

} // namespace kubiq
