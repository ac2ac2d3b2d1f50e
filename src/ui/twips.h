#pragma once

#include <QRect>

namespace kubiq {

// The window's design measures in twips; at 96 dots per inch 15 twips make one
// device-independent pixel. Rounded to the nearest pixel.
constexpr int px(int twips) { return (2 * twips + 15) / 30; }

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

} // namespace kubiq
