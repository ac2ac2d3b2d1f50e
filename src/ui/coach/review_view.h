#pragma once

#include "game_review.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;

namespace kubiq {

// The review of a game ("Spielanalyse"), the game in play or any finished one of the run: its
// balance of expectation, luck and loss, and every roll and decision in order.
class ReviewView final : public QWidget {
public:
    explicit ReviewView(QWidget* parent = nullptr);

    // The reviews must stay where they are until the next call.
    void showGames(const GameReview& live, const std::vector<GameReview>& finished);

    // Called with the review shown, each time it is shown anew.
    std::function<void(const GameReview&)> onShown;

private:
    void showChosen();

    const GameReview* m_live = nullptr;
    const std::vector<GameReview>* m_finished = nullptr;
    QComboBox* m_games = nullptr;
    QLabel* m_balance = nullptr;
    QListWidget* m_steps = nullptr;
};

} // namespace kubiq
