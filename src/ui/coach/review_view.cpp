#include "review_view.h"

#include "chance_marks.h"
#include "coach_lines.h"
#include "coach_texts.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

ReviewView::ReviewView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_games = new QComboBox(this);
    m_games->setObjectName(QStringLiteral("Spielauswahl"));
    m_games->setAccessibleName(QStringLiteral("Spiel"));
    m_games->addItem(QStringLiteral("Laufendes Spiel"));
    layout->addWidget(m_games);
    m_balance = addLine(this, layout, "Bilanz");
    m_steps = addList(this, layout, "Spielverlauf", QStringLiteral("Würfe und Entscheidungen"));
    m_steps->setItemDelegate(new ChanceMarksDelegate(m_steps));
    connect(m_games, &QComboBox::currentIndexChanged, this, [this] { showChosen(); });
}

void ReviewView::showGames(const GameReview& onShow, const Reasons& onShowReasons,
                           const std::vector<GameReview>& finished,
                           const std::vector<Reasons>& finishedReasons) {
    m_onShow = &onShow;
    m_onShowReasons = &onShowReasons;
    m_finished = &finished;
    m_finishedReasons = &finishedReasons;
    const QSignalBlocker quiet(m_games); // one showing for all the new games
    while (m_games->count() <= static_cast<int>(finished.size())) {
        const int number = m_games->count();
        m_games->addItem(gameName(number, finished[number - 1].total.value_or(0)));
    }
    showChosen();
}

void ReviewView::showChosen() {
    if (m_onShow == nullptr)
        return;
    const int chosen = m_games->currentIndex();
    const GameReview& review = chosen <= 0 ? *m_onShow : (*m_finished)[chosen - 1];
    const Reasons& reasons = chosen <= 0 ? *m_onShowReasons : (*m_finishedReasons)[chosen - 1];
    setLine(m_balance, balanceLine(review));
    QStringList rows;
    QList<ChanceBars> bars;
    std::size_t decision = 0;
    for (const ReviewStep& step : review.steps) {
        const bool decides = step.kind == ReviewStep::Kind::Decision;
        const std::optional<Explanation>* why =
            decides && decision < reasons.size() ? &reasons[decision] : nullptr;
        decision += decides ? 1 : 0;
        if (why == nullptr || !why->has_value() || step.isBest()) {
            rows << stepLine(step);
            bars << ChanceBars();
            continue;
        }
        const Explanation& reason = **why;
        rows << stepLine(step) + QLatin1Char('\n') + whyText(reason);
        // The bonus chances the decision left, each with a tick at those of the best choice.
        bars << ChanceBars{{{reason.chosen.bonus.upper}, reason.best.bonus.upper, false},
                           {{reason.chosen.bonus.lower}, reason.best.bonus.lower, false}};
    }
    setRows(m_steps, rows);
    for (int i = 0; i < m_steps->count(); ++i)
        ChanceMarksDelegate::setBars(m_steps->item(i), bars.value(i));
    if (onShown)
        onShown(review);
}

} // namespace kubiq
