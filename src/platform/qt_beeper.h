#pragma once

#include "beeper.h"

namespace kubiq {

// The desktop's beep.
class QtBeeper final : public Beeper {
public:
    void beep() override;
};

} // namespace kubiq
