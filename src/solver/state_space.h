#pragma once

#include "dice_sets.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kubiq {

// Where a game stands between two turns, as far as it matters for the rest of the game: the
// open categories and the two section sums. A sum that has reached its bonus, and one that can
// no longer reach it, stop mattering, so they are folded into one value each.
struct TurnState {
    static constexpr int kSettled = -1; // the bonus can no longer be reached

    unsigned open = 0; // bit c set while category c is open
    int upper = 0;     // GESAMT oben up to the threshold (65: bonus reached), or kSettled
    int lower = 0;     // GESAMT unten up to the threshold (200: bonus reached), or kSettled

    friend bool operator==(const TurnState&, const TurnState&) = default;
};

inline constexpr unsigned kAllOpen = (1u << kCategoryCount) - 1;

// Every turn state that a game can reach, numbered densely: the states of one open set lie
// together, so that a table of values needs no index of its own. Everything is derived from the
// game's rules: the points of each category from its suggestions, the bonuses from the sheet.
class StateSpace {
public:
    explicit StateSpace(const DiceSets& dice = diceSets());

    std::size_t size() const { return m_size; }

    // The state of a sheet with these open categories and section sums (the raw GESAMT cells).
    TurnState stateOf(unsigned open, int upperSum, int lowerSum) const;
    // The number of a state, when a game can reach it.
    std::optional<std::size_t> indexOf(const TurnState& state) const;

    // The states of one open set: those of first(open) .. first(open) + count(open) - 1, in
    // the order upper value major, lower value minor.
    std::size_t first(unsigned open) const { return m_first[open]; }
    std::size_t count(unsigned open) const;
    std::span<const int> upperValues(unsigned open) const;
    std::span<const int> lowerValues(unsigned open) const;

    // Entering `points` into open category c: how much TOTAL grows (bonus included), and the
    // state after.
    int gain(const TurnState& state, int category, int points) const;
    TurnState after(const TurnState& state, int category, int points) const;

    // The points category c can score, ascending (0 included where a throw misses it), and
    // which of them throw t scores there.
    const std::vector<int>& pointsOf(int category) const { return m_points[category]; }
    int pointsSlot(int throwIndex, int category) const { return m_slot[throwIndex][category]; }

    // Whether the state's section sums have reached their bonus.
    bool upperReached(const TurnState& state) const { return state.upper == m_upper.threshold; }
    bool lowerReached(const TurnState& state) const { return state.lower == m_lower.threshold; }

    // TOTAL of a sheet whose sections add up to these sums, bonuses included.
    int total(int upperSum, int lowerSum) const;

    // A digest of the rules the values depend on: every throw's points, both bonuses, the
    // dice and rolls of a turn and the numbering of the states.
    std::uint64_t fingerprint() const { return m_fingerprint; }

private:
    struct Section {
        int firstCategory;
        int categories;
        int threshold;                        // smallest sum with the bonus
        std::vector<int> bonusAt;             // bonus of a sum, 0..bonusAt.size()-1
        std::vector<std::vector<int>> values; // by closed set: the values a sum can take
        std::vector<std::vector<int>> rankOf; // by closed set: value + 1 -> position, or -1
        std::vector<int> stillToScore;        // by closed set: the most the open ones add
    };

    void buildSection(Section& section, int firstCategory, int categories, SumCell bonusCell);
    unsigned closedSet(const Section& section, unsigned open) const;
    int fold(const Section& section, unsigned open, int sum) const;
    std::uint64_t digest(const DiceSets& dice) const;

    std::vector<std::vector<int>> m_points;
    std::array<std::array<std::uint8_t, kCategoryCount>, DiceSets::kThrows> m_slot{};
    Section m_upper;
    Section m_lower;
    std::vector<std::size_t> m_first;
    std::size_t m_size = 0;
    std::uint64_t m_fingerprint = 0;
};

} // namespace kubiq
