#pragma once

#include "coach.h"
#include "position.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace kubiq {

// The coach ("Berater"): a window of its own beside the game that shows the best play for the
// board on screen and what the player's decisions cost. It only reads the game.
class CoachWindow final : public QWidget {
public:
    // Reads its table from the first of `tables` that exists, when it first follows a game.
    explicit CoachWindow(std::vector<std::string> tables, QWidget* parent = nullptr);

    // Shows the advice for this board and the cost of these decisions.
    void follow(const Position& position, const MoveLog& moves);
    // Places the window beside `game`, on the side where the screen has room.
    void placeBeside(const QWidget& game);
    // Where a coach of `size` goes beside a game window framed by `game` on a screen of `room`:
    // to its right, else to its left, else as far left as the screen allows.
    static QPoint besidePosition(const QRect& game, const QSize& size, const QRect& room);

    // Where the program keeps the table: as installed (games/ beside share/games/kubiq/), and
    // beside the program in the build tree.
    static std::vector<std::string> tablesBesideProgram();

private:
    void load();
    void showAdvice(const Position& position, const Advice& advice);
    void showCosts(const MoveLog& moves);

    std::vector<std::string> m_tables;
    bool m_loaded = false;
    std::optional<Coach> m_coach;
    // The cost of each decision of the game in play, worked out once: a move never changes.
    long m_costsOfGame = -1;
    std::vector<double> m_costs;

    QLabel* m_problem = nullptr;
    QLabel* m_expected = nullptr;
    QLabel* m_hold = nullptr;
    QLabel* m_bestEntry = nullptr;
    QLabel* m_entriesHeading = nullptr;
    QListWidget* m_entries = nullptr;
    QLabel* m_lastMove = nullptr;
    QLabel* m_loss = nullptr;
};

} // namespace kubiq
