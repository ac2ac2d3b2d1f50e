#include "window_fixture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QWindow>

#include <cstdlib>

namespace kubiq::test {
namespace {

// Runs once at scale factor 1 and once at 2 (QT_SCALE_FACTOR): the whole window scales as one.
class ScalingTest : public WindowTest {
protected:
    static int expectedFactor() {
        const char* factor = std::getenv("QT_SCALE_FACTOR");
        return factor ? std::atoi(factor) : 1;
    }
};

TEST_F(ScalingTest, TheWindowIsScaledAsAWhole) {
    const int f = expectedFactor();
    ASSERT_EQ(window.windowHandle()->devicePixelRatio(), f);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(513 * f, 409 * f));

    // Each die is a black square exactly where the design puts it, f times over.
    for (int i = 0; i < kDiceCount; ++i) {
        SCOPED_TRACE(i);
        const QRect die(QPoint(8 + 8 + 48 * i, 8 + 32) * f, QSize(41, 41) * f);
        for (QPoint corner : {die.topLeft(), die.topRight(), die.bottomLeft(), die.bottomRight()})
            EXPECT_EQ(shot.pixelColor(corner), QColor(0, 0, 0)) << corner.x() << "," << corner.y();
        EXPECT_NE(shot.pixelColor(die.topLeft() - QPoint(1, 1)), QColor(0, 0, 0));
        EXPECT_NE(shot.pixelColor(die.bottomRight() + QPoint(1, 1)), QColor(0, 0, 0));
    }
}

TEST_F(ScalingTest, EveryTextFitsItsControl) {
    roll("66666"); // the widest faces and tips
    click(control(QStringLiteral("ComandPHalten(12)")));
    roll("66666");
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        QString text;
        QRect room = widget->contentsRect();
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text().remove(QLatin1Char('&')), room.adjust(2, 0, -2, 0);
        if (text.isEmpty())
            continue;
        const QRect needed = QFontMetrics(widget->font(), widget).boundingRect(text);
        EXPECT_LE(needed.width(), room.width())
            << widget->objectName().toStdString() << ": " << text.toStdString();
        EXPECT_LE(QFontMetrics(widget->font(), widget).height(), room.height() + 4)
            << widget->objectName().toStdString();
    }
    // A die's face stands clear inside its square.
    const QRect face = QFontMetrics(die(0)->font(), die(0)).tightBoundingRect(QStringLiteral("6"));
    EXPECT_LT(face.height(), die(0)->height());
    EXPECT_LT(face.width(), die(0)->width());
}

} // namespace
} // namespace kubiq::test
