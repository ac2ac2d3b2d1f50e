#pragma once

#include "coach.h"
#include "game_review.h"
#include "position.h"

#include <QWidget>

#include <optional>

class QLabel;
class QListWidget;

namespace kubiq {

class ChanceMarks;

// The coach's advice for the board on screen: its expected final TOTAL and bonus chances, the
// best hold and entry, every open category with the chances after it; and what the game on
// show has cost so far.
class AdviceView final : public QWidget {
public:
    explicit AdviceView(QWidget* parent = nullptr);

    // Without advice (a board no game can show) no figure is shown.
    void showAdvice(const Position& position, const std::optional<Advice>& advice);
    // The last decision and the loss of the game on show; the balance of the last finished one.
    void showGame(const GameReview& onShow, const GameReview* lastFinished);

private:
    QLabel* m_expected = nullptr;
    QLabel* m_bonus = nullptr;
    ChanceMarks* m_bonusMarks = nullptr;
    QLabel* m_hold = nullptr;
    QLabel* m_bestEntry = nullptr;
    QLabel* m_entriesHeading = nullptr;
    QListWidget* m_entries = nullptr;
    QLabel* m_lastMove = nullptr;
    QLabel* m_loss = nullptr;
    QLabel* m_lastGame = nullptr;
};

} // namespace kubiq
