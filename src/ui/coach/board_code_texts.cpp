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

QString gameCodeProblemLine(const GameCodeProblem& problem) {
    using Kind = GameCodeProblem::Kind;
    const QString prefix = QString::fromUtf8(kGameCodePrefix.data(), kGameCodePrefix.size());
    const QString turn = QString::number(problem.turn);
    switch (problem.kind) {
    case Kind::NoCode:
        return QStringLiteral("Das ist kein Code eines Spiels: ein Spielcode beginnt mit „%1“.")
            .arg(prefix);
    case Kind::OtherVersion:
        return QStringLiteral("Dieser Code gehört zu einer anderen Version von KUBIQ; gelesen "
                              "werden Spielcodes, die mit „%1“ beginnen.")
            .arg(prefix);
    case Kind::Character:
        return characterLine(problem.where, problem.value);
    case Kind::Typo:
        return QStringLiteral(
            "Der Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen "
            "Zeichen.");
    case Kind::CutShort:
        return QStringLiteral("Der Code ist zu kurz: er endet mitten in Runde %1.").arg(turn);
    case Kind::Face:
        return QStringLiteral("In Runde %1 zeigt ein Wurf andere Augen als 1 bis 6.").arg(turn);
    case Kind::HeldChanged:
        return QStringLiteral("In Runde %1 ändert sich der gehaltene Würfel %2 beim Würfeln.")
            .arg(turn)
            .arg(problem.where + 1);
    case Kind::FourthRoll:
        return QStringLiteral("In Runde %1 wird ein viertes Mal gewürfelt; eine Runde hat "
                              "höchstens drei Würfe.")
            .arg(turn);
    case Kind::Category:
        return QStringLiteral("In Runde %1 wird in eine Kategorie eingetragen, die es nicht gibt.")
            .arg(turn);
    case Kind::EnteredTwice:
        return QStringLiteral("In Runde %1 wird %2 ein zweites Mal eingetragen.")
            .arg(turn, QString::fromUtf8(spokenRow(problem.where)));
    case Kind::Score:
        return QStringLiteral("In Runde %1 geben die Würfel keine %2 in %3.")
            .arg(turn, pointsText(problem.value), QString::fromUtf8(spokenRow(problem.where)));
    case Kind::AfterTheGame:
        return QStringLiteral("Der Code geht nach der dreizehnten Runde weiter; ein Spiel hat "
                              "dreizehn.");
    }
    return {};
}

} // namespace kubiq
