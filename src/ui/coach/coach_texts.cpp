#include "coach_texts.h"

#include "sheet_rows.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

QString categoryName(int category) {
    return QString::fromUtf8(spokenRow(category));
}

// A drop in points, shown as the negative figure it is.
QString lossNumber(double loss) {
    return coachNumber(-loss);
}

// A figure with its sign, "+" for one shown as positive or zero, and `gap` after the sign.
QString signedNumber(double value, const QString& gap) {
    const QString figure = coachNumber(value);
    const bool negative = figure.startsWith(QChar(0x2212));
    return (negative ? QChar(0x2212) : QChar('+')) + gap + figure.mid(negative ? 1 : 0);
}

// Luck with its sign: "+3,4", "−2,1", "+0,0".
QString luckNumber(double luck) {
    return signedNumber(luck, QString());
}

// "+ 12,3" or "− 12,3", as a term of a sum.
QString term(double value) {
    return signedNumber(value, QStringLiteral(" "));
}

// "− 12,3": a loss is subtracted, so its sign stays a minus even when it is nothing yet.
QString lossTerm(double loss) {
    return QChar(0x2212) + QStringLiteral(" ") + coachNumber(std::max(loss, 0.0));
}

QString facesText(const std::vector<int>& faces) {
    QStringList words;
    for (int face : faces)
        words << QString::number(face);
    return words.join(QLatin1Char(' '));
}

QString diceText(const std::array<int, kDiceCount>& faces) {
    std::vector<int> sorted(faces.begin(), faces.end());
    std::sort(sorted.begin(), sorted.end());
    return facesText(sorted);
}

QString slipText(Slip slip) {
    switch (slip) {
    case Slip::None:
        return {};
    case Slip::Inaccuracy:
        return QStringLiteral(" – Ungenauigkeit");
    case Slip::Mistake:
        return QStringLiteral(" – Fehler");
    case Slip::Blunder:
        return QStringLiteral(" – grober Fehler");
    }
    return {};
}

} // namespace

QString coachNumber(double value) {
    // Rounded once here, so that the sign follows the figure shown, not the value behind it.
    const double tenths = std::round(value * 10.0);
    QString text = QString::number(std::abs(tenths) / 10.0, 'f', 1)
                       .replace(QLatin1Char('.'), QLatin1Char(','));
    if (tenths < 0)
        text.prepend(QChar(0x2212));
    return text;
}

QString expectedLine(double expectedTotal) {
    return QStringLiteral("Erwartete Endsumme bei bester Spielweise: %1")
        .arg(coachNumber(expectedTotal));
}

QString lastMoveLine(std::optional<double> cost) {
    if (!cost)
        return QStringLiteral("Letzter Zug: noch keiner");
    return QStringLiteral("Letzter Zug: %1 Punkte").arg(lossNumber(*cost));
}

QString lossLine(double loss) {
    return QStringLiteral("Verlust in diesem Spiel: %1").arg(lossNumber(loss));
}

QString choiceText(const Choice& choice) {
    if (choice.enters())
        return categoryName(choice.category);
    if (choice.hold.empty())
        return QStringLiteral("alle neu würfeln");
    return facesText(choice.hold) + QStringLiteral(" halten");
}

QString warningText(const Explanation& explanation) {
    const Weighing& weighing = explanation.weighing;
    return QStringLiteral("Dieser Eintrag kostet %1 Punkte. Besser: %2 (erwartete Endsumme %3). "
                          "%4 Trotzdem eintragen?")
        .arg(coachNumber(weighing.cost()), choiceText(weighing.best),
             coachNumber(weighing.bestTotal), whyText(explanation));
}

QString balanceLine(const GameReview& review) {
    const QString terms =
        QStringLiteral("%1 erwartet %2 Glück %3 Verlust")
            .arg(coachNumber(review.expected), term(review.luck()), lossTerm(review.loss()));
    if (!review.total)
        return QStringLiteral("Jetzt erwartet %1 = %2")
            .arg(coachNumber(review.expected + review.luck() - review.loss()), terms);
    if (!review.balanced())
        return QStringLiteral("Endsumme %1: die Analyse dieses Spiels geht nicht auf.")
            .arg(*review.total);
    return QStringLiteral("Endsumme %1 = %2").arg(QString::number(*review.total), terms);
}

QString stepLine(const ReviewStep& step) {
    const QString when = QStringLiteral("Runde %1, Wurf %2").arg(step.turn).arg(step.roll);
    if (step.kind == ReviewStep::Kind::Roll)
        return QStringLiteral("%1: %2, Glück %3")
            .arg(when, diceText(step.faces), luckNumber(step.luck()));
    QString line = QStringLiteral("%1, Würfel %2: %3")
                       .arg(when, diceText(step.faces), choiceText(step.chosen));
    if (step.isBest())
        return line + QStringLiteral(", beste Wahl");
    return line +
           QStringLiteral(", beste Wahl %1, kostet %2")
               .arg(choiceText(step.best), coachNumber(step.cost())) +
           slipText(slipOf(step.cost()));
}

QString gameName(int number, int total) {
    return QStringLiteral("%1. Spiel: %2 Punkte").arg(number).arg(total);
}

QString loadedGameName(int number, const GameReview& review) {
    if (review.total)
        return QStringLiteral("Geladen %1: Spiel mit %2 Punkten").arg(number).arg(*review.total);
    const int turn = review.steps.empty() ? 1 : review.steps.back().turn;
    return QStringLiteral("Geladen %1: Spiel bis Runde %2").arg(number).arg(turn);
}

QString runGameLine(int number, const GameReview& review) {
    return QStringLiteral("%1. Spiel: %2, Glück %3, Verlust %4")
        .arg(QString::number(number), QString::number(review.total.value_or(0)),
             luckNumber(review.luck()), lossNumber(review.loss()));
}

QString runMeanLine(const RunSummary& summary) {
    return QStringLiteral("Mittel über %1: %2, Glück %3, Verlust %4")
        .arg(summary.games == 1 ? QStringLiteral("1 Spiel")
                                : QStringLiteral("%1 Spiele").arg(summary.games),
             coachNumber(summary.meanTotal), luckNumber(summary.meanLuck),
             lossNumber(summary.meanLoss));
}

QString bestShareLine(const RunSummary& summary) {
    return QStringLiteral("Beste Wahl bei %1 % der Entscheidungen")
        .arg(std::lround(summary.bestShare * 100.0));
}

QString exerciseLine(const Exercise& exercise) {
    const Position& board = exercise.original.before;
    return QStringLiteral("Spiel %1, Runde %2, Wurf %3: kostete %4 Punkte")
        .arg(QString::number(exercise.game), QString::number(board.turn()),
             QString::number(board.rollsMade), coachNumber(exercise.cost));
}

QString practiceSummary(int solved, std::size_t open) {
    return QStringLiteral("Gelöste Aufgaben: %1, offene: %2").arg(solved).arg(open);
}

QString bankProblemLine(BankProblem problem) {
    const QString reason =
        problem == BankProblem::Missing ? QStringLiteral("ihre Datei fehlt")
        : problem == BankProblem::OtherVersion
            ? QStringLiteral("ihre Datei gehört zu einer anderen Version von KUBIQ")
            : QStringLiteral("ihre Datei ist beschädigt");
    return QStringLiteral("Die Aufgaben können nicht gestellt werden, weil %1; „Meine Fehler“ "
                          "bleiben zum Üben.")
        .arg(reason);
}

QString bankCountsLine(int solved, int firstTry, int streak, double rating) {
    return QStringLiteral("Gelöst: %1, beim ersten Versuch: %2, Serie: %3, Wertung: %4")
        .arg(solved)
        .arg(firstTry)
        .arg(streak)
        .arg(std::lround(rating));
}

QString bankTitleLine(const BankExercise& exercise) {
    QStringList themes;
    for (int t = 0; t < kThemeCount; ++t)
        if (exercise.has(static_cast<Theme>(t))) {
            const std::string_view name = themeName(static_cast<Theme>(t));
            themes << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        }
    QString title = QStringLiteral("Aufgabe aus der Sammlung: Runde %1, nach dem %2. Wurf")
                        .arg(exercise.board.turn())
                        .arg(exercise.board.rollsMade);
    if (!themes.isEmpty())
        title += QStringLiteral(" (%1)").arg(themes.join(QStringLiteral(", ")));
    return title;
}

QString bankRightLine(const Weighing& weighing, double margin) {
    return QStringLiteral("Richtig: %1 ist die beste Wahl, erwartete Endsumme %2; jede andere "
                          "Wahl liegt mindestens %3 Punkte dahinter.")
        .arg(choiceText(weighing.best), coachNumber(weighing.bestTotal), coachNumber(margin));
}

QString answerLine(const Weighing& weighing) {
    if (weighing.isBest())
        return QStringLiteral("Richtig: beste Wahl");
    return QStringLiteral("Kostet %1 Punkte. Beste Wahl: %2 (erwartete Endsumme %3)")
        .arg(coachNumber(weighing.cost()), choiceText(weighing.best),
             coachNumber(weighing.bestTotal));
}

QString originalLine(const Exercise& exercise) {
    return QStringLiteral("Deine Wahl damals: %1, sie kostete %2 Punkte")
        .arg(choiceText(choiceOf(exercise.original)), coachNumber(exercise.cost));
}

QString rollsLeftLine(int rollsLeft) {
    return QStringLiteral("Würfe übrig: %1").arg(rollsLeft);
}

QString sheetLine(const Position& board, int category) {
    return QStringLiteral("%1: %2").arg(categoryName(category),
                                        board.open >> category & 1
                                            ? QStringLiteral("offen")
                                            : QString::number(board.points[category]));
}

QString sumsLine(const Position& board) {
    return QStringLiteral("GESAMT oben: %1, GESAMT unten: %2")
        .arg(board.upperSum)
        .arg(board.lowerSum);
}

QString percentText(double chance) {
    // Rounding must not make a bonus look certain, or lost, while it is neither.
    constexpr double kCertain = 1e-9;
    long percent = std::lround(chance * 100.0);
    if (chance < 1.0 - kCertain)
        percent = std::min(percent, 99L);
    if (chance > kCertain)
        percent = std::max(percent, 1L);
    return QStringLiteral("%1 %").arg(percent);
}

QString bonusLine(const BonusChances& chances) {
    return QStringLiteral("Bonus oben: %1, Bonus unten: %2")
        .arg(percentText(chances.upper), percentText(chances.lower));
}

namespace {

QString endingText(const TurnEnding& ending) {
    return QStringLiteral("%1 (%2) %3")
        .arg(categoryName(ending.category), QString::number(ending.points),
             percentText(ending.chance));
}

} // namespace

QString endingsText(const TurnOutlook& outlook) {
    constexpr std::size_t kShown = 3;
    QStringList parts;
    double rest = 1.0;
    for (std::size_t i = 0; i < outlook.endings.size() && i < kShown; ++i) {
        parts << endingText(outlook.endings[i]);
        rest -= outlook.endings[i].chance;
    }
    if (outlook.endings.size() > kShown)
        parts << QStringLiteral("sonst %1").arg(percentText(std::max(rest, 0.0)));
    return parts.join(QStringLiteral(", "));
}

QString whyText(const Explanation& explanation) {
    if (explanation.weighing.isBest())
        return {};
    const Explanation::Tenths tenths = explanation.inTenths();
    const auto tenthsText = [](long value) { return signedNumber(value / 10.0, QString()); };
    const TurnOutlook& best = explanation.best;
    const TurnOutlook& chosen = explanation.chosen;
    QString turn = tenthsText(tenths.thisTurn);
    if (!best.endings.empty())
        turn += QStringLiteral(" (%1)").arg(QStringLiteral("%1 %2").arg(
            categoryName(best.endings.front().category), percentText(best.endings.front().chance)));
    return QStringLiteral("%1 ist %2 besser: in dieser Runde %3, im Rest des Spiels %4; "
                          "Bonus oben %5 gegen %6, unten %7 gegen %8.")
        .arg(choiceText(explanation.weighing.best), coachNumber(tenths.cost / 10.0), turn,
             tenthsText(tenths.restOfGame), percentText(best.bonus.upper),
             percentText(chosen.bonus.upper), percentText(best.bonus.lower),
             percentText(chosen.bonus.lower));
}

QString problemLine(TableProblem problem) {
    switch (problem) {
    case TableProblem::Missing:
        return QStringLiteral("Der Berater kann nicht helfen, weil seine Tabelle fehlt.");
    case TableProblem::Unreadable:
        return QStringLiteral(
            "Der Berater kann nicht helfen, weil seine Tabelle nicht gelesen werden kann.");
    case TableProblem::Damaged:
        return QStringLiteral("Der Berater kann nicht helfen, weil seine Tabelle beschädigt ist.");
    case TableProblem::OtherVersion:
        return QStringLiteral("Der Berater kann nicht helfen, weil seine Tabelle zu einer "
                              "anderen Version von KUBIQ gehört.");
    case TableProblem::OtherRules:
        return QStringLiteral("Der Berater kann nicht helfen, weil seine Tabelle für andere "
                              "Spielregeln berechnet wurde.");
    }
    return {};
}

QString missLine(const Explanation& explanation) {
    // Figures of the player's own choice, without naming the better one: a miss is to be tried
    // again.
    const Explanation::Tenths tenths = explanation.inTenths();
    return QStringLiteral("Nicht die beste Wahl: kostet %1 Punkte (in dieser Runde %2, im Rest "
                          "des Spiels %3).")
        .arg(coachNumber(tenths.cost / 10.0), signedNumber(-tenths.thisTurn / 10.0, QString()),
             signedNumber(-tenths.restOfGame / 10.0, QString()));
}

QString hintLine(const Hint& hint) {
    if (hint.enters)
        return QStringLiteral("Tipp: eine Kategorie eintragen");
    if (hint.dice == 0)
        return QStringLiteral("Tipp: alle fünf neu würfeln");
    return QStringLiteral("Tipp: %1 Würfel halten und würfeln").arg(hint.dice);
}

QString candidatesLine(const Hint& hint) {
    QStringList choices;
    for (const Choice& choice : hint.best)
        choices << choiceText(choice);
    return QStringLiteral("Die beste Wahl ist eine von diesen: %1")
        .arg(choices.join(QStringLiteral(", ")));
}

QString solutionLine(const Weighing& weighing) {
    return QStringLiteral("Lösung: %1 (erwartete Endsumme %2)")
        .arg(choiceText(weighing.best), coachNumber(weighing.bestTotal));
}

QString luckText(double luck) {
    return luckNumber(luck);
}

} // namespace kubiq
