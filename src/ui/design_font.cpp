#include "design_font.h"

#include <QStringList>

namespace kubiq {

QFont designFont(qreal pointSize, bool bold) {
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStretch(94);
    return font;
}

} // namespace kubiq
