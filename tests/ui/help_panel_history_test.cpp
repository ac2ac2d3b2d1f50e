// The help panel keeps its text between openings and brings it up to date; each opening must
// still look exactly as if the whole text had been set anew.

#include "help_text.h"
#include "history.h"
#include "window_fixture.h"

#include <QScrollBar>
#include <QTextDocument>

#include <vector>

namespace kubiq::test {
namespace {

class HelpPanelHistoryTest : public WindowTest {
protected:
    HelpPanelHistoryTest() {
        // The TOTAL of every finished game, as the sheet shows it under the game-over box.
        messageBox.onShow = [this] { totals.push_back(cell(SumCell::Total)->text().toInt()); };
    }

    // A whole game by clicks: every category once, each after one roll of these faces.
    void playGame(std::string_view faces) {
        for (int c = 0; c < kCategoryCount; ++c)
            turn(faces, c);
    }
    QPlainTextEdit* box() const {
        return control<QPlainTextEdit>(QStringLiteral("TextSpielstand"));
    }
    void openPanel() { click(control(QStringLiteral("CommandHelp"))); }
    void closePanel() { click(control(QStringLiteral("CommandOK"))); }

    // The panel as a fresh setPlainText of the help text and the games played leaves it.
    void expectFreshPanel() {
        History history;
        for (int total : totals)
            history.record(total);
        QString expected = QString::fromStdString(helpText(history.SpielstandText()));
        expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(box()->toPlainText(), expected);
        EXPECT_EQ(box()->document()->blockCount(), expected.count(QLatin1Char('\n')) + 1);
        EXPECT_EQ(box()->textCursor().position(), 0);
        EXPECT_FALSE(box()->textCursor().hasSelection());
        EXPECT_FALSE(box()->document()->isUndoAvailable()) << "the old text is not undoable";
        EXPECT_FALSE(box()->document()->isRedoAvailable()) << "nor are the player's edits";
        EXPECT_FALSE(box()->document()->isModified());
        EXPECT_EQ(box()->verticalScrollBar()->value(), 0);
    }

    std::vector<int> totals;
};

TEST_F(HelpPanelHistoryTest, GamesFinishedBetweenOpeningsAreShownInFull) {
    openPanel();
    expectFreshPanel();
    closePanel();
    playGame("12345");
    playGame("66655");
    ASSERT_EQ(totals.size(), 2u);
    openPanel();
    expectFreshPanel();
    EXPECT_TRUE(
        box()->toPlainText().contains(QStringLiteral("\n2. Spiel: %1 Punkte\n").arg(totals[1])));
}

TEST_F(HelpPanelHistoryTest, WhatThePlayerTypedIsGoneAtTheNextOpening) {
    playGame("11111");
    openPanel();
    // Typing, a deleted line break and a selection, as a player could leave the panel.
    box()->setFocus();
    QTest::keyClicks(box(), "Notiz");
    box()->moveCursor(QTextCursor::End);
    QTest::keyClick(box(), Qt::Key_Backspace);
    QTest::keyClicks(box(), "am Ende");
    box()->moveCursor(QTextCursor::Start);
    box()->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
    box()->verticalScrollBar()->setValue(box()->verticalScrollBar()->maximum());
    closePanel();
    EXPECT_TRUE(box()->toPlainText().contains(QStringLiteral("am Ende"))) << "kept while closed";

    playGame("23456");
    openPanel();
    expectFreshPanel();
    EXPECT_FALSE(box()->toPlainText().contains(QStringLiteral("Notiz")));
}

TEST_F(HelpPanelHistoryTest, AnEmptiedPanelIsWholeAgainAtTheNextOpening) {
    playGame("44444");
    openPanel();
    box()->setFocus();
    box()->selectAll();
    QTest::keyClick(box(), Qt::Key_Delete);
    ASSERT_TRUE(box()->toPlainText().isEmpty());
    closePanel();
    openPanel();
    expectFreshPanel();
}

TEST_F(HelpPanelHistoryTest, TheUndoKeyCannotBringBackAnEarlierText) {
    playGame("12345");
    openPanel();
    closePanel();
    playGame("12346");
    openPanel();
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Z, Qt::ControlModifier);
    expectFreshPanel();
}

} // namespace
} // namespace kubiq::test
