#include "scoring.h"

#include <array>

namespace kubiq {

namespace {

// A suggestion when the dice fit the category and it is open; else nothing. Written without a
// branch: which categories fit changes from roll to roll and defies prediction.
Points offer(bool fits, bool open, int points) {
    const Points choices[2] = {Points(), Points(points)};
    return choices[fits & open];
}

// Whether the faces present (bit f for face f) hold `length` consecutive faces.
bool hasRun(unsigned present, int length) {
    unsigned run = present;
    for (int i = 1; i < length; ++i)
        run &= present >> i;
    return run != 0;
}

} // namespace

Tips suggest(const Faces& faces, const OpenCategories& open) {
    // How many dice show each face (index 0 unused), which faces show, and the sum.
    std::array<int, 7> count{};
    unsigned present = 0;
    int sum = 0;
    for (int face : faces) {
        ++count[face];
        present |= 1u << face;
        sum += face;
    }
    // The face shown most often (the higher on a tie): the only one that can show three times.
    int most = 0;
    int mostFace = 0;
    int distinct = 0;
    for (int face = 1; face <= 6; ++face) {
        const bool more = count[face] >= most;
        most = more ? count[face] : most;
        mostFace = more ? face : mostFace;
        distinct += count[face] > 0;
    }

    Tips tips{};
    for (int face = 1; face <= 6; ++face)
        tips[Einer + face - 1] = offer(count[face] > 0, open[Einer + face - 1], face * count[face]);
    tips[Dreierpasch] = offer(most >= 3, open[Dreierpasch], 3 * mostFace);
    tips[Viererpasch] = offer(most >= 4, open[Viererpasch], 4 * mostFace);
    // Three of one face and two of another: two faces, neither shown four times.
    tips[FullHouse] = offer(distinct == 2 && most == 3, open[FullHouse], 25);
    tips[KleineStrasse] = offer(hasRun(present, 4), open[KleineStrasse], 30);
    tips[GrosseStrasse] = offer(hasRun(present, 5), open[GrosseStrasse], 40);
    tips[Kubiq] = offer(most == 5, open[Kubiq], 50);
    tips[Chance] = offer(true, open[Chance], sum);
    return tips;
}

} // namespace kubiq
