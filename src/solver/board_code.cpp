#include "board_code.h"

#include <algorithm>
#include <array>
#include <set>

namespace kubiq {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kOpen = 63;
constexpr int kHeld = 8;
constexpr std::size_t kDiceAt = kCodePrefix.size() + kCategoryCount;
constexpr std::size_t kRollsAt = kDiceAt + kDiceCount;
constexpr std::size_t kCheckAt = kRollsAt + 1;
static_assert(kCheckAt + 1 == kCodeLength);

// The digit of a character, or -1 outside the alphabet.
int digitOf(char character) {
    const std::size_t at = kAlphabet.find(character);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// v times a in GF(2^6) modulo x^6 + x + 1.
int timesA(int v) {
    v <<= 1;
    return v & 64 ? v ^ 0x43 : v;
}

// The weighted sum of `characters`, which must all be in the alphabet, the last counting once.
int weightedSum(std::string_view characters) {
    int sum = 0;
    for (char character : characters)
        sum = timesA(sum) ^ digitOf(character);
    return sum;
}

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
        code += kAlphabet[board.open >> c & 1 ? kOpen : board.points[c] & 63];
    for (int die = 0; die < kDiceCount; ++die)
        code += kAlphabet[(board.faces[die] & 7) + (board.held[die] ? kHeld : 0)];
    code += kAlphabet[board.rollsMade & 63];
    code += kAlphabet[timesA(weightedSum(code))];
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
        if (digitOf(code[i]) < 0)
            return CodeProblem{Kind::Character, static_cast<int>(i),
                               static_cast<unsigned char>(code[i])};
    if (code.size() != kCodeLength)
        return CodeProblem{Kind::Length, -1, static_cast<int>(code.size())};
    if (weightedSum(code) != 0)
        return CodeProblem{Kind::Typo};

    Scores entries{};
    for (int c = 0; c < kCategoryCount; ++c) {
        const int digit = digitOf(code[kCodePrefix.size() + c]);
        if (digit != kOpen)
            entries[c] = digit;
    }
    Faces faces{};
    std::array<bool, kDiceCount> held{};
    for (int die = 0; die < kDiceCount; ++die) {
        const int digit = digitOf(code[kDiceAt + die]);
        // A digit beyond a held 7 is no die at all; 7 itself is no face either.
        faces[die] = digit > kHeld + 7 ? digit : digit % kHeld;
        held[die] = digit >= kHeld && digit <= kHeld + 7;
    }
    const Position board = boardWith(entries, faces, held, digitOf(code[kRollsAt]));
    if (std::optional<CodeProblem> problem = boardProblem(board))
        return *problem;
    return board;
}

} // namespace kubiq
