#pragma once

#include "coach.h"
#include "position.h"

#include <QWidget>

#include <vector>

class QLabel;
class QListWidget;

namespace kubiq {

// Between rolls: the dice the player holds now, weighed, and the best holds of the throw.
class RankingView final : public QWidget {
public:
    explicit RankingView(QWidget* parent = nullptr);

    // An empty ranking (no roll left, or none made) hides the view's lines.
    void showRanking(const Position& position, const std::vector<RankedHold>& ranking);

private:
    QLabel* m_yourChoice = nullptr;
    QLabel* m_heading = nullptr;
    QListWidget* m_holds = nullptr;
};

} // namespace kubiq
