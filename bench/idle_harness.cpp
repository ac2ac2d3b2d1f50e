// An idle window: the program's window shown and left alone, on its real services.
//
//   idle_harness [--runs N] [--seconds S] [-platform NAME]
//
// For each run, prints the processor time the whole process used in S seconds (5 by default)
// of its event loop, the events delivered meanwhile, the timer events among them, the context
// switches of all its threads (each wake-up is one), and the timers registered for any object
// of the application that we can reach when the run ends.

#include "design_palette.h"
#include "form1.h"
#include "frame_pacer.h"
#include "harness.h"
#include "mersenne_draw.h"
#include "monotonic_clock.h"
#include "qt_beeper.h"
#include "qt_message_box.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

namespace kubiq::bench {
namespace {

// Counts what the event loop delivers to any object of the main thread.
class EventCounter final : public QObject {
public:
    int events = 0;
    int timerEvents = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        ++events;
        if (event->type() == QEvent::Timer) {
            ++timerEvents;
            std::fprintf(stderr, "timer event for a %s\n", watched->metaObject()->className());
        }
        return false;
    }
};

// Every timer registered with the main thread's dispatcher for an object we can reach: the
// application, its windows and widgets, and everything they own.
int registeredTimers() {
    std::set<QObject*> objects{QCoreApplication::instance()};
    for (QObject* child : QCoreApplication::instance()->findChildren<QObject*>())
        objects.insert(child);
    for (QWidget* widget : QApplication::allWidgets()) {
        objects.insert(widget);
        for (QObject* child : widget->findChildren<QObject*>())
            objects.insert(child);
    }
    for (QWindow* window : QGuiApplication::allWindows()) {
        objects.insert(window);
        for (QObject* child : window->findChildren<QObject*>())
            objects.insert(child);
    }
    int timers = 0;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (QObject* object : objects) {
        const auto registered = dispatcher->registeredTimers(object);
        for (const auto& timer : registered)
            std::fprintf(stderr, "timer %d (%d ms) of a %s\n", timer.timerId, timer.interval,
                         object->metaObject()->className());
        timers += static_cast<int>(registered.size());
    }
    return timers;
}

} // namespace

int runHarness(int argc, char** argv) {
    const int runs = intArgument(argc, argv, "--runs", 10);
    const int seconds = intArgument(argc, argv, "--seconds", 5);

    MonotonicClock clock;
    MersenneDraw random;
    QtBeeper beeper;
    QtMessageBox messageBox(designPalette());
    FramePacer pacer;
    Form1 window({clock, random, beeper, messageBox, pacer});
    showAndWaitForFirstFrame(window);
    processEventsFor(0.5);

    EventCounter counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    for (int i = 0; i < runs; ++i) {
        counter.events = 0;
        counter.timerEvents = 0;
        QEventLoop loop;
        const long switchesBefore = contextSwitches();
        const double cpuBefore = processorSeconds();
        const double start = monotonicSeconds();
        // The loop is ended from another thread, so that no timer of ours runs in it.
        std::thread stopper([&loop, seconds] {
            std::this_thread::sleep_for(std::chrono::seconds(seconds));
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        stopper.join();
        const double cpu = processorSeconds() - cpuBefore;
        // Two of them are the measurement's own: the stopper's sleep and the loop's wake-up.
        const long switches = contextSwitches() - switchesBefore;
        const double wall = monotonicSeconds() - start;
        printResult("idle", {{"cpu_ms", cpu * 1e3},
                             {"wall_s", wall},
                             {"events", counter.events},
                             {"context_switches", static_cast<double>(switches)},
                             {"timer_events", counter.timerEvents},
                             {"registered_timers", registeredTimers()}});
    }
    QCoreApplication::instance()->removeEventFilter(&counter);
    return 0;
}

} // namespace kubiq::bench
