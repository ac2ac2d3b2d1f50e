#pragma once

namespace kubiq {

// Paces the passes of the roll animation to the display.
class Pacer {
public:
    virtual ~Pacer() = default;
    // Sleeps until the next frame is due. Takes no event: input stays queued.
    virtual void awaitNextFrame() = 0;
};

} // namespace kubiq
