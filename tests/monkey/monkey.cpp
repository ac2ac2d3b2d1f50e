#include "monkey.h"

#include "coach_texts.h"
#include "form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <chrono>
#include <stdexcept>
#include <utility>

namespace kubiq::monkey {

namespace {

// How much more often than a label a control is picked for a click: the roll button and the
// sheet's buttons most, so that games get finished; "&Ende" least, so that they are not cut off
// all the time (clicks at random points still hit it often enough).
int weightOf(const QString& name) {
    if (name == QLatin1String("CommandWuerfeln"))
        return 40;
    if (name.startsWith(QLatin1String("ComandPHalten(")))
        return 8;
    if (name.startsWith(QLatin1String("CommandWHalten(")))
        return 4;
    if (name == QLatin1String("CommandOK") || name == QLatin1String("CommandHelp"))
        return 3;
    return 1;
}

// How long a click that the window animates (a mnemonic's, such as Alt+H) may take to arrive.
constexpr int kAnimatedClickTimeoutMs = 2000;

// The board as the coach must read it, taken from what the window shows (which brokenRule
// has passed): "" is a blank die and an empty GESAMT cell.
Position positionOn(const Board& board) {
    Position position;
    position.open = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        position.open |= board.open[c] ? 1u << c : 0u;
    position.upperSum = board.sums[0].toInt(); // GESAMT oben
    position.lowerSum = board.sums[3].toInt(); // GESAMT unten
    position.rollsMade = board.versuch - 1;
    for (int i = 0; i < kDiceCount; ++i) {
        position.faces[i] = board.dice[i].toInt();
        position.held[i] = board.red[i];
    }
    return position;
}

std::string quoted(const QString& s) {
    return "\"" + s.toStdString() + "\"";
}

} // namespace

void AnsweredBox::information(std::string_view title, std::string_view text) {
    ++m_shown;
    m_title = title;
    m_text = text;
    if (onShow)
        onShow();
}

Monkey::Monkey(std::uint64_t seed, bool withCoach)
    : m_seed(seed), m_random(seed),
      // The window's load seeds the draw from the clock, so the seed decides every face.
      m_clock(std::chrono::nanoseconds(static_cast<std::int64_t>(seed & 0x3FFF'FFFF'FFFF'FFFF))) {
    m_box.onShow = [this] {
        ++m_counts.gamesFinished;
        const Board board = m_reader->read();
        std::string rule = brokenRule(board, true);
        if (rule.empty() && m_box.title() != "Game Over")
            rule = "the box at the end of a game is titled \"" + m_box.title() + "\"";
        if (rule.empty() && m_box.text().rfind("GAME OVER\r\n", 0) != 0)
            rule = "the box at the end of a game reads \"" + m_box.text() + "\"";
        if (rule.empty())
            rule = brokenCoach(board);
        if (!rule.empty() && m_boxFault.empty())
            m_boxFault = "while the game-over box is open: " + rule;
        m_history.record(shownTotal(board));
        m_lastTotal = shownTotal(board);
    };
    m_box.onQuestion = [this] { return below(2) == 0; };
    if (withCoach) {
        std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_COACH_TABLE);
        if (!std::holds_alternative<Coach>(loaded))
            throw std::runtime_error("the coach's table " KUBIQ_COACH_TABLE " cannot be read");
        m_coach.emplace(std::move(std::get<Coach>(loaded)));
    }
    startProgram();
}

Monkey::~Monkey() = default;

void Monkey::startProgram() {
    m_reader.reset();
    m_window.reset();
    m_window = std::make_unique<Form1>(
        WindowServices{m_clock, m_draw, m_beeper, m_box, m_pacer, {KUBIQ_COACH_TABLE}});
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        throw std::runtime_error("the window was never shown");
    m_reader = std::make_unique<BoardReader>(*m_window);
    m_history.clear();

    m_targets.clear();
    m_targetWeight = 0;
    // In the order the window made them, which is the same in every run.
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        m_targets.push_back({widget, name, weightOf(name)});
        m_targetWeight += weightOf(name);
    }
    m_buttons = m_window->findChildren<QAbstractButton*>();
    m_last = m_reader->read();
    // After the targets are found: the coach's lines are no controls of the game to click.
    if (m_coach)
        toggleCoach();
}

void Monkey::clickAt(QPoint position, bool twice) {
    QWindow* window = m_window->windowHandle();
    if (twice)
        QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, position);
    else
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, position);
}

std::string Monkey::clickControl() {
    auto pick = static_cast<int>(below(static_cast<std::uint64_t>(m_targetWeight)));
    for (const Target& target : m_targets) {
        pick -= target.weight;
        if (pick < 0) {
            // Where the control is, whatever it is now: hidden under the other view, disabled.
            clickAt(target.widget->mapTo(m_window.get(), target.widget->rect().center()));
            return "click on " + target.name.toStdString();
        }
    }
    return "no control";
}

std::string Monkey::key(int key, Qt::KeyboardModifiers modifiers, const char* name) {
    QTest::keyClick(m_window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
    return name;
}

std::string Monkey::toggleHelp() {
    const bool open = m_last.panel[0];
    const Target* button = nullptr;
    for (const Target& target : m_targets) {
        if (target.name == (open ? QLatin1String("CommandOK") : QLatin1String("CommandHelp")))
            button = &target;
    }
    clickAt(button->widget->mapTo(m_window.get(), button->widget->rect().center()));
    return open ? "panel closed by OK" : "panel opened";
}

QWidget* Monkey::openCoach() const {
    auto* coach = m_window->findChild<QWidget*>(QStringLiteral("CoachWindow"));
    return coach && coach->isVisible() ? coach : nullptr;
}

std::string Monkey::toggleCoach() {
    key(Qt::Key_F2, Qt::NoModifier, "F2");
    if (QWidget* coach = openCoach())
        if (auto* warn = coach->findChild<QCheckBox*>(QStringLiteral("Warnen")))
            warn->setChecked(true);
    // A window that opens takes the activation, and with it the game's shortcuts; the player
    // goes back to the game window, where the monkey's events go.
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        throw std::runtime_error("the game window could not be activated after F2");
    return "F2";
}

std::string Monkey::brokenCoach(const Board& board) {
    const QWidget* coach = m_coach ? openCoach() : nullptr;
    if (coach == nullptr)
        return {};
    ++m_counts.coachChecks;
    const std::optional<Advice> advice = m_coach->advise(positionOn(board));
    if (!advice)
        return "the coach's table has no advice for the board on screen";
    const QString hidden = QStringLiteral("(hidden)");
    const std::pair<const char*, QString> lines[] = {
        {"Erwartet", coachNumber(advice->expectedTotal)},
        {"Bonus", bonusLine(advice->bonus)},
    };
    // Shown or hidden as the coach's own views have them, whichever view is at the front.
    for (const auto& [name, wanted] : lines) {
        const auto* label = coach->findChild<QLabel*>(QLatin1String(name));
        const QString shown = label == nullptr    ? QStringLiteral("(missing)")
                              : label->isHidden() ? hidden
                                                  : label->text();
        if (shown != wanted)
            return std::string("the coach's line ") + name + " reads " + quoted(shown) +
                   " instead of " + quoted(wanted);
    }
    // The table of choices, once the dice show faces, none before: after the last roll every
    // open category, best first; between rolls the best holds, the held dice and rolling all
    // five where they rank lower, and the best entry, the best choice first.
    const Position position = positionOn(board);
    QStringList rows;
    const auto* table = coach->findChild<QTableView*>(QStringLiteral("Wahltabelle"));
    for (int i = 0; table && !table->isHidden() && i < table->model()->rowCount(); ++i)
        rows << table->model()->index(i, 1).data().toString() + QStringLiteral(": ") +
                    table->model()->index(i, 2).data().toString();
    QStringList wanted;
    const std::vector<RankedHold> holds = m_coach->rankHolds(position, 8);
    for (const RankedHold& ranked : holds)
        wanted << choiceText({ranked.hold.faces, -1}) + QStringLiteral(": ") +
                      coachNumber(ranked.hold.expectedTotal);
    for (std::size_t i = 0; i < advice->entries.size() && (holds.empty() || i == 0); ++i)
        wanted << choiceText({{}, advice->entries[i].category}) + QStringLiteral(": ") +
                      coachNumber(advice->entries[i].expectedTotal);
    const QString best = rows.isEmpty() ? QString() : rows.front();
    if (!holds.empty()) {
        rows.sort();
        wanted.sort();
    }
    if (rows != wanted)
        return "the coach lists " + quoted(rows.join(QStringLiteral("; "))) + " instead of " +
               quoted(wanted.join(QStringLiteral("; ")));
    if (!rows.isEmpty() &&
        !best.endsWith(QStringLiteral(": ") + coachNumber(advice->expectedTotal)))
        return "the coach's first row " + quoted(best) + " is not the best choice";
    return {};
}

std::string Monkey::showCoachView() {
    QWidget* coach = openCoach();
    auto* views = coach->findChild<QTabWidget*>(QStringLiteral("Ansichten"));
    auto* games = coach->findChild<QComboBox*>(QStringLiteral("Spielauswahl"));
    if (views == nullptr || games == nullptr)
        throw std::runtime_error("the coach has no views to show");
    views->setCurrentIndex(static_cast<int>(below(static_cast<std::uint64_t>(views->count()))));
    games->setCurrentIndex(static_cast<int>(below(static_cast<std::uint64_t>(games->count()))));
    // Drawn as the screen would draw it, at once.
    for (QWidget* chart : coach->findChildren<QWidget*>(QStringLiteral("Verlaufskurve")))
        chart->grab();
    ++m_counts.viewsShown;
    std::string what = "coach view " + std::to_string(views->currentIndex()) + ", game " +
                       std::to_string(games->currentIndex());
    // In the exercises, a few clicks: dice, "Würfeln", a category, "Nächste Aufgabe".
    const auto clickable = [views] {
        QList<QPushButton*> buttons;
        for (QPushButton* button : views->currentWidget()->findChildren<QPushButton*>())
            if (button->isVisible() && button->isEnabled())
                buttons << button;
        return buttons;
    };
    for (int i = 0; i < 3; ++i) {
        const QList<QPushButton*> buttons = clickable();
        if (buttons.isEmpty())
            break;
        QPushButton* button = buttons.at(static_cast<int>(below(buttons.size())));
        what += ", click on " + button->objectName().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    return what;
}

std::string Monkey::brokenReview(int total) {
    const QWidget* coach = m_coach ? openCoach() : nullptr;
    if (coach == nullptr)
        return {};
    const auto* line = coach->findChild<QLabel*>(QStringLiteral("LetztesSpiel"));
    const QString wanted = QStringLiteral("Letztes Spiel: Endsumme %1 = ").arg(total);
    if (line == nullptr || line->isHidden() || !line->text().startsWith(wanted))
        return "after the game the coach's review reads " +
               quoted(line ? line->text() : QStringLiteral("(missing)")) + " instead of " +
               quoted(wanted + QStringLiteral("…"));
    return {};
}

std::string Monkey::makeEvent() {
    // Now and then the player closes the coach, and soon opens it again, or looks at another
    // of its views.
    if (m_coach && below(openCoach() ? 100 : 4) == 0)
        return toggleCoach();
    if (m_coach && openCoach() && below(50) == 0)
        return showCoachView();
    const auto size = m_window->size();
    const auto kind = below(1000);
    if (kind < 120) {
        const QPoint at(static_cast<int>(below(static_cast<std::uint64_t>(size.width()))),
                        static_cast<int>(below(static_cast<std::uint64_t>(size.height()))));
        clickAt(at);
        return "click at " + std::to_string(at.x()) + "," + std::to_string(at.y());
    }
    if (kind < 150) {
        const QPoint at(static_cast<int>(below(static_cast<std::uint64_t>(size.width()))),
                        static_cast<int>(below(static_cast<std::uint64_t>(size.height()))));
        clickAt(at, true);
        return "double click at " + std::to_string(at.x()) + "," + std::to_string(at.y());
    }
    if (kind < 750)
        return clickControl();
    if (kind < 800)
        return key(Qt::Key_Tab, Qt::NoModifier, "Tab");
    if (kind < 830)
        return key(Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab");
    if (kind < 900)
        return key(Qt::Key_Space, Qt::NoModifier, "Space");
    if (kind < 915)
        return key(Qt::Key_Return, Qt::NoModifier, "Enter");
    if (kind < 930)
        return key(Qt::Key_Enter, Qt::NoModifier, "Enter on the keypad");
    if (kind < 960)
        return key(Qt::Key_Escape, Qt::NoModifier, "Escape");
    if (kind < 997)
        return toggleHelp();
    if (kind < 999)
        return key(Qt::Key_H, Qt::AltModifier, "Alt+H");
    return key(Qt::Key_E, Qt::AltModifier, "Alt+E");
}

bool Monkey::awaitAnimatedClicks() {
    // A mnemonic presses its button at once and clicks it 100 ms later, by a timer; the next
    // event waits for that click so that a run does not depend on the time it takes.
    const auto down = [this] {
        for (QAbstractButton* button : m_buttons) {
            if (button->isDown())
                return true;
        }
        return false;
    };
    if (!down())
        return true;
    ++m_counts.animatedClicks;
    return QTest::qWaitFor([&] { return !down(); }, kAnimatedClickTimeoutMs);
}

bool Monkey::fail(long event, const std::string& what, const std::string& rule) {
    m_failedEvent = event;
    m_failure = "event " + std::to_string(event) + " (" + what + "): " + rule;
    return false;
}

std::string Monkey::checkPanel() {
    ++m_counts.panelsOpened;
    return brokenHistory(m_reader->panelText(), m_history);
}

bool Monkey::run(long events) {
    for (long n = 0; n < events; ++n) {
        const long event = ++m_counts.events;
        const Board before = m_last;
        const long boxes = m_box.shown();
        m_counts.warnings = m_box.questions();
        const int beeps = m_beeper.beeps();

        const std::string what = makeEvent();
        if (!awaitAnimatedClicks())
            return fail(event, what, "a button stayed pressed");
        if (afterEvent)
            afterEvent(event, what);
        if (!m_boxFault.empty())
            return fail(event, what, m_boxFault);
        const bool gameOver = m_box.shown() != boxes;
        if (m_box.shown() > boxes + 1)
            return fail(event, what, "more than one game ended");
        const bool doubleClick = what.rfind("double", 0) == 0;
        if (m_beeper.beeps() != beeps && before.versuch != 1 && !doubleClick)
            return fail(event, what, "a beep at Versuch " + std::to_string(before.versuch));
        m_counts.beeps = m_beeper.beeps();

        if (!m_window->isVisible()) {
            // Only "&Ende" closes the window: a click, Space on it, or its mnemonic; from the
            // panel, where it is hidden, only a double click, of which the first shuts the panel.
            const bool mayClose =
                what.find("click") != std::string::npos || what == "Space" || what == "Alt+E";
            if (!mayClose)
                return fail(event, what, "the window closed");
            if (before.panel[0] && !doubleClick)
                return fail(event, what, "the window closed from the panel");
            ++m_counts.closes;
            if (below(8) == 0) {
                ++m_counts.restarts;
                startProgram();
                std::string rule = brokenRule(m_last);
                if (rule.empty())
                    rule = brokenCoach(m_last);
                if (!rule.empty())
                    return fail(event, what, "after a new start: " + rule);
                continue;
            }
            m_window->show();
            if (!QTest::qWaitForWindowExposed(m_window.get()))
                return fail(event, what, "the window could not be shown again");
        }

        const Board after = m_reader->read();
        if (const std::string rule = brokenRule(after); !rule.empty())
            return fail(event, what, rule);
        if (const std::string rule = brokenStep(before, after, gameOver, doubleClick ? 2 : 1);
            !rule.empty())
            return fail(event, what, rule);
        if (const std::string rule = brokenCoach(after); !rule.empty())
            return fail(event, what, rule);
        if (after.panel[0] && !before.panel[0]) {
            if (const std::string rule = checkPanel(); !rule.empty())
                return fail(event, what, rule);
        }
        m_last = after;

        if (gameOver) {
            if (const std::string rule = brokenReview(m_lastTotal); !rule.empty())
                return fail(event, what, rule);
            // Every finished game is looked up in the history, through the panel.
            toggleHelp();
            const Board panel = m_reader->read();
            if (!panel.panel[0])
                return fail(event, what, "the panel did not open after the game");
            if (const std::string rule = checkPanel(); !rule.empty())
                return fail(event, what, "after the game: " + rule);
            toggleHelp();
            m_last = m_reader->read();
            if (const std::string rule = brokenRule(m_last); !rule.empty())
                return fail(event, what, "after the panel closed: " + rule);
        }
    }
    return true;
}

} // namespace kubiq::monkey
