#pragma once

#include <QStyledItemDelegate>

namespace kubiq {

// Draws a row of the table of choices: the dice of a hold drawn small, the turn's endings as a
// bar within the row, the best row tinted in the highlight's colour and the player's row framed.
class ChoiceDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The side of a small die in a row `rowHeight` high.
int smallDieSide(int rowHeight);

} // namespace kubiq
