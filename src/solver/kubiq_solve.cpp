// kubiq-solve OUTPUT: computes the coach's table for the game's rules and writes it to OUTPUT.
#include "solver.h"
#include "table_file.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kubiq-solve OUTPUT\n");
        return 2;
    }
    const kubiq::StateSpace space;
    const kubiq::Solution solution = kubiq::solve(space, 2);
    if (!kubiq::writeTable(argv[1], space.fingerprint(), solution.values, solution.upperChances,
                           solution.lowerChances)) {
        std::fprintf(stderr, "kubiq-solve: cannot write %s\n", argv[1]);
        return 1;
    }
    const auto start = space.indexOf(space.stateOf(kubiq::kAllOpen, 0, 0));
    std::printf("states: %zu\n", space.size());
    std::printf("expected total: %.6f\n", solution.values[*start]);
    std::printf("bonus chances: upper %.6f, lower %.6f\n", solution.upperChances[*start],
                solution.lowerChances[*start]);
    return 0;
}
