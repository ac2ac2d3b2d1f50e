#include "coach_texts.h"

#include "sheet_rows.h"

#include <QStringList>

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

QString holdLine(const HoldAdvice& hold) {
    QStringList faces;
    for (int face : hold.faces)
        faces << QString::number(face);
    const QString dice =
        faces.isEmpty() ? QStringLiteral("keine, alle neu würfeln") : faces.join(QLatin1Char(' '));
    return QStringLiteral("Beste Würfel zum Halten: %1, erwartete Endsumme %2")
        .arg(dice, coachNumber(hold.expectedTotal));
}

QString bestEntryLine(const EntryAdvice& entry) {
    return QStringLiteral("Bester Eintrag jetzt: %1, erwartete Endsumme %2")
        .arg(categoryName(entry.category), coachNumber(entry.expectedTotal));
}

QString entryLine(const EntryAdvice& entry) {
    return QStringLiteral("%1: %2").arg(categoryName(entry.category),
                                        coachNumber(entry.expectedTotal));
}

QString lastMoveLine(std::optional<double> cost) {
    if (!cost)
        return QStringLiteral("Letzter Zug: noch keiner");
    return QStringLiteral("Letzter Zug: %1 Punkte").arg(lossNumber(*cost));
}

QString lossLine(double loss) {
    return QStringLiteral("Verlust in diesem Spiel: %1").arg(lossNumber(loss));
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

} // namespace kubiq
