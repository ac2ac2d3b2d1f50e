#include "chance_marks.h"
#include "design_palette.h"

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QPainter>

#include <gtest/gtest.h>

#include <map>

namespace kubiq::test {
namespace {

QPalette darkPalette() {
    QPalette dark = designPalette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    return dark;
}

// How far apart two colours are in lightness, 0..255.
int contrast(const QColor& a, const QColor& b) {
    return std::abs(a.lightness() - b.lightness());
}

// The bars of a chance of a half (with a tick at three quarters) and of the endings of a turn,
// drawn on each palette at each density: every part stands out from the ground, each of its
// edges falls on whole device pixels, and the filled share is the chance.
TEST(ChanceMarks, ReadOnLightAndDarkPalettesAndStayCrispAtAnyDensity) {
    const struct {
        const char* what;
        QPalette palette;
        qreal ratio;
    } rows[] = {
        {"light palette", designPalette(), 1.0},
        {"light palette, high density", designPalette(), 2.0},
        {"dark palette", darkPalette(), 1.0},
        {"dark palette, fractional density", darkPalette(), 1.5},
    };
    const ChanceBars bars{{{0.5}, 0.75, false}, {{0.25, 0.5}, -1.0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QWidget parent;
        auto* marks = new ChanceMarks(&parent);
        marks->setPalette(row.palette);
        marks->showBars(bars, QStringLiteral("Bonus oben: 50 %"));
        EXPECT_EQ(marks->accessibleName(), "Bonus oben: 50 %") << "the figures are spoken";
        const QSize size = marks->sizeHint();
        ASSERT_GE(size.width(), 20) << "room for the bars at the coach's least width";
        marks->resize(size);
        QImage drawn(size * row.ratio, QImage::Format_RGB32);
        drawn.setDevicePixelRatio(row.ratio);
        const QColor ground = row.palette.color(marks->backgroundRole());
        drawn.fill(ground);
        marks->render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());

        // The rows of device pixels the bars cover, found down their middle column.
        std::vector<int> barRows;
        for (int y = 0; y < drawn.height(); ++y)
            if (drawn.pixelColor(drawn.width() / 2, y) != ground)
                barRows.push_back(y);
        ASSERT_FALSE(barRows.empty());
        // The first bar's middle row, then the second's: both bars are there, one under the other.
        const int first = barRows.front() + 1;
        int second = -1;
        for (std::size_t i = 1; i < barRows.size(); ++i)
            if (barRows[i] > barRows[i - 1] + 1)
                second = barRows[i] + 1;
        ASSERT_GT(second, first) << "two bars, apart";
        for (const int y : {first, second}) {
            std::map<QRgb, int> colours;
            for (int x = 0; x < drawn.width(); ++x)
                ++colours[drawn.pixel(x, y)];
            colours.erase(ground.rgb());
            // Crisp: only the bar's own colours (the parts, the track, the tick), no blends
            // of their edges; each stands out from the ground.
            EXPECT_LE(colours.size(), 3u) << "row " << y;
            for (const auto& [rgb, count] : colours)
                EXPECT_GE(contrast(QColor(rgb), ground), 25)
                    << "row " << y << " " << std::hex << rgb;
        }
        // The first bar's filled half: the colour of its left end runs to the middle.
        const QRgb fill = drawn.pixel(0, first);
        int filled = 0;
        while (filled < drawn.width() && drawn.pixel(filled, first) == fill)
            ++filled;
        EXPECT_NEAR(filled, drawn.width() / 2, 1);
        EXPECT_GE(contrast(QColor(fill), ground), 100) << "the chance itself reads at a glance";
    }
}

// A list's row with bars keeps its long text beside them, wrapped within the list's width, and
// is tall enough for all of it; a row without bars is left to the list.
TEST(ChanceMarks, ARowWithBarsWrapsItsTextBesideThem) {
    QListWidget list;
    list.setWordWrap(true);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setResizeMode(QListView::Adjust);
    list.setItemDelegate(new ChanceMarksDelegate(&list));
    const QString words =
        QStringLiteral("Diese Runde im Mittel 24,3: Große Straße (40) 31 %, ").repeated(4);
    list.addItems({words, words});
    ChanceMarksDelegate::setBars(list.item(0), {{{0.5}, -1.0, false}});
    list.resize(240, 400);
    list.show();
    QApplication::processEvents();
    const int lineHeight = list.fontMetrics().lineSpacing();
    const QRect withBars = list.visualItemRect(list.item(0));
    const QRect without = list.visualItemRect(list.item(1));
    EXPECT_LE(withBars.right(), list.viewport()->width()) << "no row runs out of the list";
    EXPECT_GE(withBars.height(), 3 * lineHeight) << "wrapped, not cut";
    EXPECT_GE(withBars.height(), without.height()) << "less room beside the bars, not more";
    EXPECT_EQ(ChanceMarksDelegate::barsOf(list.model()->index(1, 0)), ChanceBars());
}

} // namespace
} // namespace kubiq::test
