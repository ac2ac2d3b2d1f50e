// coach_start_line TABLE: the line the coach shows at the start of a game, computed here on
// Linux from TABLE, for the check that the Windows program reads the same figure from its copy.
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
    std::printf("%s\n", kubiq::expectedLine(coach->expectedGameTotal()).toUtf8().constData());
    return 0;
}
