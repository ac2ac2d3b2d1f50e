#include "practice.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace kubiq {

namespace {

bool worseFirst(const Exercise& a, const Exercise& b) {
    return a.cost > b.cost;
}

// The order in which the hint lists its choices: nothing in it follows their figures.
bool listedBefore(const Choice& a, const Choice& b) {
    if (a.enters() != b.enters())
        return !a.enters();
    if (a.enters())
        return a.category < b.category;
    if (a.hold.size() != b.hold.size())
        return a.hold.size() < b.hold.size();
    return a.hold < b.hold;
}

} // namespace

bool Practice::follow(const Coach& coach, const std::vector<PlayedGame>& finished) {
    if (m_gamesTaken >= finished.size())
        return false;
    bool changed = !m_shown.empty();
    m_open.insert(m_open.end(), m_shown.begin(), m_shown.end());
    m_shown.clear();
    for (; m_gamesTaken < finished.size(); ++m_gamesTaken) {
        std::vector<Exercise> game;
        for (const Move& move : finished[m_gamesTaken].moves)
            if (const double cost = coach.cost(move); cost >= kExerciseCost)
                game.push_back({static_cast<int>(m_gamesTaken) + 1, move, cost});
        std::stable_sort(game.begin(), game.end(), worseFirst);
        if (game.size() > kExercisesPerGame)
            game.resize(kExercisesPerGame);
        changed = changed || !game.empty();
        m_open.insert(m_open.end(), game.begin(), game.end());
    }
    if (!changed)
        return false;
    std::stable_sort(m_open.begin(), m_open.end(), worseFirst);
    m_hand.reset();
    return true;
}

void Practice::take(std::size_t index) {
    if (index >= m_open.size())
        return;
    m_hand = Hand{index, m_open[index], {}, Stage::Choosing, std::nullopt, 0, 0};
    m_hand->board = start();
}

void Practice::takeAlone(const Exercise& exercise) {
    m_open = {exercise};
    m_shown.clear();
    take(0);
}

void Practice::takeNext() {
    if (m_open.empty())
        return;
    std::size_t next = 0;
    if (m_hand)
        next = ended() ? m_hand->index : m_hand->index + 1;
    take(next < m_open.size() ? next : 0);
}

std::optional<std::size_t> Practice::index() const {
    if (!m_hand || ended())
        return std::nullopt;
    return m_hand->index;
}

Position Practice::start() const {
    Position board = m_hand->exercise.original.before;
    board.held = {};
    return board;
}

void Practice::toggle(int die) {
    if (m_hand && stage() == Stage::Choosing && die >= 0 && die < kDiceCount &&
        board().rollsMade < kRollsPerTurn)
        m_hand->board.held[die] = !m_hand->board.held[die];
}

std::optional<Weighing> Practice::answer(const Coach& coach, const Choice& choice) {
    if (!m_hand || stage() != Stage::Choosing)
        return std::nullopt;
    std::optional<Weighing> weighing = coach.weigh(board(), choice);
    if (!weighing)
        return std::nullopt;
    m_hand->answer = choice;
    if (weighing->isBest()) {
        ++m_solved;
        end(Stage::Solved);
    } else {
        ++m_hand->misses;
        m_hand->stage = Stage::Missed;
    }
    return weighing;
}

std::optional<Weighing> Practice::roll(const Coach& coach) {
    if (!m_hand)
        return std::nullopt;
    return answer(coach, {board().heldFaces(), -1});
}

void Practice::retry() {
    if (m_hand && stage() == Stage::Missed) {
        m_hand->board = start();
        m_hand->stage = Stage::Choosing;
    }
}

void Practice::askHint() {
    if (helps() && m_hand->hintSteps < 2)
        ++m_hand->hintSteps;
}

Hint Practice::hint(const Coach& coach) const {
    Hint hint;
    const std::optional<Weighing> best = solution(coach);
    if (!m_hand || hintSteps() == 0 || !best)
        return hint;
    hint.enters = best->best.enters();
    hint.dice = static_cast<int>(best->best.hold.size());
    if (hintSteps() < 2)
        return hint;

    // The choices of the kind the first step named, each with its expected final TOTAL: only
    // entries, or only holds of as many dice. Another kind among them would be told apart by the
    // first step and give the answer away.
    const Position board = start();
    std::vector<std::pair<double, Choice>> choices;
    if (hint.enters) {
        if (const std::optional<Advice> advice = coach.advise(board))
            for (const EntryAdvice& entry : advice->entries)
                choices.push_back({entry.expectedTotal, {{}, entry.category}});
    } else {
        for (const RankedHold& ranked :
             coach.rankHolds(board, std::numeric_limits<std::size_t>::max())) {
            const Choice hold{ranked.hold.faces, -1};
            if (static_cast<int>(hold.hold.size()) == hint.dice)
                choices.push_back({ranked.hold.expectedTotal, hold});
        }
    }
    std::stable_sort(choices.begin(), choices.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    // The best choice is among them whatever the rounding of two equal figures.
    const auto named = std::find_if(choices.begin(), choices.end(),
                                    [&](const auto& c) { return c.second == best->best; });
    if (named != choices.end())
        std::rotate(choices.begin(), named, named + 1);
    for (std::size_t i = 0; i < choices.size() && i < 3; ++i)
        hint.best.push_back(choices[i].second);
    std::sort(hint.best.begin(), hint.best.end(), listedBefore);
    return hint;
}

void Practice::showSolution() {
    if (!helps())
        return;
    m_shown.push_back(m_hand->exercise);
    end(Stage::Shown);
}

std::optional<Weighing> Practice::solution(const Coach& coach) const {
    if (!m_hand)
        return std::nullopt;
    return coach.weigh(start(), choiceOf(m_hand->exercise.original));
}

void Practice::end(Stage stage) {
    m_open.erase(m_open.begin() + static_cast<std::ptrdiff_t>(m_hand->index));
    m_hand->stage = stage;
}

} // namespace kubiq
