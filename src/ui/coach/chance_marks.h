#pragma once

#include <QList>
#include <QMetaType>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QListWidgetItem;
class QPainter;

namespace kubiq {

// One small bar of chances: its parts (each 0..1, together at most 1) filled one after the
// other in shades of one colour, and, where `mark` is 0..1, a tick at that chance to compare
// with. The figures themselves are always in the text beside it.
struct ChanceBar {
    QList<double> parts;
    double mark = -1.0;
    bool strong = false; // the turn's endings in the highlight colour; bonus chances in ink
    friend bool operator==(const ChanceBar&, const ChanceBar&) = default;
};
using ChanceBars = QList<ChanceBar>;

// The width the bars take beside a line written in `font`'s metrics: about four characters.
int chanceBarsWidth(const QFontMetrics& metrics);
// Draws the bars one under the other, centred in `area`, in colours of `palette`: the text's
// and the highlight's colour over the `ground` they are drawn on, so that they read on light
// and dark palettes alike. Edges fall on whole pixels at any device pixel ratio.
void paintChanceBars(QPainter& painter, const QRect& area, const ChanceBars& bars,
                     const QPalette& palette, QPalette::ColorRole ground);

// The bars beside a line of text; what they show is also their accessible description.
class ChanceMarks final : public QWidget {
public:
    explicit ChanceMarks(QWidget* parent = nullptr);

    // No bars hide the marks.
    void showBars(const ChanceBars& bars, const QString& spoken);
    const ChanceBars& bars() const { return m_bars; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChanceBars m_bars;
};

// A line (as addLine makes it, named `name`) with its bars beside it (named `marksName`), below
// what `layout` holds already.
struct MarkedLine {
    QLabel* line = nullptr;
    ChanceMarks* marks = nullptr;
};
MarkedLine addMarkedLine(QWidget* parent, QBoxLayout* layout, const char* name,
                         const char* marksName);

// A row of an item view as the view draws it, its background, selection and focus, without its
// text: `row` as the delegate's initStyleOption() gives it. Delegates draw their own text on it.
void paintRowBackground(QPainter& painter, QStyleOptionViewItem row);
// The colours of bars drawn on a row: on a selected row the selection's, in which they stand out.
QPalette barColours(const QStyleOptionViewItem& option);

// Draws a list's rows as the list does, wrapped, with the bars of their item on the right.
class ChanceMarksDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The bars of a row; a row without them is drawn as the list would.
    static void setBars(QListWidgetItem* item, const ChanceBars& bars);
    static ChanceBars barsOf(const QModelIndex& index);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kubiq

Q_DECLARE_METATYPE(kubiq::ChanceBars)
