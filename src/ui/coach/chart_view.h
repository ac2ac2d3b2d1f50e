#pragma once

#include "game_review.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <optional>

namespace kubiq {

// The expected final TOTAL over a game: a step up or down at every roll (its luck, green up,
// red down), a step down at every decision that cost, and each costly one marked with its
// slip's badge ("?!", "?", "??"). Turns are marked along the bottom; the selected step stands
// out as a band. A click chooses the step under it. Screen readers read the review's lines
// instead.
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr);

    void showReview(const GameReview& review);
    // The step to show as selected; nothing for none.
    void showSelected(std::optional<std::size_t> step);
    // The step drawn at x, or nothing left or right of the plot or without steps.
    std::optional<std::size_t> stepAt(int x) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Called with the step clicked.
    std::function<void(std::size_t)> onStepClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF plot() const;

    GameReview m_review;
    std::optional<std::size_t> m_selected;
};

} // namespace kubiq
