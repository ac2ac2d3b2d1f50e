#include "advice_view.h"

#include "chance_marks.h"
#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

namespace {

// The two bonus chances after a choice, each with a tick at the chance under best play.
ChanceBars bonusBars(const BonusChances& after, const BonusChances& best) {
    return {{{after.upper}, best.upper, false}, {{after.lower}, best.lower, false}};
}

// "Dreierpasch: 238,0", and under it the bonus chances after the entry.
QString entryRow(const EntryAdvice& entry) {
    return entryLine(entry) + QLatin1Char('\n') + bonusLine(entry.outlook.bonus);
}

} // namespace

AdviceView::AdviceView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_expected = addLine(this, layout, "Erwartet");
    const MarkedLine marked = addMarkedLine(this, layout, "Bonus", "BonusBalken");
    m_bonus = marked.line;
    m_bonusMarks = marked.marks;
    m_hold = addLine(this, layout, "Halten");
    m_bestEntry = addLine(this, layout, "Eintrag");
    m_entriesHeading = addLine(this, layout, "Kategorien");
    m_entriesHeading->setText(QStringLiteral("Jetzt eintragen, erwartete Endsumme:"));
    m_entriesHeading->setAccessibleName(m_entriesHeading->text());
    m_entries = addList(this, layout, "Kategorienliste", m_entriesHeading->text());
    m_entries->setItemDelegate(new ChanceMarksDelegate(m_entries));
    m_entriesHeading->setBuddy(m_entries);
    m_lastMove = addLine(this, layout, "LetzterZug");
    m_loss = addLine(this, layout, "Verlust");
    m_lastGame = addLine(this, layout, "LetztesSpiel");
    m_lastGame->hide();
}

void AdviceView::showAdvice(const Position& position, const std::optional<Advice>& advice) {
    m_expected->setVisible(advice.has_value());
    m_bonus->setVisible(advice.has_value());
    if (advice) {
        setLine(m_expected, expectedLine(advice->expectedTotal));
        setLine(m_bonus, bonusLine(advice->bonus));
    }
    m_bonusMarks->showBars(advice ? bonusBars(advice->bonus, advice->bonus) : ChanceBars(),
                           m_bonus->text());
    const bool holds = advice && advice->bestHold;
    m_hold->setVisible(holds);
    if (holds)
        setLine(m_hold, holdLine(*advice->bestHold));
    const bool rolled = advice && position.rollsMade > 0 && !advice->entries.empty();
    // The list's first row says it when there is no roll left to weigh.
    m_bestEntry->setVisible(rolled && holds);
    if (rolled && holds)
        setLine(m_bestEntry, bestEntryLine(advice->entries.front()));
    m_entriesHeading->setVisible(rolled);
    QStringList rows;
    QList<ChanceBars> bars;
    for (const EntryAdvice& entry : rolled ? advice->entries : std::vector<EntryAdvice>()) {
        rows << entryRow(entry);
        bars << bonusBars(entry.outlook.bonus, advice->bonus);
    }
    setRows(m_entries, rows);
    for (int i = 0; i < m_entries->count(); ++i)
        ChanceMarksDelegate::setBars(m_entries->item(i), bars.value(i));
}

void AdviceView::showGame(const GameReview& onShow, const GameReview* lastFinished) {
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
