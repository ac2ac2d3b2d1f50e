#pragma once

#include "dice_sets.h"
#include "state_space.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kubiq {

// The three rolls of one turn, worked backwards for `Lanes` turn states side by side. Every
// value is the expected rest of the game's TOTAL from that moment under best play. The solver
// runs eight states at once, since the same index arithmetic then serves eight values and the
// compiler turns the innermost loops into vector instructions (the whole table in 2.2 times less
// processor time than one state at a time); the coach runs one.
//
// Rolling dice one at a time is the same as rolling them together, so the value of a keep
// before the roll is the mean over the six faces of the keep with one die more: 210 keeps of
// fewer than five dice times six, instead of summing over every outcome of every keep. The
// best keep of a throw is the best of the keep itself and of its keeps with one die fewer,
// which are already known: five lookups a keep instead of up to 32 subsets a throw.
template <int Lanes> class TurnValues {
public:
    using Lane = std::array<double, Lanes>;
    using ThrowRow = std::array<Lane, DiceSets::kThrows>;
    using KeepRow = std::array<Lane, DiceSets::kKeeps>;

    explicit TurnValues(const StateSpace& space, const DiceSets& dice = diceSets())
        : m_space(space), m_dice(dice) {
        std::size_t most = 0;
        for (int c = 0; c < kCategoryCount; ++c)
            most = std::max(most, space.pointsOf(c).size());
        m_entries.resize(most);
    }

    // The value of each throw with no roll left: its best open category. entry(c, slot) gives
    // the lanes' values of entering pointsOf(c)[slot] in category c.
    template <typename Entry> void afterLastRoll(unsigned open, Entry&& entry, ThrowRow& throws) {
        for (auto& lane : throws)
            lane.fill(-1.0);
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!(open >> c & 1))
                continue;
            const std::size_t slots = m_space.pointsOf(c).size();
            for (std::size_t s = 0; s < slots; ++s)
                m_entries[s] = entry(c, static_cast<int>(s));
            for (int t = 0; t < DiceSets::kThrows; ++t) {
                const Lane& value = m_entries[m_space.pointsSlot(t, c)];
                for (int l = 0; l < Lanes; ++l)
                    throws[t][l] = std::max(throws[t][l], value[l]);
            }
        }
    }

    // The value of each keep before the free dice are rolled, from the throws' values after.
    void keepsBeforeRoll(const ThrowRow& throws, KeepRow& keeps) const {
        const std::vector<int>& order = m_dice.bySize();
        const int firstThrow = DiceSets::kKeeps - DiceSets::kThrows;
        for (int i = firstThrow; i < DiceSets::kKeeps; ++i)
            keeps[order[i]] = throws[i - firstThrow];
        for (int i = firstThrow - 1; i >= 0; --i) {
            const int keep = order[i];
            Lane sum{};
            for (int face = 1; face <= 6; ++face) {
                const Lane& more = keeps[m_dice.withDie(keep, face)];
                for (int l = 0; l < Lanes; ++l)
                    sum[l] += more[l];
            }
            for (int l = 0; l < Lanes; ++l)
                keeps[keep][l] = sum[l] / 6.0;
        }
    }

    // The value of each throw with one more roll to come: the best of the keeps it allows.
    void withRollLeft(const KeepRow& keeps, KeepRow& best, ThrowRow& throws) const {
        const std::vector<int>& order = m_dice.bySize();
        for (int keep : order) {
            best[keep] = keeps[keep];
            for (int face = 1; face <= 6; ++face) {
                const int fewer = m_dice.withoutDie(keep, face);
                if (fewer == DiceSets::kNone)
                    continue;
                for (int l = 0; l < Lanes; ++l)
                    best[keep][l] = std::max(best[keep][l], best[fewer][l]);
            }
        }
        const int firstThrow = DiceSets::kKeeps - DiceSets::kThrows;
        for (int t = 0; t < DiceSets::kThrows; ++t)
            throws[t] = best[order[firstThrow + t]];
    }

    // The value at the start of the turn, before the first roll.
    Lane beforeFirstRoll(const ThrowRow& throws) const {
        Lane sum{};
        for (int t = 0; t < DiceSets::kThrows; ++t)
            for (int l = 0; l < Lanes; ++l)
                sum[l] += m_dice.probability(t) * throws[t][l];
        return sum;
    }

private:
    const StateSpace& m_space;
    const DiceSets& m_dice;
    std::vector<Lane> m_entries; // the values of one category's points, Chance's 26 the most
};

} // namespace kubiq
