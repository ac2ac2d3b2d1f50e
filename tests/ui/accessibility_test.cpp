#include "window_fixture.h"

#include <QAccessible>

namespace kubiq::test {
namespace {

// Names, roles and states as assistive technology reads them. That each change is announced
// needs the accessibility bus; the screen reader test under Xvfb checks it.
class AccessibilityTest : public WindowTest {
protected:
    static QAccessibleInterface* spoken(QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(face, nullptr);
        return face;
    }
    static QString name(QWidget* widget) { return spoken(widget)->text(QAccessible::Name); }
};

TEST_F(AccessibilityTest, EveryControlHasAGermanName) {
    const struct {
        QString control;
        QString name;
        QAccessible::Role role;
    } rows[] = {
        {"LabelWAnzeige(0)", "Würfel 1: leer", QAccessible::StaticText},
        {"LabelWAnzeige(4)", "Würfel 5: leer", QAccessible::StaticText},
        {"CommandWHalten(2)", "Würfel 3 halten", QAccessible::Button},
        {"CommandWuerfeln", "Würfeln  (1. Versuch)", QAccessible::Button},
        {"ComandPHalten(0)", "Einer halten", QAccessible::Button},
        {"ComandPHalten(9)", "Kleine Straße halten", QAccessible::Button},
        {"LabelPunkte(4)", "Punkte Fünfer: leer", QAccessible::StaticText},
        {"LabelPunkte(100)", "Punkte GESAMT oben: leer", QAccessible::StaticText},
        {"LabelPunkte(104)", "Punkte BONUS unten: leer", QAccessible::StaticText},
        {"LabelPunkte(106)", "Punkte TOTAL: leer", QAccessible::StaticText},
        {"LabelTip(12)", "Tip Chance: leer", QAccessible::StaticText},
        {"CommandHelp", "Hilfe/Spielstand", QAccessible::Button},
        {"CommandExit", "Ende", QAccessible::Button},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control.toStdString());
        QAccessibleInterface* face = spoken(control(row.control));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->text(QAccessible::Name), row.name);
        EXPECT_EQ(face->role(), row.role);
    }
    // Nothing the player can reach is nameless.
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool reachable =
            widget->focusPolicy() != Qt::NoFocus || qobject_cast<QLabel*>(widget);
        EXPECT_TRUE(!reachable || !name(widget).isEmpty()) << widget->objectName().toStdString();
    }
}

TEST_F(AccessibilityTest, NamesFollowTheGame) {
    roll("12345");
    for (int i = 0; i < kDiceCount; ++i)
        EXPECT_EQ(name(die(i)), QStringLiteral("Würfel %1: %2").arg(i + 1).arg(i + 1));
    EXPECT_EQ(name(tip(KleineStrasse)), "Tip Kleine Straße: 30");
    EXPECT_EQ(name(tip(Kubiq)), "Tip Kubiq: leer");
    EXPECT_EQ(name(rollButton()), "Würfeln  (2. Versuch)");

    click(holdButton(2));
    EXPECT_EQ(name(die(2)), "Würfel 3: 3, gehalten");
    EXPECT_EQ(name(die(1)), "Würfel 2: 2");
    click(holdButton(2));
    EXPECT_EQ(name(die(2)), "Würfel 3: 3");

    click(categoryButton(Chance));
    EXPECT_EQ(name(cell(Chance)), "Punkte Chance: 15");
    EXPECT_EQ(name(cell(SumCell::GesamtOben)), "Punkte GESAMT oben: 0");
    EXPECT_EQ(name(cell(SumCell::BonusOben)), "Punkte BONUS oben: leer");
    EXPECT_EQ(name(cell(SumCell::Total)), "Punkte TOTAL: 15");
    EXPECT_EQ(name(tip(KleineStrasse)), "Tip Kleine Straße: leer");
    EXPECT_EQ(name(die(2)), "Würfel 3: leer");
    EXPECT_TRUE(spoken(categoryButton(Chance))->state().disabled);
    EXPECT_FALSE(spoken(categoryButton(Einer))->state().disabled);

    roll("11111");
    roll("11111");
    roll("11111");
    EXPECT_TRUE(spoken(rollButton())->state().disabled);
    EXPECT_EQ(name(rollButton()), "Würfeln  (3. Versuch)");
}

TEST_F(AccessibilityTest, TheHelpPanelIsReadable) {
    click(control(QStringLiteral("CommandHelp")));
    QAccessibleInterface* box = spoken(control(QStringLiteral("TextSpielstand")));
    ASSERT_NE(box->textInterface(), nullptr);
    EXPECT_TRUE(box->textInterface()->text(0, 11) == QStringLiteral("KUBIQ  V1.2"));
    EXPECT_TRUE(spoken(control(QStringLiteral("CommandHelp")))->state().invisible);
    EXPECT_EQ(name(control(QStringLiteral("CommandOK"))), "OK");
}

} // namespace
} // namespace kubiq::test
