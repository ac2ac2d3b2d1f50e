#include "game_balance_view.h"

#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kubiq {

GameBalanceView::GameBalanceView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Spielbilanz"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_lastMove = addLine(this, layout, "LetzterZug");
    m_loss = addLine(this, layout, "Verlust");
    m_lastGame = addLine(this, layout, "LetztesSpiel");
    m_lastGame->hide();
}

void GameBalanceView::showGame(const GameReview& onShow, const GameReview* lastFinished) {
    std::optional<double> last;
    for (const ReviewStep& step : onShow.steps)
        if (step.kind == ReviewStep::Kind::Decision)
            last = step.cost();
    setLine(m_lastMove, lastMoveLine(last));
    setLine(m_loss, lossLine(onShow.loss()));
    if (lastFinished)
        setLine(m_lastGame, QStringLiteral("Letztes Spiel: ") + balanceLine(*lastFinished));
}

} // namespace kubiq
