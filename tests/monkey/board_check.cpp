#include "board_check.h"

#include "form1.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <numeric>
#include <optional>
#include <stdexcept>

namespace kubiq::monkey {

namespace {

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

std::string text(const QString& s) {
    return "\"" + s.toStdString() + "\"";
}

// A cell's number; nothing for "" or for anything that is not a plain decimal number.
std::optional<int> number(const QString& cell) {
    if (cell.isEmpty() || cell.size() > 9)
        return std::nullopt;
    for (QChar ch : cell) {
        if (!ch.isDigit())
            return std::nullopt;
    }
    return cell.toInt();
}

// What the rules give category c for these faces: the tip the sheet must offer, or nothing
// where the dice do not fit.
std::optional<int> tipFor(int category, const std::array<int, kDiceCount>& faces) {
    std::array<int, 7> count{};
    for (int face : faces)
        ++count[face];
    const int most = *std::max_element(count.begin() + 1, count.end());
    const int mostFace =
        static_cast<int>(std::max_element(count.begin() + 1, count.end()) - count.begin());
    int run = 0;
    int longest = 0;
    for (int face = 1; face <= 6; ++face) {
        run = count[face] ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const bool pair = std::find(count.begin() + 1, count.end(), 2) != count.end();
    const auto fits = [](bool fit, int points) {
        return fit ? std::optional(points) : std::nullopt;
    };
    switch (category) {
    case Dreierpasch:
        return fits(most >= 3, 3 * mostFace);
    case Viererpasch:
        return fits(most >= 4, 4 * mostFace);
    case FullHouse:
        return fits(most == 3 && pair, 25);
    case KleineStrasse:
        return fits(longest >= 4, 30);
    case GrosseStrasse:
        return fits(longest == 5, 40);
    case Kubiq:
        return fits(most == 5, 50);
    case Chance:
        return std::accumulate(faces.begin(), faces.end(), 0);
    default:
        return fits(count[category + 1] > 0, (category + 1) * count[category + 1]);
    }
}

// Whether `points` can be entered in category c at all: 0 or a tip some dice give it.
bool possibleScore(int category, int points) {
    if (points == 0)
        return true;
    switch (category) {
    case Dreierpasch:
        return points % 3 == 0 && points >= 3 && points <= 18;
    case Viererpasch:
        return points % 4 == 0 && points >= 4 && points <= 24;
    case FullHouse:
        return points == 25;
    case KleineStrasse:
        return points == 30;
    case GrosseStrasse:
        return points == 40;
    case Kubiq:
        return points == 50;
    case Chance:
        return points >= 5 && points <= 30;
    default:
        return points % (category + 1) == 0 && points <= 5 * (category + 1);
    }
}

QString sumText(std::optional<int> value) {
    return value ? QString::number(*value) : QString();
}

} // namespace

template <typename T> T* BoardReader::find(const QString& name) const {
    T* found = m_window.findChild<T*>(name);
    if (found == nullptr)
        throw std::runtime_error("the window has no control " + name.toStdString());
    return found;
}

BoardReader::BoardReader(const Form1& window) : m_window(window) {
    for (int i = 0; i < kDiceCount; ++i) {
        m_dice[i] = find<QLabel>(indexed("LabelWAnzeige", i));
        m_hold[i] = find<QPushButton>(indexed("CommandWHalten", i));
    }
    m_roll = find<QPushButton>(QStringLiteral("CommandWuerfeln"));
    for (int c = 0; c < kCategoryCount; ++c) {
        m_categories[c] = find<QPushButton>(indexed("ComandPHalten", c));
        m_tips[c] = find<QLabel>(indexed("LabelTip", c));
        m_scores[c] = find<QLabel>(indexed("LabelPunkte", c));
    }
    for (std::size_t s = 0; s < kSumCells.size(); ++s)
        m_sums[s] = find<QLabel>(indexed("LabelPunkte", static_cast<int>(kSumCells[s])));
    m_gameView = {find<QWidget>(QStringLiteral("Frame1")), find<QWidget>(QStringLiteral("Frame2")),
                  find<QWidget>(QStringLiteral("CommandHelp")),
                  find<QWidget>(QStringLiteral("CommandExit"))};
    m_text = find<QPlainTextEdit>(QStringLiteral("TextSpielstand"));
    m_panel = {find<QWidget>(QStringLiteral("Frame3")), m_text,
               find<QWidget>(QStringLiteral("CommandOK"))};
}

QPushButton* BoardReader::button(const QString& name) const {
    return find<QPushButton>(name);
}

Board BoardReader::read() const {
    Board board;
    board.versuch = m_window.Versuch();
    board.runde = m_window.Runde();
    for (int i = 0; i < kDiceCount; ++i) {
        board.dice[i] = m_dice[i]->text();
        const QColor back = m_dice[i]->palette().color(QPalette::Window);
        board.red[i] = back == QColor(255, 0, 0);
        if (!board.red[i] && back != QColor(0, 0, 0))
            board.dice[i] = QStringLiteral("?background %1").arg(back.name());
        board.holdEnabled[i] = m_hold[i]->isEnabled();
    }
    board.rollCaption = m_roll->text();
    board.rollEnabled = m_roll->isEnabled();
    for (int c = 0; c < kCategoryCount; ++c) {
        board.open[c] = m_categories[c]->isEnabled();
        board.tips[c] = m_tips[c]->text();
        board.scores[c] = m_scores[c]->text();
    }
    for (std::size_t s = 0; s < kSumCells.size(); ++s)
        board.sums[s] = m_sums[s]->text();
    for (std::size_t w = 0; w < m_gameView.size(); ++w)
        board.gameView[w] = m_gameView[w]->isVisibleTo(&m_window);
    for (std::size_t w = 0; w < m_panel.size(); ++w)
        board.panel[w] = m_panel[w]->isVisibleTo(&m_window);
    if (const QWidget* focus = m_window.focusWidget(); focus && !focus->isVisibleTo(&m_window))
        board.hiddenFocus =
            focus->objectName().isEmpty() ? QStringLiteral("(unnamed)") : focus->objectName();
    return board;
}

QString BoardReader::panelText() const {
    return m_text->toPlainText();
}

std::string brokenRule(const Board& board, bool gameOverBox) {
    // One view at a time, each whole.
    const auto all = [](const auto& flags, bool value) {
        return std::all_of(flags.begin(), flags.end(), [&](bool f) { return f == value; });
    };
    const bool gameView = all(board.gameView, true) && all(board.panel, false);
    const bool panel = all(board.gameView, false) && all(board.panel, true);
    if (!gameView && !panel)
        return "the panel and the game view are mixed or both shown or both hidden";
    // Keys go to the focus: on a hidden button, Space would click what no one can see.
    if (!board.hiddenFocus.isEmpty())
        return "the keyboard focus rests on the hidden " + board.hiddenFocus.toStdString();

    if (board.versuch < 1 || board.versuch > kRollsPerTurn + 1)
        return "Versuch is " + std::to_string(board.versuch);
    const QString caption =
        QStringLiteral("Würfeln  (%1. Versuch)").arg(std::min(board.versuch, kRollsPerTurn));
    if (board.rollCaption != caption)
        return "the roll button reads " + text(board.rollCaption) + " at Versuch " +
               std::to_string(board.versuch);
    if (board.rollEnabled != (board.versuch <= kRollsPerTurn))
        return std::string("the roll button is ") + (board.rollEnabled ? "enabled" : "disabled") +
               " at Versuch " + std::to_string(board.versuch);

    std::array<int, kDiceCount> faces{};
    int blank = 0;
    for (int i = 0; i < kDiceCount; ++i) {
        const QString& die = board.dice[i];
        if (die.isEmpty()) {
            ++blank;
            if (board.red[i])
                return "blank die " + std::to_string(i) + " is held";
        } else if (die.size() == 1 && die[0] >= QLatin1Char('1') && die[0] <= QLatin1Char('6')) {
            faces[i] = die[0].digitValue();
        } else {
            return "die " + std::to_string(i) + " shows " + text(die);
        }
        if (!board.holdEnabled[i])
            return "hold button " + std::to_string(i) + " is disabled";
    }
    if (blank != 0 && blank != kDiceCount)
        return std::to_string(blank) + " dice are blank and the others not";
    if ((blank == kDiceCount) != (board.versuch == 1))
        return std::string(blank ? "all dice are blank" : "the dice show faces") + " at Versuch " +
               std::to_string(board.versuch);

    int entered = 0;
    std::array<std::optional<int>, kCategoryCount> scores{};
    for (int c = 0; c < kCategoryCount; ++c) {
        const std::string name = "category " + std::to_string(c);
        if (board.open[c]) {
            if (!board.scores[c].isEmpty())
                return name + " is open but its cell reads " + text(board.scores[c]);
            const std::optional<int> expected = blank ? std::nullopt : tipFor(c, faces);
            if (board.tips[c] != sumText(expected))
                return name + " offers the tip " + text(board.tips[c]) + " instead of " +
                       text(sumText(expected));
            continue;
        }
        ++entered;
        scores[c] = number(board.scores[c]);
        if (!scores[c] || !possibleScore(c, *scores[c]))
            return name + " is closed with the score " + text(board.scores[c]);
        if (!board.tips[c].isEmpty())
            return name + " is closed but offers the tip " + text(board.tips[c]);
    }
    const int runde = gameOverBox ? kCategoryCount + 1 : board.runde;
    if (gameOverBox && entered != kCategoryCount)
        return "the game-over box shows over a sheet with " + std::to_string(entered) + " entries";
    if (board.runde != runde || board.runde - 1 != entered)
        return "Runde is " + std::to_string(board.runde) + " with " + std::to_string(entered) +
               " categories entered";

    // The sums, by the rules applied to the cells; nothing before the game's first entry.
    std::array<std::optional<int>, kSumCells.size()> sums{};
    if (entered > 0) {
        const auto add = [&](int first, int last) {
            int sum = 0;
            for (int c = first; c <= last; ++c)
                sum += scores[c].value_or(0);
            return sum;
        };
        const int oben = add(Einer, Sechser);
        const int unten = add(Dreierpasch, Chance);
        const std::optional<int> bonusOben =
            oben >= kUpperBonusThreshold ? std::optional(kUpperBonus) : std::nullopt;
        const std::optional<int> bonusUnten =
            unten >= kLowerBonusThreshold ? std::optional(kLowerBonus) : std::nullopt;
        const int summe1 = oben + bonusOben.value_or(0);
        const int summe2 = unten + bonusUnten.value_or(0);
        sums = {oben, bonusOben, summe1, unten, bonusUnten, summe2, summe1 + summe2};
    }
    for (std::size_t s = 0; s < kSumCells.size(); ++s) {
        if (board.sums[s] != sumText(sums[s]))
            return "LabelPunkte(" + std::to_string(static_cast<int>(kSumCells[s])) + ") reads " +
                   text(board.sums[s]) + " instead of " + text(sumText(sums[s]));
    }
    return {};
}

std::string brokenStep(const Board& before, const Board& after, bool gameOver, int clicks) {
    if (gameOver)
        return {};
    int entries = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!before.open[c] && after.scores[c] != before.scores[c])
            return "the entry of category " + std::to_string(c) + " changed from " +
                   text(before.scores[c]) + " to " + text(after.scores[c]);
        entries += before.open[c] && !after.open[c];
    }
    if (entries > clicks)
        return std::to_string(entries) + " categories were entered by " + std::to_string(clicks) +
               " clicks";
    if (after.versuch != 1 &&
        (after.versuch < before.versuch || after.versuch > before.versuch + clicks))
        return "Versuch went from " + std::to_string(before.versuch) + " to " +
               std::to_string(after.versuch);
    if (after.versuch != 1) {
        for (int i = 0; i < kDiceCount; ++i) {
            if (before.red[i] && after.dice[i] != before.dice[i])
                return "held die " + std::to_string(i) + " changed from " + text(before.dice[i]) +
                       " to " + text(after.dice[i]);
        }
    }
    return {};
}

int shownTotal(const Board& board) {
    return number(board.sums.back()).value_or(-1);
}

void ExpectedHistory::record(int total) {
    if (m_games >= kMaxGames)
        return;
    ++m_games;
    m_total += total;
    // floor(G / N + 0.5) in whole numbers.
    const std::int64_t average = (2 * m_total + m_games) / (2 * std::int64_t{m_games});
    m_lines << QStringLiteral("%1. Spiel: %2 Punkte").arg(m_games).arg(total)
            << QStringLiteral("Punkte gesamt: %1").arg(m_total)
            << QStringLiteral("Durchschnitt: %1").arg(average);
}

std::string brokenHistory(const QString& panelText, const ExpectedHistory& history) {
    QStringList lines = panelText.split(QLatin1Char('\n'));
    if (lines.size() < kHelpLines + 1 || !lines.back().isEmpty())
        return "the panel's text does not end in a whole line after the help";
    lines.removeLast();
    lines.remove(0, kHelpLines);
    const QStringList& expected = history.lines();
    for (qsizetype n = 0; n < std::max(lines.size(), expected.size()); ++n) {
        const QString shown = n < lines.size() ? lines[n] : QStringLiteral("(nothing)");
        const QString wanted = n < expected.size() ? expected[n] : QStringLiteral("(nothing)");
        if (shown != wanted)
            return "history line " + std::to_string(n + 1) + " reads " + text(shown) +
                   " instead of " + text(wanted) + " after " + std::to_string(history.games()) +
                   " games";
    }
    return {};
}

} // namespace kubiq::monkey
