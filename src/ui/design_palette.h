#pragma once

#include <QPalette>

namespace kubiq {

// The light desktop the window was designed on: grey button faces and window, black text, white
// boxes. Every role of every group is set, so that a widget given this palette passes none of
// the desktop's colours on to its children, whatever the desktop's scheme.
QPalette designPalette();

} // namespace kubiq
