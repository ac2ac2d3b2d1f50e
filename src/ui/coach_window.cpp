#include "coach_window.h"

#include "coach_texts.h"
#include "design_palette.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace kubiq {

namespace {

constexpr int kWidth = 360;
// Room for the window manager's frames between the two windows.
constexpr int kGap = 8;

// A line a screen reader reads and the keyboard can reach, named after what it says.
QLabel* line(QWidget* parent, QVBoxLayout* layout, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFocusPolicy(Qt::TabFocus);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

void setLine(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
    if (label->accessibleName() != text)
        label->setAccessibleName(text);
    label->show();
}

} // namespace

CoachWindow::CoachWindow(std::vector<std::string> tables, QWidget* parent)
    : QWidget(parent, Qt::Window), m_tables(std::move(tables)) {
    setObjectName(QStringLiteral("CoachWindow"));
    setWindowTitle(QStringLiteral("KUBIQ – Berater"));
    setAccessibleName(windowTitle());
    setMinimumWidth(300);
    setPalette(designPalette()); // the game's light colours, whatever the desktop's scheme
    // The keys stay with the game, so that keyboard play goes on with the coach beside it; the
    // coach is one switch of windows away.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);
    m_problem = line(this, layout, "Problem");
    m_expected = line(this, layout, "Erwartet");
    m_hold = line(this, layout, "Halten");
    m_bestEntry = line(this, layout, "Eintrag");
    m_entriesHeading = line(this, layout, "Kategorien");
    m_entriesHeading->setText(QStringLiteral("Jetzt eintragen, erwartete Endsumme:"));
    m_entriesHeading->setAccessibleName(m_entriesHeading->text());
    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("Kategorienliste"));
    m_entries->setAccessibleName(m_entriesHeading->text());
    m_entriesHeading->setBuddy(m_entries);
    layout->addWidget(m_entries, 1);
    m_lastMove = line(this, layout, "LetzterZug");
    m_loss = line(this, layout, "Verlust");

    for (QKeySequence key : {QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Escape)})
        new QShortcut(key, this, this, &QWidget::close);
}

std::vector<std::string> CoachWindow::tablesBesideProgram() {
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(program + QStringLiteral("/../share/games/kubiq/coach.table"))
                .toStdString(),
            (program + QStringLiteral("/coach.table")).toStdString()};
}

void CoachWindow::load() {
    m_loaded = true;
    std::optional<TableProblem> problem = TableProblem::Missing;
    for (const std::string& path : m_tables) {
        std::variant<Coach, TableProblem> loaded = Coach::load(path);
        if (auto* coach = std::get_if<Coach>(&loaded)) {
            m_coach.emplace(std::move(*coach));
            problem.reset();
            break;
        }
        problem = std::get<TableProblem>(loaded);
        if (problem != TableProblem::Missing)
            break; // a table that is there but bad is the one to tell of
    }
    if (problem) {
        for (QWidget* widget : findChildren<QWidget*>())
            widget->hide();
        setLine(m_problem, problemLine(*problem));
    } else {
        m_problem->hide();
    }
}

void CoachWindow::follow(const Position& position, const MoveLog& moves) {
    if (!m_loaded)
        load();
    if (!m_coach)
        return;
    if (const std::optional<Advice> advice = m_coach->advise(position)) {
        showAdvice(position, *advice);
    } else {
        // Never figures of another board.
        for (QWidget* line : std::initializer_list<QWidget*>{m_expected, m_hold, m_bestEntry,
                                                             m_entriesHeading, m_entries})
            line->hide();
    }
    showCosts(moves);
}

void CoachWindow::showAdvice(const Position& position, const Advice& advice) {
    setLine(m_expected, expectedLine(advice.expectedTotal));
    m_hold->setVisible(advice.bestHold.has_value());
    if (advice.bestHold)
        setLine(m_hold, holdLine(*advice.bestHold));
    const bool rolled = position.rollsMade > 0 && !advice.entries.empty();
    m_bestEntry->setVisible(rolled);
    m_entriesHeading->setVisible(rolled);
    m_entries->setVisible(rolled);
    if (!rolled)
        return;
    if (advice.bestHold)
        setLine(m_bestEntry, bestEntryLine(advice.entries.front()));
    else
        m_bestEntry->hide(); // the list's first row says it, with no roll left to weigh
    m_entries->clear();
    for (const EntryAdvice& entry : advice.entries)
        m_entries->addItem(entryLine(entry));
    m_entries->setCurrentRow(0);
}

void CoachWindow::showCosts(const MoveLog& moves) {
    const std::vector<Move>& game = moves.thisGame();
    if (m_costsOfGame != moves.games() || m_costs.size() > game.size()) {
        m_costsOfGame = moves.games();
        m_costs.clear();
    }
    while (m_costs.size() < game.size())
        m_costs.push_back(m_coach->cost(game[m_costs.size()]));

    std::optional<double> last;
    if (!m_costs.empty())
        last = m_costs.back();
    else if (moves.last())
        last = m_coach->cost(*moves.last()); // the last entry of the game before
    double loss = 0.0;
    for (double cost : m_costs)
        loss += cost;
    setLine(m_lastMove, lastMoveLine(last));
    setLine(m_loss, lossLine(loss));
}

void CoachWindow::placeBeside(const QWidget& game) {
    // Narrow enough to fit beside the centred game on a screen 1280 pixels wide.
    adjustSize();
    resize(kWidth, height());
    const QScreen* display = game.screen();
    move(besidePosition(game.frameGeometry(), frameGeometry().size(),
                        display ? display->availableGeometry() : QRect()));
}

QPoint CoachWindow::besidePosition(const QRect& game, const QSize& size, const QRect& room) {
    const QPoint right(game.right() + 1 + kGap, game.top());
    if (!room.isValid() || right.x() + size.width() <= room.right() + 1)
        return right;
    return {std::max(room.left(), game.left() - size.width() - kGap), game.top()};
}

} // namespace kubiq
