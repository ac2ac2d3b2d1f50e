#include "dice_sets.h"

#include "scoring.h"

#include <algorithm>
#include <numeric>

namespace kubiq {

namespace {

// A keep's counts packed in base 6 (each count is at most 5): a dense key below 6^6.
constexpr int kCodes = 6 * 6 * 6 * 6 * 6 * 6;

int codeOf(const std::array<int, 6>& counts) {
    int code = 0;
    for (int f = 5; f >= 0; --f)
        code = code * 6 + counts[f];
    return code;
}

} // namespace

DiceSets::DiceSets() : m_byCode(kCodes, kNone) {
    std::vector<std::int16_t>& byCode = m_byCode;
    // Every count vector of at most five dice, by size, so that throws come last.
    int next = 0;
    for (int size = 0; size <= kDiceCount; ++size) {
        std::array<int, 6> c{};
        for (c[0] = 0; c[0] <= size; ++c[0])
            for (c[1] = 0; c[0] + c[1] <= size; ++c[1])
                for (c[2] = 0; c[0] + c[1] + c[2] <= size; ++c[2])
                    for (c[3] = 0; c[0] + c[1] + c[2] + c[3] <= size; ++c[3])
                        for (c[4] = 0; c[0] + c[1] + c[2] + c[3] + c[4] <= size; ++c[4]) {
                            c[5] = size - c[0] - c[1] - c[2] - c[3] - c[4];
                            for (int f = 0; f < 6; ++f)
                                m_counts[next][f] = static_cast<std::uint8_t>(c[f]);
                            m_size[next] = static_cast<std::uint8_t>(size);
                            byCode[codeOf(c)] = static_cast<std::int16_t>(next);
                            m_bySize.push_back(next);
                            ++next;
                        }
    }

    for (int keep = 0; keep < kKeeps; ++keep) {
        for (int f = 0; f < 6; ++f) {
            std::array<int, 6> c;
            std::copy(m_counts[keep].begin(), m_counts[keep].end(), c.begin());
            ++c[f];
            m_add[keep][f] = m_size[keep] < kDiceCount ? byCode[codeOf(c)] : kNone;
            c[f] -= 2;
            m_remove[keep][f] = c[f] >= 0 ? byCode[codeOf(c)] : kNone;
        }
        m_throwOf[keep] = static_cast<std::int16_t>(
            m_size[keep] == kDiceCount ? keep - (kKeeps - kThrows) : kNone);
    }

    const OpenCategories allOpen = [] {
        OpenCategories open;
        open.fill(true);
        return open;
    }();
    for (int t = 0; t < kThrows; ++t) {
        const auto& c = m_counts[throwKeep(t)];
        // 5! / (c1! ... c6!) orders of the same faces, out of 6^5.
        int orders = 120;
        Faces faces{};
        int die = 0;
        for (int f = 0; f < 6; ++f) {
            for (int k = 2; k <= c[f]; ++k)
                orders /= k;
            for (int k = 0; k < c[f]; ++k)
                faces[die++] = f + 1;
        }
        m_probability[t] = orders / 7776.0;
        const Tips tips = suggest(faces, allOpen);
        for (int cat = 0; cat < kCategoryCount; ++cat)
            m_score[t][cat] = tips[cat].value_or(0);
    }
}

int DiceSets::keepOf(const std::array<int, 6>& counts) const {
    int size = 0;
    for (int c : counts) {
        if (c < 0)
            return kNone;
        size += c;
    }
    return size <= kDiceCount ? m_byCode[codeOf(counts)] : kNone;
}

int DiceSets::keepOfFaces(const std::vector<int>& faces) const {
    std::array<int, 6> counts{};
    for (int face : faces) {
        if (face < 1 || face > 6)
            return kNone;
        ++counts[face - 1];
    }
    return keepOf(counts);
}

std::vector<int> DiceSets::subKeeps(int keep) const {
    std::vector<int> subs;
    const auto& top = m_counts[keep];
    std::array<int, 6> c{};
    for (c[0] = 0; c[0] <= top[0]; ++c[0])
        for (c[1] = 0; c[1] <= top[1]; ++c[1])
            for (c[2] = 0; c[2] <= top[2]; ++c[2])
                for (c[3] = 0; c[3] <= top[3]; ++c[3])
                    for (c[4] = 0; c[4] <= top[4]; ++c[4])
                        for (c[5] = 0; c[5] <= top[5]; ++c[5])
                            subs.push_back(keepOf(c));
    return subs;
}

const DiceSets& diceSets() {
    static const DiceSets sets;
    return sets;
}

} // namespace kubiq
