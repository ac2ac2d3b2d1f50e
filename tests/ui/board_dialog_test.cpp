// Any board from a code, through the real window and its coach: Ctrl+C copies the code of the
// board on show, "Brett analysieren…" reads it back or a board set by hand, and a bad code or
// a board no game reaches is told in one sentence and changes nothing, the game least of all.

#include "board_code.h"
#include "board_dialog.h"
#include "coach_fixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>

namespace kubiq::test {
namespace {

class BoardDialogTest : public CoachWindowTest {
protected:
    // Opens the coach on the board in play and, from the menu of a right click on it, the
    // dialog.
    BoardDialog* openDialog() {
        pressF2(&window);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                coach()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(coach(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action =
            menu ? menu->findChild<QAction*>(QStringLiteral("BrettAnalysieren")) : nullptr;
        if (!action) {
            ADD_FAILURE() << "no \"Brett analysieren…\" in the menu";
            return nullptr;
        }
        EXPECT_EQ(action->text(), "Brett analysieren…");
        action->trigger();
        menu->close();
        return coach()->findChild<BoardDialog*>(QStringLiteral("BrettDialog"));
    }
    static void paste(BoardDialog* dialog, const QString& code) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Code"));
        edit->setText(code);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static std::string withSign(std::string code, std::size_t at, char sign) {
        code[at] = sign;
        return code;
    }
    static QString problem(BoardDialog* dialog) {
        const auto* line = dialog->findChild<QLabel*>(QStringLiteral("Problem"));
        return line->isVisible() ? line->text() : QString();
    }
    template <typename T> static T* field(BoardDialog* dialog, const QString& name) {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
};

TEST_F(BoardDialogTest, CtrlCCopiesTheCodeOfTheBoardOnShow) {
    turn("66612", Sechser);
    roll("12345");
    click(holdButton(1));
    pressF2(&window);
    QGuiApplication::clipboard()->clear();
    coach()->windowHandle()->requestActivate(); // the player switches to the coach
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == coach(); }));
    QTest::keyClick(coach(), Qt::Key_C, Qt::ControlModifier);

    const auto parsed = parseBoardCode(QGuiApplication::clipboard()->text().toStdString());
    ASSERT_TRUE(std::holds_alternative<Position>(parsed))
        << "a code of a board: " << QGuiApplication::clipboard()->text().toStdString();
    Scores sheet{};
    sheet[Sechser] = 18;
    EXPECT_EQ(std::get<Position>(parsed),
              boardWith(sheet, {1, 2, 3, 4, 5}, {false, true, false, false, false}, 1));
}

TEST_F(BoardDialogTest, ACodeIsAnalysedApartFromTheGameAndABadOneChangesNothing) {
    roll("33351");
    BoardDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal()) << "the game goes on beside it";
    ASSERT_TRUE(dialog->board());
    EXPECT_EQ(dialog->board()->faces, (std::array<int, kDiceCount>{3, 3, 3, 5, 1}))
        << "it opens on the board on show";

    Scores sheet{};
    sheet[Chance] = 22;
    const Position other = boardWith(sheet, {6, 6, 2, 6, 1}, {true, true, false, true, false}, 2);
    QWidget* page = field<QWidget>(dialog, "Brettanalyse");
    const QImage first = page->grab().toImage();
    paste(dialog, QStringLiteral("  %1\n").arg(QString::fromStdString(boardCode(other))));
    EXPECT_EQ(problem(dialog), "");
    EXPECT_EQ(dialog->board(), other) << "analysed in the layout of \"Rat\"";
    EXPECT_EQ(field<QComboBox>(dialog, "Eintrag12")->currentText(), "22") << "the fields follow";
    EXPECT_TRUE(field<QCheckBox>(dialog, "Gehalten3")->isChecked());
    EXPECT_EQ(field<QComboBox>(dialog, "WuerfeUebrig")->currentText(), "1");

    std::string typo = boardCode(other);
    typo[10] = typo[10] == 'A' ? 'B' : 'A';
    Scores seven{};
    seven[Einer] = 7;
    const struct {
        const char* name;
        std::string code;
        QString sentence;
    } rows[] = {
        {"a typo", typo,
         "Der Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen "
         "Zeichen."},
        {"seven points in Einer", boardCode(boardWith(seven, {1, 2, 3, 4, 5}, {}, 1)),
         "Kein Wurf gibt 7 Punkte in Einer."},
        {"a code cut short", boardCode(other).substr(0, 20),
         "Der Code ist zu kurz: er hat 20 Zeichen statt 23."},
        // The place of a sign no code has, counted from the code's first character.
        {"a wrong sign first after the prefix", withSign(boardCode(other), 3, '*'),
         "Das Zeichen „*“ an Stelle 4 kommt in keinem Code vor."},
        {"a wrong sign in the middle", withSign(boardCode(other), 11, '.'),
         "Das Zeichen „.“ an Stelle 12 kommt in keinem Code vor."},
        {"a blank as the check character", withSign(boardCode(other), 22, ' ') + "A",
         "An Stelle 23 steht ein Leerzeichen; ein Code hat keines."},
    };
    // What the player sees of the board, drawn: the same after every bad code.
    EXPECT_NE(page->grab().toImage(), first) << "the pasted board drawn";
    QImage told;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        paste(dialog, QString::fromStdString(row.code));
        EXPECT_EQ(problem(dialog), row.sentence);
        EXPECT_EQ(dialog->board(), other) << "the board on show stays";
        // The sentence takes its room the first time; the board stays as drawn.
        const QImage now = page->grab().toImage();
        if (told.isNull())
            told = now;
        EXPECT_EQ(now, told);
        EXPECT_EQ(field<QComboBox>(dialog, "Eintrag12")->currentText(), "22");
    }
    EXPECT_EQ(faces(), "33351") << "the game is unchanged";
    EXPECT_EQ(window.Versuch(), 2);
}

TEST_F(BoardDialogTest, ABoardSetByHandIsAnalysedOnceAGameCanReachIt) {
    roll("12346");
    BoardDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    const std::optional<Position> before = dialog->board();

    choose(field<QComboBox>(dialog, "Eintrag8"), "25");
    choose(field<QComboBox>(dialog, "WuerfeUebrig"), "3");
    click(field<QPushButton>(dialog, "Analysieren"));
    EXPECT_EQ(problem(dialog),
              "Vor dem ersten Wurf einer Runde zeigen die Würfel noch keine Augen.");
    EXPECT_EQ(dialog->board(), before);

    for (int die = 0; die < kDiceCount; ++die)
        choose(field<QComboBox>(dialog, QStringLiteral("Wuerfel%1").arg(die)), "–");
    click(field<QPushButton>(dialog, "Analysieren"));
    EXPECT_EQ(problem(dialog), "");
    Scores sheet{};
    sheet[FullHouse] = 25;
    EXPECT_EQ(dialog->board(), boardWith(sheet, {}, {}, 0));
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("Code"))->text(),
              QString::fromStdString(boardCode(boardWith(sheet, {}, {}, 0))))
        << "the code of a board set by hand, to pass on";
    EXPECT_EQ(field<QComboBox>(dialog, "Eintrag8")->count(), 3) << "offen, 0 or 25, nothing else";
    EXPECT_EQ(faces(), "12346") << "the game is unchanged";
}

} // namespace
} // namespace kubiq::test
