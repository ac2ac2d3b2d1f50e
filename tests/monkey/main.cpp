// monkey: random clicks and keys into the real window, every rule checked after each event.
//
//   monkey [--events N] [--seed S] [--coach] [--trace]
//
// --coach: the coach is open most of the time, and its lines are checked too.
// Prints the events per second. At the first broken rule prints the seed, the event's number
// and the rule, and exits with 1; the same seed replays the same events.

#include "monkey.h"
#include "quiet_offscreen.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: monkey [--events N] [--seed S] [--coach] [--trace]\n");
    return 2;
}

bool parse(const char* text, unsigned long long& value) {
    char* end = nullptr;
    value = std::strtoull(text, &end, 10);
    return *text != '\0' && *text != '-' && *end == '\0';
}

} // namespace

int main(int argc, char* argv[]) {
    unsigned long long events = 20'000;
    unsigned long long seed = 1;
    bool trace = false;
    bool coach = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--events") == 0 && i + 1 < argc) {
            if (!parse(argv[++i], events) || events == 0 || events > 1'000'000'000'000ull)
                return usage();
        } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            if (!parse(argv[++i], seed))
                return usage();
        } else if (std::strcmp(argv[i], "--coach") == 0) {
            coach = true;
        } else if (std::strcmp(argv[i], "--trace") == 0) {
            trace = true;
        } else {
            return usage();
        }
    }

    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    kubiq::test::quietOffscreen();
    QApplication app(argc, argv);
    // "&Ende" closes the window; the monkey decides what follows, not the application.
    QApplication::setQuitOnLastWindowClosed(false);

    try {
        kubiq::monkey::Monkey monkey(seed, coach);
        if (trace) {
            monkey.afterEvent = [](long event, const std::string& what) {
                std::printf("%ld %s\n", event, what.c_str());
            };
        }
        const auto start = std::chrono::steady_clock::now();
        const bool kept = monkey.run(static_cast<long>(events));
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        const auto& counts = monkey.counts();
        std::printf("monkey: seed %llu, %ld events in %.1f s, %.0f events/s; %ld games finished, "
                    "%ld closes (%ld new starts), %ld panels checked, %ld beeps, %ld mnemonic "
                    "clicks, %ld boards checked against the coach, %ld warnings, %ld coach "
                    "views shown\n",
                    seed, counts.events, took.count(),
                    static_cast<double>(counts.events) / took.count(), counts.gamesFinished,
                    counts.closes, counts.restarts, counts.panelsOpened, counts.beeps,
                    counts.animatedClicks, counts.coachChecks, counts.warnings,
                    counts.viewsShown);
        if (!kept) {
            std::printf("monkey: FAILED with seed %llu at event %ld: %s\n"
                        "monkey: replay with: monkey --seed %llu --events %ld%s --trace\n",
                        seed, monkey.failedEvent(), monkey.failure().c_str(), seed,
                        monkey.failedEvent(), coach ? " --coach" : "");
            return 1;
        }
        return 0;
    } catch (const std::exception& error) {
        std::printf("monkey: seed %llu: %s\n", seed, error.what());
        return 1;
    }
}
