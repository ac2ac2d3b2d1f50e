#include "bank_practice.h"

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

// How far from the player's rating the levels Easy and Hard aim.
constexpr double kLevelStep = 150.0;
// How many other exercises come before a missed one comes back.
constexpr int kRepeatAfter = 3;
// How sure the bank's first ratings are, from what the mining saw.
constexpr double kExerciseDeviation = 200.0;

} // namespace

BankPractice::BankPractice(std::vector<BankExercise> bank) : m_bank(std::move(bank)) {
    for (const BankExercise& exercise : m_bank)
        m_ratings.push_back({exercise.rating, kExerciseDeviation, 0.06});
}

bool BankPractice::next() {
    std::optional<std::size_t> chosen;
    if (m_repeats && !m_repeatsDue.empty() && m_repeatsDue.front().due <= m_taken) {
        chosen = m_repeatsDue.front().exercise;
        m_repeatsDue.pop_front();
    } else {
        const double mark = m_player.rating + (m_level == Level::Easy   ? -kLevelStep
                                               : m_level == Level::Hard ? kLevelStep
                                                                        : 0.0);
        double nearest = 0.0;
        for (std::size_t i = 0; i < m_bank.size(); ++i) {
            if (m_set.count(i) || (m_theme && !m_bank[i].has(*m_theme)))
                continue;
            const double distance = std::abs(m_ratings[i].rating - mark);
            if (!chosen || distance < nearest) {
                chosen = i;
                nearest = distance;
            }
        }
    }
    if (!chosen)
        return false;
    m_set.insert(*chosen);
    ++m_taken;
    m_current = chosen;
    m_firstAnswer = true;
    const BankExercise& exercise = m_bank[*chosen];
    m_hand.takeAlone({0, moveOf(exercise.board, exercise.best), 0.0});
    return true;
}

std::optional<Weighing> BankPractice::answer(const Coach& coach, const Choice& choice) {
    const std::optional<Weighing> weighing = m_hand.answer(coach, choice);
    count(weighing);
    return weighing;
}

std::optional<Weighing> BankPractice::roll(const Coach& coach) {
    const std::optional<Weighing> weighing = m_hand.roll(coach);
    count(weighing);
    return weighing;
}

void BankPractice::count(const std::optional<Weighing>& weighing) {
    if (!weighing || !m_current)
        return;
    const bool best = weighing->isBest();
    m_solved += best;
    if (!m_firstAnswer)
        return;
    m_firstAnswer = false;
    m_firstTry += best;
    m_streak = best ? m_streak + 1 : 0;
    Rating& exercise = m_ratings[*m_current];
    const Rating player = m_player;
    const Outcome asPlayer[] = {{exercise, best ? 1.0 : 0.0}};
    const Outcome asExercise[] = {{player, best ? 0.0 : 1.0}};
    m_player = rated(player, asPlayer);
    exercise = rated(exercise, asExercise);
    if (!best && m_repeats && m_repeated.insert(*m_current).second)
        m_repeatsDue.push_back({*m_current, m_taken + kRepeatAfter});
}

} // namespace kubiq
