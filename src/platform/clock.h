#pragma once

#include <chrono>

namespace kubiq {

// A monotonic clock: its readings never go back, whatever the time of day
// (midnight and changes of the wall clock included).
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::nanoseconds now() = 0;
};

} // namespace kubiq
