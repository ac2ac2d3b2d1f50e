#include "harness.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <thread>

namespace kubiq::bench {

namespace {

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6;
}

} // namespace

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long contextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_nvcsw + usage.ru_nivcsw;
}

double threadProcessorSeconds() {
    timespec used{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

void printResult(const std::string& measure,
                 std::initializer_list<std::pair<const char*, double>> values) {
    std::string line = "{\"measure\": \"" + measure + "\"";
    for (const auto& [name, value] : values) {
        char number[64];
        std::snprintf(number, sizeof number, "%.6f", value);
        line += ", \"" + std::string(name) + "\": " + number;
    }
    line += "}\n";
    std::fputs(line.c_str(), stdout);
    std::fflush(stdout);
}

int intArgument(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::atoi(argv[i + 1]);
    return fallback;
}

std::string stringArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return {};
}

bool hasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}

void showAndWaitForFirstFrame(QWidget& window) {
    PaintCounter counter;
    window.installEventFilter(&counter);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) ||
        !QTest::qWaitFor([&] { return counter.paints > 0; })) {
        std::fputs("the window was never painted\n", stderr);
        std::exit(2);
    }
    window.removeEventFilter(&counter);
    // Whatever the first frame left queued (a window manager's configure, focus) is handled too.
    processEventsFor(0.1);
}

void processEventsFor(double seconds) {
    const double end = monotonicSeconds() + seconds;
    do {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    } while (monotonicSeconds() < end);
}

} // namespace kubiq::bench

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    return kubiq::bench::runHarness(argc, argv);
}
