#pragma once

#include "pacer.h"

#include <chrono>

namespace kubiq {

// Frames at 60 Hz on the steady clock: sleeps until one frame after the previous wait ended, or
// not at all when the caller is already late.
class FramePacer final : public Pacer {
public:
    static constexpr std::chrono::nanoseconds kFrame{1'000'000'000 / 60};

    void awaitNextFrame() override;

private:
    std::chrono::steady_clock::time_point m_lastFrame{};
};

} // namespace kubiq
