#include "mersenne_draw.h"

namespace kubiq {

void MersenneDraw::seed(std::uint64_t seed) {
    // Both halves count: a clock reading in nanoseconds differs mostly in its low bits.
    std::seed_seq sequence{static_cast<std::uint32_t>(seed),
                           static_cast<std::uint32_t>(seed >> 32)};
    m_generator.seed(sequence);
}

float MersenneDraw::draw() {
    return fromBits(static_cast<std::uint32_t>(m_generator()));
}

float MersenneDraw::fromBits(std::uint32_t bits) {
    // std::generate_canonical can round up to 1.0; 24 bits fit a float's mantissa exactly.
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

} // namespace kubiq
