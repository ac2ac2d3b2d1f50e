#include "advice_view.h"

#include "coach_lines.h"
#include "coach_texts.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kubiq {

AdviceView::AdviceView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_expected = addLine(this, layout, "Erwartet");
    m_hold = addLine(this, layout, "Halten");
    m_bestEntry = addLine(this, layout, "Eintrag");
    m_entriesHeading = addLine(this, layout, "Kategorien");
    m_entriesHeading->setText(QStringLiteral("Jetzt eintragen, erwartete Endsumme:"));
    m_entriesHeading->setAccessibleName(m_entriesHeading->text());
    m_entries = addList(this, layout, "Kategorienliste", m_entriesHeading->text());
    m_entriesHeading->setBuddy(m_entries);
    m_lastMove = addLine(this, layout, "LetzterZug");
    m_loss = addLine(this, layout, "Verlust");
    m_lastGame = addLine(this, layout, "LetztesSpiel");
    m_lastGame->hide();
}

void AdviceView::showAdvice(const Position& position, const std::optional<Advice>& advice) {
    m_expected->setVisible(advice.has_value());
    if (advice)
        setLine(m_expected, expectedLine(advice->expectedTotal));
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
    for (const EntryAdvice& entry : rolled ? advice->entries : std::vector<EntryAdvice>())
        rows << entryLine(entry);
    setRows(m_entries, rows);
}

void AdviceView::showGame(const GameReview& live, const GameReview* lastFinished) {
    std::optional<double> last;
    for (const ReviewStep& step : live.steps)
        if (step.kind == ReviewStep::Kind::Decision)
            last = step.cost();
    setLine(m_lastMove, lastMoveLine(last));
    setLine(m_loss, lossLine(live.loss()));
    if (lastFinished)
        setLine(m_lastGame, QStringLiteral("Letztes Spiel: ") + balanceLine(*lastFinished));
}

} // namespace kubiq
