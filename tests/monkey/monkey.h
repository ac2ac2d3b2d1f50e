#pragma once

// A seeded stream of random clicks and keys into the real window, with every rule of the game
// checked after each event.

#include "board_check.h"
#include "coach.h"
#include "mersenne_draw.h"
#include "scripted_services.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

class QAbstractButton;
class QWidget;

namespace kubiq {
class Form1;
}

namespace kubiq::monkey {

// The game-over box, answered at once; `onShow` runs while it would be open. The coach's
// questions are answered by `onQuestion`.
class AnsweredBox final : public MessageBox {
public:
    void information(std::string_view title, std::string_view text) override;
    bool question(std::string_view, std::string_view) override {
        ++m_questions;
        return onQuestion ? onQuestion() : true;
    }
    long questions() const { return m_questions; }
    std::function<bool()> onQuestion;

    long shown() const { return m_shown; }
    const std::string& title() const { return m_title; }
    const std::string& text() const { return m_text; }
    std::function<void()> onShow;

private:
    long m_shown = 0;
    long m_questions = 0;
    std::string m_title;
    std::string m_text;
};

struct MonkeyCounts {
    long events = 0;
    long gamesFinished = 0;
    long closes = 0;   // the window closed by "&Ende", by click or Alt+E
    long restarts = 0; // closes after which the program was started anew
    long panelsOpened = 0;
    long beeps = 0;
    long animatedClicks = 0; // mnemonic clicks waited for
    long coachChecks = 0;    // boards the coach's lines were checked against
    long warnings = 0;       // the coach's questions before a costly entry
    long viewsShown = 0;     // the coach's other views brought to the front
};

// Drives one window at a time on the offscreen platform (a QApplication must exist). The clock
// is scripted so that a roll is one pass and takes no time, the draws are the program's own
// generator seeded by the clock, and the frame pacer never waits. Equal seeds make equal runs.
//
// When the window closes the monkey, standing in for the player, either shows it again or, one
// time in eight, starts the program anew: a new window with an empty history.
//
// With the coach, every start of the program opens it with its warning on, F2 closes it now and
// then and opens it again soon, and while it is open its lines must be the advice, worked out by
// the monkey from the build's table, for the board the window shows. Its warnings are answered
// at random, its views (the review and its chart among them) brought to the front at random,
// and after each finished game its review must balance to the game's TOTAL. Throws when that
// table cannot be read.
class Monkey {
public:
    explicit Monkey(std::uint64_t seed, bool withCoach = false);
    ~Monkey();

    // Makes `events` more events, checking every rule after each. Returns false at the first
    // broken rule; failure() then tells the event and the rule.
    bool run(long events);

    std::uint64_t seed() const { return m_seed; }
    const MonkeyCounts& counts() const { return m_counts; }
    // The number of the event that broke a rule (1 for the first event), 0 while none did.
    long failedEvent() const { return m_failedEvent; }
    const std::string& failure() const { return m_failure; }
    Form1& window() { return *m_window; }

    // Runs after every event, before the checks, with the event's number and what it was.
    std::function<void(long event, const std::string& what)> afterEvent;

private:
    struct Target {
        QWidget* widget;
        QString name;
        int weight;
    };

    std::uint64_t below(std::uint64_t n) { return m_random() % n; }
    void startProgram();
    std::string makeEvent();
    void clickAt(QPoint position, bool twice = false);
    std::string clickControl();
    std::string key(int key, Qt::KeyboardModifiers modifiers, const char* name);
    std::string toggleHelp();
    bool awaitAnimatedClicks();
    bool fail(long event, const std::string& what, const std::string& rule);
    std::string checkPanel();
    QWidget* openCoach() const;
    std::string toggleCoach();
    std::string brokenCoach(const Board& board);
    std::string showCoachView();
    std::string brokenReview(int total);

    std::uint64_t m_seed;
    std::mt19937_64 m_random;
    std::optional<Coach> m_coach; // with the coach open: its advice, loaded once

    ScriptedClock m_clock;
    MersenneDraw m_draw;
    RecordingBeeper m_beeper;
    AnsweredBox m_box;
    ScriptedPacer m_pacer;

    std::unique_ptr<Form1> m_window;
    std::unique_ptr<BoardReader> m_reader;
    std::vector<Target> m_targets;
    int m_targetWeight = 0;
    QList<QAbstractButton*> m_buttons;
    Board m_last;
    ExpectedHistory m_history;
    std::string m_boxFault;
    int m_lastTotal = 0; // of the game finished last

    MonkeyCounts m_counts;
    long m_failedEvent = 0;
    std::string m_failure;
};

} // namespace kubiq::monkey
