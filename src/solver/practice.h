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

// Help for the exercise in hand, in two steps.
struct Hint {
    // The first step: whether the best choice enters a category, else how many dice it holds.
    bool enters = false;
    int dice = 0;
    // The second step: the three best choices of the kind the first step named (fewer where the
    // board offers fewer): entries, or holds of `dice` dice. In an order that gives none of them
    // away: holds by their faces, entries in the order of the sheet. Empty until the second step
    // is asked for.
    std::vector<Choice> best;
};

// The exercises of the run's finished games, worst first, and the one in hand. An exercise ends
// when it is answered with a best choice, even after misses (it is solved and counts), or when
// its solution is shown (it comes back after the next finished game). It only reads the games.
class Practice {
public:
    // Where the exercise in hand stands.
    enum class Stage {
        Choosing, // the board as the player sets it, waiting for a choice
        Missed,   // answered with a choice that is not the best: try again, a hint, the solution
        Solved,   // answered with a best choice
        Shown,    // its solution shown
    };

    // Takes in the games finished since the last call (the log only grows); true when that
    // changed the exercises, by new ones or by those whose solution was shown coming back. A
    // change puts the exercise in hand down: the list it stood in is not the same.
    bool follow(const Coach& coach, const std::vector<PlayedGame>& finished);

    const std::vector<Exercise>& open() const { return m_open; }
    int solved() const { return m_solved; }

    // Takes open()[index] in hand, its board as it was set: the dice shown then, none held, the
    // same rolls left. An index out of range changes nothing.
    void take(std::size_t index);
    // Takes `exercise` in hand as the only one open, apart from the run's games: the bank's.
    void takeAlone(const Exercise& exercise);
    // The exercise after the one in hand; after one that has ended, the one now standing where
    // it stood; the first after the last, or with none in hand. Nothing while none is open.
    void takeNext();

    // With an exercise in hand:
    bool inHand() const { return m_hand.has_value(); }
    const Exercise& exercise() const { return m_hand->exercise; }
    Stage stage() const { return m_hand->stage; }
    // Where the exercise in hand stands in open(); nothing once it has ended.
    std::optional<std::size_t> index() const;
    // The board as the player has set it.
    const Position& board() const { return m_hand->board; }
    // The board the exercise started from, to which every retry returns.
    Position start() const;
    // The last choice answered; nothing before the first.
    const std::optional<Choice>& lastAnswer() const { return m_hand->answer; }
    // Answers that were not the best, so far.
    int misses() const { return m_hand->misses; }
    // The steps of the hint asked for, 0 to 2.
    int hintSteps() const { return m_hand->hintSteps; }
    bool ended() const { return stage() == Stage::Solved || stage() == Stage::Shown; }
    // A try again, a hint and the solution are offered once the exercise has been missed.
    bool helps() const { return inHand() && !ended() && misses() > 0; }

    // Holds or frees a die of board(), while choosing and rolls are left.
    void toggle(int die);
    // Answers with `choice` on the board, while choosing: its weighing against the best choice,
    // the same the review gives. Nothing, and no change, for a choice the board does not offer.
    std::optional<Weighing> answer(const Coach& coach, const Choice& choice);
    // Answers with the dice held on board(), rolling.
    std::optional<Weighing> roll(const Coach& coach);
    // After a miss: the board again as it started.
    void retry();
    // Asks for the next step of the hint, while helps().
    void askHint();
    // The hint as far as it has been asked for.
    Hint hint(const Coach& coach) const;
    // Ends the exercise with its solution shown, while helps(): it leaves open() and comes back
    // after the next finished game.
    void showSolution();
    // The best choice on the exercise's board, as the review names it.
    std::optional<Weighing> solution(const Coach& coach) const;

private:
    struct Hand {
        std::size_t index = 0; // into m_open, or where the exercise stood once it has ended
        Exercise exercise;
        Position board;
        Stage stage = Stage::Choosing;
        std::optional<Choice> answer;
        int misses = 0;
        int hintSteps = 0;
    };
    void end(Stage stage);

    std::vector<Exercise> m_open;
    std::vector<Exercise> m_shown; // their solution shown: back after the next finished game
    std::optional<Hand> m_hand;
    std::size_t m_gamesTaken = 0;
    int m_solved = 0;
};

} // namespace kubiq
