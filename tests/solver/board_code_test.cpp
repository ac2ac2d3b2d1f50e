// The code of a board: every board of a game comes back from its code as it was, every typo and
// every swap of two neighbours is caught, and a board no game can reach is refused with its
// reason.

#include "board_code.h"
#include "coach_player.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <variant>
#include <vector>

namespace kubiq {
namespace {

using Kind = CodeProblem::Kind;

// Boards of whole games played at random and by the rule of thumb: every decision's board,
// and the turn's start before it.
std::vector<Position> boardsOfGames() {
    std::vector<Position> boards;
    for (const test::Strategy strategy : {test::Strategy::Random, test::Strategy::Rule}) {
        test::Player player(strategy, nullptr, 23 + static_cast<int>(strategy));
        for (int game = 0; game < 6; ++game)
            player.play();
        for (const PlayedGame& game : player.moves().finished())
            for (const Move& move : game.moves) {
                boards.push_back(move.before);
                Position start = move.before;
                start.rollsMade = 0;
                start.faces = {};
                start.held = {};
                boards.push_back(start);
            }
    }
    return boards;
}

std::optional<CodeProblem> problemOf(std::string_view code) {
    const auto parsed = parseBoardCode(code);
    if (const auto* problem = std::get_if<CodeProblem>(&parsed))
        return *problem;
    return std::nullopt;
}

TEST(BoardCode, EveryBoardOfAGameComesBackFromItsCode) {
    const std::vector<Position> boards = boardsOfGames();
    ASSERT_GT(boards.size(), 300u);
    for (const Position& board : boards) {
        const std::string code = boardCode(board);
        SCOPED_TRACE(code);
        ASSERT_EQ(code.size(), kCodeLength);
        ASSERT_EQ(code.substr(0, 3), "K1-");
        EXPECT_EQ(boardProblem(board), std::nullopt);
        const auto parsed = parseBoardCode(" " + code + "\n");
        ASSERT_TRUE(std::holds_alternative<Position>(parsed))
            << static_cast<int>(std::get<CodeProblem>(parsed).kind);
        EXPECT_EQ(std::get<Position>(parsed), board);
    }
}

// The example of the README, worked out by hand from the format it describes: a change of the
// format breaks every code players keep.
TEST(BoardCode, TheFormatIsTheOneDescribed) {
    Scores sheet{};
    sheet[Sechser] = 18;
    sheet[Chance] = 22;
    const Position board = boardWith(sheet, {6, 6, 2, 6, 1}, {true, true, false, true, false}, 2);
    EXPECT_EQ(boardCode(board), "K1-_____S______WOOCOBCJ");
    EXPECT_EQ(boardCode(Position{}), "K1-_____________AAAAAAN");
}

// A typo in any character, a swap of any two different neighbours: the code is refused, and
// within the body by the check character, never by luck of a field that happens not to fit.
TEST(BoardCode, EveryTypoAndEverySwapOfNeighboursIsCaught) {
    const std::vector<Position> boards = boardsOfGames();
    for (std::size_t b = 0; b < boards.size(); b += boards.size() / 5) {
        const std::string code = boardCode(boards[b]);
        SCOPED_TRACE(code);
        for (std::size_t i = 0; i < code.size(); ++i)
            for (int c = 32; c < 127; ++c) {
                if (c == code[i])
                    continue;
                std::string typo = code;
                typo[i] = static_cast<char>(c);
                const std::optional<CodeProblem> problem = problemOf(typo);
                ASSERT_TRUE(problem) << typo;
                if (i >= 3 && (std::isalnum(c) || c == '-' || c == '_')) {
                    EXPECT_EQ(problem->kind, Kind::Typo) << typo;
                }
            }
        for (std::size_t i = 0; i + 1 < code.size(); ++i) {
            std::string swapped = code;
            std::swap(swapped[i], swapped[i + 1]);
            if (swapped != code) {
                EXPECT_TRUE(problemOf(swapped)) << swapped;
            }
        }
    }
}

// What each category can hold, from the rules of the score sheet.
TEST(BoardCode, EachCategoryHoldsWhatSomeThrowScoresThere) {
    const auto multiples = [](int step, int from, int to) {
        std::vector<int> scores{0};
        for (int s = from; s <= to; s += step)
            scores.push_back(s);
        return scores;
    };
    std::vector<int> chance;
    for (int s = 5; s <= 30; ++s)
        chance.push_back(s);
    const struct {
        const char* name;
        int category;
        std::vector<int> scores;
    } rows[] = {
        {"Einer: up to five ones", Einer, multiples(1, 1, 5)},
        {"Sechser: up to five sixes", Sechser, multiples(6, 6, 30)},
        {"Dreierpasch: three times the face, not the sum", Dreierpasch, multiples(3, 3, 18)},
        {"Viererpasch: four times the face", Viererpasch, multiples(4, 4, 24)},
        {"Full House: 25 or nothing", FullHouse, {0, 25}},
        {"Kleine Straße: 30 or nothing", KleineStrasse, {0, 30}},
        {"Große Straße: 40 or nothing", GrosseStrasse, {0, 40}},
        {"Kubiq: 50 or nothing", Kubiq, {0, 50}},
        {"Chance: the sum of five dice, never nothing", Chance, chance},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(categoryScores(row.category), row.scores);
    }
}

// A board of the fourth turn, changed into one no game can reach: its code is refused
// with the reason, and so is the board itself.
TEST(BoardCode, ABoardNoGameCanReachIsRefusedWithItsReason) {
    Scores entries{};
    entries[Einer] = 3;
    entries[Dreierpasch] = 18;
    entries[Chance] = 22;
    const Position rolled =
        boardWith(entries, {2, 5, 5, 1, 6}, {false, true, true, false, false}, 2);
    ASSERT_EQ(boardProblem(rolled), std::nullopt);
    const auto changed = [&](auto change) {
        Position board = rolled;
        change(board);
        return board;
    };
    const auto entered = [&](int category, int points) {
        Scores sheet = entries;
        sheet[category] = points;
        return boardWith(sheet, rolled.faces, rolled.held, rolled.rollsMade);
    };
    Scores full{};
    for (int c = 0; c < kCategoryCount; ++c)
        full[c] = categoryScores(c).back();
    const struct {
        const char* name;
        Position board;
        CodeProblem problem;
    } rows[] = {
        {"7 in Einer: five ones make 5", entered(Einer, 7), {Kind::Score, Einer, 7}},
        {"8 in Dreier: no multiple of three", entered(Dreier, 8), {Kind::Score, Dreier, 8}},
        {"36 in Sechser: six sixes", entered(Sechser, 36), {Kind::Score, Sechser, 36}},
        {"10 in Dreierpasch: the face counts three times",
         entered(Dreierpasch, 10),
         {Kind::Score, Dreierpasch, 10}},
        {"26 in Viererpasch: beyond four sixes",
         entered(Viererpasch, 26),
         {Kind::Score, Viererpasch, 26}},
        {"35 in Full House: 25 or nothing", entered(FullHouse, 35), {Kind::Score, FullHouse, 35}},
        {"15 in Kleine Straße", entered(KleineStrasse, 15), {Kind::Score, KleineStrasse, 15}},
        {"30 in Große Straße", entered(GrosseStrasse, 30), {Kind::Score, GrosseStrasse, 30}},
        {"25 in Kubiq", entered(Kubiq, 25), {Kind::Score, Kubiq, 25}},
        {"0 in Chance: five dice add up to 5 at least",
         entered(Chance, 0),
         {Kind::Score, Chance, 0}},
        {"31 in Chance: five sixes make 30", entered(Chance, 31), {Kind::Score, Chance, 31}},
        {"a fourth roll", changed([](Position& p) { p.rollsMade = 4; }), {Kind::Rolls, -1, 4}},
        {"a blank die after a roll",
         changed([](Position& p) { p.faces[3] = 0; }),
         {Kind::Face, 3, 0}},
        {"a die showing seven", changed([](Position& p) { p.faces[1] = 7; }), {Kind::Face, 1, 7}},
        {"dice shown before the turn's first roll",
         boardWith(entries, {0, 0, 4, 0, 0}, {}, 0),
         {Kind::DiceBeforeRoll, 2, 4}},
        {"a die held before the turn's first roll",
         boardWith(entries, {}, {false, false, false, false, true}, 0),
         {Kind::HeldBeforeRoll, 4, 0}},
        {"every category entered",
         boardWith(full, rolled.faces, rolled.held, 1),
         {Kind::SheetFull}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(boardProblem(row.board), row.problem);
        EXPECT_EQ(problemOf(boardCode(row.board)), row.problem);
    }

    Position wrongSum = rolled;
    wrongSum.lowerSum += 5;
    EXPECT_EQ(boardProblem(wrongSum), CodeProblem{Kind::Sums});
    Position pointsWhileOpen = rolled;
    pointsWhileOpen.points[Kubiq] = 50;
    EXPECT_EQ(boardProblem(pointsWhileOpen), CodeProblem{Kind::Sums});
}

// What is no code at all is told apart from a typo.
TEST(BoardCode, ATextThatIsNoCodeIsRefusedWithItsReason) {
    const std::string code = boardCode(Position{});
    const struct {
        const char* name;
        std::string text;
        CodeProblem problem;
    } rows[] = {
        {"nothing pasted", "  \n", {Kind::NoCode}},
        {"a sentence", "Hallo", {Kind::NoCode}},
        {"another game's prefix", "X" + code.substr(1), {Kind::NoCode}},
        {"version 2", "K2" + code.substr(2), {Kind::OtherVersion, -1, '2'}},
        {"a blank inside", code.substr(0, 10) + " " + code.substr(10), {Kind::Character, 10, ' '}},
        {"an umlaut", code.substr(0, 5) + "\xc3\xa4", {Kind::Character, 5, 0xc3}},
        {"the check character missing",
         code.substr(0, kCodeLength - 1),
         {Kind::Length, -1, static_cast<int>(kCodeLength) - 1}},
        {"a character too many", code + "A", {Kind::Length, -1, static_cast<int>(kCodeLength) + 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(problemOf(row.text), row.problem);
    }
}

} // namespace
} // namespace kubiq
