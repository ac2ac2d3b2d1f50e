#include "window_fixture.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kubiq::test {
namespace {

using WindowLayoutTest = WindowTest;

// Twips to device-independent pixels, 15 to one, rounded.
QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return static_cast<int>(t / 15.0 + 0.5); };
    return {px(left), px(top), px(width), px(height)};
}

struct Placed {
    QString name;
    QRect geometry;
};

std::vector<Placed> designedGeometry() {
    std::vector<Placed> rows{
        {"Frame2", twips(120, 120, 3732, 2895)},
        {"Frame1", twips(4080, 120, 3495, 5892)},
        {"Frame3", twips(120, 120, 7455, 5295)},
        {"CommandWuerfeln", twips(120, 2040, 3495, 495)},
        {"CommandHelp", twips(240, 5520, 1695, 492)},
        {"CommandExit", twips(2040, 5520, 1695, 495)},
        {"CommandOK", twips(3120, 5520, 1695, 495)},
        {"TextSpielstand", twips(120, 240, 7215, 4935)},
        {"Label25", twips(1080, 240, 612, 252)},
        {"Label26", twips(2880, 240, 372, 252)},
    };
    // Every die and hold button in its column; every category and sum cell in its sheet row.
    for (int i = 0; i < kDiceCount; ++i) {
        rows.push_back(
            {QStringLiteral("LabelWAnzeige(%1)").arg(i), twips(120 + 720 * i, 480, 615, 615)});
        rows.push_back(
            {QStringLiteral("CommandWHalten(%1)").arg(i), twips(120 + 720 * i, 1200, 615, 375)});
    }
    const int categoryRows[kCategoryCount] = {0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15, 16};
    for (int c = 0; c < kCategoryCount; ++c) {
        const int top = 480 + 240 * categoryRows[c];
        rows.push_back({QStringLiteral("LabelPunkte(%1)").arg(c), twips(1200, top, 495, 240)});
        rows.push_back({QStringLiteral("ComandPHalten(%1)").arg(c), twips(1920, top, 855, 240)});
        rows.push_back({QStringLiteral("LabelTip(%1)").arg(c), twips(2880, top, 375, 240)});
    }
    const std::pair<int, int> sumRows[] = {{100, 6},  {101, 7},  {102, 8}, {103, 17},
                                           {104, 18}, {105, 19}, {106, 21}};
    for (auto [cell, row] : sumRows)
        rows.push_back(
            {QStringLiteral("LabelPunkte(%1)").arg(cell), twips(1200, 480 + 240 * row, 495, 240)});
    const int captionRows[20] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  10,
                                 11, 12, 13, 14, 15, 16, 17, 18, 19, 21};
    for (int n = 1; n <= 20; ++n)
        rows.push_back({QStringLiteral("Label%1").arg(n),
                        twips(120, 492 + 240 * captionRows[n - 1], 972, 252)});
    return rows;
}

TEST_F(WindowLayoutTest, EveryControlStandsWhereDesigned) {
    EXPECT_EQ(window.size(), QSize(513, 409)) << "client area 7695 x 6135 twips";
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed";
    // The coach beside it narrows no further than its lines read well.
    QTest::keyClick(&window, Qt::Key_F2);
    QWidget* coach = control(QStringLiteral("CoachWindow"));
    ASSERT_NE(coach, nullptr);
    coach->resize(1, coach->height());
    EXPECT_EQ(coach->width(), 300);
    for (const Placed& row : designedGeometry()) {
        SCOPED_TRACE(row.name.toStdString());
        const QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.geometry);
    }
}

TEST_F(WindowLayoutTest, ControlsLieInTheirFrames) {
    const struct {
        const char* frame;
        std::vector<const char*> children;
    } rows[] = {
        {"Frame2", {"LabelWAnzeige(0)", "CommandWHalten(4)", "CommandWuerfeln"}},
        {"Frame1",
         {"Label1", "Label25", "Label26", "LabelPunkte(106)", "ComandPHalten(12)", "LabelTip(0)"}},
        {"Frame3", {"TextSpielstand"}},
        {"Form1", {"Frame1", "Frame2", "Frame3", "CommandHelp", "CommandExit", "CommandOK"}},
    };
    for (const auto& row : rows)
        for (const char* child : row.children)
            EXPECT_EQ(control(QLatin1String(child))->parentWidget()->objectName(), row.frame)
                << child;
}

TEST_F(WindowLayoutTest, CaptionsAsDesigned) {
    const struct {
        const char* name;
        const char* caption;
    } rows[] = {
        {"Label1", "Einer"},       {"Label5", "Fünfer"},         {"Label7", "GESAMT"},
        {"Label8", "BONUS"},       {"Label9", "SUMME 1"},        {"Label10", "Dreierpasch"},
        {"Label12", "Full House"}, {"Label13", "Kleine Straße"}, {"Label14", "Große Straße"},
        {"Label15", "Kubiq"},      {"Label16", "Chance"},        {"Label17", "GESAMT"},
        {"Label19", "SUMME 2"},    {"Label20", "TOTAL"},         {"Label25", "Punkte"},
        {"Label26", "Tip"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(control<QLabel>(QLatin1String(row.name))->text(), QString::fromUtf8(row.caption))
            << row.name;
    EXPECT_EQ(window.windowTitle(), "KUBIQ");
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame1"))->title(), "Punkte");
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame2"))->title(), "Würfel");
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame3"))->title(), "Hilfe/Spielstand");
    EXPECT_EQ(control<QPushButton>(QStringLiteral("CommandHelp"))->text(), "&Hilfe/Spielstand");
    EXPECT_EQ(control<QPushButton>(QStringLiteral("CommandExit"))->text(), "&Ende");
    EXPECT_EQ(control<QPushButton>(QStringLiteral("CommandOK"))->text(), "OK");
    EXPECT_EQ(holdButton(3)->text(), "halten");
    EXPECT_EQ(categoryButton(8)->text(), "halten");
    EXPECT_EQ(window.windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}))
        << "the two dice in the sizes a window manager draws";

    // The context menu's one entry shows the key that does the same.
    QString entry;
    QKeySequence key;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        if (!menu->actions().isEmpty())
            entry = menu->actions().front()->text(), key = menu->actions().front()->shortcut();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&window, &event);
    EXPECT_EQ(entry, "Berater…");
    EXPECT_EQ(key.toString(), "F2");
}

TEST_F(WindowLayoutTest, TheStateRightAfterStart) {
    EXPECT_TRUE(control(QStringLiteral("Frame1"))->isVisible());
    EXPECT_TRUE(control(QStringLiteral("Frame2"))->isVisible());
    EXPECT_TRUE(control(QStringLiteral("CommandHelp"))->isVisible());
    EXPECT_TRUE(control(QStringLiteral("CommandExit"))->isVisible());
    EXPECT_FALSE(control(QStringLiteral("Frame3"))->isVisible());
    EXPECT_FALSE(control(QStringLiteral("CommandOK"))->isVisible());
    for (int i = 0; i < kDiceCount; ++i) {
        EXPECT_TRUE(holdButton(i)->isEnabled()) << "the load enabled hold button " << i;
        EXPECT_EQ(die(i)->text(), "");
        EXPECT_TRUE(isBlack(i));
    }
    for (int c = 0; c < kCategoryCount; ++c) {
        EXPECT_TRUE(categoryButton(c)->isEnabled());
        EXPECT_EQ(tip(c)->text(), "");
        EXPECT_EQ(cell(c)->text(), "");
    }
    for (SumCell s : kSumCells)
        EXPECT_EQ(cell(s)->text(), "");
    EXPECT_EQ(rollButton()->text(), "Würfeln  (1. Versuch)");
    EXPECT_TRUE(rollButton()->isEnabled());
    EXPECT_EQ(window.Versuch(), 1);
    EXPECT_EQ(window.Runde(), 1);
    EXPECT_EQ(draws.seeds().size(), 1u) << "the load seeded the draw";
}

TEST_F(WindowLayoutTest, DiceAreWhiteOnAFilledSquareInLargeBoldType) {
    for (int i = 0; i < kDiceCount; ++i) {
        QLabel* d = die(i);
        EXPECT_TRUE(d->autoFillBackground());
        EXPECT_EQ(d->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        EXPECT_EQ(d->alignment(), Qt::AlignCenter);
        EXPECT_EQ(d->font().pointSizeF(), 24.0);
        EXPECT_TRUE(d->font().bold());
        EXPECT_EQ(d->frameShape(), QFrame::NoFrame);
    }
    EXPECT_TRUE(rollButton()->font().bold());
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 8.25);
    EXPECT_TRUE(control<QLabel>(QStringLiteral("Label20"))->font().bold());
    EXPECT_FALSE(control<QLabel>(QStringLiteral("Label1"))->font().bold());
    EXPECT_TRUE(tip(0)->alignment() & Qt::AlignRight);
    EXPECT_FALSE(tip(0)->autoFillBackground());
    EXPECT_TRUE(cell(106)->alignment() & Qt::AlignRight);
    EXPECT_EQ(cell(106)->frameShape(), QFrame::Box);
    EXPECT_EQ(cell(106)->frameShadow(), QFrame::Plain);
}

// The lightness, 0..255, of the darkest and of the lightest pixel of `area`.
std::pair<int, int> lightness(const QImage& shot, const QRect& area) {
    std::pair<int, int> range{255, 0};
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int l = shot.pixelColor(x, y).lightness();
            range = {std::min(range.first, l), std::max(range.second, l)};
        }
    }
    return range;
}

TEST_F(WindowLayoutTest, ADarkDesktopChangesNoColourOfTheWindow) {
    const int flashTime = QGuiApplication::styleHints()->cursorFlashTime();
    QGuiApplication::styleHints()->setCursorFlashTime(0); // the text box's cursor stays put
    const auto named = [](const Form1& w, const char* name) {
        return w.findChild<QWidget*>(QLatin1String(name));
    };
    // Faces, tips, a red die and disabled buttons: a closed category and, after the third roll,
    // the roll button.
    const auto play = [&](const Form1& w) {
        draws.scriptFaces("12345");
        click(named(w, "CommandWuerfeln"));
        click(named(w, "ComandPHalten(5)"));
        for (int rolls = 0; rolls < kRollsPerTurn; ++rolls)
            click(named(w, "CommandWuerfeln"));
        click(named(w, "CommandWHalten(1)"));
    };
    // The game view and the help panel, as painted.
    const auto shots = [&](Form1& w) {
        std::vector<QImage> taken{w.grab().toImage()};
        click(named(w, "CommandHelp"));
        taken.push_back(w.grab().toImage());
        click(named(w, "CommandOK"));
        return taken;
    };
    const auto madeAndPlayed = [&] {
        auto made =
            std::make_unique<Form1>(WindowServices{clock, draws, beeper, messageBox, pacer});
        made->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(made.get()));
        play(*made);
        return made;
    };

    play(window);
    shots(window); // the focus goes round once, as it will again
    const std::vector<QImage> onLight = shots(window);
    const std::vector<QImage> madeOnLight = shots(*madeAndPlayed());

    const DarkDesktop dark;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(shots(window) == onLight) << "the desktop turned dark while the window was open";
    const std::vector<QImage> madeOnDark = shots(*madeAndPlayed());
    EXPECT_TRUE(madeOnDark == madeOnLight) << "the window was made on a dark desktop";

    // The design's fixed colours stay readable: black tips on the light frame, black dice that
    // stand out from it, black help text on the grey box.
    const auto at = [&](const QWidget* w, const QRect& area) {
        return area.translated(w->mapTo(&window, QPoint()));
    };
    const auto [tipInk, tipGround] = lightness(madeOnDark[0], at(tip(Chance), tip(Chance)->rect()));
    EXPECT_LT(tipInk, 60);
    EXPECT_GT(tipGround, 200);
    EXPECT_GT(lightness(madeOnDark[0], at(die(0), QRect(-3, -3, 2, 2))).first, 200);
    const QWidget* text = control<QPlainTextEdit>(QStringLiteral("TextSpielstand"))->viewport();
    // Right of the text cursor, which is drawn in no colour of the palette.
    const auto [ink, ground] =
        lightness(madeOnDark[1], at(text, text->rect().adjusted(8, 0, 0, 0)));
    EXPECT_LT(ink, 60);
    EXPECT_EQ(ground, QColor(192, 192, 192).lightness());
    QGuiApplication::styleHints()->setCursorFlashTime(flashTime);
}

// A disabled button greys its caption on the light face, whatever the desktop's scheme: a dark
// scheme's disabled colours would be dark buttons in the light window.
TEST_F(WindowLayoutTest, DisabledButtonsAreGreyOnTheDesignsFace) {
    const std::pair<QPalette::ColorRole, QColor> design[] = {
        {QPalette::ButtonText, QColor(190, 190, 190)},
        {QPalette::Button, QColor(239, 239, 239)},
        {QPalette::Light, QColor(255, 255, 255)},
        {QPalette::Shadow, QColor(177, 177, 177)},
    };
    turn("12345", Sechser);
    for (int rolls = 0; rolls < kRollsPerTurn; ++rolls)
        roll("12345");
    for (const bool onDark : {false, true}) {
        std::optional<DarkDesktop> dark;
        if (onDark)
            dark.emplace();
        for (QPushButton* button : {rollButton(), categoryButton(Sechser)}) {
            SCOPED_TRACE((onDark ? "dark desktop, " : "light desktop, ") +
                         button->objectName().toStdString());
            EXPECT_FALSE(button->isEnabled());
            for (const auto& [role, designed] : design) {
                const QColor shown = button->palette().color(QPalette::Disabled, role);
                EXPECT_EQ(shown, designed) << role << ": " << shown.name().toStdString();
            }
        }
    }
}

// The widgets Tab visits from `start`, once round.
std::vector<QString> tabCycle(QWidget* start) {
    std::vector<QString> order{start->objectName()};
    for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            order.push_back(w->objectName());
    return order;
}

TEST_F(WindowLayoutTest, TheTabOrder) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "CommandWHalten(0)") << "first at start";

    std::vector<QString> expected;
    for (int i = 0; i < kDiceCount; ++i)
        expected.push_back(QStringLiteral("CommandWHalten(%1)").arg(i));
    expected.push_back("CommandWuerfeln");
    for (int c = 0; c < kCategoryCount; ++c)
        expected.push_back(QStringLiteral("ComandPHalten(%1)").arg(c));
    expected.push_back("CommandHelp");
    expected.push_back("CommandExit");
    EXPECT_EQ(tabCycle(holdButton(0)), expected);

    // Real Tab presses walk the same way, and Shift+Tab back.
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), expected[i]);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), expected.front()) << "and round again";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), expected.back());

    click(control(QStringLiteral("CommandHelp")));
    EXPECT_EQ(tabCycle(control(QStringLiteral("TextSpielstand"))),
              (std::vector<QString>{"TextSpielstand", "CommandOK"}));
}

TEST_F(WindowLayoutTest, SpaceOnAFocusedButtonClicksIt) {
    rollButton()->setFocus();
    QTest::keyClick(rollButton(), Qt::Key_Space);
    EXPECT_EQ(window.Versuch(), 2);
}

} // namespace
} // namespace kubiq::test
