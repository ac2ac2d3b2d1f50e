#pragma once

#include <QFont>

namespace kubiq {

inline constexpr qreal kDefaultPointSize = 8.25;

// The window's face: a sans-serif stands in for "MS Sans Serif", narrowed a little to that face's
// width so that every caption fits its cell as designed ("Kleine Straße" has 65 pixels).
QFont designFont(qreal pointSize = kDefaultPointSize, bool bold = false);

} // namespace kubiq
