// What the rules cost without a window: the suggestions after one roll, and one whole game.

#include "game.h"
#include "mersenne_draw.h"
#include "scoring.h"
#include "scripted_services.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace kubiq {
namespace {

// Every throw of five dice, in a shuffled order so that no branch is predicted by the sequence.
std::vector<Faces> allThrows() {
    std::vector<Faces> throws;
    for (int n = 0; n < 6 * 6 * 6 * 6 * 6; ++n) {
        Faces faces{};
        for (int d = 0, rest = n; d < kDiceCount; ++d, rest /= 6)
            faces[d] = rest % 6 + 1;
        throws.push_back(faces);
    }
    std::shuffle(throws.begin(), throws.end(), std::mt19937(7));
    return throws;
}

void suggestOneRoll(benchmark::State& state) {
    const std::vector<Faces> throws = allThrows();
    // Half the categories closed, in a pattern that changes with the throw.
    std::vector<OpenCategories> sheets(throws.size());
    std::mt19937 random(11);
    for (OpenCategories& open : sheets)
        for (bool& category : open)
            category = (random() & 1) != 0;

    std::size_t i = 0;
    for (auto _ : state) {
        Tips tips = suggest(throws[i], sheets[i]);
        benchmark::DoNotOptimize(tips);
        i = i + 1 == throws.size() ? 0 : i + 1;
    }
}
BENCHMARK(suggestOneRoll);

class SilentDisplay final : public Display {
public:
    void repaintDie(int) override {}
    void awaitNextPass() override {}
};

class SilentMessageBox final : public MessageBox {
public:
    void information(std::string_view, std::string_view) override {}
};

// One game as a player clicks it: 13 turns of three rolls with random holds between them, then
// an entry into a random open category. The clock ends every animation after one pass.
void wholeGame(benchmark::State& state) {
    ScriptedClock clock(std::chrono::nanoseconds{0}, Game::kAnimation);
    MersenneDraw draws;
    RecordingBeeper beeper;
    SilentMessageBox messageBox;
    SilentDisplay display;
    Game game(Services{clock, draws, beeper, messageBox, display});
    game.load();
    std::mt19937 player(3);

    for (auto _ : state) {
        if (game.history().AnzahlSpiele() == History::kMaxGames) {
            // A full history records no more: start over so that every game is recorded.
            state.PauseTiming();
            game.load();
            state.ResumeTiming();
        }
        for (int turn = 0; turn < kCategoryCount; ++turn) {
            for (int attempt = 0; attempt < kRollsPerTurn; ++attempt) {
                game.roll();
                const unsigned holds = player();
                for (int die = 0; die < kDiceCount; ++die)
                    if ((holds >> die) & 1)
                        game.toggleHold(die);
            }
            int category = static_cast<int>(player() % kCategoryCount);
            while (!game.ComandPHaltenEnabled(category))
                category = (category + 1) % kCategoryCount;
            game.enter(category);
        }
    }
    if (game.Runde() != 1 || beeper.beeps() != 0)
        state.SkipWithError("the games did not run as clicked");
}
BENCHMARK(wholeGame)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kubiq

BENCHMARK_MAIN();
