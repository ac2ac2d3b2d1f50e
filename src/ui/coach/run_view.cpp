#include "run_view.h"

#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

RunView::RunView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_mean = addLine(this, layout, "Mittel");
    m_bestShare = addLine(this, layout, "BesteWahl");
    m_games = addList(this, layout, "Spieleliste", QStringLiteral("Beendete Spiele"));
    setLine(m_mean, QStringLiteral("Noch kein Spiel beendet."));
    m_bestShare->hide();
}

void RunView::showRun(const std::vector<GameReview>& finished) {
    if (finished.empty() || finished.size() == m_shown)
        return; // the finished games never change
    m_shown = finished.size();
    QStringList rows;
    for (std::size_t i = 0; i < finished.size(); ++i)
        rows << runGameLine(static_cast<int>(i) + 1, finished[i]);
    setRows(m_games, rows);
    const RunSummary summary = summarize(finished);
    setLine(m_mean, runMeanLine(summary));
    setLine(m_bestShare, bestShareLine(summary));
}

} // namespace kubiq
