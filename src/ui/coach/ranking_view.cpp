#include "ranking_view.h"

#include "chance_marks.h"
#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

namespace {

// What a hold brings this turn and leaves for the bonuses: "Diese Runde im Mittel 24,3: …",
// and under it "Bonus oben: 68 %, Bonus unten: 40 %".
QString outlookText(const TurnOutlook& outlook) {
    return turnLine(outlook) + QLatin1Char('\n') + bonusLine(outlook.bonus);
}

// The turn's endings as one bar (the likeliest three, then the rest), and the bonus chances
// after the hold, each with a tick at the chance after the best hold.
ChanceBars outlookBars(const TurnOutlook& outlook, const BonusChances& best) {
    constexpr qsizetype kShown = 3;
    ChanceBar endings{{}, -1.0, true};
    for (const TurnEnding& ending : outlook.endings) {
        if (endings.parts.size() < kShown)
            endings.parts << ending.chance;
        else if (endings.parts.size() == kShown)
            endings.parts << ending.chance; // the rest, as one part
        else
            endings.parts.back() += ending.chance;
    }
    return {endings,
            {{outlook.bonus.upper}, best.upper, false},
            {{outlook.bonus.lower}, best.lower, false}};
}

} // namespace

RankingView::RankingView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_yourChoice = addLine(this, layout, "DeineWahl");
    const MarkedLine marked = addMarkedLine(this, layout, "DeineRunde", "DeineRundeBalken");
    m_yourTurn = marked.line;
    m_yourMarks = marked.marks;
    m_why = addLine(this, layout, "DeineWahlWarum");
    m_heading = addLine(this, layout, "Haltenrang");
    m_heading->setText(QStringLiteral("Halten und würfeln, erwartete Endsumme:"));
    m_heading->setAccessibleName(m_heading->text());
    m_holds = addList(this, layout, "Haltenliste", m_heading->text());
    m_holds->setItemDelegate(new ChanceMarksDelegate(m_holds));
    m_heading->setBuddy(m_holds);
    m_yourChoice->hide();
    m_yourTurn->hide();
    m_why->hide();
    m_heading->hide();
}

void RankingView::showRanking(const Position& position, const std::vector<RankedHold>& ranking,
                              const std::optional<Explanation>& why) {
    const std::vector<int> held = position.heldFaces();
    const BonusChances best = ranking.empty() ? BonusChances() : ranking.front().outlook.bonus;
    QStringList rows;
    QList<ChanceBars> bars;
    m_yourChoice->hide();
    m_yourTurn->hide();
    ChanceBars yours;
    for (const RankedHold& ranked : ranking) {
        rows << rankedHoldLine(ranked) + QLatin1Char('\n') + outlookText(ranked.outlook);
        bars << outlookBars(ranked.outlook, best);
        if (ranked.hold.faces == held) {
            setLine(m_yourChoice, yourChoiceLine(ranked));
            setLine(m_yourTurn, outlookText(ranked.outlook));
            yours = bars.back();
        }
    }
    m_yourMarks->showBars(yours, m_yourTurn->text());
    const bool costly = why && !why->weighing.isBest() && !ranking.empty();
    m_why->setVisible(costly);
    if (costly)
        setLine(m_why, whyText(*why));
    m_heading->setVisible(!ranking.empty());
    setRows(m_holds, rows);
    for (int i = 0; i < m_holds->count(); ++i)
        ChanceMarksDelegate::setBars(m_holds->item(i), bars.value(i));
}

} // namespace kubiq
