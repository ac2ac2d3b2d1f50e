#include "coach_texts.h"
#include "coach_window.h"
#include "sheet_rows.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QTimer>

namespace kubiq::test {
namespace {

class CoachWindowTest : public WindowTest {
protected:
    QWidget* coach() const { return window.findChild<QWidget*>(QStringLiteral("CoachWindow")); }
    QString line(const char* name) const {
        const auto* label = coach()->findChild<QLabel*>(QLatin1String(name));
        return label && label->isVisible() ? label->text() : QString();
    }
    QStringList entries() const {
        QStringList rows;
        const auto* list = coach()->findChild<QListWidget*>(QStringLiteral("Kategorienliste"));
        for (int i = 0; list && list->isVisible() && i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
    void pressF2(QWidget* where) { QTest::keyClick(where, Qt::Key_F2); }
};

TEST_F(CoachWindowTest, F2OpensTheCoachBesideTheGameAndClosesIt) {
    EXPECT_EQ(coach(), nullptr) << "never open at start";
    roll("66612");
    pressF2(&window);
    ASSERT_NE(coach(), nullptr);
    EXPECT_TRUE(coach()->isVisible());
    EXPECT_TRUE(coach()->isWindow());
    EXPECT_FALSE(coach()->isModal());
    EXPECT_EQ(coach()->windowTitle(), "KUBIQ – Berater");

    pressF2(&window);
    EXPECT_FALSE(coach()->isVisible());
    pressF2(&window);
    EXPECT_TRUE(coach()->isVisible());
    pressF2(coach());
    EXPECT_FALSE(coach()->isVisible()) << "F2 closes it from its own window too";
    EXPECT_EQ(faces(), "66612") << "the game is unchanged";
    EXPECT_EQ(window.Versuch(), 2);
}

TEST_F(CoachWindowTest, TheContextMenuOffersTheCoach) {
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->actions().size(), 1);
        EXPECT_EQ(menu->actions().front()->text(), "Berater…");
        menu->actions().front()->trigger();
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            window.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tip(Chance), &event);
    ASSERT_NE(coach(), nullptr);
    EXPECT_TRUE(coach()->isVisible());
}

TEST_F(CoachWindowTest, FollowsTheBoardOnScreen) {
    pressF2(&window);
    const QString atStart = line("Erwartet");
    EXPECT_TRUE(atStart.startsWith("Erwartete Endsumme bei bester Spielweise: 2"))
        << atStart.toStdString();
    EXPECT_TRUE(entries().isEmpty()) << "nothing to enter before the first roll";
    EXPECT_EQ(line("LetzterZug"), "Letzter Zug: noch keiner");

    roll("66665");
    EXPECT_TRUE(line("Halten").startsWith("Beste Würfel zum Halten: 6 6 6 6"))
        << line("Halten").toStdString();
    EXPECT_TRUE(line("Eintrag").startsWith("Bester Eintrag jetzt: "))
        << line("Eintrag").toStdString();
    QStringList rows = entries();
    ASSERT_EQ(rows.size(), kCategoryCount);
    double previous = 1e9;
    for (const QString& row : rows) {
        const double value = row.section(QStringLiteral(": "), 1).replace(',', '.').toDouble();
        EXPECT_LE(value, previous) << "best first: " << row.toStdString();
        previous = value;
    }
    // A screen reader hears every line, and Tab reaches each of them and the list.
    coach()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(coach()));
    QSet<QWidget*> reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(coach()->focusWidget() ? coach()->focusWidget() : coach(), Qt::Key_Tab);
        reached.insert(coach()->focusWidget());
    }
    for (QWidget* part : coach()->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(part); label && label->isVisible()) {
            EXPECT_EQ(label->accessibleName(), label->text());
            EXPECT_TRUE(reached.contains(label)) << label->text().toStdString();
        }
    }
    for (auto* list : coach()->findChildren<QListWidget*>())
        if (list->isVisible())
            EXPECT_TRUE(reached.contains(list)) << list->objectName().toStdString();
    EXPECT_TRUE(reached.contains(coach()->findChild<QCheckBox*>()));

    roll("6");
    roll("6");
    EXPECT_EQ(line("Halten"), "") << "no roll left to hold for";
    EXPECT_TRUE(entries().front().startsWith("Kubiq: ")) << entries().front().toStdString();
}

TEST_F(CoachWindowTest, CountsWhatEachDecisionCost) {
    pressF2(&window);
    // The figure of a line: "Letzter Zug: −2,4 Punkte", "Verlust in diesem Spiel: −7,9".
    const auto shown = [this](const char* name) {
        const QStringList words = line(name).split(' ');
        const QString figure = words.last() == "Punkte" ? words.at(words.size() - 2) : words.last();
        return QString(figure).replace(QChar(0x2212), '-').replace(',', '.').toDouble();
    };
    double sum = 0.0;
    roll("55555");                 // the first roll of a turn is no decision
    click(categoryButton(Chance)); // 25 points where Kubiq scores 50
    EXPECT_LT(shown("LetzterZug"), -10.0) << line("LetzterZug").toStdString();
    sum += shown("LetzterZug");

    roll("12346");
    roll("1"); // a small straight rolled away
    EXPECT_LT(shown("LetzterZug"), 0.0);
    sum += shown("LetzterZug");
    roll("1");
    sum += shown("LetzterZug");
    // After the third roll the first row of the coach is the best there is.
    const QString best = entries().front().section(':', 0, 0);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (QString::fromUtf8(spokenRow(c)) == best)
            click(categoryButton(c));
    }
    EXPECT_EQ(line("LetzterZug"), "Letzter Zug: 0,0 Punkte");
    EXPECT_NEAR(shown("Verlust"), sum, 0.3) << "the sum of the game's decisions";
}

TEST_F(CoachWindowTest, AMissingTableIsSaidPlainlyAndTheGamePlaysOn) {
    Form1 other{
        WindowServices{clock, draws, beeper, messageBox, pacer, {"/nonexistent/coach.table"}}};
    other.show();
    other.toggleCoach();
    auto* shown = other.findChild<QWidget*>(QStringLiteral("CoachWindow"));
    ASSERT_NE(shown, nullptr);
    const auto* problem = shown->findChild<QLabel*>(QStringLiteral("Problem"));
    EXPECT_EQ(problem->text(), "Der Berater kann nicht helfen, weil seine Tabelle fehlt.");
    draws.scriptFaces("12345");
    QTest::mouseClick(other.findChild<QPushButton*>(QStringLiteral("CommandWuerfeln")),
                      Qt::LeftButton);
    EXPECT_EQ(other.Versuch(), 2);
}

TEST(CoachPlace, BesideTheGameWhereTheScreenHasRoom) {
    const QRect screen(0, 0, 1280, 800);
    const struct {
        const char* what;
        QRect game;
        QPoint expected;
    } rows[] = {
        {"room on the right", QRect(100, 50, 500, 400), QPoint(608, 50)},
        {"no room on the right", QRect(700, 50, 500, 400), QPoint(292, 50)},
        {"room on neither side", QRect(200, 50, 900, 400), QPoint(0, 50)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CoachWindow::besidePosition(row.game, QSize(400, 300), screen), row.expected)
            << row.what;
}

TEST(CoachNumber, OneDecimalWithAComma) {
    const std::pair<double, const char*> rows[] = {{241.66, "241,7"},
                                                   {0.0, "0,0"},
                                                   {-2.44, "\u22122,4"},
                                                   {-0.04, "0,0"},
                                                   {-0.05, "\u22120,1"}};
    for (const auto& [value, text] : rows)
        EXPECT_EQ(coachNumber(value), QString::fromUtf8(text)) << value;
}

} // namespace
} // namespace kubiq::test
