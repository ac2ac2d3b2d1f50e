// The code of a board: every board of a game comes back from its code as it was, every typo and
// every swap of two neighbours is caught, and a board no game can reach is refused with its
// reason.

#include "board_analysis.h"
#include "board_code.h"
#include "coach_player.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
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

// Every board of the games comes back from its code as it was. A typo in any character of a
// few of the codes, a swap of any two different neighbours: refused, and within the body by the
// check character, never by luck of a field that happens not to fit.
TEST(BoardCode, EveryBoardComesBackFromItsCodeAndEveryTypoIsCaught) {
    const std::vector<Position> boards = boardsOfGames();
    ASSERT_GT(boards.size(), 300u);
    for (std::size_t b = 0; b < boards.size(); ++b) {
        const std::string code = boardCode(boards[b]);
        SCOPED_TRACE(code);
        ASSERT_EQ(boardProblem(boards[b]), std::nullopt);
        const auto parsed = parseBoardCode(" " + code + "\n");
        ASSERT_TRUE(std::holds_alternative<Position>(parsed));
        EXPECT_EQ(std::get<Position>(parsed), boards[b]);
        for (std::size_t i = 0; b % 60 == 0 && i < code.size(); ++i) {
            for (int c = 32; c < 127; ++c) {
                std::string typo = code;
                typo[i] = static_cast<char>(c);
                const std::optional<CodeProblem> problem = problemOf(typo);
                ASSERT_EQ(!problem, c == code[i]) << typo;
                const bool digit = std::isalnum(c) || c == '-' || c == '_';
                EXPECT_TRUE(!problem || i < 3 || !digit || problem->kind == Kind::Typo) << typo;
            }
            std::string swapped = code;
            std::swap(swapped[i], swapped[(i + 1) % code.size()]);
            EXPECT_EQ(!problemOf(swapped), swapped == code) << swapped;
        }
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

// Any sheet of scores the categories can give, any dice: the coach analyses every board the
// code lets through, so that no accepted board has sums beyond what its table holds.
TEST(BoardCode, EveryBoardTheCodeAcceptsIsOneTheCoachAnalyses) {
    std::variant<Coach, TableProblem> loaded = Coach::load(KUBIQ_TEST_TABLE);
    ASSERT_TRUE(std::holds_alternative<Coach>(loaded));
    std::mt19937 random(23);
    for (int n = 0; n < 300; ++n) {
        Scores entries{};
        for (int c = 0; c < kCategoryCount; ++c)
            if (random() % 3 != 0)
                entries[c] = categoryScores(c)[random() % categoryScores(c).size()];
        entries[random() % kCategoryCount].reset();
        const int rollsMade = static_cast<int>(random() % 4);
        Faces faces{};
        std::array<bool, kDiceCount> held{};
        for (int die = 0; rollsMade > 0 && die < kDiceCount; ++die) {
            faces[die] = static_cast<int>(random() % 6) + 1;
            held[die] = random() % 2 == 0;
        }
        const Position board = boardWith(entries, faces, held, rollsMade);
        SCOPED_TRACE(boardCode(board));
        ASSERT_EQ(boardProblem(board), std::nullopt);
        const std::optional<BoardAnalysis> analysis = analyse(std::get<Coach>(loaded), board);
        ASSERT_TRUE(analysis);
        EXPECT_EQ(analysis->board, board);
    }
}

// What each category can hold, from the rules of the score sheet.
TEST(BoardCode, EachCategoryHoldsWhatSomeThrowScoresThere) {
    const auto steps = [](int from, int step, int to) {
        std::vector<int> scores{0};
        for (int s = from; s <= to; s += step)
            scores.push_back(s);
        return scores;
    };
    std::vector<int> chance = steps(5, 1, 30);
    chance.erase(chance.begin());
    const std::vector<int> expected[kCategoryCount] = {
        steps(1, 1, 5),  steps(2, 2, 10), steps(3, 3, 15), steps(4, 4, 20), steps(5, 5, 25),
        steps(6, 6, 30), steps(3, 3, 18), steps(4, 4, 24), {0, 25},         {0, 30},
        {0, 40},         {0, 50},         chance};
    for (int c = 0; c < kCategoryCount; ++c)
        EXPECT_EQ(categoryScores(c), expected[c]) << "category " << c;
}

// A text that is no code, and the code of a board of the fourth turn changed into one no game
// can reach: refused with the reason, the board itself as well.
TEST(BoardCode, ACodeOrABoardNoGameCanReachIsRefusedWithItsReason) {
    Scores entries{};
    entries[Einer] = 3;
    entries[Dreierpasch] = 18;
    entries[Chance] = 22;
    const Position rolled =
        boardWith(entries, {2, 5, 5, 1, 6}, {false, true, true, false, false}, 2);
    const auto entered = [&](int category, int points) {
        Scores sheet = entries;
        sheet[category] = points;
        return boardWith(sheet, rolled.faces, rolled.held, rolled.rollsMade);
    };
    const auto rolledWith = [&](Faces faces, int rollsMade) {
        return boardWith(entries, faces, rolled.held, rollsMade);
    };
    Scores full{};
    for (int c = 0; c < kCategoryCount; ++c)
        full[c] = categoryScores(c).back();
    const std::string code = boardCode(rolled);
    const int length = static_cast<int>(kCodeLength);
    const struct {
        const char* name;
        std::optional<Position> board;
        std::string text;
        CodeProblem problem;
    } rows[] = {
        {"7 in Einer: five ones make 5", entered(Einer, 7), "", {Kind::Score, Einer, 7}},
        {"10 in Dreierpasch: the face counts three times",
         entered(Dreierpasch, 10),
         "",
         {Kind::Score, Dreierpasch, 10}},
        {"35 in Full House: 25 or nothing",
         entered(FullHouse, 35),
         "",
         {Kind::Score, FullHouse, 35}},
        {"0 in Chance: five dice make 5 at least",
         entered(Chance, 0),
         "",
         {Kind::Score, Chance, 0}},
        {"a fourth roll", rolledWith(rolled.faces, 4), "", {Kind::Rolls, -1, 4}},
        {"a blank die after a roll", rolledWith({2, 5, 5, 0, 6}, 2), "", {Kind::Face, 3, 0}},
        {"a die showing seven", rolledWith({2, 7, 5, 1, 6}, 1), "", {Kind::Face, 1, 7}},
        {"dice shown before the turn's first roll",
         boardWith(entries, {0, 0, 4, 0, 0}, {}, 0),
         "",
         {Kind::DiceBeforeRoll, 2, 4}},
        {"a die held before the turn's first roll",
         boardWith(entries, {}, {false, false, false, false, true}, 0),
         "",
         {Kind::HeldBeforeRoll, 4, 0}},
        {"every category entered",
         boardWith(full, rolled.faces, rolled.held, 1),
         "",
         {Kind::SheetFull}},
        {"nothing pasted", std::nullopt, "  \n", {Kind::NoCode}},
        {"another game's prefix", std::nullopt, "X" + code.substr(1), {Kind::NoCode}},
        {"version 2", std::nullopt, "K2" + code.substr(2), {Kind::OtherVersion, -1, '2'}},
        {"a blank inside",
         std::nullopt,
         code.substr(0, 10) + " " + code.substr(10),
         {Kind::Character, 10, ' '}},
        {"an umlaut", std::nullopt, code.substr(0, 5) + "\xc3\xa4", {Kind::Character, 5, 0xc3}},
        {"the check character missing",
         std::nullopt,
         code.substr(0, length - 1),
         {Kind::Length, -1, length - 1}},
        {"a character too many", std::nullopt, code + "A", {Kind::Length, -1, length + 1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.board) {
            EXPECT_EQ(boardProblem(*row.board), row.problem);
        }
        EXPECT_EQ(problemOf(row.board ? boardCode(*row.board) : row.text), row.problem);
    }

    Position wrongSum = rolled;
    wrongSum.lowerSum += 5;
    EXPECT_EQ(boardProblem(wrongSum), CodeProblem{Kind::Sums});
}

} // namespace
} // namespace kubiq
