#pragma once

#include <QStyledItemDelegate>

namespace kubiq {

// Draws the cells of the review's table (ReviewModel): the dice of the Dice column as small dice
// with their pips, and the loss of a marked decision with its badge beside the figure. Other
// cells are drawn as the view would.
class ReviewDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintDice(QPainter& painter, const QStyleOptionViewItem& option,
                   const QString& faces) const;
};

} // namespace kubiq
