#include "dice_view.h"

#include "die_face.h"

#include <QPainter>

#include <algorithm>

namespace kubiq {

namespace {

constexpr int kSide = 36;    // a little smaller than the game's 41 pixels
constexpr int kSpacing = 14; // room for the frames between the dice
constexpr int kFrame = 3;    // the held dice's frame, and its gap to the die
constexpr int kMark = 5;     // the bar under a marked die

} // namespace

std::array<bool, kDiceCount> diceOfHold(const std::array<int, kDiceCount>& faces,
                                        const std::array<bool, kDiceCount>& held,
                                        const std::vector<int>& hold) {
    std::array<bool, kDiceCount> marked{};
    for (int face : hold) {
        int pick = -1;
        for (int die = 0; die < kDiceCount; ++die)
            if (!marked[die] && faces[die] == face && (pick < 0 || (held[die] && !held[pick])))
                pick = die;
        if (pick >= 0)
            marked[pick] = true;
    }
    return marked;
}

DiceView::DiceView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Wuerfelbild"));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void DiceView::showDice(const Position& board, const std::vector<int>& best,
                        const std::optional<std::vector<int>>& chosen, const QString& caption) {
    m_faces = board.rollsMade > 0 ? board.faces : std::array<int, kDiceCount>{};
    m_held = board.rollsMade > 0 ? board.held : std::array<bool, kDiceCount>{};
    m_best = diceOfHold(m_faces, m_held, best);
    m_chosen = chosen ? diceOfHold(m_faces, m_held, *chosen) : std::array<bool, kDiceCount>{};
    m_caption = caption;
    QStringList faces;
    QStringList held;
    for (int die = 0; die < kDiceCount; ++die) {
        faces << QString::number(m_faces[die]);
        if (m_held[die])
            held << QString::number(m_faces[die]);
    }
    const QString spoken =
        QStringLiteral("Würfel %1; gehalten: %2; %3")
            .arg(faces.join(QLatin1Char(' ')),
                 held.isEmpty() ? QStringLiteral("keine") : held.join(QLatin1Char(' ')), caption);
    setAccessibleName(spoken);
    setVisible(board.rollsMade > 0);
    update();
}

void DiceView::showNothing() {
    m_faces = {};
    m_held = {};
    m_best = {};
    m_chosen = {};
    m_caption.clear();
    setAccessibleName(QString());
    hide();
}

QRect DiceView::dieRect(int die) const {
    const int row = kDiceCount * kSide + (kDiceCount - 1) * kSpacing;
    const int left = std::max(kSpacing, (width() - row) / 2);
    return {left + die * (kSide + kSpacing), kFrame * 2, kSide, kSide};
}

QSize DiceView::sizeHint() const {
    return {kDiceCount * kSide + (kDiceCount + 1) * kSpacing,
            kSide + 4 * kFrame + 2 * kMark + fontMetrics().height() + 6};
}

void DiceView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor ink = palette().color(QPalette::WindowText);
    const QColor mark = palette().color(QPalette::Highlight);
    for (int die = 0; die < kDiceCount; ++die) {
        const QRect square = dieRect(die);
        paintDie(painter, square, m_faces[die], m_held[die]);
        if (m_held[die]) {
            // The frame says "held" without the colour.
            const QRect frame = square.adjusted(-2 * kFrame, -2 * kFrame, 2 * kFrame, 2 * kFrame);
            painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), kFrame), ink);
            painter.fillRect(
                QRect(frame.left(), frame.bottom() - kFrame + 1, frame.width(), kFrame), ink);
            painter.fillRect(QRect(frame.left(), frame.top(), kFrame, frame.height()), ink);
            painter.fillRect(QRect(frame.right() - kFrame + 1, frame.top(), kFrame, frame.height()),
                             ink);
        }
        const int below = square.bottom() + 2 * kFrame + 2;
        if (m_best[die])
            painter.fillRect(QRect(square.left(), below, square.width(), kMark), mark);
        if (m_chosen[die]) {
            painter.setPen(ink);
            painter.drawRect(
                QRect(square.left(), below + kMark + 1, square.width() - 1, kMark - 1));
        }
    }
    painter.setPen(ink);
    const int top = dieRect(0).bottom() + 2 * kFrame + 2 + 2 * kMark + 3;
    painter.drawText(QRect(0, top, width(), height() - top), Qt::AlignHCenter | Qt::AlignTop,
                     m_caption);
}

} // namespace kubiq
