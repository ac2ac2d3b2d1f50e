#include "review_view.h"

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
    connect(m_games, &QComboBox::currentIndexChanged, this, [this] { showChosen(); });
}

void ReviewView::showGames(const GameReview& live, const std::vector<GameReview>& finished) {
    m_live = &live;
    m_finished = &finished;
    const QSignalBlocker quiet(m_games); // one showing for all the new games
    while (m_games->count() <= static_cast<int>(finished.size())) {
        const int number = m_games->count();
        m_games->addItem(gameName(number, finished[number - 1].total.value_or(0)));
    }
    showChosen();
}

void ReviewView::showChosen() {
    if (m_live == nullptr)
        return;
    const int chosen = m_games->currentIndex();
    const GameReview& review = chosen <= 0 ? *m_live : (*m_finished)[chosen - 1];
    setLine(m_balance, balanceLine(review));
    QStringList rows;
    for (const ReviewStep& step : review.steps)
        rows << stepLine(step);
    setRows(m_steps, rows);
    if (onShown)
        onShown(review);
}

} // namespace kubiq
