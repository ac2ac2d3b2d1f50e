#include "design_palette.h"

namespace kubiq {

QPalette designPalette() {
    // The toolkit's own light scheme; a disabled control greys its text and its shadows.
    const struct {
        QPalette::ColorRole role;
        QColor normal;
        QColor disabled;
    } roles[] = {
        {QPalette::WindowText, Qt::black, QColor(190, 190, 190)},
        {QPalette::Button, QColor(239, 239, 239), QColor(239, 239, 239)},
        {QPalette::Light, Qt::white, Qt::white},
        {QPalette::Midlight, QColor(202, 202, 202), QColor(202, 202, 202)},
        {QPalette::Dark, QColor(159, 159, 159), QColor(190, 190, 190)},
        {QPalette::Mid, QColor(184, 184, 184), QColor(184, 184, 184)},
        {QPalette::Text, Qt::black, QColor(190, 190, 190)},
        {QPalette::BrightText, Qt::white, Qt::white},
        {QPalette::ButtonText, Qt::black, QColor(190, 190, 190)},
        {QPalette::Base, Qt::white, QColor(239, 239, 239)},
        {QPalette::Window, QColor(239, 239, 239), QColor(239, 239, 239)},
        {QPalette::Shadow, QColor(118, 118, 118), QColor(177, 177, 177)},
        {QPalette::Highlight, QColor(48, 140, 198), QColor(145, 145, 145)},
        {QPalette::HighlightedText, Qt::white, Qt::white},
        {QPalette::Link, Qt::blue, Qt::blue},
        {QPalette::LinkVisited, Qt::magenta, Qt::magenta},
        {QPalette::AlternateBase, QColor(247, 247, 247), QColor(247, 247, 247)},
        {QPalette::ToolTipBase, QColor(255, 255, 220), QColor(255, 255, 220)},
        {QPalette::ToolTipText, Qt::black, Qt::black},
        {QPalette::PlaceholderText, QColor(0, 0, 0, 128), QColor(0, 0, 0, 128)},
    };
    QPalette palette;
    for (const auto& [role, normal, disabled] : roles) {
        palette.setColor(QPalette::Active, role, normal);
        palette.setColor(QPalette::Inactive, role, normal);
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    return palette;
}

} // namespace kubiq
