#pragma once

// Whole games whose TOTAL is known, as the turns that play them: the faces of one roll (all dice
// free) and the category they are entered into.

#include "sheet.h"

#include <utility>
#include <vector>

namespace kubiq::test {

using Turns = std::vector<std::pair<const char*, int>>;

// Upper categories with four of a kind each: 84 points and the bonus, 119 in SUMME 1.
inline Turns gameOf(const Turns& lower) {
    Turns turns{{"11112", Einer},  {"22221", Zweier},  {"33331", Dreier},
                {"44441", Vierer}, {"55551", Fuenfer}, {"66661", Sechser}};
    turns.insert(turns.end(), lower.begin(), lower.end());
    return turns;
}

// TOTAL 230: 119 + Kubiq 50 + Große Straße 40 + Chance 21.
inline const Turns kGame230 = gameOf({{"66666", Kubiq},
                                      {"23456", GrosseStrasse},
                                      {"66351", Chance},
                                      {"12346", Dreierpasch},
                                      {"12346", Viererpasch},
                                      {"12346", FullHouse},
                                      {"12356", KleineStrasse}});
// TOTAL 201: 119 + Dreierpasch 12 + Kubiq 50 + Chance 20.
inline const Turns kGame201 = gameOf({{"44412", Dreierpasch},
                                      {"33333", Kubiq},
                                      {"44642", Chance},
                                      {"12346", Viererpasch},
                                      {"12346", FullHouse},
                                      {"12356", KleineStrasse},
                                      {"12356", GrosseStrasse}});
// TOTAL 260: 119 + Kubiq 50 + Große Straße 40 + Kleine Straße 30 + Chance 21.
inline const Turns kGame260 = gameOf({{"11111", Kubiq},
                                      {"12345", GrosseStrasse},
                                      {"12346", KleineStrasse},
                                      {"56631", Chance},
                                      {"12346", Dreierpasch},
                                      {"12346", Viererpasch},
                                      {"12346", FullHouse}});

} // namespace kubiq::test
