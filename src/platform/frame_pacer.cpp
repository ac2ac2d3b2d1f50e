#include "frame_pacer.h"

#include <algorithm>
#include <thread>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace kubiq {

void FramePacer::awaitNextFrame() {
    const auto now = std::chrono::steady_clock::now();
    auto due = m_lastFrame + kFrame;
    if (now - m_lastFrame > 2 * kFrame)
        due = now + kFrame; // the first pause of a roll: a whole frame from here
    if (due > now) {
#ifdef __EMSCRIPTEN__
        // The page draws only between calls into the program: a sleep that kept the browser's
        // thread would show no frame of the roll. This one returns to the browser meanwhile.
        emscripten_sleep(static_cast<unsigned>(
            std::chrono::ceil<std::chrono::milliseconds>(due - now).count()));
#else
        std::this_thread::sleep_until(due);
#endif
    }
    // A pass that took longer than a frame is not made up for by a shorter one.
    m_lastFrame = std::max(due, now);
}

} // namespace kubiq
