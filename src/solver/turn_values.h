#pragma once

#include "dice_sets.h"
#include "state_space.h"
#include "tie.h"

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
//
// Choices worth the same within kTie are equal: of those, the first category is entered and the
// hold of the most dice is taken. Only the value goes through the search for the best choice,
// biased by a fraction of kTie so that a plain maximum makes that choice; the chances of the
// choice made are fetched for it afterwards.
template <int Lanes, int Figures = 1> class TurnValues {
public:
    // Figure 0 of a worth is the expected rest of TOTAL and decides every choice; figures 1 and
    // 2, where asked for, are the chances of the upper and the lower bonus, which follow the
    // choices figure 0 makes and are averaged over the rolls like it.
    using Lane = std::array<double, Lanes>;
    using Worth = std::array<Lane, Figures>;
    using ThrowRow = std::array<Worth, DiceSets::kThrows>;
    using KeepRow = std::array<Worth, DiceSets::kKeeps>;
    // Where a single state's choices are wanted: the category each throw enters, the keep each
    // throw holds.
    using EntryChoices = std::array<int, DiceSets::kThrows>;
    using KeepChoices = std::array<int, DiceSets::kKeeps>;

    explicit TurnValues(const StateSpace& space, const DiceSets& dice = diceSets())
        : m_space(space), m_dice(dice) {
        std::size_t most = 0;
        for (int c = 0; c < kCategoryCount; ++c)
            most = std::max(most, space.pointsOf(c).size());
        m_slots = static_cast<int>(most);
        m_entries.resize(kCategoryCount * most);
    }

    // The worth of each throw with no roll left: its best open category.
    // entry(c, slot) gives the lanes' worth of entering pointsOf(c)[slot] in category c.
    template <typename Entry>
    void afterLastRoll(unsigned open, Entry&& entry, ThrowRow& throws,
                       EntryChoices* chosen = nullptr) {
        // As with the holds, only the value goes through the search, each category's a little
        // less than the one before it, so that of entries equal within kTie the first is the
        // larger; the chosen entry's figures are fetched at the end.
        for (Lane& key : m_throwKey)
            key.fill(-1.0);
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!(open >> c & 1))
                continue;
            const std::size_t slots = m_space.pointsOf(c).size();
            for (std::size_t s = 0; s < slots; ++s)
                m_entries[c * m_slots + s] = entry(c, static_cast<int>(s));
            const double bias = -c * kTie / kCategoryCount;
            for (int t = 0; t < DiceSets::kThrows; ++t) {
                const int pick = c * m_slots + m_space.pointsSlot(t, c);
                const Worth& worth = m_entries[pick];
                Lane& key = m_throwKey[t];
                Lane& picked = m_throwEntry[t];
                for (int l = 0; l < Lanes; ++l) {
                    const double other = worth[0][l] + bias;
                    const double now = key[l];
                    const double nowPicked = picked[l];
                    const bool better = other > now;
                    key[l] = better ? other : now;
                    picked[l] = better ? pick : nowPicked;
                }
            }
        }
        for (int t = 0; t < DiceSets::kThrows; ++t) {
            for (int f = 0; f < Figures; ++f)
                for (int l = 0; l < Lanes; ++l)
                    throws[t][f][l] = m_entries[static_cast<int>(m_throwEntry[t][l])][f][l];
            if constexpr (Lanes == 1)
                if (chosen)
                    (*chosen)[t] = static_cast<int>(m_throwEntry[t][0]) / m_slots;
        }
    }

    // The worth of each keep before the free dice are rolled, from the throws' worth after.
    void keepsBeforeRoll(const ThrowRow& throws, KeepRow& keeps) const {
        const std::vector<int>& order = m_dice.bySize();
        const int firstThrow = DiceSets::kKeeps - DiceSets::kThrows;
        for (int i = firstThrow; i < DiceSets::kKeeps; ++i)
            keeps[order[i]] = throws[i - firstThrow];
        for (int i = firstThrow - 1; i >= 0; --i) {
            const int keep = order[i];
            Worth sum{};
            for (int face = 1; face <= 6; ++face) {
                const Worth& more = keeps[m_dice.withDie(keep, face)];
                for (int f = 0; f < Figures; ++f)
                    for (int l = 0; l < Lanes; ++l)
                        sum[f][l] += more[f][l];
            }
            for (int f = 0; f < Figures; ++f)
                for (int l = 0; l < Lanes; ++l)
                    keeps[keep][f][l] = sum[f][l] / 6.0;
        }
    }

    // The worth of each throw with one more roll to come: the best of the keeps it allows.
    void withRollLeft(const KeepRow& keeps, ThrowRow& throws, KeepChoices* chosen = nullptr) {
        // Only the value decides, so only it and the hold go through the search; the chances
        // are fetched for the hold each throw takes at the end. A hold's value counts kTie more
        // for each die it holds, so that of holds equal within kTie the one with the most dice
        // is the larger (true differences are far larger than kTie): a plain maximum, which the
        // compiler makes a vector instruction of, where comparing within a margin and then by
        // size took a branch a lane.
        const std::vector<int>& order = m_dice.bySize();
        for (int keep : order) {
            Lane& key = m_bestKey[keep];
            Lane& hold = m_bestHold[keep];
            const double bias = kTie * m_dice.size(keep);
            for (int l = 0; l < Lanes; ++l)
                key[l] = keeps[keep][0][l] + bias;
            hold.fill(keep);
            for (int face = 1; face <= 6; ++face) {
                const int fewer = m_dice.withoutDie(keep, face);
                if (fewer == DiceSets::kNone)
                    continue;
                for (int l = 0; l < Lanes; ++l) {
                    const double other = m_bestKey[fewer][l];
                    const double otherHold = m_bestHold[fewer][l];
                    const double now = key[l];
                    const double nowHold = hold[l];
                    const bool better = other > now;
                    key[l] = better ? other : now;
                    hold[l] = better ? otherHold : nowHold;
                }
            }
        }
        const int firstThrow = DiceSets::kKeeps - DiceSets::kThrows;
        for (int t = 0; t < DiceSets::kThrows; ++t) {
            const Lane& hold = m_bestHold[order[firstThrow + t]];
            for (int f = 0; f < Figures; ++f)
                for (int l = 0; l < Lanes; ++l)
                    throws[t][f][l] = keeps[static_cast<int>(hold[l])][f][l];
        }
        if constexpr (Lanes == 1)
            if (chosen)
                for (int keep : order)
                    (*chosen)[keep] = static_cast<int>(m_bestHold[keep][0]);
    }

    // The worth at the start of the turn, before the first roll.
    Worth beforeFirstRoll(const ThrowRow& throws) const {
        Worth sum{};
        for (int t = 0; t < DiceSets::kThrows; ++t)
            for (int f = 0; f < Figures; ++f)
                for (int l = 0; l < Lanes; ++l)
                    sum[f][l] += m_dice.probability(t) * throws[t][f][l];
        return sum;
    }

private:
    const StateSpace& m_space;
    const DiceSets& m_dice;
    // The worth of every category's points, m_slots a category (Chance's 26 the most), and by
    // throw and lane the best entry's value with its bias and which entry it is.
    std::vector<Worth> m_entries;
    int m_slots = 0;
    std::array<Lane, DiceSets::kThrows> m_throwKey{};
    std::array<Lane, DiceSets::kThrows> m_throwEntry{};
    // withRollLeft's work, by keep and lane: the best hold within the keep (a keep's number, as
    // a double so that it is selected alike) and its value with the bias for its dice.
    std::array<Lane, DiceSets::kKeeps> m_bestKey{};
    std::array<Lane, DiceSets::kKeeps> m_bestHold{};
};

} // namespace kubiq
