#pragma once

// Services whose every tick, draw and answer a test decides, and which record what the game did.

#include "beeper.h"
#include "clock.h"
#include "display.h"
#include "message_box.h"
#include "pacer.h"
#include "random_draw.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kubiq {

// Each reading is the previous one plus a fixed step.
class ScriptedClock final : public Clock {
public:
    explicit ScriptedClock(std::chrono::nanoseconds start = {},
                           std::chrono::nanoseconds step = std::chrono::milliseconds(500))
        : m_next(start), m_step(step) {}

    std::chrono::nanoseconds now() override {
        ++m_readings;
        return std::exchange(m_next, m_next + m_step);
    }
    void setStep(std::chrono::nanoseconds step) { m_step = step; }
    int readings() const { return m_readings; }

private:
    std::chrono::nanoseconds m_next;
    std::chrono::nanoseconds m_step;
    int m_readings = 0;
};

// Hands out the scripted values in order and starts again from the first when they run out.
class ScriptedDraws final : public RandomDraw {
public:
    explicit ScriptedDraws(std::vector<float> draws = {0.0f}) : m_draws(std::move(draws)) {}

    // The draws that give these faces, e.g. "66662".
    static std::vector<float> forFaces(std::string_view faces) {
        std::vector<float> draws;
        for (char face : faces)
            draws.push_back((static_cast<float>(face - '0') - 0.5f) / 6.0f);
        return draws;
    }
    static ScriptedDraws faces(std::string_view faces) { return ScriptedDraws(forFaces(faces)); }

    void seed(std::uint64_t seed) override { m_seeds.push_back(seed); }
    float draw() override {
        ++m_drawn;
        const float r = m_draws[m_position];
        m_position = (m_position + 1) % m_draws.size();
        return r;
    }
    // Replaces the script; the next draw is its first value.
    void script(std::vector<float> draws) {
        m_draws = std::move(draws);
        m_position = 0;
    }
    void scriptFaces(std::string_view faces) { script(forFaces(faces)); }

    std::size_t drawn() const { return m_drawn; }
    const std::vector<std::uint64_t>& seeds() const { return m_seeds; }

private:
    std::vector<float> m_draws;
    std::size_t m_position = 0;
    std::size_t m_drawn = 0;
    std::vector<std::uint64_t> m_seeds;
};

class RecordingBeeper final : public Beeper {
public:
    void beep() override { ++m_beeps; }
    int beeps() const { return m_beeps; }

private:
    int m_beeps = 0;
};

// Records every box; `onShow` runs while the box would be open.
class RecordingMessageBox final : public MessageBox {
public:
    struct Shown {
        std::string title;
        std::string text;
    };

    void information(std::string_view title, std::string_view text) override {
        m_shown.push_back({std::string(title), std::string(text)});
        if (onShow)
            onShow();
    }
    // Every question is recorded with the others and answered with `answer`.
    bool question(std::string_view title, std::string_view text) override {
        information(title, text);
        return answer;
    }
    const std::vector<Shown>& shown() const { return m_shown; }

    std::function<void()> onShow;
    bool answer = false;

private:
    std::vector<Shown> m_shown;
};

// Records the repaints and the pauses of the roll animation; `onPause` runs at each pause.
class RecordingDisplay final : public Display {
public:
    void repaintDie(int die) override { m_repaints.push_back(die); }
    void awaitNextPass() override {
        ++m_pauses;
        if (onPause)
            onPause();
    }
    const std::vector<int>& repaints() const { return m_repaints; }
    int pauses() const { return m_pauses; }
    void clear() {
        m_repaints.clear();
        m_pauses = 0;
    }

    std::function<void()> onPause;

private:
    std::vector<int> m_repaints;
    int m_pauses = 0;
};

// Counts the frames the window waits for; `onFrame` runs in each wait.
class ScriptedPacer final : public Pacer {
public:
    void awaitNextFrame() override {
        ++m_frames;
        if (onFrame)
            onFrame();
    }
    int frames() const { return m_frames; }

    std::function<void()> onFrame;

private:
    int m_frames = 0;
};

} // namespace kubiq
