#include "sample_games.h"
#include "window_fixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace kubiq::test {
namespace {

using namespace std::chrono_literals;

using WindowGameTest = WindowTest;

TEST_F(WindowGameTest, ATurnByClicks) {
    roll("33355");
    EXPECT_EQ(faces(), "33355");
    EXPECT_EQ(tip(Dreier)->text(), "9");
    EXPECT_EQ(tip(FullHouse)->text(), "25");
    EXPECT_EQ(tip(Einer)->text(), "");
    EXPECT_EQ(rollButton()->text(), "Würfeln  (2. Versuch)");

    click(holdButton(1));
    EXPECT_TRUE(isRed(1));
    EXPECT_TRUE(isBlack(0));
    roll("6666");
    EXPECT_EQ(faces(), "63666") << "the held die keeps its face";
    EXPECT_TRUE(isRed(1)) << "and stays red through the roll";
    EXPECT_EQ(tip(Viererpasch)->text(), "24");

    click(categoryButton(Viererpasch));
    EXPECT_EQ(cell(Viererpasch)->text(), "24");
    EXPECT_FALSE(categoryButton(Viererpasch)->isEnabled());
    EXPECT_EQ(cell(SumCell::GesamtOben)->text(), "0");
    EXPECT_EQ(cell(SumCell::BonusOben)->text(), "");
    EXPECT_EQ(cell(SumCell::Summe1)->text(), "0");
    EXPECT_EQ(cell(SumCell::GesamtUnten)->text(), "24");
    EXPECT_EQ(cell(SumCell::BonusUnten)->text(), "");
    EXPECT_EQ(cell(SumCell::Summe2)->text(), "24");
    EXPECT_EQ(cell(SumCell::Total)->text(), "24");
    EXPECT_EQ(faces(), ".....");
    for (int i = 0; i < kDiceCount; ++i)
        EXPECT_TRUE(isBlack(i)) << i;
    for (int c = 0; c < kCategoryCount; ++c)
        EXPECT_EQ(tip(c)->text(), "") << c;
    EXPECT_EQ(rollButton()->text(), "Würfeln  (1. Versuch)");
    EXPECT_TRUE(rollButton()->isEnabled());
    EXPECT_EQ(window.Runde(), 2);
    EXPECT_EQ(window.Versuch(), 1);
}

TEST_F(WindowGameTest, ClicksBeforeTheFirstRollOnlyBeep) {
    click(categoryButton(Chance));
    click(holdButton(2));
    EXPECT_EQ(beeper.beeps(), 2);
    EXPECT_EQ(cell(Chance)->text(), "");
    EXPECT_TRUE(categoryButton(Chance)->isEnabled());
    EXPECT_TRUE(isBlack(2));
    EXPECT_EQ(window.Runde(), 1);
}

TEST_F(WindowGameTest, TheThirdRollDisablesTheRollButton) {
    roll("12345");
    roll("12345");
    roll("12345");
    EXPECT_FALSE(rollButton()->isEnabled());
    EXPECT_EQ(rollButton()->text(), "Würfeln  (3. Versuch)");
    const auto drawn = draws.drawn();
    click(rollButton());
    EXPECT_EQ(draws.drawn(), drawn) << "a disabled button takes no click";
    click(holdButton(0));
    EXPECT_TRUE(isRed(0)) << "dice can still be held";
}

TEST_F(WindowGameTest, AClosedCategoryTakesNoClick) {
    turn("55555", Kubiq);
    roll("55555");
    click(categoryButton(Kubiq));
    EXPECT_EQ(cell(Kubiq)->text(), "50");
    EXPECT_EQ(window.Runde(), 2);
    EXPECT_EQ(faces(), "55555");
}

TEST_F(WindowGameTest, LabelsDiceAndFramesTakeNoClicks) {
    roll("12345");
    for (const QString& name : {QStringLiteral("LabelWAnzeige(0)"), QStringLiteral("LabelTip(9)"),
                                QStringLiteral("LabelPunkte(0)"), QStringLiteral("Label1"),
                                QStringLiteral("Frame1"), QStringLiteral("Frame2")})
        click(control(name));
    EXPECT_EQ(faces(), "12345");
    EXPECT_TRUE(isBlack(0));
    EXPECT_EQ(window.Versuch(), 2);
    EXPECT_EQ(window.Runde(), 1);
    EXPECT_EQ(beeper.beeps(), 0);
}

TEST_F(WindowGameTest, AWholeGameByClicks) {
    bool sheetShown = false;
    messageBox.onShow = [&] {
        // The finished sheet is on show while the box is open.
        sheetShown = cell(SumCell::Total)->text() == "230" && cell(KleineStrasse)->text() == "0" &&
                     cell(SumCell::BonusOben)->text() == "35" && faces() == "....." &&
                     !categoryButton(Chance)->isEnabled();
    };
    for (const auto& [dice, category] : kGame230) {
        EXPECT_TRUE(messageBox.shown().empty());
        turn(dice, category);
    }
    ASSERT_EQ(messageBox.shown().size(), 1u);
    EXPECT_EQ(messageBox.shown()[0].title, "Game Over");
    EXPECT_TRUE(sheetShown);

    for (int c = 0; c < kCategoryCount; ++c) {
        EXPECT_EQ(cell(c)->text(), "") << c;
        EXPECT_TRUE(categoryButton(c)->isEnabled()) << c;
    }
    for (SumCell s : kSumCells)
        EXPECT_EQ(cell(s)->text(), "");
    EXPECT_EQ(window.Runde(), 1);

    click(control(QStringLiteral("CommandHelp")));
    const QString text = control<QPlainTextEdit>(QStringLiteral("TextSpielstand"))->toPlainText();
    EXPECT_TRUE(text.endsWith(QStringLiteral("-\n1. Spiel: 230 Punkte\nPunkte gesamt: 230\n"
                                             "Durchschnitt: 230\n")))
        << text.toStdString();
}

// Posts a click on `target` the way the window system queues one.
void postClick(QWidget* target) {
    const QPoint centre = target->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QCoreApplication::postEvent(target,
                                    new QMouseEvent(type, centre, target->mapToGlobal(centre),
                                                    Qt::LeftButton, held, Qt::NoModifier));
    }
}

TEST_F(WindowGameTest, ClicksDuringARollTakeEffectAfterItInOrder) {
    roll("12345");
    std::vector<QWidget*> clicks{holdButton(0), holdButton(1), holdButton(0)};
    pacer.onFrame = [&] {
        for (QWidget* target : std::exchange(clicks, {}))
            postClick(target);
    };
    clock.setStep(100ms);
    roll("66666");
    EXPECT_TRUE(clicks.empty()) << "the clicks were made during the roll";
    EXPECT_EQ(pacer.frames(), 4);
    EXPECT_EQ(faces(), "66666") << "no die was held during the roll";
    EXPECT_TRUE(isBlack(0));
    EXPECT_TRUE(isBlack(1));
    EXPECT_EQ(tip(Kubiq)->text(), "50");

    QCoreApplication::processEvents();
    EXPECT_TRUE(isRed(1));
    EXPECT_TRUE(isBlack(0)) << "die 0 was held and freed again, in that order";

    // A category click made during the roll enters the roll's own suggestion.
    clicks = {categoryButton(Chance)};
    roll("5555");
    EXPECT_EQ(cell(Chance)->text(), "");
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(Chance)->text(), "26");
    EXPECT_EQ(beeper.beeps(), 0);
}

// Keys reach the window as the window system hands them on: each to the control that has the
// focus when it is taken.
class KeyboardTest : public WindowTest {
protected:
    KeyboardTest() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void press(Qt::Key key) { QTest::keyClick(window.windowHandle(), key); }
    // A Space pressed while a click still runs: it waits in the queue.
    void queueSpace() {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(
                window.windowHandle(),
                new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")));
    }
    QWidget* focus() const { return window.focusWidget(); }
    int openCategories() const {
        int open = 0;
        for (int c = 0; c < kCategoryCount; ++c)
            open += categoryButton(c)->isEnabled() ? 1 : 0;
        return open;
    }
};

// Regression: after the third roll the disabled roll button handed the focus on to "Einer", so
// one Space too many, or one pressed while the third roll ran, entered the dice there.
class SpacesOnTheRollButton : public KeyboardTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SpacesOnTheRollButton, EnterNoCategory) {
    const bool queued = GetParam();
    rollButton()->setFocus();
    press(Qt::Key_Space);
    press(Qt::Key_Space);
    clock.setStep(100ms);
    bool fourth = false;
    pacer.onFrame = [&] {
        if (queued && !std::exchange(fourth, true))
            queueSpace();
    };
    press(Qt::Key_Space);
    if (!queued)
        press(Qt::Key_Space);
    QCoreApplication::processEvents();
    EXPECT_EQ(fourth, queued);

    EXPECT_EQ(window.Versuch(), 4);
    EXPECT_EQ(openCategories(), kCategoryCount);
    EXPECT_EQ(focus(), holdButton(4));
    EXPECT_TRUE(isRed(4)) << "the fourth Space held the last die, which changes nothing now";
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), categoryButton(Einer)) << "Tab goes on past the disabled roll button";
}

INSTANTIATE_TEST_SUITE_P(, SpacesOnTheRollButton, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "TheFourthQueuedDuringTheThirdRoll" : "FourInARow";
                         });

// An entry disables its button; the next Space rolls the next turn and enters nothing, also
// after the last entry of a game, which closes every category while the game-over box shows.
TEST_F(KeyboardTest, TheSpaceAfterAnEntryRollsTheNextTurn) {
    int open = kCategoryCount;
    for (const auto& [dice, category] : kGame230) {
        SCOPED_TRACE(category);
        roll(dice);
        categoryButton(category)->setFocus();
        press(Qt::Key_Space);
        open = open == 1 ? kCategoryCount : open - 1;
        EXPECT_EQ(focus(), rollButton());
        press(Qt::Key_Space);
        EXPECT_EQ(window.Versuch(), 2);
        EXPECT_EQ(openCategories(), open);
    }
    EXPECT_EQ(messageBox.shown().size(), 1u);
    press(Qt::Key_Backtab);
    EXPECT_EQ(focus(), holdButton(4)) << "Shift+Tab goes back along the tab order";
}

// Regression: once a category was closed, every hold or roll sent the focus to the roll button,
// and the third roll from there on to the first open category ("Zweier halten" after Einer),
// where the player's next Space entered the dice.
TEST_F(KeyboardTest, HoldReleaseAndRollKeepTheFocusFromTheSecondTurnOn) {
    for (const auto& [dice, category] : kGame230) {
        SCOPED_TRACE(category);
        const int open = openCategories();
        rollButton()->setFocus();
        draws.scriptFaces(dice);
        press(Qt::Key_Space);
        EXPECT_EQ(focus(), rollButton());
        click(holdButton(0)); // the mouse puts the focus on the button it clicks
        EXPECT_EQ(focus(), holdButton(0));
        press(Qt::Key_Space);
        press(Qt::Key_Space);
        EXPECT_TRUE(isRed(0)) << "held, freed and held again";
        EXPECT_EQ(focus(), holdButton(0));
        press(Qt::Key_Tab);
        press(Qt::Key_Space);
        EXPECT_TRUE(isRed(1));
        EXPECT_EQ(focus(), holdButton(1));
        rollButton()->setFocus();
        press(Qt::Key_Space);
        EXPECT_EQ(focus(), rollButton());
        press(Qt::Key_Space);
        EXPECT_EQ(focus(), holdButton(4)) << "the third roll leaves it on the last hold button";
        press(Qt::Key_Space);
        EXPECT_EQ(window.Versuch(), 4);
        EXPECT_EQ(openCategories(), open) << "no Space entered the dice";
        click(categoryButton(category));
    }
}

// Records the face each die showed when it was last painted, '.' before its first paint.
class PaintedFaces final : public QObject {
public:
    explicit PaintedFaces(const std::array<QLabel*, kDiceCount>& dice) : m_dice(dice) {
        for (QLabel* die : m_dice)
            die->installEventFilter(this);
    }
    std::string faces = std::string(kDiceCount, '.');

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto die = std::find(m_dice.begin(), m_dice.end(), watched);
        if (event->type() == QEvent::Paint && die != m_dice.end()) {
            const QString text = (*die)->text();
            faces[die - m_dice.begin()] = text.isEmpty() ? ' ' : text.at(0).toLatin1();
        }
        return false;
    }

private:
    std::array<QLabel*, kDiceCount> m_dice;
};

TEST_F(WindowGameTest, EveryPassOfARollDrawsEachFreeDieWithItsNewFace) {
    roll("33355");
    PaintedFaces painted({die(0), die(1), die(2), die(3), die(4)});
    click(holdButton(1));
    QCoreApplication::processEvents(); // the red die is drawn before the roll
    std::vector<std::string> seen;
    pacer.onFrame = [&] {
        seen.push_back(painted.faces);
        EXPECT_TRUE(isRed(1)) << "after pass " << seen.size();
    };
    clock.setStep(100ms);
    draws.scriptFaces("1111"
                      "2222"
                      "4444"
                      "5555"
                      "6666");
    click(rollButton());
    EXPECT_EQ(seen, (std::vector<std::string>{"13111", "23222", "43444", "53555"}))
        << "the held die keeps its face, the free ones are drawn anew at every pass";
    EXPECT_EQ(painted.faces, "63666");
}

} // namespace
} // namespace kubiq::test
