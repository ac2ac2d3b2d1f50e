#pragma once

#include "game_review.h"

#include <QWidget>

class QLabel;

namespace kubiq {

// What the game on show has cost so far: its last decision and its loss; and the balance of the
// last finished game.
class GameBalanceView final : public QWidget {
public:
    explicit GameBalanceView(QWidget* parent = nullptr);

    void showGame(const GameReview& onShow, const GameReview* lastFinished);

private:
    QLabel* m_lastMove = nullptr;
    QLabel* m_loss = nullptr;
    QLabel* m_lastGame = nullptr;
};

} // namespace kubiq
