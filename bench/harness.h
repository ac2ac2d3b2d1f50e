#pragma once

// What the harnesses share: clocks, processor time and a line of results for bench/run.

#include "message_box.h"

#include <QEvent>
#include <QObject>

#include <initializer_list>
#include <string>
#include <utility>

class QWidget;

namespace kubiq::bench {

// Each harness's own work, called by the main() they share, once the application exists.
int runHarness(int argc, char** argv);

// Seconds on the monotonic clock (CLOCK_MONOTONIC, the clock Python's time.monotonic() reads).
double monotonicSeconds();
// Processor time used by the whole process so far, every thread, user and system, in seconds.
double processorSeconds();
// Context switches of the whole process so far, every thread: each time one of its threads
// gave up the core (woke later) or was made to.
long contextSwitches();
// Processor time used by the calling thread so far, in seconds: unlike the wall time, it does not
// grow while the thread waits for a core that another program holds.
double threadProcessorSeconds();

// Prints one result as a line of JSON, e.g. {"measure": "roll", "wall_ms": 500.4}, and flushes.
void printResult(const std::string& measure,
                 std::initializer_list<std::pair<const char*, double>> values);

// The value of a "--name value" argument, or `fallback` when it is not given.
int intArgument(int argc, char** argv, const char* name, int fallback);
std::string stringArgument(int argc, char** argv, const char* name);
bool hasArgument(int argc, char** argv, const char* name);

// A game-over box that waits for nobody: a harness has no player to close it.
class SilentMessageBox final : public MessageBox {
public:
    void information(std::string_view, std::string_view) override {}
};

// Counts the paint events of the objects it filters.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Shows the window and returns once it has been painted and flushed for the first time.
void showAndWaitForFirstFrame(QWidget& window);
// Handles every pending event, for `seconds`, without a timer.
void processEventsFor(double seconds);

} // namespace kubiq::bench
