#include "board_code.h"

#include "code_alphabet.h"

#include <algorithm>
#include <array>
#include <set>

namespace kubiq {

namespace {

constexpr int kOpen = 63;
constexpr int kHeld = 8;
constexpr std::size_t kDiceAt = kCodePrefix.size() + kCategoryCount;
constexpr std::size_t kRollsAt = kDiceAt + kDiceCount;
constexpr std::size_t kCheckAt = kRollsAt + 1;
static_assert(kCheckAt + 1 == kCodeLength);

std::vector<int> scoresOf(int category) {
    // Every throw as the engine scores it: the rules decide, not a copy of them.
    OpenCategories open;
    open.fill(true);
    std::set<int> scores;
    Faces faces{};
    for (int x = 0; x < 6 * 6 * 6 * 6 * 6; ++x) {
        for (int die = 0, rest = x; die < kDiceCount; ++die, rest /= 6)
            faces[die] = rest % 6 + 1;
        scores.insert(suggest(faces, open)[category].value_or(0));
    }
    return {scores.begin(), scores.end()};
}

} // namespace

const std::vector<int>& categoryScores(int category) {
    static const std::array<std::vector<int>, kCategoryCount> scores = [] {
        std::array<std::vector<int>, kCategoryCount> all;
        for (int c = 0; c < kCategoryCount; ++c)
            all[c] = scoresOf(c);
        return all;
    }();
    return scores[category];
}

Position boardWith(const Scores& entries, const Faces& faces,
                   const std::array<bool, kDiceCount>& held, int rollsMade) {
    Position board;
    board.open = 0;
    for (int c = 0; c < kCategoryCount; ++c) {
        board.open |= entries[c] ? 0u : 1u << c;
        board.points[c] = entries[c].value_or(0);
    }
    board.upperSum = sheetSum(entries, SumCell::GesamtOben).value_or(0);
    board.lowerSum = sheetSum(entries, SumCell::GesamtUnten).value_or(0);
    board.faces = faces;
    board.held = held;
    board.rollsMade = rollsMade;
    return board;
}

std::optional<CodeProblem> boardProblem(const Position& board) {
    using Kind = CodeProblem::Kind;
    Scores entries{};
    for (int c = 0; c < kCategoryCount; ++c) {
        if (board.open >> c & 1)
            continue;
        const std::vector<int>& scores = categoryScores(c);
        if (!std::binary_search(scores.begin(), scores.end(), board.points[c]))
            return CodeProblem{Kind::Score, c, board.points[c]};
        entries[c] = board.points[c];
    }
    if (board.rollsMade < 0 || board.rollsMade > kRollsPerTurn)
        return CodeProblem{Kind::Rolls, -1, board.rollsMade};
    for (int die = 0; die < kDiceCount; ++die) {
        const int face = board.faces[die];
        if (board.rollsMade > 0 && (face < 1 || face > 6))
            return CodeProblem{Kind::Face, die, face};
        if (board.rollsMade == 0 && face != 0)
            return CodeProblem{Kind::DiceBeforeRoll, die, face};
        if (board.rollsMade == 0 && board.held[die])
            return CodeProblem{Kind::HeldBeforeRoll, die, 0};
    }
    // The game-over box shows the full sheet, but no decision is left on it.
    if ((board.open & kAllOpen) == 0)
        return CodeProblem{Kind::SheetFull};
    if (board != boardWith(entries, board.faces, board.held, board.rollsMade))
        return CodeProblem{Kind::Sums};
    return std::nullopt;
}

std::string boardCode(const Position& board) {
    std::string code(kCodePrefix);
    for (int c = 0; c < kCategoryCount; ++c)
        code += kCodeAlphabet[board.open >> c & 1 ? kOpen : board.points[c] & 63];
    for (int die = 0; die < kDiceCount; ++die)
        code += kCodeAlphabet[(board.faces[die] & 7) + (board.held[die] ? kHeld : 0)];
    code += kCodeAlphabet[board.rollsMade & 63];
    code += checkCharacter(code);
    return code;
}

std::variant<Position, CodeProblem> parseBoardCode(std::string_view code) {
    using Kind = CodeProblem::Kind;
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t first = code.find_first_not_of(blanks);
    code = first == std::string_view::npos
               ? std::string_view()
               : code.substr(first, code.find_last_not_of(blanks) + 1 - first);

    if (code.size() < kCodePrefix.size() || code[0] != kCodePrefix[0] || code[2] != kCodePrefix[2])
        return CodeProblem{Kind::NoCode};
    if (code[1] != kCodePrefix[1])
        return CodeProblem{Kind::OtherVersion, -1, static_cast<unsigned char>(code[1])};
    for (std::size_t i = 0; i < code.size(); ++i)
        if (codeDigit(code[i]) < 0)
            return CodeProblem{Kind::Character, static_cast<int>(i),
                               static_cast<unsigned char>(code[i])};
    if (code.size() != kCodeLength)
        return CodeProblem{Kind::Length, -1, static_cast<int>(code.size())};
    if (weightedSum(code) != 0)
        return CodeProblem{Kind::Typo};

    Scores entries{};
    for (int c = 0; c < kCategoryCount; ++c) {
        const int digit = codeDigit(code[kCodePrefix.size() + c]);
        if (digit != kOpen)
            entries[c] = digit;
    }
    Faces faces{};
    std::array<bool, kDiceCount> held{};
    for (int die = 0; die < kDiceCount; ++die) {
        const int digit = codeDigit(code[kDiceAt + die]);
        // A digit beyond a held 7 is no die at all; 7 itself is no face either.
        faces[die] = digit > kHeld + 7 ? digit : digit % kHeld;
        held[die] = digit >= kHeld && digit <= kHeld + 7;
    }
    const Position board = boardWith(entries, faces, held, codeDigit(code[kRollsAt]));
    if (std::optional<CodeProblem> problem = boardProblem(board))
        return *problem;
    return board;
}

} // namespace kubiq
