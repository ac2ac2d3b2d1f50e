#pragma once

#include "coach.h"
#include "game_review.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

namespace kubiq {

// For each decision of a review, in order: why the best choice was better, or nothing when
// the decision was the best.
using Reasons = std::vector<std::optional<Explanation>>;

// The rolls and decisions of a reviewed game as a table, one step a row: turn, roll, the dice
// drawn, the choice, the best choice, the loss with its mark, the luck. Each cell's accessible
// text is its row's whole sentence, so that a screen reader reads a row as one.
class ReviewModel final : public QAbstractTableModel {
public:
    enum Column { Turn, Roll, Dice, Chosen, Best, Loss, Luck, ColumnCount };
    // The dice of a row as a string of faces in their places on the board ("61362"), for the
    // Dice column; and which of them a decision held to roll again ("10010"), the same length.
    static constexpr int kFacesRole = Qt::UserRole + 1;
    static constexpr int kHeldRole = Qt::UserRole + 3;
    // The row's Slip as an int, for the Loss column; Slip::None on rolls and good decisions.
    static constexpr int kSlipRole = Qt::UserRole + 2;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows this review; it and its reasons must stay where they are until the next call.
    void showReview(const GameReview& review, const Reasons& reasons);

    const ReviewStep& step(int row) const { return m_review->steps[static_cast<std::size_t>(row)]; }
    // Why the best choice beat the decision of `row`; nothing on rolls and on best choices.
    const Explanation* reason(int row) const;
    // A decision that cost enough to carry a mark.
    bool isMarked(int row) const;
    // The nearest marked row after `row` (direction 1) or before it (-1); nothing when none.
    std::optional<int> nextMarked(int row, int direction) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant display(const ReviewStep& step, int column) const;

    const GameReview* m_review = nullptr;
    const Reasons* m_reasons = nullptr;
    std::vector<int> m_decision; // each row's index into m_reasons; -1 for a roll
};

} // namespace kubiq
