#pragma once

#include <cstdint>

namespace kubiq {

// A seedable uniform pseudo-random sequence.
class RandomDraw {
public:
    virtual ~RandomDraw() = default;
    // Restarts the sequence from `seed`.
    virtual void seed(std::uint64_t seed) = 0;
    // The next value r with 0 <= r < 1; never exactly 1.
    virtual float draw() = 0;
};

} // namespace kubiq
