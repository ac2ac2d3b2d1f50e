#include "review_delegate.h"

#include "die_face.h"
#include "review_model.h"
#include "chance_marks.h"
#include "slip_marks.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace kubiq {

namespace {

// A die as tall as a line of text, at least 9 pixels so that its number reads.
int dieSize(const QFontMetrics& metrics) {
    return std::max(9, metrics.height() - 2);
}

int diceGap(int die) {
    return std::max(1, die / 6);
}

} // namespace

void ReviewDelegate::paintDice(QPainter& painter, const QStyleOptionViewItem& option,
                               const QString& faces, const QString& held) const {
    const int die = dieSize(option.fontMetrics);
    int left = option.rect.left() + 2;
    const int top = option.rect.top() + (option.rect.height() - die) / 2;
    for (qsizetype i = 0; i < faces.size(); ++i) {
        paintDie(painter, QRect(left, top, die, die), faces[i].digitValue(),
                 i < held.size() && held[i] == QLatin1Char('1'));
        left += die + diceGap(die);
    }
}

void ReviewDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const Slip slip = static_cast<Slip>(index.data(ReviewModel::kSlipRole).toInt());
    const bool dice = index.column() == ReviewModel::Dice;
    const bool marked = index.column() == ReviewModel::Loss && slip != Slip::None;
    if (!dice && !marked) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem back = option;
    initStyleOption(&back, index);
    paintRowBackground(*painter, back);
    if (dice) {
        paintDice(*painter, option, index.data(ReviewModel::kFacesRole).toString(),
                  index.data(ReviewModel::kHeldRole).toString());
        return;
    }
    // The figure, then its badge at the cell's right edge.
    const SlipBadges badge{{slip, -1}};
    const int width = slipBadgesWidth(option.font, badge);
    QStyleOptionViewItem figure = option;
    figure.rect.setRight(figure.rect.right() - width - 4);
    QStyledItemDelegate::paint(painter, figure, index);
    painter->save();
    painter->setFont(option.font);
    paintSlipBadges(
        *painter,
        QRect(option.rect.right() - width - 1, option.rect.top(), width, option.rect.height()),
        badge, option.palette.color(QPalette::Base));
    painter->restore();
}

QSize ReviewDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (index.column() == ReviewModel::Dice) {
        const int die = dieSize(option.fontMetrics);
        size.setWidth(kDiceCount * die + (kDiceCount - 1) * diceGap(die) + 4);
        size.setHeight(std::max(size.height(), die + 2));
    } else if (index.column() == ReviewModel::Loss) {
        // Room for the figure and the widest badge, so that the column does not jump.
        size.setWidth(size.width() + slipBadgesWidth(option.font, {{Slip::Blunder, -1}}) + 4);
    }
    return size;
}

} // namespace kubiq
