// The dice are fair: faces drawn the way a roll draws them (MersenneDraw seeded from a clock
// reading, faceOf of each draw) pass a chi-square test at a significance of 1e-4.

#include "dice.h"
#include "mersenne_draw.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>

namespace kubiq {
namespace {

using FaceCounts = std::array<std::int64_t, 6>;

// The chi-square value at which six equally likely faces (five degrees of freedom) are
// rejected with a significance of 1e-4.
constexpr double kCritical = 25.745;

// Clock readings in nanoseconds, as the window's load seeds the draw with.
constexpr std::uint64_t kSeeds[] = {1'000'000'007ull, 1'717'171'717'171'717ull,
                                    0x00FF'FFFF'FFFF'FFFFull};
constexpr std::int64_t kFacesPerSeed = 2'000'000;

double chiSquare(const FaceCounts& counts) {
    std::int64_t n = 0;
    for (std::int64_t c : counts)
        n += c;
    const double expected = static_cast<double>(n) / 6.0;
    double chi = 0.0;
    for (std::int64_t c : counts)
        chi += (static_cast<double>(c) - expected) * (static_cast<double>(c) - expected) / expected;
    return chi;
}

// Counts the faces of `n` draws; fails the test at a draw outside [0, 1) or a face outside 1..6.
FaceCounts countFaces(const std::function<float()>& draw, std::int64_t n) {
    FaceCounts counts{};
    for (std::int64_t i = 0; i < n; ++i) {
        const float r = draw();
        if (!(r >= 0.0f && r < 1.0f)) {
            ADD_FAILURE() << "draw " << i << " is " << r;
            break;
        }
        const int face = faceOf(r);
        if (face < 1 || face > 6) {
            ADD_FAILURE() << "draw " << r << " gives face " << face;
            break;
        }
        ++counts[face - 1];
    }
    return counts;
}

TEST(Fairness, SixMillionFacesOfTheProgramsDrawPassTheChiSquareTest) {
    FaceCounts all{};
    for (std::uint64_t seed : kSeeds) {
        SCOPED_TRACE(seed);
        MersenneDraw random;
        random.seed(seed);
        const FaceCounts counts = countFaces([&] { return random.draw(); }, kFacesPerSeed);
        for (int face = 0; face < 6; ++face) {
            EXPECT_GT(counts[face], 0) << "face " << face + 1 << " never appears";
            all[face] += counts[face];
        }
        EXPECT_LT(chiSquare(counts), kCritical);
        std::printf("seed %llu: chi-square %.2f\n", static_cast<unsigned long long>(seed),
                    chiSquare(counts));
    }
    std::int64_t n = 0;
    for (std::int64_t c : all)
        n += c;
    EXPECT_EQ(n, 6'000'000);
    EXPECT_LT(chiSquare(all), kCritical);
    std::printf("all 6,000,000 faces: chi-square %.2f (rejected from %.2f)\n", chiSquare(all),
                kCritical);
}

TEST(Fairness, TheTestRejectsDrawsThatAreNotFair) {
    std::uint32_t state = 12345;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return state;
    };
    const struct {
        const char* why;
        std::function<float()> draw;
    } rows[] = {
        // 256 values fall on six faces 43, 43, 43, 43, 42, 42 times.
        {"a draw of only eight bits favours faces 1 to 4",
         [&] { return MersenneDraw::fromBits(next() & 0xFF00'0000u); }},
        {"a draw that never reaches the top sixth never shows a 6",
         [&] { return MersenneDraw::fromBits(next()) * (5.0f / 6.0f); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_GT(chiSquare(countFaces(row.draw, 6'000'000)), kCritical);
    }
}

TEST(Fairness, TheLargestDrawsStayBelowOneAndGiveASix) {
    // The generator's top outputs, where rounding to 1.0 (and so face 7) would show first.
    for (std::uint32_t bits = 0xFFFF'FFFFu; bits >= 0xFFFF'0000u; --bits) {
        const float r = MersenneDraw::fromBits(bits);
        ASSERT_LT(r, 1.0f) << bits;
        ASSERT_EQ(faceOf(r), 6) << bits;
    }
}

} // namespace
} // namespace kubiq
