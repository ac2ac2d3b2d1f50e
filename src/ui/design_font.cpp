#include "design_font.h"

#include <QStringList>

#ifdef Q_OS_WASM
#include <QFontDatabase>
#endif

namespace kubiq {

QFont designFont(qreal pointSize, bool bold) {
#ifdef Q_OS_WASM
    // A page has no fonts of the system: the face comes with the program, and is made known
    // before the first text asks for it.
    static const bool known = [] {
        for (const char* face :
             {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf"})
            QFontDatabase::addApplicationFont(QLatin1String(face));
        return true;
    }();
    (void)known;
#endif
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStretch(94);
#ifdef Q_OS_WASM
    // Qt's own rasteriser in a page leaves glyphs unhinted at fractions of a pixel, soft at a
    // screen's 1x and a little different at every place; hinted fully they stand on whole
    // pixels, sharp as the design was drawn on Windows.
    font.setHintingPreference(QFont::PreferFullHinting);
#endif
    return font;
}

} // namespace kubiq
