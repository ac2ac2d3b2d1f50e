#pragma once

#include "game_review.h"

#include <QWidget>

#include <vector>

class QLabel;
class QListWidget;

namespace kubiq {

// The finished games of the run in numbers: each game's TOTAL, luck and loss and how many of
// its decisions carry each mark, their means, and how often the player made the best choice.
class RunView final : public QWidget {
public:
    explicit RunView(QWidget* parent = nullptr);

    void showRun(const std::vector<GameReview>& finished);

private:
    QListWidget* m_games = nullptr;
    QLabel* m_mean = nullptr;
    QLabel* m_bestShare = nullptr;
    std::size_t m_shown = 0;
};

} // namespace kubiq
