#include "review_delegate.h"

#include "review_model.h"
#include "slip_marks.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace kubiq {

namespace {

// A die as tall as a line of text, at least 9 pixels so that its pips stay apart.
int dieSize(const QFontMetrics& metrics) {
    return std::max(9, metrics.height() - 2);
}

int diceGap(int die) {
    return std::max(1, die / 6);
}

// Where a face's pips lie on a die, in thirds of its side (0, 1 or 2 from the top left).
QList<QPoint> pipsOf(int face) {
    switch (face) {
    case 1:
        return {{1, 1}};
    case 2:
        return {{0, 0}, {2, 2}};
    case 3:
        return {{0, 0}, {1, 1}, {2, 2}};
    case 4:
        return {{0, 0}, {2, 0}, {0, 2}, {2, 2}};
    case 5:
        return {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}};
    case 6:
        return {{0, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {2, 2}};
    default:
        return {};
    }
}

} // namespace

void ReviewDelegate::paintDice(QPainter& painter, const QStyleOptionViewItem& option,
                               const QString& faces) const {
    const int die = dieSize(option.fontMetrics);
    // Dark on light dice, on a selected row as on any other.
    const QColor ink = option.palette.color(QPalette::Text);
    const QColor face = option.palette.color(QPalette::Base);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    int left = option.rect.left() + 2;
    const int top = option.rect.top() + (option.rect.height() - die) / 2;
    for (const QChar digit : faces) {
        const QRectF box(left + 0.5, top + 0.5, die - 1, die - 1);
        painter.setPen(QPen(ink, 1.0));
        painter.setBrush(face);
        painter.drawRoundedRect(box, die / 5.0, die / 5.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        const double third = (die - 1) / 3.0;
        const double pip = std::max(1.5, die / 10.0);
        for (const QPoint& at : pipsOf(digit.digitValue()))
            painter.drawEllipse(
                QPointF(box.left() + third * (at.x() + 0.5), box.top() + third * (at.y() + 0.5)),
                pip, pip);
        left += die + diceGap(die);
    }
    painter.restore();
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
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    QStyleOptionViewItem back = option;
    initStyleOption(&back, index);
    back.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &back, painter, view);
    if (dice) {
        paintDice(*painter, option, index.data(ReviewModel::kFacesRole).toString());
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
