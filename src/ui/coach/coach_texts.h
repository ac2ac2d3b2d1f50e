#pragma once

#include "coach.h"
#include "exercise_bank.h"
#include "game_review.h"
#include "practice.h"
#include "table_file.h"

#include <QString>

#include <optional>

namespace kubiq {

// The coach's lines, in German. Figures have a decimal comma and one decimal.

// "241,7"; a loss is written with a minus sign, "−2,4", and never as "−0,0".
QString coachNumber(double value);
// "Erwartete Endsumme bei bester Spielweise: 241,7".
QString expectedLine(double expectedTotal);
// "Letzter Zug: −2,4 Punkte", or "Letzter Zug: noch keiner".
QString lastMoveLine(std::optional<double> cost);
// "Verlust in diesem Spiel: −7,9".
QString lossLine(double loss);
// A choice in a few words: "6 6 halten", "alle neu würfeln", "Full House".
QString choiceText(const Choice& choice);
// The question before a costly entry, with the reason: "Dieser Eintrag kostet 6,3 Punkte.
// Besser: Full House (erwartete Endsumme 231,4). Full House ist 6,3 besser: … Trotzdem
// eintragen?"
QString warningText(const Explanation& explanation);
// "Endsumme 231 = 252,1 erwartet + 12,3 Glück − 33,4 Verlust" for a finished game; for the game
// in play "Jetzt erwartet 254,3 = 252,1 erwartet + 3,2 Glück − 1,0 Verlust".
QString balanceLine(const GameReview& review);
// A step of the review: "Runde 3, Wurf 2: 1 2 3 6 6, Glück +3,4", or "Runde 3, Wurf 2, Würfel
// 1 2 3 6 6: 6 6 halten, beste Wahl 6 6 6 halten, kostet 1,2 – Ungenauigkeit".
QString stepLine(const ReviewStep& step);
// The name of a finished game in the review's list: "3. Spiel: 231 Punkte".
QString gameName(int number, int total);
// A game loaded from its code, as the review's list names it: "Geladen 1: Spiel mit 231
// Punkten", or "Geladen 2: Spiel bis Runde 5" while it is in play.
QString loadedGameName(int number, const GameReview& review);
// "3. Spiel: 231, Glück +12,3, Verlust −33,4".
QString runGameLine(int number, const GameReview& review);
// "Mittel über 3 Spiele: 231,0, Glück +1,3, Verlust −20,1"; "Beste Wahl bei 83 % der
// Entscheidungen".
QString runMeanLine(const RunSummary& summary);
QString bestShareLine(const RunSummary& summary);
// An exercise in the list: "Spiel 2, Runde 5, Wurf 2: kostete 6,3 Punkte".
QString exerciseLine(const Exercise& exercise);
// "Gelöste Aufgaben: 2, offene: 7".
QString practiceSummary(int solved, std::size_t open);
// Why "Aufgaben" has no exercises, in one sentence that offers "Meine Fehler".
QString bankProblemLine(BankProblem problem);
// The run's counts: "Gelöst: 3, beim ersten Versuch: 2, Serie: 1, Wertung: 1523".
QString bankCountsLine(int solved, int firstTry, int streak, double rating);
// An exercise of the bank as its board is titled, with its themes.
QString bankTitleLine(const BankExercise& exercise);
// A right answer to an exercise of the bank, with its figures.
QString bankRightLine(const Weighing& weighing, double margin);
// The answer to an exercise: "Richtig: beste Wahl", or "Kostet 2,4 Punkte. Beste Wahl: 6 6
// halten (erwartete Endsumme 236,1)".
QString answerLine(const Weighing& weighing);
// "Deine Wahl damals: 6 halten, sie kostete 6,3 Punkte".
QString originalLine(const Exercise& exercise);
// "Würfe übrig: 1".
QString rollsLeftLine(int rollsLeft);
// A category of an exercise's sheet: "Einer: 3", or "Chance: offen".
QString sheetLine(const Position& board, int category);
// "GESAMT oben: 12, GESAMT unten: 50".
QString sumsLine(const Position& board);
// A chance in whole percent, "71 %": "100 %" only when certain, "0 %" only when out of reach.
QString percentText(double chance);
// "Bonus oben: 71 %, Bonus unten: 43 %".
QString bonusLine(const BonusChances& chances);
// The three likeliest endings of a turn and the rest as one figure: "Große Straße (40) 31 %,
// Kleine Straße (30) 62 %, sonst 7 %".
QString endingsText(const TurnOutlook& outlook);
// Why the best choice beats another, in one sentence whose figures add up to the cost: "3 4 5 6
// halten ist 5,9 besser: in dieser Runde +3,1 (Große Straße 31 %), im Rest des Spiels +2,8;
// Bonus oben 68 % gegen 68 %, unten 40 % gegen 35 %." Empty for a best choice.
QString whyText(const Explanation& explanation);
// Why the coach cannot help, in one sentence.
QString problemLine(TableProblem problem);

// An exercise answered with a choice that is not the best, its cost split as whyText() splits
// it, from the choice's side: "Nicht die beste Wahl: kostet 5,9 Punkte (in dieser Runde −3,1,
// im Rest des Spiels −2,8)."
QString missLine(const Explanation& explanation);
// The first step of a hint: "Tipp: 3 Würfel halten und würfeln", "Tipp: alle fünf neu
// würfeln", or "Tipp: eine Kategorie eintragen".
QString hintLine(const Hint& hint);
// The second step: "Die beste Wahl ist eine von diesen: 4 5 6 halten, 3 4 5 6 halten, Kleine
// Straße".
QString candidatesLine(const Hint& hint);
// "Lösung: 6 6 halten (erwartete Endsumme 236,1)".
QString solutionLine(const Weighing& weighing);
// Luck with its sign, as the review writes it: "+3,4", "−2,1", "+0,0".
QString luckText(double luck);

} // namespace kubiq
