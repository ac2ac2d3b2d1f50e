#include "chance_marks.h"
#include "slip_marks.h"

#include <QApplication>
#include <QListWidgetItem>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace kubiq {

namespace {

constexpr int kBadgesRole = Qt::UserRole + 2;

QString badgeText(const SlipBadge& badge) {
    return badge.count < 0 ? slipGlyph(badge.slip)
                           : QStringLiteral("%1 %2").arg(slipGlyph(badge.slip)).arg(badge.count);
}

QFont badgeFont(QFont font) {
    font.setBold(true);
    return font;
}

int badgeWidth(const QFont& font, const SlipBadge& badge) {
    return QFontMetrics(badgeFont(font)).horizontalAdvance(badgeText(badge)) +
           QFontMetrics(font).height() / 2;
}

int badgeGap(const QFont& font) {
    return std::max(2, QFontMetrics(font).averageCharWidth() / 2);
}

} // namespace

QString slipGlyph(Slip slip) {
    switch (slip) {
    case Slip::None:
        return {};
    case Slip::Inaccuracy:
        return QStringLiteral("?!");
    case Slip::Mistake:
        return QStringLiteral("?");
    case Slip::Blunder:
        return QStringLiteral("??");
    }
    return {};
}

QString slipWord(Slip slip) {
    switch (slip) {
    case Slip::None:
        return {};
    case Slip::Inaccuracy:
        return QStringLiteral("Ungenauigkeit");
    case Slip::Mistake:
        return QStringLiteral("Fehler");
    case Slip::Blunder:
        return QStringLiteral("grober Fehler");
    }
    return {};
}

QColor slipColour(Slip slip, const QColor& ground) {
    // Okabe and Ito's orange (yellow on a dark ground), vermilion and reddish purple, darkened
    // for a light ground and lightened for a dark one, a step of lightness apart.
    const bool dark = ground.lightnessF() < 0.5;
    switch (slip) {
    case Slip::None:
    case Slip::Inaccuracy:
        return dark ? QColor(240, 228, 66) : QColor(170, 100, 0);
    case Slip::Mistake:
        return dark ? QColor(255, 150, 80) : QColor(180, 50, 0);
    case Slip::Blunder:
        return dark ? QColor(225, 100, 210) : QColor(120, 28, 100);
    }
    return {};
}

SlipCounts slipCounts(const GameReview& review) {
    SlipCounts counts{};
    for (const ReviewStep& step : review.steps)
        if (step.kind == ReviewStep::Kind::Decision)
            ++counts[static_cast<std::size_t>(slipOf(step.cost()))];
    return counts;
}

QString slipCountsText(const SlipCounts& counts) {
    QStringList parts;
    for (Slip slip : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder})
        parts << QStringLiteral("%1: %2")
                     .arg(slipWord(slip))
                     .arg(counts[static_cast<std::size_t>(slip)]);
    return parts.join(QStringLiteral(", "));
}

int slipBadgesWidth(const QFont& font, const SlipBadges& badges) {
    int width = 0;
    for (const SlipBadge& badge : badges)
        width += badgeWidth(font, badge) + (width > 0 ? badgeGap(font) : 0);
    return width;
}

void paintSlipBadges(QPainter& painter, const QRect& area, const SlipBadges& badges,
                     const QColor& ground) {
    painter.save();
    const QFont font = painter.font();
    painter.setFont(badgeFont(font));
    painter.setRenderHint(QPainter::Antialiasing);
    const int height = std::min(area.height(), QFontMetrics(font).height());
    int left = area.left();
    for (const SlipBadge& badge : badges) {
        if (badge.slip == Slip::None)
            continue;
        const QRect box(left, area.top() + (area.height() - height) / 2, badgeWidth(font, badge),
                        height);
        painter.setPen(Qt::NoPen);
        painter.setBrush(slipColour(badge.slip, ground));
        painter.drawRoundedRect(box, height / 4.0, height / 4.0);
        painter.setPen(ground);
        painter.drawText(box, Qt::AlignCenter, badgeText(badge));
        left = box.right() + 1 + badgeGap(font);
    }
    painter.restore();
}

void SlipMarksDelegate::setBadges(QListWidgetItem* item, const SlipBadges& badges) {
    item->setData(kBadgesRole, badges.isEmpty() ? QVariant() : QVariant::fromValue(badges));
}

SlipBadges SlipMarksDelegate::badgesOf(const QModelIndex& index) {
    return index.data(kBadgesRole).value<SlipBadges>();
}

void SlipMarksDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const SlipBadges badges = badgesOf(index);
    if (badges.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The whole row is selected as one; the text keeps to the left of the badges.
    QStyleOptionViewItem back = option;
    initStyleOption(&back, index);
    paintRowBackground(*painter, back);
    const int width = slipBadgesWidth(option.font, badges);
    QStyleOptionViewItem text = option;
    text.rect.setRight(text.rect.right() - width - option.fontMetrics.averageCharWidth());
    QStyledItemDelegate::paint(painter, text, index);
    // The badges keep the colours of the ground, also on a selected row, so that their colour
    // means the same everywhere.
    painter->save();
    painter->setFont(option.font);
    const QRect area(option.rect.right() - width, option.rect.top(), width, option.rect.height());
    paintSlipBadges(*painter, area, badges, option.palette.color(QPalette::Base));
    painter->restore();
}

QSize SlipMarksDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const SlipBadges badges = badgesOf(index);
    if (badges.isEmpty())
        return QStyledItemDelegate::sizeHint(option, index);
    const int room = slipBadgesWidth(option.font, badges) + option.fontMetrics.averageCharWidth();
    QStyleOptionViewItem text = option;
    text.rect.setRight(text.rect.right() - room);
    QSize size = QStyledItemDelegate::sizeHint(text, index);
    size.setWidth(size.width() + room);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 2));
    return size;
}

} // namespace kubiq
