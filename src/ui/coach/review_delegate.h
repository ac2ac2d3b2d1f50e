#pragma once

#include <QStyledItemDelegate>

namespace kubiq {

// Draws the cells of the review's table (ReviewModel): the dice of the Dice column as small dice
// in the game's look, those a decision held red as in the game, and the loss of a marked decision
// with its badge beside the figure. Other cells are drawn as the view would.
class ReviewDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void paintDice(QPainter& painter, const QStyleOptionViewItem& option, const QString& faces,
                   const QString& held) const;
};

} // namespace kubiq
