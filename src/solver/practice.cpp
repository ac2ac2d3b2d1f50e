#include "practice.h"

#include <algorithm>

namespace kubiq {

namespace {

bool worseFirst(const Exercise& a, const Exercise& b) {
    return a.cost > b.cost;
}

} // namespace

bool Practice::follow(const Coach& coach, const std::vector<PlayedGame>& finished) {
    const std::size_t before = m_open.size();
    for (; m_gamesTaken < finished.size(); ++m_gamesTaken) {
        std::vector<Exercise> game;
        for (const Move& move : finished[m_gamesTaken].moves)
            if (const double cost = coach.cost(move); cost >= kExerciseCost)
                game.push_back({static_cast<int>(m_gamesTaken) + 1, move, cost});
        std::stable_sort(game.begin(), game.end(), worseFirst);
        if (game.size() > kExercisesPerGame)
            game.resize(kExercisesPerGame);
        m_open.insert(m_open.end(), game.begin(), game.end());
    }
    if (m_open.size() == before)
        return false;
    std::stable_sort(m_open.begin(), m_open.end(), worseFirst);
    return true;
}

std::optional<Weighing> Practice::answer(const Coach& coach, std::size_t index,
                                         const Choice& answer) {
    if (index >= m_open.size())
        return std::nullopt;
    std::optional<Weighing> weighing = coach.weigh(m_open[index].original.before, answer);
    if (weighing && weighing->isBest()) {
        m_open.erase(m_open.begin() + static_cast<std::ptrdiff_t>(index));
        ++m_solved;
    }
    return weighing;
}

} // namespace kubiq
