#pragma once

#include "board_code.h"

#include <QString>

namespace kubiq {

// Why a code gives no board, or why no game reaches its board, in one German sentence: "Der
// Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen Zeichen.", "Kein
// Wurf gibt 7 Punkte in Einer."
QString codeProblemLine(const CodeProblem& problem);

} // namespace kubiq
