#include "die_face.h"

#include "design_font.h"

#include <QPainter>

namespace kubiq {

void paintDie(QPainter& painter, const QRect& square, int face, bool held) {
    painter.save();
    painter.fillRect(square, held ? kDieHeld : kDieFace);
    if (face > 0) {
        // The game writes its 41-pixel dice in 24 points; smaller dice keep the proportion.
        QFont font = designFont(kDefaultPointSize, true);
        font.setPixelSize(std::max(6, square.height() * 2 / 3));
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(square, Qt::AlignCenter, QString::number(face));
    }
    painter.restore();
}

} // namespace kubiq
