// kubiq-mine TABLE OUTPUT: mines the bank of exercises from games played by the rules of thumb,
// each board judged by the coach's table TABLE, and writes it to OUTPUT. The same table and
// seed give the same file, byte for byte.
#include "exercise_bank.h"
#include "exercise_mining.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kubiq-mine TABLE OUTPUT\n");
        return 2;
    }
    std::variant<kubiq::Coach, kubiq::TableProblem> loaded = kubiq::Coach::load(argv[1]);
    if (!std::holds_alternative<kubiq::Coach>(loaded)) {
        std::fprintf(stderr, "kubiq-mine: no table in %s\n", argv[1]);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<kubiq::BankExercise> bank =
        kubiq::mineExercises(std::get<kubiq::Coach>(loaded), kubiq::Mining());
    const std::string bytes = kubiq::bankBytes(bank);
    std::ofstream file(argv[2], std::ios::binary);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
        std::fprintf(stderr, "kubiq-mine: cannot write %s\n", argv[2]);
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("exercises: %zu, %zu bytes, mined in %.1f s\n", bank.size(), bytes.size(), seconds);
    std::array<int, kubiq::kThemeCount> themes{};
    for (const kubiq::BankExercise& exercise : bank)
        for (int t = 0; t < kubiq::kThemeCount; ++t)
            themes[t] += exercise.themes >> t & 1;
    for (int t = 0; t < kubiq::kThemeCount; ++t)
        std::printf("  %s: %d\n", kubiq::themeName(static_cast<kubiq::Theme>(t)).data(), themes[t]);
    return 0;
}
