#pragma once

namespace kubiq {

// The system's short warning sound for a refused click.
class Beeper {
public:
    virtual ~Beeper() = default;
    // Returns at once.
    virtual void beep() = 0;
};

} // namespace kubiq
