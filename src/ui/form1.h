#pragma once

#include "display.h"
#include "game.h"
#include "message_box.h"
#include "position.h"

#include <QWidget>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kubiq {

class Beeper;
class Clock;
class CoachWindow;
class Pacer;
class RandomDraw;

// What the window needs from the desktop and from time and chance.
struct WindowServices {
    Clock& clock;
    RandomDraw& random;
    Beeper& beeper;
    MessageBox& messageBox;
    Pacer& pacer;
    // Where the coach looks for its table; empty: beside the program.
    std::vector<std::string> coachTables = {};
};

// KUBIQ's one window: the dice, the score sheet and the help and history panel. Its controls
// carry the design's names (LabelWAnzeige(0) and so on) as object names; every click runs one
// operation of the game and then shows the Board again.
class Form1 final : public QWidget, private Display, private MessageBox {
public:
    // Builds the window as designed and runs its load, so it shows the first game when shown.
    // The services must outlive the window.
    explicit Form1(const WindowServices& services, QWidget* parent = nullptr);

    int Versuch() const { return m_game.Versuch(); }
    int Runde() const { return m_game.Runde(); }
    void GameInit();

    // Opens the coach beside the window, or closes it (F2).
    void toggleCoach();
    // Opens the coach, or brings it to the front ("Berater…" in the context menu).
    void showCoach();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createDiceFrame();
    void createSheetFrame();
    void createHelpFrame();
    void setTabOrder();

    void Form_Load();
    void CommandWuerfeln_Click();
    void CommandWHalten_Click(int index);
    void ComandPHalten_Click(int index);
    void CommandHelp_Click();
    void CommandOK_Click();
    void CommandExit_Click();
    // Brings TextSpielstand to the help text with the whole history, as if set anew: the
    // player's edits undone, only the games finished since the last time appended.
    void refreshSpielstand();
    void keepFocusVisible();
    // Before showBoard() disables the focused button, moves the focus where Space is harmless.
    void keepFocusHarmless();

    // The one place where the Board becomes what the controls show.
    void showBoard();
    void showDie(int index);
    void showPoints(QLabel* label, Points points, const QString& spokenName);
    QLabel* LabelPunkte(int index) const;

    // Display, for the roll animation.
    void repaintDie(int die) override;
    void awaitNextPass() override;
    // The game-over box, shown over the finished sheet.
    void information(std::string_view title, std::string_view text) override;

    WindowServices m_services;
    Game m_game;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QLabel*, kDiceCount> LabelWAnzeige{};
    std::array<QPushButton*, kDiceCount> CommandWHalten{};
    QPushButton* CommandWuerfeln = nullptr;
    std::array<QPushButton*, kCategoryCount> ComandPHalten{};
    std::array<QLabel*, kCategoryCount> LabelTip{};
    std::array<QLabel*, kCategoryCount> m_scoreCells{};
    std::array<QLabel*, kSumCells.size()> m_sumCells{};
    QPushButton* CommandHelp = nullptr;
    QPushButton* CommandExit = nullptr;
    QPushButton* CommandOK = nullptr;
    QPlainTextEdit* TextSpielstand = nullptr;
    // What TextSpielstand holds of the history: the bytes of SpielstandText() and the length of
    // the whole text in characters (-1 until it is first set).
    std::size_t m_spielstandBytes = 0;
    qsizetype m_spielstandLength = -1;

    // The coach reads the Board and the player's decisions; it is made on first use.
    MoveLog m_moves;
    CoachWindow* m_coach = nullptr;
};

} // namespace kubiq
