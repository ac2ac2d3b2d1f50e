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
// hold of the most dice is taken, which a keep's best remembers by the size of the hold it took.
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
        m_entries.resize(most);
    }

    // The worth of each throw with no roll left: its best open category.
    // entry(c, slot) gives the lanes' worth of entering pointsOf(c)[slot] in category c.
    template <typename Entry>
    void afterLastRoll(unsigned open, Entry&& entry, ThrowRow& throws,
                       EntryChoices* chosen = nullptr) {
        for (auto& worth : throws)
            worth[0].fill(-1.0);
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!(open >> c & 1))
                continue;
            const std::size_t slots = m_space.pointsOf(c).size();
            for (std::size_t s = 0; s < slots; ++s)
                m_entries[s] = entry(c, static_cast<int>(s));
            for (int t = 0; t < DiceSets::kThrows; ++t) {
                const Worth& worth = m_entries[m_space.pointsSlot(t, c)];
                Worth& into = throws[t];
                for (int l = 0; l < Lanes; ++l) {
                    const bool better = worth[0][l] > into[0][l] + kTie;
                    if (Lanes == 1 && chosen && better)
                        (*chosen)[t] = c;
                    select(into, worth, l, better);
                }
            }
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
    void withRollLeft(const KeepRow& keeps, KeepRow& best, ThrowRow& throws,
                      KeepChoices* chosen = nullptr) {
        const std::vector<int>& order = m_dice.bySize();
        for (int keep : order) {
            Worth& into = best[keep];
            Lane& size = m_heldSize[keep];
            into = keeps[keep];
            size.fill(m_dice.size(keep));
            if (chosen)
                (*chosen)[keep] = keep;
            for (int face = 1; face <= 6; ++face) {
                const int fewer = m_dice.withoutDie(keep, face);
                if (fewer == DiceSets::kNone)
                    continue;
                const Worth& worth = best[fewer];
                const Lane& fewerSize = m_heldSize[fewer];
                for (int l = 0; l < Lanes; ++l) {
                    const bool better =
                        worth[0][l] > into[0][l] + kTie ||
                        (worth[0][l] >= into[0][l] - kTie && fewerSize[l] > size[l]);
                    if (Lanes == 1 && chosen && better)
                        (*chosen)[keep] = (*chosen)[fewer];
                    select(into, worth, l, better);
                    const double smaller = fewerSize[l];
                    const double larger = size[l];
                    size[l] = better ? smaller : larger;
                }
            }
        }
        const int firstThrow = DiceSets::kKeeps - DiceSets::kThrows;
        for (int t = 0; t < DiceSets::kThrows; ++t)
            throws[t] = best[order[firstThrow + t]];
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
    // Both figures are read before the choice, so that the compiler can make a blend of the
    // select instead of a branch.
    static void select(Worth& into, const Worth& worth, int l, bool better) {
        for (int f = 0; f < Figures; ++f) {
            const double yes = worth[f][l];
            const double no = into[f][l];
            into[f][l] = better ? yes : no;
        }
    }

    const StateSpace& m_space;
    const DiceSets& m_dice;
    std::vector<Worth> m_entries; // the worth of one category's points, Chance's 26 the most
    // withRollLeft's work: how many dice the hold a keep's best takes holds, by lane.
    std::array<Lane, DiceSets::kKeeps> m_heldSize{};
};

} // namespace kubiq
