#include "board_code_texts.h"

#include "sheet_rows.h"

namespace kubiq {

namespace {

QString characterLine(int where, int character) {
    const QString place = QString::number(where + 1);
    if (character == ' ')
        return QStringLiteral("An Stelle %1 steht ein Leerzeichen; ein Code hat keines.")
            .arg(place);
    if (character > ' ' && character < 127)
        return QStringLiteral("Das Zeichen „%1“ an Stelle %2 kommt in keinem Code vor.")
            .arg(QChar(character), place);
    return QStringLiteral("An Stelle %1 steht ein Zeichen, das in keinem Code vorkommt.")
        .arg(place);
}

QString pointsText(int points) {
    return points == 1 ? QStringLiteral("1 Punkt") : QStringLiteral("%1 Punkte").arg(points);
}

} // namespace

QString codeProblemLine(const CodeProblem& problem) {
    const QString length = QString::number(kCodeLength);
    switch (problem.kind) {
    case CodeProblem::Kind::NoCode:
        return QStringLiteral("Das ist kein Code eines Bretts: ein Code beginnt mit „%1“.")
            .arg(QString::fromUtf8(kCodePrefix.data(), kCodePrefix.size()));
    case CodeProblem::Kind::OtherVersion:
        return QStringLiteral("Dieser Code gehört zu einer anderen Version von KUBIQ; gelesen "
                              "werden Codes, die mit „%1“ beginnen.")
            .arg(QString::fromUtf8(kCodePrefix.data(), kCodePrefix.size()));
    case CodeProblem::Kind::Character:
        return characterLine(problem.where, problem.value);
    case CodeProblem::Kind::Length:
        return QStringLiteral("Der Code ist zu %1: er hat %2 Zeichen statt %3.")
            .arg(problem.value < static_cast<int>(kCodeLength) ? QStringLiteral("kurz")
                                                               : QStringLiteral("lang"),
                 QString::number(problem.value), length);
    case CodeProblem::Kind::Typo:
        return QStringLiteral(
            "Der Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen "
            "Zeichen.");
    case CodeProblem::Kind::Score:
        return QStringLiteral("Kein Wurf gibt %1 in %2.")
            .arg(pointsText(problem.value), QString::fromUtf8(spokenRow(problem.where)));
    case CodeProblem::Kind::Rolls:
        return QStringLiteral("Eine Runde hat höchstens drei Würfe, nicht %1.").arg(problem.value);
    case CodeProblem::Kind::Face:
        return QStringLiteral("Würfel %1 zeigt keine Augenzahl von 1 bis 6, obwohl schon "
                              "gewürfelt ist.")
            .arg(problem.where + 1);
    case CodeProblem::Kind::DiceBeforeRoll:
        return QStringLiteral("Vor dem ersten Wurf einer Runde zeigen die Würfel noch keine "
                              "Augen.");
    case CodeProblem::Kind::HeldBeforeRoll:
        return QStringLiteral("Vor dem ersten Wurf einer Runde kann kein Würfel gehalten sein.");
    case CodeProblem::Kind::SheetFull:
        return QStringLiteral("Alle Kategorien sind eingetragen: das Spiel ist zu Ende, es bleibt "
                              "nichts zu entscheiden.");
    case CodeProblem::Kind::Sums:
        return QStringLiteral("Die Summen des Blatts passen nicht zu seinen Einträgen.");
    }
    return {};
}

} // namespace kubiq
