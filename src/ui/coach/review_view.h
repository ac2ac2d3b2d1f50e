#pragma once

#include "coach.h"
#include "game_review.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;

namespace kubiq {

// For each decision of a review, in order: why the best choice was better, or nothing when
// the decision was the best.
using Reasons = std::vector<std::optional<Explanation>>;

// The review of a game ("Spielanalyse"), the game on show or any finished one of the run: its
// balance of expectation, luck and loss, and every roll and decision in order, each costly
// decision with its reason and the bonus chances it left against those of the best choice.
class ReviewView final : public QWidget {
public:
    explicit ReviewView(QWidget* parent = nullptr);

    // The reviews and their reasons must stay where they are until the next call.
    void showGames(const GameReview& onShow, const Reasons& onShowReasons,
                   const std::vector<GameReview>& finished,
                   const std::vector<Reasons>& finishedReasons);

    // Called with the review shown, each time it is shown anew.
    std::function<void(const GameReview&)> onShown;

private:
    void showChosen();

    const GameReview* m_onShow = nullptr;
    const Reasons* m_onShowReasons = nullptr;
    const std::vector<GameReview>* m_finished = nullptr;
    const std::vector<Reasons>* m_finishedReasons = nullptr;
    QComboBox* m_games = nullptr;
    QLabel* m_balance = nullptr;
    QListWidget* m_steps = nullptr;
};

} // namespace kubiq
