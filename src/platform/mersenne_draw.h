#pragma once

#include "random_draw.h"

#include <random>

namespace kubiq {

// Draws from a 32-bit Mersenne Twister.
class MersenneDraw final : public RandomDraw {
public:
    void seed(std::uint64_t seed) override;
    float draw() override;

    // The draw made of one 32-bit generator output: its top 24 bits as a fraction, so that
    // every value is exact in single precision and the largest is 1 - 2^-24, never 1.
    static float fromBits(std::uint32_t bits);

private:
    std::mt19937 m_generator;
};

} // namespace kubiq
