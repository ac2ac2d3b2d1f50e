#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace kubiq {

// The game's dice, as its window shows them: a black face with its number in bold white, red
// while held.
inline const QColor kDieFace(0, 0, 0);
inline const QColor kDieHeld(255, 0, 0);

// Draws a die showing `face` (1..6; 0 draws it blank) filling `square`.
void paintDie(QPainter& painter, const QRect& square, int face, bool held);

} // namespace kubiq
