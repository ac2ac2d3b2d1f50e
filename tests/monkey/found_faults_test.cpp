// Faults the monkey found, each kept as a test of its own.

#include "window_fixture.h"

#include <QApplication>

namespace kubiq::test {
namespace {

class FoundFaults : public WindowTest {
protected:
    QWidget* focus() const { return window.focusWidget(); }
    void press(Qt::Key key) { QTest::keyClick(window.windowHandle(), key); }
};

// "Hilfe/Spielstand" clicked with the mouse took the focus and hid itself and "&Ende" in turn;
// the focus stayed on the hidden "&Ende", and Space in the panel then ended the program.
TEST_F(FoundFaults, SpaceInThePanelOpenedByMouseDoesNotClickTheHiddenEndButton) {
    click(control(QStringLiteral("CommandHelp")));
    ASSERT_NE(focus(), nullptr);
    EXPECT_TRUE(focus()->isVisible()) << focus()->objectName().toStdString();
    press(Qt::Key_Space);
    EXPECT_TRUE(window.isVisible()) << "the window was closed";
    EXPECT_TRUE(control(QStringLiteral("Frame3"))->isVisible());
}

// The same on the way back: OK took the focus and hid itself while the game view was hidden,
// so that the keys went to a control no one could see.
TEST_F(FoundFaults, AfterOKTheFocusRestsOnAControlOfTheGameView) {
    click(control(QStringLiteral("CommandHelp")));
    click(control(QStringLiteral("CommandOK")));
    ASSERT_NE(focus(), nullptr);
    EXPECT_TRUE(focus()->isVisible()) << focus()->objectName().toStdString();
}

} // namespace
} // namespace kubiq::test
