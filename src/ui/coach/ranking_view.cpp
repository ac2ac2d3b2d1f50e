#include "ranking_view.h"

#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

RankingView::RankingView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_yourChoice = addLine(this, layout, "DeineWahl");
    m_heading = addLine(this, layout, "Haltenrang");
    m_heading->setText(QStringLiteral("Halten und würfeln, erwartete Endsumme:"));
    m_heading->setAccessibleName(m_heading->text());
    m_holds = addList(this, layout, "Haltenliste", m_heading->text());
    m_heading->setBuddy(m_holds);
    m_yourChoice->hide();
    m_heading->hide();
}

void RankingView::showRanking(const Position& position, const std::vector<RankedHold>& ranking) {
    const std::vector<int> held = position.heldFaces();
    QStringList rows;
    m_yourChoice->hide();
    for (const RankedHold& ranked : ranking) {
        rows << rankedHoldLine(ranked);
        if (ranked.hold.faces == held)
            setLine(m_yourChoice, yourChoiceLine(ranked));
    }
    m_heading->setVisible(!ranking.empty());
    setRows(m_holds, rows);
}

} // namespace kubiq
