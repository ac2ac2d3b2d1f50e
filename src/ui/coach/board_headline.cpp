#include "board_headline.h"

#include "chance_marks.h"
#include "coach_lines.h"
#include "coach_texts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kubiq {

BoardHeadline::BoardHeadline(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Kopfzeile"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_total = addLine(this, layout, "Erwartet");
    m_total->setWordWrap(false);
    QFont large = m_total->font();
    large.setPointSizeF(large.pointSizeF() * 2.2);
    large.setBold(true);
    m_total->setFont(large);
    auto* words = new QVBoxLayout;
    layout->addLayout(words, 1);
    m_caption = new QLabel(QStringLiteral("erwartete Endsumme\nbei bester Spielweise"), this);
    m_caption->setObjectName(QStringLiteral("ErwartetText"));
    words->addWidget(m_caption);
    const MarkedLine marked = addMarkedLine(this, words, "Bonus", "BonusBalken");
    m_bonus = marked.line;
    m_bonusMarks = marked.marks;
}

void BoardHeadline::showAdvice(const Advice& advice) {
    // The figure stands alone in large type; its spoken name is the whole line.
    m_total->setText(coachNumber(advice.expectedTotal));
    m_total->setAccessibleName(expectedLine(advice.expectedTotal));
    m_total->show();
    m_caption->show();
    setLine(m_bonus, bonusLine(advice.bonus));
    const BonusChances& chances = advice.bonus;
    m_bonusMarks->showBars(
        {{{chances.upper}, chances.upper, false}, {{chances.lower}, chances.lower, false}},
        m_bonus->text());
}

void BoardHeadline::showNothing() {
    m_total->hide();
    m_caption->hide();
    m_bonus->hide();
    m_bonusMarks->showBars({}, QString());
}

} // namespace kubiq
