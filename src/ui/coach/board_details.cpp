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

namespace {

// A frameless area that scrolls `inside` up and down, on the ground of the page around it.
QScrollArea* scrolling(QWidget* parent, const char* name, QWidget* inside) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(QLatin1String(name));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(inside);
    // After setWidget(), which fills the ground of what it scrolls.
    area->viewport()->setAutoFillBackground(false);
    inside->setAutoFillBackground(false);
    return area;
}

QVBoxLayout* column(QWidget* widget) {
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

} // namespace

BoardDetails::BoardDetails(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Details"));
    // Room for the longest details at the coach's width, kept from board to board: a line for
    // the choice, four for the endings, two for the bonus chances, three for the reason. In a
    // narrower coach the rest scrolls.
    auto* content = new QWidget;
    QVBoxLayout* layout = column(content);
    auto* pane = scrolling(this, "DetailsBereich", content);
    column(this)->addWidget(pane);
    pane->setMinimumHeight(10 * fontMetrics().lineSpacing() + 4 * layout->spacing() + 4);

    m_choice = addLine(content, layout, "DetailsWahl");
    QFont bold = m_choice->font();
    bold.setBold(true);
    m_choice->setFont(bold);
    // A turn can end in fifty ways and more: their list scrolls within four lines.
    auto* inside = new QWidget;
    QVBoxLayout* insideLayout = column(inside);
    m_endings = addLine(inside, insideLayout, "DetailsRundenende");
    insideLayout->addStretch();
    QScrollArea* endings = scrolling(content, "DetailsRundenendeBereich", inside);
    endings->setFixedHeight(4 * fontMetrics().lineSpacing() + 4);
    layout->addWidget(endings);
    const MarkedLine marked = addMarkedLine(content, layout, "DetailsBonus", "DetailsBonusBalken");
    m_bonus = marked.line;
    m_bonusMarks = marked.marks;
    m_why = addLine(content, layout, "DetailsWarum");
    layout->addStretch();
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
