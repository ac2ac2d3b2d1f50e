#pragma once

#include "game_review.h"

#include <QColor>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStyledItemDelegate>

#include <array>

class QFont;
class QListWidgetItem;
class QPainter;
class QRect;

namespace kubiq {

// A costly decision's mark, as the review, the chart, the statistics and the practice list show
// it: a glyph in a badge of its colour, never the colour alone.

// "?!", "?", "??"; empty for a decision that cost too little to mark.
QString slipGlyph(Slip slip);
// "Ungenauigkeit", "Fehler", "grober Fehler"; empty for no slip. The words the screen reader
// hears for the glyph.
QString slipWord(Slip slip);
// The badge's colour over `ground`: orange (yellow on a dark ground), vermilion and purple, from
// a palette made to stay apart for colour-blind eyes, each light or dark as the ground asks so
// that it stands out from it by at least 3:1 in contrast; the three also differ in lightness,
// which every eye sees.
// Needs a slip other than Slip::None.
QColor slipColour(Slip slip, const QColor& ground);

// How many decisions of each kind of slip a game has, indexed by Slip.
using SlipCounts = std::array<int, 4>;
SlipCounts slipCounts(const GameReview& review);
// "Ungenauigkeit: 3, Fehler: 1, grober Fehler: 0".
QString slipCountsText(const SlipCounts& counts);

// A badge to draw: a slip's glyph, with a count after it where `count` is 0 or more ("?! 3").
struct SlipBadge {
    Slip slip = Slip::None;
    int count = -1;
    friend bool operator==(const SlipBadge&, const SlipBadge&) = default;
};
using SlipBadges = QList<SlipBadge>;

// The width badges take side by side beside text in `font`, with their gaps.
int slipBadgesWidth(const QFont& font, const SlipBadges& badges);
// Draws the badges side by side from the left of `area`, centred in its height, over `ground`:
// each a rounded box in the slip's colour with its text, in the painter's font made bold, in the
// ground's colour.
void paintSlipBadges(QPainter& painter, const QRect& area, const SlipBadges& badges,
                     const QColor& ground);

// Draws a list's rows as the list does, with their item's badges on the right.
class SlipMarksDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The badges of a row; a row without them is drawn as the list would.
    static void setBadges(QListWidgetItem* item, const SlipBadges& badges);
    static SlipBadges badgesOf(const QModelIndex& index);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kubiq

Q_DECLARE_METATYPE(kubiq::SlipBadges)
