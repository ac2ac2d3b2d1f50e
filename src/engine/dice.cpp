#include "dice.h"

namespace kubiq {

int faceOf(float r) {
    return static_cast<int>(r * 6.0f + 1.0f);
}

} // namespace kubiq
