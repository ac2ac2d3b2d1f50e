#include "position.h"

#include "game.h"

#include <algorithm>

namespace kubiq {

std::vector<int> Position::heldFaces() const {
    std::vector<int> faces;
    for (int i = 0; i < kDiceCount; ++i)
        if (held[i] && this->faces[i] != 0)
            faces.push_back(this->faces[i]);
    std::sort(faces.begin(), faces.end());
    return faces;
}

Position positionOf(const Game& game) {
    Position position;
    position.open = 0;
    for (int c = 0; c < kCategoryCount; ++c)
        position.open |= game.ComandPHaltenEnabled(c) ? 1u << c : 0u;
    position.upperSum = game.LabelPunkte(SumCell::GesamtOben).value_or(0);
    position.lowerSum = game.LabelPunkte(SumCell::GesamtUnten).value_or(0);
    position.rollsMade = game.Versuch() - 1;
    for (int i = 0; i < kDiceCount; ++i) {
        position.faces[i] = game.LabelWAnzeige(i).face;
        position.held[i] = game.LabelWAnzeige(i).held;
    }
    return position;
}

void MoveLog::roll(const Position& before) {
    if (before.rollsMade > 0 && before.rollsMade < kRollsPerTurn)
        record({Move::Kind::Roll, before, -1});
}

bool MoveLog::enter(const Position& before, int category) {
    if (before.rollsMade == 0 || !(before.open >> category & 1))
        return false;
    record({Move::Kind::Enter, before, category});
    return before.open == 1u << category;
}

void MoveLog::record(const Move& move) {
    m_thisGame.push_back(move);
    m_last = move;
}

} // namespace kubiq
