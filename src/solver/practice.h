#pragma once

#include "coach.h"
#include "position.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace kubiq {

// A decision of a finished game set again as an exercise: its board, with the player's choice
// then and what it cost.
struct Exercise {
    int game = 0; // the finished game's number in the run, from 1
    Move original;
    double cost = 0.0;
};

// Decisions that cost this much or more are set again, the costliest of a game first.
inline constexpr double kExerciseCost = 1.0;
inline constexpr std::size_t kExercisesPerGame = 10;

// The exercises of the run's finished games, worst first; an exercise answered with the best
// choice is solved and leaves them. It only reads the games.
class Practice {
public:
    // Takes in the games finished since the last call (the log only grows); true when that
    // brought new exercises.
    bool follow(const Coach& coach, const std::vector<PlayedGame>& finished);

    const std::vector<Exercise>& open() const { return m_open; }
    int solved() const { return m_solved; }

    // Answers open()[index] with `answer`: its weighing against the best choice on the board,
    // the same the review gives. Nothing for an answer the board does not offer. A best answer
    // solves the exercise: it leaves open() and counts in solved().
    std::optional<Weighing> answer(const Coach& coach, std::size_t index, const Choice& answer);

private:
    std::vector<Exercise> m_open;
    std::size_t m_gamesTaken = 0;
    int m_solved = 0;
};

} // namespace kubiq
