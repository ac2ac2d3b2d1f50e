#include "board_details.h"

#include "chance_marks.h"
#include "coach_lines.h"
#include "coach_texts.h"
#include "sheet_rows.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kubiq {

QString allEndingsLine(const TurnOutlook& outlook) {
    QStringList parts;
    for (const TurnEnding& ending : outlook.endings)
        parts << QStringLiteral("%1 (%2) %3")
                     .arg(QString::fromUtf8(spokenRow(ending.category)),
                          QString::number(ending.points), percentText(ending.chance));
    return QStringLiteral("Rundenende: ") + parts.join(QStringLiteral(", "));
}

BoardDetails::BoardDetails(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Details"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_choice = addLine(this, layout, "DetailsWahl");
    QFont bold = m_choice->font();
    bold.setBold(true);
    m_choice->setFont(bold);
    // A turn can end in fifty ways and more: their list scrolls within four lines, so that the
    // pane keeps its size from board to board.
    auto* endings = new QScrollArea(this);
    endings->setObjectName(QStringLiteral("DetailsRundenendeBereich"));
    endings->setFrameShape(QFrame::NoFrame);
    endings->setWidgetResizable(true);
    endings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    endings->setFocusPolicy(Qt::NoFocus);
    auto* inside = new QWidget(endings);
    auto* insideLayout = new QVBoxLayout(inside);
    insideLayout->setContentsMargins(0, 0, 0, 0);
    m_endings = addLine(inside, insideLayout, "DetailsRundenende");
    insideLayout->addStretch();
    endings->setWidget(inside);
    endings->setFixedHeight(4 * fontMetrics().lineSpacing() + 4);
    layout->addWidget(endings);
    const MarkedLine marked = addMarkedLine(this, layout, "DetailsBonus", "DetailsBonusBalken");
    m_bonus = marked.line;
    m_bonusMarks = marked.marks;
    m_why = addLine(this, layout, "DetailsWarum");
    layout->addStretch();
    // Room for the longest details, so that the coach keeps its size when they come: a line for
    // the choice, four for the endings, two for the bonus chances, three for the reason.
    setMinimumHeight(10 * fontMetrics().lineSpacing() + 4 * layout->spacing() + 4);
    showNothing();
}

void BoardDetails::showRow(const BoardAnalysis& analysis, std::size_t index) {
    const ChoiceRow& row = analysis.rows[index];
    const ChoiceRow& best = analysis.rows.front();
    const bool isBest = index == 0;
    QString choice =
        QStringLiteral("%1. %2: erwartete Endsumme %3")
            .arg(QString::number(row.rank), choiceText(row.choice), coachNumber(row.expectedTotal));
    choice += isBest ? QStringLiteral(", beste Wahl")
                     : QStringLiteral(" (%1)").arg(coachNumber(-row.loss));
    if (analysis.playersRow == index)
        choice += QStringLiteral(", deine Wahl");
    setLine(m_choice, choice);
    setLine(m_endings, QStringLiteral("Diese Runde im Mittel %1. %2")
                           .arg(coachNumber(row.outlook.thisTurn), allEndingsLine(row.outlook)));
    const BonusChances& after = row.outlook.bonus;
    const BonusChances& top = best.outlook.bonus;
    setLine(m_bonus, isBest ? bonusLine(after)
                            : QStringLiteral("Bonus oben: %1 (beste Wahl %2), Bonus unten: %3 "
                                             "(beste Wahl %4)")
                                  .arg(percentText(after.upper), percentText(top.upper),
                                       percentText(after.lower), percentText(top.lower)));
    m_bonusMarks->showBars({{{after.upper}, top.upper, false}, {{after.lower}, top.lower, false}},
                           m_bonus->text());
    const QString why = whyText(analysis.explain(index));
    m_why->setVisible(!why.isEmpty());
    if (!why.isEmpty())
        setLine(m_why, why);
}

void BoardDetails::showNothing() {
    for (QLabel* line : {m_choice, m_endings, m_bonus, m_why})
        line->hide();
    m_bonusMarks->showBars({}, QString());
}

} // namespace kubiq
