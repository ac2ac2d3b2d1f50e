#include "rules_of_thumb.h"

#include "scoring.h"

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

// How widely NoisyBest's noise spreads the weighed choices, in points of TOTAL.
constexpr double kNoise = 1.5;

int mostPointsNow(const Position& board) {
    const Tips tips = tipsOf(board);
    int best = -1;
    for (int c = 0; c < kCategoryCount; ++c)
        if ((board.open >> c & 1) && (best < 0 || tips[c].value_or(0) > tips[best].value_or(0)))
            best = c;
    return best;
}

// The face shown most often among those `allowed`, of equals the higher; 0 when none is.
int mostFrequentFace(const Position& board, unsigned allowed = 0x7E) {
    std::array<int, 7> count{};
    for (int face : board.faces)
        ++count[face];
    int best = 0;
    for (int face = 6; face >= 1; --face)
        if ((allowed >> face & 1) && count[face] > 0 && (best == 0 || count[face] > count[best]))
            best = face;
    return best;
}

Choice holdOrEnter(const Position& board, int face, int category) {
    const bool allSame = std::count(board.faces.begin(), board.faces.end(), face) == kDiceCount;
    if (board.rollsMade >= kRollsPerTurn || face == 0 || allSame)
        return {{}, category};
    return {std::vector<int>(
                static_cast<std::size_t>(std::count(board.faces.begin(), board.faces.end(), face)),
                face),
            -1};
}

} // namespace

std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

Choice chooseByRule(RuleOfThumb rule, const Position& board,
                    const std::vector<WeighedChoice>& choices, std::uint64_t& random) {
    switch (rule) {
    case RuleOfThumb::MostPointsNow:
        return {{}, mostPointsNow(board)};
    case RuleOfThumb::ChaseAKind:
        return holdOrEnter(board, mostFrequentFace(board), mostPointsNow(board));
    case RuleOfThumb::UpperFirst: {
        unsigned openFaces = 0;
        for (int face = 1; face <= 6; ++face)
            openFaces |= (board.open >> (face - 1) & 1) << face;
        const int face = mostFrequentFace(board, openFaces);
        if (face == 0)
            return {{}, mostPointsNow(board)};
        return holdOrEnter(board, face, face - 1);
    }
    case RuleOfThumb::NoisyBest: {
        // Each choice weighed with Gumbel noise: the likelier the better it is, a choice a
        // point or two behind the best now and then.
        const WeighedChoice* chosen = nullptr;
        double chosenWeight = 0.0;
        for (const WeighedChoice& choice : choices) {
            const double uniform = (static_cast<double>(splitMix(random) >> 11) + 0.5) / 0x1p53;
            const double weight = choice.total - kNoise * std::log(-std::log(uniform));
            if (!chosen || weight > chosenWeight) {
                chosen = &choice;
                chosenWeight = weight;
            }
        }
        return chosen ? chosen->choice : Choice{{}, mostPointsNow(board)};
    }
    }
    return {{}, mostPointsNow(board)};
}

} // namespace kubiq
