#include "solver.h"

#include "turn_values.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>
#include <thread>

namespace kubiq {

namespace {

constexpr int kLanes = 8;

// A state's three figures side by side while the solver works: each entry of a turn looks up the
// state after it, and one cache line then brings all three (three arrays took a third of the
// processor time on their cache misses).
struct StateFigures {
    double value = 0.0;
    double upper = 0.0;
    double lower = 0.0;
};

// Works out the states of one open set, kLanes at a time.
class OpenSetWorker {
public:
    OpenSetWorker(const StateSpace& space, std::vector<StateFigures>& figures)
        : m_space(space), m_figures(figures), m_turn(space) {}

    void solve(unsigned open) {
        const auto uppers = m_space.upperValues(open);
        const auto lowers = m_space.lowerValues(open);
        const std::size_t count = m_space.count(open);
        const std::size_t first = m_space.first(open);
        for (std::size_t start = 0; start < count; start += kLanes) {
            // A short last batch repeats its last state in the spare lanes.
            std::array<TurnState, kLanes> states;
            for (int l = 0; l < kLanes; ++l) {
                const std::size_t i = std::min(start + l, count - 1);
                states[l] = {open, uppers[i / lowers.size()], lowers[i % lowers.size()]};
            }
            const auto entry = [&](int category, int slot) {
                const int points = m_space.pointsOf(category)[slot];
                Worth worth;
                for (int l = 0; l < kLanes; ++l) {
                    const TurnState next = m_space.after(states[l], category, points);
                    const StateFigures& after = m_figures[*m_space.indexOf(next)];
                    worth[0][l] = m_space.gain(states[l], category, points) + after.value;
                    worth[1][l] = after.upper;
                    worth[2][l] = after.lower;
                }
                return worth;
            };
            m_turn.afterLastRoll(open, entry, m_throws);
            for (int roll = 1; roll < kRollsPerTurn; ++roll) {
                m_turn.keepsBeforeRoll(m_throws, m_keeps);
                m_turn.withRollLeft(m_keeps, m_throws);
            }
            const Worth atStart = m_turn.beforeFirstRoll(m_throws);
            for (int l = 0; l < kLanes && start + l < count; ++l)
                m_figures[first + start + l] = {atStart[0][l], atStart[1][l], atStart[2][l]};
        }
    }

private:
    using Turn = TurnValues<kLanes, 3>;
    using Worth = Turn::Worth;

    const StateSpace& m_space;
    std::vector<StateFigures>& m_figures;
    Turn m_turn;
    Turn::ThrowRow m_throws;
    Turn::KeepRow m_keeps;
};

} // namespace

Solution solve(const StateSpace& space, int threads, int mostOpen) {
    std::vector<StateFigures> figures(space.size()); // nothing open: nothing more to score
    // With nothing open, a bonus is won when its section reached the threshold.
    const auto uppers = space.upperValues(0);
    const auto lowers = space.lowerValues(0);
    for (std::size_t i = 0; i < space.count(0); ++i) {
        const TurnState state{0, uppers[i / lowers.size()], lowers[i % lowers.size()]};
        figures[space.first(0) + i] = {0.0, space.upperReached(state) ? 1.0 : 0.0,
                                       space.lowerReached(state) ? 1.0 : 0.0};
    }
    threads = std::max(threads, 1);
    for (int openCount = 1; openCount <= std::min(mostOpen, kCategoryCount); ++openCount) {
        std::vector<unsigned> sets;
        for (unsigned open = 0; open <= kAllOpen; ++open)
            if (std::popcount(open) == openCount)
                sets.push_back(open);
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            // The rows of a batch are large: on the heap, not the thread's stack.
            auto worker = std::make_unique<OpenSetWorker>(space, figures);
            for (std::size_t i = next++; i < sets.size(); i = next++)
                worker->solve(sets[i]);
        };
        std::vector<std::jthread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
    }
    Solution solution;
    for (const StateFigures& state : figures) {
        solution.values.push_back(state.value);
        solution.upperChances.push_back(state.upper);
        solution.lowerChances.push_back(state.lower);
    }
    return solution;
}

} // namespace kubiq
