#include "scoring.h"

#include <algorithm>

namespace kubiq {

namespace {

// How many dice show each face; index 0 is unused.
using FaceCounts = std::array<int, 7>;

// The longest run of consecutive faces among the dice.
int longestRun(const FaceCounts& count) {
    int longest = 0;
    int run = 0;
    for (int face = 1; face <= 6; ++face) {
        run = count[face] > 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

bool someFaceShowsOn(const FaceCounts& count, int dice) {
    return std::find(count.begin() + 1, count.end(), dice) != count.end();
}

} // namespace

Tips suggest(const Faces& faces, const OpenCategories& open) {
    FaceCounts count{};
    int sum = 0;
    for (int face : faces) {
        ++count[face];
        sum += face;
    }
    // The face shown by at least three dice (five dice allow only one) and on how many.
    int ofAKindFace = 0;
    int ofAKindCount = 0;
    for (int face = 1; face <= 6; ++face) {
        if (count[face] >= 3) {
            ofAKindFace = face;
            ofAKindCount = count[face];
        }
    }
    const int run = longestRun(count);

    Tips tips{};
    const auto offer = [&](int category, bool fits, int points) {
        if (fits && open[category])
            tips[category] = points;
    };
    for (int face = 1; face <= 6; ++face)
        offer(Einer + face - 1, count[face] > 0, face * count[face]);
    offer(Dreierpasch, ofAKindCount >= 3, 3 * ofAKindFace);
    offer(Viererpasch, ofAKindCount >= 4, 4 * ofAKindFace);
    offer(FullHouse, someFaceShowsOn(count, 3) && someFaceShowsOn(count, 2), 25);
    offer(KleineStrasse, run >= 4, 30);
    offer(GrosseStrasse, run == 5, 40);
    offer(Kubiq, ofAKindCount == 5, 50);
    offer(Chance, true, sum);
    return tips;
}

} // namespace kubiq
