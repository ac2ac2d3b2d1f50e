#pragma once

#include "board_analysis.h"
#include "coach.h"
#include "game_review.h"
#include "review_model.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;
class QTableView;

namespace kubiq {

class BoardPage;
class ChanceMarks;
class ChartView;

// The review of a game ("Spielanalyse"), the game on show or any finished one of the run: its
// balance of expectation, luck and loss, and every roll and decision as a row of a table, "nur
// Fehler" to show only the marked decisions. Below the table, the selected costly decision's
// reason with the bonus chances it left against those of the best choice; below that the game's
// chart ("Verlauf"), a click on which selects its step, and the board of the step selected as the
// "Rat" page shows a board ("Brett"). Ctrl+Down and Ctrl+Up jump to the next and the previous
// marked decision.
class ReviewView final : public QWidget {
public:
    explicit ReviewView(QWidget* parent = nullptr);

    // The reviews and their reasons must stay where they are until the next call. The games
    // loaded from their codes follow the run's in the list, each marked as loaded.
    void showGames(const GameReview& onShow, const Reasons& onShowReasons,
                   const std::vector<GameReview>& finished,
                   const std::vector<Reasons>& finishedReasons,
                   const std::vector<GameReview>& loaded,
                   const std::vector<Reasons>& loadedReasons);
    // The game chosen in the list: 0 the game on show, then the finished games, then the
    // loaded ones.
    int chosenGame() const;
    // Chooses game `index` of the list; needs one of the games shown.
    void chooseGame(int index);
    // Selects step `index` of the review shown; with "nur Fehler" the nearest marked decision.
    void selectStep(std::size_t index);

    // Analyses the board of the step selected, each time the selection moves to another board:
    // the board the roll gave, or the one decided on. Without it no board is shown.
    std::function<std::optional<BoardAnalysis>(const Position&)> analyseBoard;
    // "Spiel kopieren" and "Spiel laden…".
    std::function<void()> copyGame;
    std::function<void()> loadGame;

private:
    void showChosen();
    // No step chosen: no reason, no band on the chart, no board.
    void showNoStep();
    void filter();
    void jump(int direction);
    void stepChosen();

    const GameReview* m_onShow = nullptr;
    const Reasons* m_onShowReasons = nullptr;
    const std::vector<GameReview>* m_finished = nullptr;
    const std::vector<Reasons>* m_finishedReasons = nullptr;
    const std::vector<GameReview>* m_loaded = nullptr;
    const std::vector<Reasons>* m_loadedReasons = nullptr;
    int m_finishedListed = 0;
    int m_loadedListed = 0;
    ReviewModel m_model;
    int m_shownGame = -1;
    std::optional<std::size_t> m_chosenStep;
    QComboBox* m_games = nullptr;
    QLabel* m_balance = nullptr;
    QCheckBox* m_onlyMarked = nullptr;
    QTableView* m_steps = nullptr;
    QLabel* m_why = nullptr;
    ChanceMarks* m_whyMarks = nullptr;
    QTabWidget* m_panes = nullptr;
    ChartView* m_chart = nullptr;
    BoardPage* m_board = nullptr;
};

} // namespace kubiq
