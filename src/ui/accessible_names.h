#pragma once

#include "dice.h"
#include "sheet.h"

#include <QString>

namespace kubiq {

// What a screen reader says for each control, in German; dice are counted from 1 for the player.

// "Würfel 3: 5", "Würfel 3: 5, gehalten", "Würfel 3: leer".
QString dieName(int index, const Die& die);
// "Würfel 3 halten".
QString holdButtonName(int index);
// "Einer halten".
QString categoryButtonName(int category);
// The score or sum cell LabelPunkte(cell): "Punkte Einer: 3", "Punkte TOTAL: leer".
QString cellName(int cell, Points points);
// The tip of category c: "Tip Chance: 22", "Tip Kubiq: leer".
QString tipName(int category, Points points);

} // namespace kubiq
