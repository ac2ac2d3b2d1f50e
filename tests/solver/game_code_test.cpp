// The code of a game: every game of the suite, finished or stopped after any decision, comes
// back from its code as it was played, its review the same; every typo and every swap of
// neighbours is caught; a code that breaks a rule is refused with what is wrong.

#include "coach_player.h"
#include "code_alphabet.h"
#include "game_code.h"
#include "game_review.h"
#include "scoring.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace kubiq {
namespace {

using Kind = GameCodeProblem::Kind;

const Coach& tableCoach() {
    static const std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_TEST_TABLE);
    return std::get<Coach>(loaded);
}

std::vector<PlayedGame> suiteGames() {
    std::vector<PlayedGame> games;
    for (const test::Strategy strategy :
         {test::Strategy::Random, test::Strategy::Rule, test::Strategy::Coach}) {
        test::Player player(strategy, &tableCoach(), 31 + static_cast<int>(strategy));
        for (int game = 0; game < 2; ++game)
            player.play();
        for (const PlayedGame& game : player.moves().finished())
            games.push_back(game);
    }
    return games;
}

void expectSameReview(const GameReview& loaded, const GameReview& played) {
    EXPECT_EQ(loaded.total, played.total);
    ASSERT_EQ(loaded.steps.size(), played.steps.size());
    for (std::size_t i = 0; i < loaded.steps.size(); ++i) {
        const ReviewStep& a = loaded.steps[i];
        const ReviewStep& b = played.steps[i];
        EXPECT_TRUE(a.kind == b.kind && a.turn == b.turn && a.roll == b.roll &&
                    a.faces == b.faces && a.before == b.before && a.after == b.after &&
                    a.chosen == b.chosen && a.best == b.best && a.board == b.board)
            << "step " << i;
    }
}

TEST(GameCode, EveryGameAndEveryStepOfItComesBackFromItsCode) {
    const std::vector<PlayedGame> games = suiteGames();
    ASSERT_EQ(games.size(), 6u);
    for (const PlayedGame& game : games) {
        const std::string code = gameCode(game.moves, Position());
        SCOPED_TRACE(code);
        const auto parsed = parseGameCode(" " + code + "\n");
        ASSERT_TRUE(std::holds_alternative<CodedGame>(parsed));
        const CodedGame& loaded = std::get<CodedGame>(parsed);
        EXPECT_TRUE(loaded.finished());
        EXPECT_TRUE(loaded.moves == game.moves) << "the decisions as played";
        EXPECT_EQ(gameCode(loaded.moves, loaded.now), code);
        expectSameReview(reviewGame(tableCoach(), {loaded.moves, game.total}),
                         reviewGame(tableCoach(), game));

        // Stopped at any decision, with the board then on show.
        for (std::size_t k = 0; k < game.moves.size(); ++k) {
            const std::vector<Move> done(game.moves.begin(), game.moves.begin() + k);
            const Position& now = game.moves[k].before;
            const std::string partial = gameCode(done, now);
            const auto back = parseGameCode(partial);
            ASSERT_TRUE(std::holds_alternative<CodedGame>(back)) << partial;
            EXPECT_TRUE(std::get<CodedGame>(back).moves == done) << k;
            EXPECT_EQ(std::get<CodedGame>(back).now, now) << k;
        }

        // Every character changed, every two different neighbours swapped: refused.
        for (std::size_t at = 0; at < code.size(); ++at) {
            std::string typo = code;
            typo[at] = typo[at] == 'A' ? 'B' : 'A';
            EXPECT_TRUE(std::holds_alternative<GameCodeProblem>(parseGameCode(typo))) << at;
            if (at + 1 < code.size() && code[at] != code[at + 1]) {
                std::string swapped = code;
                std::swap(swapped[at], swapped[at + 1]);
                EXPECT_TRUE(std::holds_alternative<GameCodeProblem>(parseGameCode(swapped))) << at;
            }
        }
    }
}

// A code made by hand: the digits given, its check character added.
std::string checked(const std::vector<int>& digits, std::string_view prefix = kGameCodePrefix) {
    std::string code(prefix);
    for (int digit : digits)
        code += kCodeAlphabet[digit];
    return code + checkCharacter(code);
}

// The three digits of five faces, as the format writes them.
std::vector<int> faces(std::string_view shown) {
    int number = 0;
    for (int die = kDiceCount - 1; die >= 0; --die)
        number = number * 6 + (shown[die] - '1');
    return {number >> 12, number >> 6 & 63, number & 63};
}

// The digits of the parts one after another.
std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> digits;
    for (const std::vector<int>& part : parts)
        digits.insert(digits.end(), part.begin(), part.end());
    return digits;
}

constexpr int kEnters = 32;

TEST(GameCode, ACodeThatBreaksARuleOrItsFormIsRefusedWithWhatIsWrong) {
    // A first turn: 1 1 1 1 2, the four 1s held (bits 0..3) and rolled to 1 1 1 1 1.
    const std::vector<int> fourOnes = join({faces("11112"), {15}, faces("11111")});
    const std::vector<int> kubiq = join({fourOnes, {kEnters + 15, Kubiq, 50}});
    // Thirteen turns of 6 6 6 6 6, entered in the sheet's order with what the dice give.
    std::vector<int> sixes;
    OpenCategories open;
    open.fill(true);
    const Tips tips = suggest({6, 6, 6, 6, 6}, open);
    for (int c = 0; c < kCategoryCount; ++c)
        sixes = join({sixes, faces("66666"), {kEnters, c, tips[c].value_or(0)}});
    std::string typo = checked(kubiq);
    typo[5] = typo[5] == 'A' ? 'B' : 'A';
    const std::string good = checked(faces("66666"));
    const struct {
        const char* name;
        std::string code;
        GameCodeProblem problem;
    } rows[] = {
        {"a board's code", "K1-_____S______WOOCOBCJ", {Kind::NoCode}},
        {"a code of version 2", checked(faces("66666"), "G2-"), {Kind::OtherVersion, 0, -1, '2'}},
        {"a sign no code has",
         good.substr(0, 4) + "*" + good.substr(5),
         {Kind::Character, 0, 4, '*'}},
        {"a typo", typo, {Kind::Typo}},
        {"the prefix alone", "G1-", {Kind::CutShort, 1}},
        {"a first roll cut short", checked({1, 2}), {Kind::CutShort, 1}},
        {"a roll and no step", checked(faces("12345")), {Kind::CutShort, 1}},
        {"an entry without its points",
         checked(join({fourOnes, {kEnters, Kubiq}})),
         {Kind::CutShort, 1}},
        {"faces no dice show", checked({63, 63, 63, 0}), {Kind::Face, 1}},
        {"a held die that changes",
         checked(join({faces("11112"), {1}, faces("21111"), {0}})),
         {Kind::HeldChanged, 1, 0}},
        {"a fourth roll",
         checked(join(
             {faces("11111"), {0}, faces("11111"), {0}, faces("11111"), {0}, faces("11111"), {0}})),
         {Kind::FourthRoll, 1}},
        {"a category that is none",
         checked(join({fourOnes, {kEnters, 13, 0}})),
         {Kind::Category, 1, -1, 13}},
        {"a score the dice cannot give",
         checked(join({fourOnes, {kEnters, Kubiq, 40}})),
         {Kind::Score, 1, Kubiq, 40}},
        {"a category entered twice", checked(join({kubiq, kubiq})), {Kind::EnteredTwice, 2, Kubiq}},
        {"a turn after the thirteenth",
         checked(join({sixes, faces("66666"), {0}})),
         {Kind::AfterTheGame, 14}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto parsed = parseGameCode(row.code);
        ASSERT_TRUE(std::holds_alternative<GameCodeProblem>(parsed)) << row.code;
        EXPECT_EQ(std::get<GameCodeProblem>(parsed), row.problem)
            << static_cast<int>(std::get<GameCodeProblem>(parsed).kind) << " in turn "
            << std::get<GameCodeProblem>(parsed).turn;
    }
    // The same turns within the rules: a game of thirteen entries, and one in play.
    const auto whole = parseGameCode(checked(sixes));
    ASSERT_TRUE(std::holds_alternative<CodedGame>(whole));
    EXPECT_TRUE(std::get<CodedGame>(whole).finished());
    EXPECT_EQ(std::get<CodedGame>(whole).now.upperSum, 30);
    const auto inPlay = parseGameCode(checked(join({kubiq, faces("11111"), {3}})));
    ASSERT_TRUE(std::holds_alternative<CodedGame>(inPlay));
    EXPECT_EQ(std::get<CodedGame>(inPlay).moves.size(), 2u);
    EXPECT_EQ(std::get<CodedGame>(inPlay).now.held,
              (std::array<bool, kDiceCount>{true, true, false, false, false}));
}

} // namespace
} // namespace kubiq
