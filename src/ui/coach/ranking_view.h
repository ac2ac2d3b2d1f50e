#pragma once

#include "coach.h"
#include "position.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QListWidget;

namespace kubiq {

class ChanceMarks;

// Between rolls: the dice the player holds now, weighed, and the best holds of the throw, each
// with what the turn is expected to bring, its likeliest endings and the bonus chances after it.
class RankingView final : public QWidget {
public:
    explicit RankingView(QWidget* parent = nullptr);

    // An empty ranking (no roll left, or none made) hides the view's lines. `why` says why the
    // best hold beats the dice held now, when they cost something.
    void showRanking(const Position& position, const std::vector<RankedHold>& ranking,
                     const std::optional<Explanation>& why);

private:
    QLabel* m_yourChoice = nullptr;
    QLabel* m_yourTurn = nullptr;
    ChanceMarks* m_yourMarks = nullptr;
    QLabel* m_why = nullptr;
    QLabel* m_heading = nullptr;
    QListWidget* m_holds = nullptr;
};

} // namespace kubiq
