#include "chart_view.h"

#include "coach_texts.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

// Bright enough on a dark base and dark enough on a light one.
const QColor kLucky(46, 157, 58);
const QColor kUnlucky(214, 59, 47);
const QColor kCostly(224, 138, 0);

constexpr int kLeft = 34;   // room for the points
constexpr int kBottom = 16; // room for the turns
constexpr int kMargin = 6;

} // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Verlaufskurve"));
    setAccessibleName(QStringLiteral("Verlauf der erwarteten Endsumme"));
    setFocusPolicy(Qt::TabFocus);
}

QSize ChartView::sizeHint() const {
    return {320, 160};
}

QSize ChartView::minimumSizeHint() const {
    return {200, 100};
}

void ChartView::showReview(const GameReview& review) {
    m_review = review;
    QStringList lines{balanceLine(review)};
    for (const ReviewStep& step : review.steps)
        lines << stepLine(step);
    const QString description = lines.join(QLatin1Char('\n'));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QColor ink = palette().color(QPalette::Text);
    const QColor faint = palette().color(QPalette::Mid);

    const std::vector<ReviewStep>& steps = m_review.steps;
    double low = m_review.expected;
    double high = m_review.expected;
    for (const ReviewStep& step : steps) {
        low = std::min({low, step.before, step.after});
        high = std::max({high, step.before, step.after});
    }
    // Whole tens around the figures, so that the scale reads at a glance.
    low = std::floor((low - 5.0) / 10.0) * 10.0;
    high = std::ceil((high + 5.0) / 10.0) * 10.0;
    const QRectF plot(kLeft, kMargin, width() - kLeft - kMargin, height() - kMargin - kBottom);
    const double count = std::max<double>(1.0, static_cast<double>(steps.size()));
    const auto at = [&](std::size_t index, double value) {
        return QPointF(plot.left() + plot.width() * static_cast<double>(index) / count,
                       plot.bottom() - plot.height() * (value - low) / (high - low));
    };

    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    painter.setFont(small);
    const double tick = high - low > 120.0 ? 50.0 : high - low > 50.0 ? 20.0 : 10.0;
    for (double value = std::ceil(low / tick) * tick; value <= high; value += tick) {
        const QPointF left = at(0, value);
        painter.setPen(QPen(faint, 0, Qt::DotLine));
        painter.drawLine(left, QPointF(plot.right(), left.y()));
        painter.setPen(ink);
        painter.drawText(QRectF(0, left.y() - 8, kLeft - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value, 'f', 0));
    }
    int turn = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].turn == turn)
            continue;
        turn = steps[i].turn;
        const QPointF top = at(i, high);
        painter.setPen(QPen(faint, 0, Qt::DotLine));
        painter.drawLine(top, QPointF(top.x(), plot.bottom()));
        painter.setPen(ink);
        painter.drawText(QRectF(top.x() - 10, plot.bottom(), 20, kBottom), Qt::AlignCenter,
                         QString::number(turn));
    }
    painter.setPen(QPen(ink, 0));
    painter.drawRect(plot);

    for (std::size_t i = 0; i < steps.size(); ++i) {
        const ReviewStep& step = steps[i];
        QColor colour = ink;
        if (step.luck() > 0.05)
            colour = kLucky;
        else if (step.luck() < -0.05)
            colour = kUnlucky;
        painter.setPen(QPen(colour, step.kind == ReviewStep::Kind::Roll ? 2.0 : 1.5));
        painter.drawLine(at(i, step.before), at(i + 1, step.after));
        if (slipOf(step.cost()) >= Slip::Mistake) {
            const QPointF point = at(i + 1, step.after);
            QPainterPath diamond;
            diamond.moveTo(point + QPointF(0, -5));
            diamond.lineTo(point + QPointF(5, 0));
            diamond.lineTo(point + QPointF(0, 5));
            diamond.lineTo(point + QPointF(-5, 0));
            diamond.closeSubpath();
            painter.setPen(QPen(ink, 1.0));
            painter.setBrush(kCostly);
            painter.drawPath(diamond);
            painter.setBrush(Qt::NoBrush);
        }
    }
}

} // namespace kubiq
