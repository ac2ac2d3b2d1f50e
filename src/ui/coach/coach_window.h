#pragma once

#include "coach.h"
#include "game_code.h"
#include "game_review.h"
#include "position.h"
#include "review_view.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QTabWidget;

namespace kubiq {

class BoardDialog;
class BoardPage;
class GameCodeDialog;
class GameBalanceView;
class MessageBox;
class PracticeView;
class RunView;

// The coach ("Berater"): a window of its own beside the game that shows the best play for the
// board on screen, weighs the player's choices and reviews the games of the run. It only reads
// the game; its one question, asked when the player wants it, comes before an entry.
class CoachWindow final : public QWidget {
public:
    // Reads its table from the first of `tables` that exists, when it first follows a game.
    // Questions go to `box`, which must outlive the window.
    CoachWindow(std::vector<std::string> tables, MessageBox& box, QWidget* parent = nullptr);

    // Shows the advice for this board and the review of these decisions.
    void follow(const Position& position, const MoveLog& moves);
    // Whether entering `category` on this board may go ahead: with warnings on, an entry that
    // costs kMistake or more is made only when the player says so. The board on show is not
    // worked out again.
    bool allowsEntry(const Position& position, int category);

    // Wide enough for the table of choices with every column, one line a row.
    static constexpr int kDefaultWidth = 520;

    // Places the window beside `game`, on the side where the screen has room.
    void placeBeside(const QWidget& game);
    // How wide the coach is beside a game framed by `game` on a screen of `room`: as wide as
    // kDefaultWidth where the screen has room for it beside the game, else as wide as the room
    // beside it allows, but never narrower than the 360 pixels beside the centred game on a
    // screen 1280 pixels wide, where the table scrolls sideways.
    static int widthBeside(const QRect& game, const QRect& room);
    // Where a coach of `size` goes beside a game window framed by `game` on a screen of `room`:
    // to its right, else to its left, else as far left as the screen allows; level with the
    // game, or as high as keeps its foot on the screen.
    static QPoint besidePosition(const QRect& game, const QSize& size, const QRect& room);

    // Where the program keeps the table: as installed (games/ beside share/games/kubiq/), and
    // beside the program in the build tree.
    static std::vector<std::string> tablesBesideProgram();

protected:
    // "Code kopieren" and "Brett analysieren…".
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void load();
    // Puts the code of the board on show on the clipboard.
    void copyBoardCode();
    // Opens "Brett analysieren" on the board on show, apart from the game.
    void openBoardDialog();
    // Puts the code of the game chosen in "Spielanalyse" on the clipboard.
    void copyGameCode();
    // Opens "Spiel laden"; a game read is reviewed beside the run's, marked as loaded.
    void openGameDialog();
    void addLoaded(const CodedGame& game, const std::string& code);
    // Shows the reviews: the game on show (the one just finished while its sheet is on show),
    // the finished games of the run, the loaded ones.
    void showReviews();

    std::vector<std::string> m_tables;
    MessageBox& m_box;
    bool m_loaded = false;
    std::optional<Coach> m_coach;
    GameReview m_live;
    // Why the decisions of the game in play fell short, worked out once each: a game in play
    // only grows, until the log counts it finished (`m_liveGame` finished games before it).
    Reasons m_liveReasons;
    std::size_t m_liveMoves = 0;
    std::size_t m_liveGame = 0;
    // The reviews of the finished games and their reasons, worked out once each: a finished
    // game never changes.
    std::vector<GameReview> m_finished;
    std::vector<Reasons> m_finishedReasons;
    // The codes of the game in play and of the finished ones; whether the game on show is the
    // one just finished.
    std::string m_liveCode;
    std::vector<std::string> m_finishedCodes;
    bool m_over = false;
    // The games loaded from their codes, their reviews, reasons and codes as read.
    std::vector<GameReview> m_loadedGames;
    std::vector<Reasons> m_loadedGameReasons;
    std::vector<std::string> m_loadedCodes;

    QLabel* m_problem = nullptr;
    QTabWidget* m_views = nullptr;
    BoardPage* m_board = nullptr;
    GameBalanceView* m_balance = nullptr;
    QCheckBox* m_warn = nullptr;
    ReviewView* m_review = nullptr;
    RunView* m_run = nullptr;
    PracticeView* m_practice = nullptr;
    BoardDialog* m_boardDialog = nullptr;
    GameCodeDialog* m_gameDialog = nullptr;
};

} // namespace kubiq
