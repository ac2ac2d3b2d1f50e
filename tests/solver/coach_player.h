#pragma once

// Whole games on the real engine, clicked as a player clicks them, each decision taken from the
// board on screen: by the coach's advice, or by a simple rule of thumb.

#include "coach.h"
#include "game.h"
#include "mersenne_draw.h"
#include "scripted_services.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace kubiq::test {

struct FinalSheet {
    int total = 0;
    bool upperBonus = false;
    bool lowerBonus = false;
};

class Player {
public:
    enum class Strategy {
        Coach,  // hold the advised dice while that beats every entry, else enter the best
        Simple, // keep the most frequent face (of equals the higher), enter the highest tip
    };

    // The program's own draw, seeded as the window seeds it: from the first clock reading.
    // `coach` must outlive the player; only Strategy::Coach reads it.
    Player(Strategy strategy, const Coach* coach, std::uint64_t seed)
        : m_strategy(strategy), m_coach(coach),
          m_clock(std::chrono::nanoseconds(seed), Game::kAnimation) {
        m_box.game = &m_game;
        m_game.load();
    }

    // Plays one game from its first roll to its game-over box.
    FinalSheet play() {
        for (int turn = 0; turn < kCategoryCount; ++turn)
            m_strategy == Strategy::Coach ? turnByCoach() : turnByRule();
        if (m_beeper.beeps() != 0 || m_game.Runde() != 1)
            throw std::logic_error("a click the game refused");
        return m_box.sheet;
    }

private:
    // The full sheet, read while the game-over box is open.
    struct SheetReader final : MessageBox {
        void information(std::string_view, std::string_view) override {
            sheet = {game->LabelPunkte(SumCell::Total).value_or(0),
                     game->LabelPunkte(SumCell::BonusOben).has_value(),
                     game->LabelPunkte(SumCell::BonusUnten).has_value()};
        }
        const Game* game = nullptr;
        FinalSheet sheet;
    };
    struct NoDisplay final : Display {
        void repaintDie(int) override {}
        void awaitNextPass() override {}
    };

    void turnByCoach() {
        m_game.roll();
        for (;;) {
            const std::optional<Advice> advice = m_coach->advise(positionOf(m_game));
            if (!advice || advice->entries.empty())
                throw std::logic_error("no advice for a board on screen");
            if (!advice->bestHold ||
                advice->bestHold->expectedTotal <= advice->entries.front().expectedTotal) {
                m_game.enter(advice->entries.front().category);
                return;
            }
            hold(advice->bestHold->faces);
            m_game.roll();
        }
    }

    void turnByRule() {
        m_game.roll();
        for (int roll = 1; roll < kRollsPerTurn; ++roll) {
            std::array<int, 7> count{};
            for (int die = 0; die < kDiceCount; ++die)
                ++count[m_game.LabelWAnzeige(die).face];
            int face = 6;
            for (int f = 5; f >= 1; --f)
                face = count[f] > count[face] ? f : face;
            hold(std::vector<int>(count[face], face));
            m_game.roll();
        }
        int best = -1;
        for (int c = 0; c < kCategoryCount; ++c)
            if (m_game.ComandPHaltenEnabled(c) &&
                (best < 0 || m_game.LabelTip(c).value_or(0) > m_game.LabelTip(best).value_or(0)))
                best = c;
        m_game.enter(best);
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

    Strategy m_strategy;
    const Coach* m_coach;
    ScriptedClock m_clock;
    MersenneDraw m_draws;
    RecordingBeeper m_beeper;
    SheetReader m_box;
    NoDisplay m_display;
    Game m_game{Services{m_clock, m_draws, m_beeper, m_box, m_display}};
};

} // namespace kubiq::test
