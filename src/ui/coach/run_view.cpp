#include "run_view.h"

#include "coach_lines.h"
#include "coach_texts.h"
#include "slip_marks.h"

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
    m_games->setItemDelegate(new SlipMarksDelegate(m_games));
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
    // Each game's marks counted, as badges and in words.
    for (int i = 0; i < m_games->count(); ++i) {
        const SlipCounts counts = slipCounts(finished[static_cast<std::size_t>(i)]);
        SlipBadges badges;
        for (Slip slip : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder})
            badges << SlipBadge{slip, counts[static_cast<std::size_t>(slip)]};
        QListWidgetItem* item = m_games->item(i);
        SlipMarksDelegate::setBadges(item, badges);
        item->setData(Qt::AccessibleTextRole,
                      rows[i] + QStringLiteral(", ") + slipCountsText(counts));
    }
    const RunSummary summary = summarize(finished);
    setLine(m_mean, runMeanLine(summary));
    setLine(m_bestShare, bestShareLine(summary));
}

} // namespace kubiq
