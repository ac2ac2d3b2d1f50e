#pragma once

#include "board_code.h"
#include "game_code.h"

#include <QString>

namespace kubiq {

// Why a code gives no board, or why no game reaches its board, in one German sentence: "Der
// Code enthält einen Tippfehler: sein Prüfzeichen passt nicht zu den anderen Zeichen.", "Kein
// Wurf gibt 7 Punkte in Einer."
QString codeProblemLine(const CodeProblem& problem);
// Why a text gives no game, in one German sentence naming what is wrong: "In Runde 3 ändert sich
// der gehaltene Würfel 2 beim Würfeln."
QString gameCodeProblemLine(const GameCodeProblem& problem);

} // namespace kubiq
