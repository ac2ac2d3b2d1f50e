#include "position.h"

#include "game.h"

#include <algorithm>
#include <bit>

namespace kubiq {

std::vector<int> Position::heldFaces() const {
    std::vector<int> faces;
    for (int i = 0; i < kDiceCount; ++i)
        if (held[i] && this->faces[i] != 0)
            faces.push_back(this->faces[i]);
    std::sort(faces.begin(), faces.end());
    return faces;
}

int Position::turn() const {
    return kCategoryCount + 1 - std::popcount(open);
}

Position positionOf(const Game& game) {
    Position position;
    position.open = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        position.open |= game.ComandPHaltenEnabled(c) ? 1u << c : 0u;
        position.points[c] = game.LabelPunkte(c).value_or(0);
    }
    position.upperSum = game.LabelPunkte(SumCell::GesamtOben).value_or(0);
    position.lowerSum = game.LabelPunkte(SumCell::GesamtUnten).value_or(0);
    position.rollsMade = game.Versuch() - 1;
    for (int i = 0; i < kDiceCount; ++i) {
        position.faces[i] = game.LabelWAnzeige(i).face;
        position.held[i] = game.LabelWAnzeige(i).held;
    }
    return position;
}

Tips tipsOf(const Position& board) {
    OpenCategories open{};
    for (int c = 0; c < kCategoryCount; ++c)
        open[c] = board.open >> c & 1;
    return suggest(board.faces, open);
}

void MoveLog::roll(const Position& before) {
    if (before.rollsMade > 0 && before.rollsMade < kRollsPerTurn)
        m_thisGame.push_back({Move::Kind::Roll, before, -1});
}

void MoveLog::enter(const Position& before, int category) {
    if (before.rollsMade > 0 && before.open >> category & 1)
        m_thisGame.push_back({Move::Kind::Enter, before, category});
}

void MoveLog::finish(int total) {
    m_finished.push_back({std::move(m_thisGame), total});
    m_thisGame.clear();
}

} // namespace kubiq
