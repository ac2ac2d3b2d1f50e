#include "frame_pacer.h"

#include <algorithm>
#include <thread>

namespace kubiq {

void FramePacer::awaitNextFrame() {
    const auto now = std::chrono::steady_clock::now();
    auto due = m_lastFrame + kFrame;
    if (now - m_lastFrame > 2 * kFrame)
        due = now + kFrame; // the first pause of a roll: a whole frame from here
    if (due > now)
        std::this_thread::sleep_until(due);
    // A pass that took longer than a frame is not made up for by a shorter one.
    m_lastFrame = std::max(due, now);
}

} // namespace kubiq
