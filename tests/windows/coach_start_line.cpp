// coach_start_line TABLE: the expected final TOTAL that the coach's headline shows at the start
// of a game, computed here on Linux from TABLE, for the checks that the Windows program and the
// page read the same figure from their copies.
#include "coach.h"
#include "coach_texts.h"

#include <cstdio>
#include <variant>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: coach_start_line TABLE\n");
        return 2;
    }
    auto loaded = kubiq::Coach::load(argv[1]);
    const auto* coach = std::get_if<kubiq::Coach>(&loaded);
    if (!coach) {
        std::fprintf(stderr, "coach_start_line: %s is no sound table\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", kubiq::coachNumber(coach->expectedGameTotal()).toUtf8().constData());
    return 0;
}
