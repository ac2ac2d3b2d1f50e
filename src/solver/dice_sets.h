#pragma once

#include "sheet.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kubiq {

// Dice as the solver sees them: a multiset of faces, order forgotten. A "keep" is any multiset
// of 0 to 5 dice (462 of them); a throw is a keep of all five (252 of them).
class DiceSets {
public:
    static constexpr int kKeeps = 462;
    static constexpr int kThrows = 252;
    static constexpr int kNone = -1;

    // Builds the tables and scores every throw in every category with the game's own rules.
    DiceSets();

    // How many dice of each face (index 0 for face 1) the keep holds.
    const std::array<std::uint8_t, 6>& counts(int keep) const { return m_counts[keep]; }
    int size(int keep) const { return m_size[keep]; }
    // The keep with these counts; kNone when they hold more than five dice.
    int keepOf(const std::array<int, 6>& counts) const;
    // The keep of these faces (each 1..6), at most five of them.
    int keepOfFaces(const std::vector<int>& faces) const;
    // The keep with one more die of `face` (1..6); needs size(keep) < 5.
    int withDie(int keep, int face) const { return m_add[keep][face - 1]; }
    // The keep with one die of `face` fewer; kNone when it holds none.
    int withoutDie(int keep, int face) const { return m_remove[keep][face - 1]; }

    // Keeps in order of size, smallest first; throws are the last kThrows of them.
    const std::vector<int>& bySize() const { return m_bySize; }
    // Throw t (0..kThrows-1) as a keep, and back.
    int throwKeep(int throwIndex) const { return m_bySize[kKeeps - kThrows + throwIndex]; }
    int throwOf(int keep) const { return m_throwOf[keep]; }
    // The chance of throwing throw t with five fresh dice.
    double probability(int throwIndex) const { return m_probability[throwIndex]; }

    // What throw t scores in category c when entered there: its tip, or 0 without one.
    int score(int throwIndex, int category) const { return m_score[throwIndex][category]; }

    // Every sub-multiset of a keep (the dice one may hold of a throw), the keep itself included.
    std::vector<int> subKeeps(int keep) const;

private:
    std::array<std::array<std::uint8_t, 6>, kKeeps> m_counts{};
    std::array<std::uint8_t, kKeeps> m_size{};
    std::array<std::array<std::int16_t, 6>, kKeeps> m_add{};
    std::array<std::array<std::int16_t, 6>, kKeeps> m_remove{};
    std::array<std::int16_t, kKeeps> m_throwOf{};
    std::vector<int> m_bySize;
    std::vector<std::int16_t> m_byCode; // keep by its counts packed in base 6
    std::array<double, kThrows> m_probability{};
    std::array<std::array<int, kCategoryCount>, kThrows> m_score{};
};

// The one instance, built on first use.
const DiceSets& diceSets();

} // namespace kubiq
