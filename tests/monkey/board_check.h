#pragma once

// The rules that must hold in the window after every event, checked on what its controls show.

#include "sheet.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace kubiq {
class Form1;
}

namespace kubiq::monkey {

// What the window shows at one moment: the controls read by their names, with Versuch and Runde.
struct Board {
    int versuch = 0;
    int runde = 0;
    std::array<QString, kDiceCount> dice;
    std::array<bool, kDiceCount> red{};
    std::array<bool, kDiceCount> holdEnabled{};
    QString rollCaption;
    bool rollEnabled = false;
    std::array<bool, kCategoryCount> open{}; // ComandPHalten(c) enabled
    std::array<QString, kCategoryCount> tips;
    std::array<QString, kCategoryCount> scores;
    std::array<QString, kSumCells.size()> sums; // LabelPunkte(100..106)
    // Visibility of Frame1, Frame2, CommandHelp, CommandExit (the game view) and of Frame3,
    // TextSpielstand, CommandOK (the panel).
    std::array<bool, 4> gameView{};
    std::array<bool, 3> panel{};
    // The control that holds the keyboard focus while hidden, or "".
    QString hiddenFocus;
};

// The controls of one window, found once by their object names.
class BoardReader {
public:
    // Throws std::runtime_error naming the first control the window lacks.
    explicit BoardReader(const Form1& window);

    Board read() const;
    QString panelText() const;
    QPushButton* button(const QString& name) const;

private:
    template <typename T> T* find(const QString& name) const;

    const Form1& m_window;
    std::array<QLabel*, kDiceCount> m_dice{};
    std::array<QPushButton*, kDiceCount> m_hold{};
    QPushButton* m_roll = nullptr;
    std::array<QPushButton*, kCategoryCount> m_categories{};
    std::array<QLabel*, kCategoryCount> m_tips{};
    std::array<QLabel*, kCategoryCount> m_scores{};
    std::array<QLabel*, kSumCells.size()> m_sums{};
    std::array<QWidget*, 4> m_gameView{};
    std::array<QWidget*, 3> m_panel{};
    QPlainTextEdit* m_text = nullptr;
};

// The first rule that `board` breaks, or "" when it keeps them all. `gameOverBox` tells that the
// game-over box is open, over the full sheet of the game just finished.
std::string brokenRule(const Board& board, bool gameOverBox = false);

// The first rule broken from one event to the next, or "": entries stay, at most one category
// is entered, Versuch counts up by one or starts again, held dice keep their faces.
// `gameOver` tells that a game ended during the event; `clicks` counts its clicks (a double
// click makes two).
std::string brokenStep(const Board& before, const Board& after, bool gameOver, int clicks = 1);

// The score of a full sheet as its TOTAL cell shows it; -1 when the cell holds no number.
int shownTotal(const Board& board);

// The history the panel must show after the games seen to finish, kept independently of the
// program: three lines per game, the running total and the average rounded half up.
class ExpectedHistory {
public:
    static constexpr int kMaxGames = 32767;

    // Counts a finished game unless kMaxGames are counted already.
    void record(int total);
    void clear() { *this = ExpectedHistory{}; }

    int games() const { return m_games; }
    const QStringList& lines() const { return m_lines; }

private:
    int m_games = 0;
    std::int64_t m_total = 0;
    QStringList m_lines;
};

// The number of lines of the help text ahead of the history in the panel.
inline constexpr int kHelpLines = 20;

// The first difference between the history part of the panel's text and `history`, or "".
std::string brokenHistory(const QString& panelText, const ExpectedHistory& history);

} // namespace kubiq::monkey
