#pragma once

#include "exercise_bank.h"
#include "glicko.h"
#include "practice.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <set>
#include <vector>

namespace kubiq {

// A run of exercises from the bank: of a theme or of all, at a level near the player's rating,
// one at a time, answered as the run's own exercises are (Practice). Each first answer rates the
// player and the exercise by Glicko-2; an exercise missed comes back once, a few exercises
// later, when the player asks for that. It lasts as long as the program runs.
class BankPractice {
public:
    enum class Level { Easy, Medium, Hard };

    explicit BankPractice(std::vector<BankExercise> bank);

    const std::vector<BankExercise>& bank() const { return m_bank; }
    // The theme the exercises are chosen from; nothing for all.
    void setTheme(std::optional<Theme> theme) { m_theme = theme; }
    void setLevel(Level level) { m_level = level; }
    // Whether a missed exercise comes back once, later in the run.
    void setRepeats(bool repeats) { m_repeats = repeats; }

    // Takes the next exercise in hand: one missed before whose time has come, else the one of
    // the theme not yet set whose rating lies nearest the level's mark: 150 below the player's
    // rating for Easy, at it for Medium, 150 above for Hard. False when the theme has none left.
    bool next();
    // The exercise in hand, its index in bank(); nothing before the first.
    std::optional<std::size_t> current() const { return m_current; }
    // The exercise in hand, to be played, helped and shown through.
    Practice& hand() { return m_hand; }
    const Practice& hand() const { return m_hand; }

    // Answers the exercise in hand, as Practice does, and counts the answer: the first answer
    // to an exercise rates the player against it.
    std::optional<Weighing> answer(const Coach& coach, const Choice& choice);
    std::optional<Weighing> roll(const Coach& coach);

    int solved() const { return m_solved; }
    int solvedFirstTry() const { return m_firstTry; }
    // Exercises solved at the first try one after another, up to the last answered.
    int streak() const { return m_streak; }
    const Rating& rating() const { return m_player; }
    const Rating& ratingOf(std::size_t exercise) const { return m_ratings[exercise]; }

private:
    void count(const std::optional<Weighing>& weighing);

    std::vector<BankExercise> m_bank;
    std::vector<Rating> m_ratings;
    Rating m_player;
    std::optional<Theme> m_theme;
    Level m_level = Level::Medium;
    bool m_repeats = false;
    std::set<std::size_t> m_set; // set once in this run
    struct Repeat {
        std::size_t exercise;
        int due; // the number of exercises taken after which it comes back
    };
    std::deque<Repeat> m_repeatsDue;
    std::set<std::size_t> m_repeated;
    int m_taken = 0;
    std::optional<std::size_t> m_current;
    bool m_firstAnswer = false;
    Practice m_hand;
    int m_solved = 0;
    int m_firstTry = 0;
    int m_streak = 0;
};

} // namespace kubiq
