#pragma once

#include "coach.h"
#include "table_file.h"

#include <QString>

#include <optional>

namespace kubiq {

// The coach's lines, in German. Figures have a decimal comma and one decimal.

// "241,7"; a loss is written with a minus sign, "−2,4", and never as "−0,0".
QString coachNumber(double value);
// "Erwartete Endsumme bei bester Spielweise: 241,7".
QString expectedLine(double expectedTotal);
// "Beste Würfel zum Halten: 5 5 5, erwartete Endsumme 243,1".
QString holdLine(const HoldAdvice& hold);
// "Bester Eintrag jetzt: Dreierpasch, erwartete Endsumme 238,0".
QString bestEntryLine(const EntryAdvice& entry);
// "Dreierpasch: 238,0".
QString entryLine(const EntryAdvice& entry);
// "Letzter Zug: −2,4 Punkte", or "Letzter Zug: noch keiner".
QString lastMoveLine(std::optional<double> cost);
// "Verlust in diesem Spiel: −7,9".
QString lossLine(double loss);
// Why the coach cannot help, in one sentence.
QString problemLine(TableProblem problem);

} // namespace kubiq
