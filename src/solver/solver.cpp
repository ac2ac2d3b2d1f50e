#include "solver.h"

#include "turn_values.h"

#include <atomic>
#include <bit>
#include <memory>
#include <thread>

namespace kubiq {

namespace {

constexpr int kLanes = 8;

// Works out the states of one open set, kLanes at a time.
class OpenSetWorker {
public:
    OpenSetWorker(const StateSpace& space, Solution& solution)
        : m_space(space), m_solution(solution), m_turn(space) {}

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
                    const std::size_t n = *m_space.indexOf(next);
                    worth[0][l] = m_space.gain(states[l], category, points) + m_solution.values[n];
                    worth[1][l] = m_solution.upperChances[n];
                    worth[2][l] = m_solution.lowerChances[n];
                }
                return worth;
            };
            m_turn.afterLastRoll(open, entry, m_throws);
            for (int roll = 1; roll < kRollsPerTurn; ++roll) {
                m_turn.keepsBeforeRoll(m_throws, m_keeps);
                m_turn.withRollLeft(m_keeps, m_best, m_throws);
            }
            const Worth atStart = m_turn.beforeFirstRoll(m_throws);
            for (int l = 0; l < kLanes && start + l < count; ++l) {
                m_solution.values[first + start + l] = atStart[0][l];
                m_solution.upperChances[first + start + l] = atStart[1][l];
                m_solution.lowerChances[first + start + l] = atStart[2][l];
            }
        }
    }

private:
    using Turn = TurnValues<kLanes, 3>;
    using Worth = Turn::Worth;

    const StateSpace& m_space;
    Solution& m_solution;
    Turn m_turn;
    Turn::ThrowRow m_throws;
    Turn::KeepRow m_keeps;
    Turn::KeepRow m_best;
};

} // namespace

Solution solve(const StateSpace& space, int threads) {
    Solution solution;
    solution.values.assign(space.size(), 0.0); // nothing open: nothing more to score
    solution.upperChances.assign(space.size(), 0.0);
    solution.lowerChances.assign(space.size(), 0.0);
    // With nothing open, a bonus is won when its section reached the threshold.
    const auto uppers = space.upperValues(0);
    const auto lowers = space.lowerValues(0);
    for (std::size_t i = 0; i < space.count(0); ++i) {
        const TurnState state{0, uppers[i / lowers.size()], lowers[i % lowers.size()]};
        solution.upperChances[space.first(0) + i] = space.upperReached(state) ? 1.0 : 0.0;
        solution.lowerChances[space.first(0) + i] = space.lowerReached(state) ? 1.0 : 0.0;
    }
    threads = std::max(threads, 1);
    for (int openCount = 1; openCount <= kCategoryCount; ++openCount) {
        std::vector<unsigned> sets;
        for (unsigned open = 0; open <= kAllOpen; ++open)
            if (std::popcount(open) == openCount)
                sets.push_back(open);
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            // The rows of a batch are large: on the heap, not the thread's stack.
            auto worker = std::make_unique<OpenSetWorker>(space, solution);
            for (std::size_t i = next++; i < sets.size(); i = next++)
                worker->solve(sets[i]);
        };
        std::vector<std::jthread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
    }
    return solution;
}

} // namespace kubiq
