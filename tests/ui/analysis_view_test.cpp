// "Spielanalyse" as the player reads it: the chart draws the game the review has chosen, with
// both its axes, and no line of the coach's lists runs out of the narrow window.

#include "coach_fixture.h"

#include <QComboBox>

namespace kubiq::test {
namespace {

// Counts the times a widget is drawn.
class Paints final : public QObject {
public:
    explicit Paints(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

class AnalysisViewTest : public CoachWindowTest {
protected:
    // Two finished games that went differently, with the coach on "Spielanalyse".
    void SetUp() override {
        pressF2(&window);
        playGame("12345");
        playGame("66612");
        showView(1);
    }
    QWidget* chart() const { return part<QWidget>("Verlaufskurve"); }
    // Chooses game `number` of the review, 0 the one in play, and lets the window draw.
    void choose(int number) const {
        part<QComboBox>("Spielauswahl")->setCurrentIndex(number);
        QCoreApplication::processEvents();
    }
    QImage review(int number) const {
        choose(number);
        return chart()->grab().toImage();
    }
};

TEST_F(AnalysisViewTest, TheChartDrawsTheGameTheReviewHasChosen) {
    const QImage second = review(2);
    const Paints paints(chart());
    choose(1);
    EXPECT_GT(paints.count, 0) << "drawn again on screen, not only when asked for a picture";
    const QImage first = chart()->grab().toImage();
    EXPECT_NE(first, second) << "two games that went differently";
    EXPECT_EQ(review(2), second) << "back to the second game";
    EXPECT_NE(review(0), first) << "the game in play has just begun";
}

// Where the chart's frame lies, its figures are found beside it: the points left of its left
// edge, the turns below its bottom edge. The frame's edges are the only lines drawn solid across
// four fifths of the chart; the grid's lines are dotted.
TEST_F(AnalysisViewTest, TheChartHasBothAxesWithTheirFigures) {
    const QImage drawn = review(1);
    const QColor ground = chart()->palette().color(QPalette::Base);
    const auto inked = [&](int x, int y) {
        const QColor pixel = drawn.pixelColor(x, y);
        return std::abs(pixel.red() - ground.red()) + std::abs(pixel.green() - ground.green()) +
                   std::abs(pixel.blue() - ground.blue()) >
               60;
    };
    const int width = drawn.width();
    const int height = drawn.height();
    int left = -1;
    for (int x = 0; x < width && left < 0; ++x) {
        int ink = 0;
        for (int y = 0; y < height; ++y)
            ink += inked(x, y);
        if (ink * 5 >= height * 4)
            left = x;
    }
    int bottom = -1;
    for (int y = height - 1; y >= 0 && bottom < 0; --y) {
        int ink = 0;
        for (int x = 0; x < width; ++x)
            ink += inked(x, y);
        if (ink * 5 >= width * 4)
            bottom = y;
    }
    ASSERT_GT(left, 0) << "a vertical axis, with room for the points";
    ASSERT_GT(bottom, 0) << "a horizontal axis";
    ASSERT_LT(bottom, height - 1) << "with room for the turns";
    const auto anyInk = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (inked(x, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(anyInk(QRect(QPoint(0, 0), QPoint(left - 2, bottom)))) << "the points";
    EXPECT_TRUE(anyInk(QRect(QPoint(left, bottom + 2), QPoint(width - 1, height - 1))))
        << "the turns";
}

// A costly decision's line of the review is longer than the window is wide: it wraps.
TEST_F(AnalysisViewTest, LongLinesWrapWithinTheCoachsLists) {
    review(1);
    const auto* steps = part<QListWidget>("Spielverlauf");
    int tallest = 0;
    for (int tab = 0; tab < 4; ++tab) {
        showView(tab);
        QCoreApplication::processEvents();
        for (const auto* list : coach()->findChildren<QListWidget*>()) {
            if (!list->isVisible())
                continue;
            SCOPED_TRACE(list->objectName().toStdString());
            ASSERT_GT(list->count(), 0);
            for (int row = 0; row < list->count(); ++row) {
                const QRect rect = list->visualItemRect(list->item(row));
                EXPECT_LE(rect.right(), list->viewport()->width()) << row;
                if (list == steps)
                    tallest = std::max(tallest, rect.height());
            }
        }
    }
    EXPECT_GT(tallest, steps->fontMetrics().height() * 3 / 2) << "a step's line on two rows";
}

} // namespace
} // namespace kubiq::test
