#pragma once

namespace kubiq {

// What the roll animation needs of the screen.
class Display {
public:
    virtual ~Display() = default;
    // Die `die` (0..4) has a new face: draw it now, inside the running click, taking no other
    // event.
    virtual void repaintDie(int die) = 0;
    // Called between two passes of the animation: waits until the next pass is worth drawing,
    // again taking no other event.
    virtual void awaitNextPass() = 0;
};

} // namespace kubiq
