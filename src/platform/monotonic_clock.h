#pragma once

#include "clock.h"

namespace kubiq {

// The system's steady clock.
class MonotonicClock final : public Clock {
public:
    std::chrono::nanoseconds now() override;
};

} // namespace kubiq
