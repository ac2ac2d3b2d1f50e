#pragma once

// Whole games on the real engine, clicked as a player clicks them, each decision taken from the
// board on screen: by the coach's advice, by a simple rule of thumb, or at random. Every click
// is told to a move log first, as the window tells it.

#include "coach.h"
#include "game.h"
#include "mersenne_draw.h"
#include "scripted_services.h"

#include <algorithm>
#include <random>
#include <stdexcept>

namespace kubiq::test {

struct FinalSheet {
    int total = 0;
    bool upperBonus = false;
    bool lowerBonus = false;
};

// The rule of thumb keeps the most frequent face (of equals the higher) and enters the highest
// tip (of equals the first); random play holds any dice, rolls again or stops, and enters any
// open category, all with equal chances.
enum class Strategy { Coach, Rule, Random };

class Player final : MessageBox, Display {
public:
    // The draw is the program's own, seeded from the first clock reading as the window seeds
    // it. The coach, needed for Strategy::Coach, must outlive the player.
    Player(Strategy strategy, const Coach* coach, std::uint64_t seed)
        : m_strategy(strategy), m_coach(coach),
          m_clock(std::chrono::nanoseconds(seed), Game::kAnimation), m_choices(seed) {
        m_game.load();
    }

    FinalSheet play() {
        for (int turn = 0; turn < kCategoryCount; ++turn) {
            roll();
            while (rollsAgain())
                roll();
        }
        if (m_beeper.beeps() != 0 || m_game.Runde() != 1)
            throw std::logic_error("a click the game refused");
        return m_sheet;
    }

    const MoveLog& moves() const { return m_moves; }

private:
    void roll() {
        m_moves.roll(positionOf(m_game));
        m_game.roll();
    }
    void enter(int category) {
        m_moves.enter(positionOf(m_game), category);
        m_game.enter(category);
    }

    // Each holds the dice for the next roll and says to roll, or enters a category.
    bool rollsAgain() {
        switch (m_strategy) {
        case Strategy::Coach:
            return coachRollsAgain();
        case Strategy::Rule:
            return ruleRollsAgain();
        case Strategy::Random:
            return randomRollsAgain();
        }
        return false;
    }

    bool coachRollsAgain() {
        const std::optional<Advice> advice = m_coach->advise(positionOf(m_game));
        if (!advice || advice->entries.empty())
            throw std::logic_error("no advice for a board on screen");
        const EntryAdvice& entry = advice->entries.front();
        if (advice->bestHold && advice->bestHold->expectedTotal > entry.expectedTotal) {
            if (!m_game.CommandWuerfelnEnabled())
                throw std::logic_error("advice to roll with no roll left");
            hold(advice->bestHold->faces);
            return true;
        }
        enter(entry.category);
        return false;
    }

    bool ruleRollsAgain() {
        if (m_game.Versuch() <= kRollsPerTurn) {
            int count[7] = {};
            for (int die = 0; die < kDiceCount; ++die)
                ++count[m_game.LabelWAnzeige(die).face];
            int face = 6;
            for (int f = 5; f >= 1; --f)
                face = count[f] > count[face] ? f : face;
            hold(std::vector<int>(count[face], face));
            return true;
        }
        int best = -1;
        for (int c = 0; c < kCategoryCount; ++c)
            if (m_game.ComandPHaltenEnabled(c) &&
                (best < 0 || m_game.LabelTip(c).value_or(0) > m_game.LabelTip(best).value_or(0)))
                best = c;
        enter(best);
        return false;
    }

    bool randomRollsAgain() {
        if (m_game.Versuch() <= kRollsPerTurn && m_choices() % 2 == 0) {
            for (int die = 0; die < kDiceCount; ++die)
                if (m_choices() % 2 == 0)
                    m_game.toggleHold(die);
            return true;
        }
        std::vector<int> open;
        for (int c = 0; c < kCategoryCount; ++c)
            if (m_game.ComandPHaltenEnabled(c))
                open.push_back(c);
        enter(open[m_choices() % open.size()]);
        return false;
    }

    // Holds dice showing these faces and frees the others.
    void hold(std::vector<int> faces) {
        for (int die = 0; die < kDiceCount; ++die) {
            const auto match =
                std::find(faces.begin(), faces.end(), m_game.LabelWAnzeige(die).face);
            const bool held = match != faces.end();
            if (held)
                faces.erase(match);
            if (m_game.LabelWAnzeige(die).held != held)
                m_game.toggleHold(die);
        }
    }

    // The game-over box opens on the full sheet.
    void information(std::string_view, std::string_view) override {
        m_sheet = {m_game.LabelPunkte(SumCell::Total).value_or(0),
                   m_game.LabelPunkte(SumCell::BonusOben).has_value(),
                   m_game.LabelPunkte(SumCell::BonusUnten).has_value()};
        m_moves.finish(m_sheet.total);
    }
    void repaintDie(int) override {}
    void awaitNextPass() override {}

    Strategy m_strategy;
    const Coach* m_coach;
    ScriptedClock m_clock;
    MersenneDraw m_draws;
    RecordingBeeper m_beeper;
    std::mt19937_64 m_choices;
    FinalSheet m_sheet;
    MoveLog m_moves;
    Game m_game{Services{m_clock, m_draws, m_beeper, *this, *this}};
};

} // namespace kubiq::test
