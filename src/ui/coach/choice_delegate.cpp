#include "choice_delegate.h"

#include "chance_marks.h"
#include "choice_table_model.h"
#include "die_face.h"

#include <QApplication>
#include <QPainter>

namespace kubiq {

namespace {

constexpr int kDieGap = 2;

QColor tint(const QColor& colour, const QColor& back, double strength) {
    return QColor::fromRgbF(
        static_cast<float>(back.redF() + (colour.redF() - back.redF()) * strength),
        static_cast<float>(back.greenF() + (colour.greenF() - back.greenF()) * strength),
        static_cast<float>(back.blueF() + (colour.blueF() - back.blueF()) * strength));
}

} // namespace

int smallDieSide(int rowHeight) {
    return std::max(8, rowHeight - 6);
}

void ChoiceDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const bool selected = option.state & QStyle::State_Selected;
    const bool best = index.data(ChoiceTableModel::BestRole).toBool();
    if (best && !selected)
        cell.backgroundBrush = tint(option.palette.color(QPalette::Highlight),
                                    option.palette.color(QPalette::Base), 0.25);
    const QVariant hold = index.data(ChoiceTableModel::HoldRole);
    const bool dice = index.column() == ChoiceTableModel::Choice && hold.isValid() &&
                      !hold.value<QList<int>>().isEmpty();
    if (dice || index.column() == ChoiceTableModel::Endings)
        cell.text.clear();
    const QWidget* view = option.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);

    const QRect area = option.rect.adjusted(3, 0, -3, 0);
    if (dice) {
        const int side = smallDieSide(option.rect.height());
        int x = area.left();
        const int top = area.top() + (area.height() - side) / 2;
        for (int face : hold.value<QList<int>>()) {
            paintDie(*painter, QRect(x, top, side, side), face, false);
            x += side + kDieGap;
        }
    }
    if (index.column() == ChoiceTableModel::Endings) {
        const QPalette colours = barColours(option);
        painter->save();
        painter->setFont(option.font);
        paintChanceBars(*painter, area.adjusted(0, 2, 0, -2),
                        index.data(ChoiceTableModel::BarsRole).value<ChanceBars>(), colours,
                        selected ? QPalette::Highlight : QPalette::Base);
        painter->restore();
    }
    if (index.data(ChoiceTableModel::PlayersRole).toBool()) {
        // The player's row framed across all its cells, in the text's colour.
        const QRect r = option.rect;
        const QColor ink =
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 2), ink);
        painter->fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 2), ink);
        if (index.column() == 0)
            painter->fillRect(QRect(r.left(), r.top(), 2, r.height()), ink);
        if (index.column() == index.model()->columnCount() - 1)
            painter->fillRect(QRect(r.right() - 1, r.top(), 2, r.height()), ink);
    }
}

QSize ChoiceDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int height = option.fontMetrics.height() + 6;
    size.setHeight(std::max(size.height(), height));
    if (index.column() == ChoiceTableModel::Choice) {
        const int count =
            static_cast<int>(index.data(ChoiceTableModel::HoldRole).value<QList<int>>().size());
        size.setWidth(std::max(size.width(), 6 + count * (smallDieSide(height) + kDieGap)));
    }
    if (index.column() == ChoiceTableModel::Endings)
        size.setWidth(chanceBarsWidth(option.fontMetrics) + 6);
    return size;
}

} // namespace kubiq
