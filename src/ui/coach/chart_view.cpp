#include "chart_view.h"

#include "coach_texts.h"
#include "slip_marks.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

// Bright enough on a dark base and dark enough on a light one.
const QColor kLucky(46, 157, 58);
const QColor kUnlucky(214, 59, 47);

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
    m_selected.reset(); // until the review chooses its step
    QStringList lines{balanceLine(review)};
    for (const ReviewStep& step : review.steps)
        lines << stepLine(step);
    const QString description = lines.join(QLatin1Char('\n'));
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    update();
}

void ChartView::showSelected(std::optional<std::size_t> step) {
    if (m_selected == step)
        return;
    m_selected = step;
    update();
}

QRectF ChartView::plot() const {
    return {kLeft, kMargin, static_cast<double>(width() - kLeft - kMargin),
            static_cast<double>(height() - kMargin - kBottom)};
}

std::optional<std::size_t> ChartView::stepAt(int x) const {
    const QRectF area = plot();
    const std::size_t count = m_review.steps.size();
    if (count == 0 || x < area.left() || x > area.right())
        return std::nullopt;
    // Step i is drawn from i/count to (i+1)/count of the plot's width.
    const auto step =
        static_cast<std::size_t>((x - area.left()) / area.width() * static_cast<double>(count));
    return std::min(step, count - 1);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    const std::optional<std::size_t> step = stepAt(event->position().toPoint().x());
    if (step && event->button() == Qt::LeftButton && onStepClicked)
        onStepClicked(*step);
    QWidget::mousePressEvent(event);
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
    const QRectF plot = this->plot();
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
    if (m_selected && *m_selected < steps.size()) {
        const QColor band = palette().color(QPalette::Highlight);
        painter.fillRect(QRectF(at(*m_selected, high), at(*m_selected + 1, low)),
                         QColor(band.red(), band.green(), band.blue(), 60));
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
    }
    // The marks over the lines, so that no line hides one: a dot in the slip's colour where the
    // decision left the expected TOTAL, its badge above it (below it near the top).
    const QColor ground = palette().color(QPalette::Base);
    const QFontMetrics metrics(small);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Slip slip = slipOf(steps[i].cost());
        if (slip == Slip::None)
            continue;
        const QPointF point = at(i + 1, steps[i].after);
        painter.setPen(QPen(ink, 1.0));
        painter.setBrush(slipColour(slip, ground));
        painter.drawEllipse(point, 3.5, 3.5);
        painter.setBrush(Qt::NoBrush);
        const SlipBadges badge{{slip, -1}};
        const int width = slipBadgesWidth(small, badge);
        const int height = metrics.height();
        const double top =
            point.y() - 5 - height < plot.top() ? point.y() + 5 : point.y() - 5 - height;
        paintSlipBadges(painter, QRectF(point.x() - width / 2.0, top, width, height).toRect(),
                        badge, ground);
    }
}

} // namespace kubiq
