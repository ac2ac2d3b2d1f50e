#include "monotonic_clock.h"

namespace kubiq {

static_assert(std::chrono::steady_clock::is_steady);

std::chrono::nanoseconds MonotonicClock::now() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

} // namespace kubiq
