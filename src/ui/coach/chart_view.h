#pragma once

#include "game_review.h"

#include <QWidget>

namespace kubiq {

// The expected final TOTAL over a game: a step up or down at every roll (its luck, green up,
// red down), a step down at every decision that cost, and the costly ones marked with a
// diamond. Turns are marked along the bottom. Screen readers read the review's lines instead.
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);

    void showReview(const GameReview& review);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    GameReview m_review;
};

} // namespace kubiq
