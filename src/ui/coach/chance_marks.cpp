#include "chance_marks.h"

#include "coach_lines.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidgetItem>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

constexpr int kBarsRole = Qt::UserRole + 1;

// A bar as thick as a quarter of a text line, never under 3 pixels, with a gap of half that.
int barHeight(const QFontMetrics& metrics) {
    return std::max(3, metrics.height() / 4);
}

int barsHeight(const QFontMetrics& metrics, qsizetype count) {
    const int bar = barHeight(metrics);
    return static_cast<int>(count) * bar +
           static_cast<int>(std::max<qsizetype>(count - 1, 0)) * std::max(2, bar / 2);
}

// `colour` at a share of its strength over `back`, for the later parts of a bar.
QColor blended(const QColor& colour, const QColor& back, double strength) {
    return QColor::fromRgbF(
        static_cast<float>(back.redF() + (colour.redF() - back.redF()) * strength),
        static_cast<float>(back.greenF() + (colour.greenF() - back.greenF()) * strength),
        static_cast<float>(back.blueF() + (colour.blueF() - back.blueF()) * strength));
}

// The x of a chance along a bar, on a whole pixel so that edges stay crisp.
int along(const QRect& bar, double chance) {
    return bar.left() + static_cast<int>(std::lround(std::clamp(chance, 0.0, 1.0) * bar.width()));
}

} // namespace

int chanceBarsWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QStringLiteral("100 %"));
}

void paintChanceBars(QPainter& painter, const QRect& area, const ChanceBars& bars,
                     const QPalette& palette, QPalette::ColorRole ground) {
    if (bars.isEmpty())
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const int height = barHeight(metrics);
    const int gap = std::max(2, height / 2);
    const int total = barsHeight(metrics, bars.size());
    const QColor back = palette.color(ground);
    const QColor ink = palette.color(QPalette::Text);
    const QColor highlight = palette.color(QPalette::Highlight);
    painter.save();
    // Whole-pixel rectangles without smoothing: sharp at any device pixel ratio.
    painter.setRenderHint(QPainter::Antialiasing, false);
    int top = area.top() + (area.height() - total) / 2;
    for (const ChanceBar& bar : bars) {
        const QRect track(area.left(), top, area.width(), height);
        painter.fillRect(track, blended(ink, back, 0.15));
        const QColor colour = bar.strong ? highlight : ink;
        double from = 0.0;
        for (qsizetype i = 0; i < bar.parts.size(); ++i) {
            const double to = from + bar.parts[i];
            // Later parts lighter, so that each stands apart from the one before.
            const double strength = i == 0 ? 1.0 : i % 2 == 1 ? 0.55 : 0.8;
            painter.fillRect(QRect(QPoint(along(track, from), top),
                                   QPoint(along(track, to) - 1, top + height - 1)),
                             blended(colour, back, strength));
            from = to;
        }
        if (bar.mark >= 0.0) {
            // A tick one pixel wider than the bar on each side, in the colour of the text.
            const int x = std::min(along(track, bar.mark), track.right() - 1);
            painter.fillRect(QRect(x, top - 1, 2, height + 2), ink);
        }
        top += height + gap;
    }
    painter.restore();
}

ChanceMarks::ChanceMarks(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    hide();
}

void ChanceMarks::showBars(const ChanceBars& bars, const QString& spoken) {
    m_bars = bars;
    if (accessibleDescription() != spoken)
        setAccessibleDescription(spoken);
    if (accessibleName() != spoken)
        setAccessibleName(spoken);
    setVisible(!bars.isEmpty());
    updateGeometry();
    update();
}

QSize ChanceMarks::sizeHint() const {
    return {chanceBarsWidth(fontMetrics()), barsHeight(fontMetrics(), m_bars.size())};
}

QSize ChanceMarks::minimumSizeHint() const {
    return sizeHint();
}

void ChanceMarks::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChanceBars(painter, rect(), m_bars, palette(), backgroundRole());
}

void ChanceMarksDelegate::setBars(QListWidgetItem* item, const ChanceBars& bars) {
    item->setData(kBarsRole, bars.isEmpty() ? QVariant() : QVariant::fromValue(bars));
}

ChanceBars ChanceMarksDelegate::barsOf(const QModelIndex& index) {
    return index.data(kBarsRole).value<ChanceBars>();
}

namespace {

// The room a row's text has beside its bars.
QStyleOptionViewItem besideBars(const QStyleOptionViewItem& option, int width) {
    QStyleOptionViewItem text = option;
    text.rect.setRight(text.rect.right() - width);
    return text;
}

int barsRoom(const QStyleOptionViewItem& option) {
    return chanceBarsWidth(option.fontMetrics) + option.fontMetrics.averageCharWidth();
}

} // namespace

void paintRowBackground(QPainter& painter, QStyleOptionViewItem row) {
    const QWidget* view = row.widget;
    QStyle* style = view ? view->style() : QApplication::style();
    row.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &row, &painter, view);
}

QPalette barColours(const QStyleOptionViewItem& option) {
    QPalette colours = option.palette;
    if (option.state & QStyle::State_Selected) {
        colours.setColor(QPalette::Text, option.palette.color(QPalette::HighlightedText));
        colours.setColor(QPalette::Highlight, option.palette.color(QPalette::HighlightedText));
    }
    return colours;
}

void ChanceMarksDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const ChanceBars bars = barsOf(index);
    if (bars.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The whole row is selected as one; the text keeps to the left of the bars.
    QStyleOptionViewItem back = option;
    initStyleOption(&back, index);
    paintRowBackground(*painter, back);
    const int room = barsRoom(option);
    QStyledItemDelegate::paint(painter, besideBars(option, room), index);
    const QRect area(option.rect.right() - chanceBarsWidth(option.fontMetrics), option.rect.top(),
                     chanceBarsWidth(option.fontMetrics), option.rect.height());
    // On a selected row the bars take the selection's colours, in which they stand out.
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette colours = barColours(option);
    painter->save();
    painter->setFont(option.font);
    paintChanceBars(*painter, area, bars, colours, selected ? QPalette::Highlight : QPalette::Base);
    painter->restore();
}

QSize ChanceMarksDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const ChanceBars bars = barsOf(index);
    if (bars.isEmpty())
        return QStyledItemDelegate::sizeHint(option, index);
    const int room = barsRoom(option);
    QSize size = QStyledItemDelegate::sizeHint(besideBars(option, room), index);
    size.setWidth(size.width() + room);
    size.setHeight(std::max(size.height(), barsHeight(option.fontMetrics, bars.size()) + 4));
    return size;
}

MarkedLine addMarkedLine(QWidget* parent, QBoxLayout* layout, const char* name,
                         const char* marksName) {
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    MarkedLine marked{addLine(parent, row, name), new ChanceMarks(parent)};
    marked.marks->setObjectName(QString::fromLatin1(marksName));
    row->addWidget(marked.marks);
    return marked;
}

} // namespace kubiq
