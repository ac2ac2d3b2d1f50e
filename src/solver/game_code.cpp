#include "game_code.h"

#include "board_code.h"
#include "code_alphabet.h"
#include "scoring.h"

#include <optional>

namespace kubiq {

namespace {

using Kind = GameCodeProblem::Kind;

constexpr int kEnters = 32; // added to a step's holds when the player enters
constexpr int kThrows = 6 * 6 * 6 * 6 * 6;
constexpr std::size_t kFaceDigits = 3;

int heldBits(const std::array<bool, kDiceCount>& held) {
    int bits = 0;
    for (int die = 0; die < kDiceCount; ++die)
        bits |= held[die] ? 1 << die : 0;
    return bits;
}

void appendDigit(std::string& code, int digit) {
    code += kCodeAlphabet[digit & 63];
}

void appendFaces(std::string& code, const Faces& faces) {
    int number = 0;
    for (int die = kDiceCount - 1; die >= 0; --die)
        number = number * 6 + (faces[die] - 1);
    for (int shift = 12; shift >= 0; shift -= 6)
        appendDigit(code, number >> shift);
}

// Reads the steps of a code's body, digit by digit, replaying them on a board as the game would.
class Replay {
public:
    explicit Replay(std::string_view body) : m_body(body) {}

    std::variant<CodedGame, GameCodeProblem> run() {
        CodedGame game;
        Scores entries{};
        Position& board = game.now;
        while (!atEnd()) {
            if (board.open == 0)
                return problem(Kind::AfterTheGame);
            if (!readFaces(board.faces))
                return *m_problem;
            board.rollsMade = 1;
            for (;;) {
                if (atEnd())
                    return problem(Kind::CutShort);
                const int step = next();
                for (int die = 0; die < kDiceCount; ++die)
                    board.held[die] = step >> die & 1;
                if (atEnd()) {
                    if (step >= kEnters)
                        return problem(Kind::CutShort);
                    return game; // the holds of the dice on show
                }
                if (step < kEnters) {
                    if (board.rollsMade == kRollsPerTurn)
                        return problem(Kind::FourthRoll);
                    game.moves.push_back({Move::Kind::Roll, board, -1});
                    Faces rolled{};
                    if (!readFaces(rolled))
                        return *m_problem;
                    for (int die = 0; die < kDiceCount; ++die)
                        if (board.held[die] && rolled[die] != board.faces[die])
                            return problem(Kind::HeldChanged, die);
                    board.faces = rolled;
                    ++board.rollsMade;
                    continue;
                }
                if (m_at + 2 > m_body.size())
                    return problem(Kind::CutShort);
                const int category = next();
                const int points = next();
                if (category >= kCategoryCount)
                    return problem(Kind::Category, -1, category);
                if (!(board.open >> category & 1))
                    return problem(Kind::EnteredTwice, category);
                if (points != tipsOf(board)[category].value_or(0))
                    return problem(Kind::Score, category, points);
                game.moves.push_back({Move::Kind::Enter, board, category});
                entries[category] = points;
                board = boardWith(entries, {}, {}, 0);
                ++m_turn;
                break;
            }
        }
        return game;
    }

private:
    bool atEnd() const { return m_at == m_body.size(); }
    int next() { return codeDigit(m_body[m_at++]); }
    GameCodeProblem problem(Kind kind, int where = -1, int value = 0) {
        m_problem = GameCodeProblem{kind, m_turn, where, value};
        return *m_problem;
    }
    bool readFaces(Faces& faces) {
        if (m_at + kFaceDigits > m_body.size()) {
            problem(Kind::CutShort);
            return false;
        }
        int number = 0;
        for (std::size_t i = 0; i < kFaceDigits; ++i)
            number = number * 64 + next();
        if (number >= kThrows) {
            problem(Kind::Face);
            return false;
        }
        for (int die = 0; die < kDiceCount; ++die, number /= 6)
            faces[die] = number % 6 + 1;
        return true;
    }

    std::string_view m_body;
    std::size_t m_at = 0;
    int m_turn = 1;
    std::optional<GameCodeProblem> m_problem;
};

} // namespace

std::optional<int> CodedGame::total() const {
    if (!finished())
        return std::nullopt;
    Scores entries{};
    for (int c = 0; c < kCategoryCount; ++c)
        entries[c] = now.points[c];
    return sheetSum(entries, SumCell::Total);
}

std::string gameCode(const std::vector<Move>& moves, const Position& now) {
    std::string code(kGameCodePrefix);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Move& move = moves[i];
        // The log holds no first roll: the turn's first decision shows its faces.
        if (i == 0 || moves[i - 1].kind == Move::Kind::Enter)
            appendFaces(code, move.before.faces);
        const int held = heldBits(move.before.held);
        if (move.kind == Move::Kind::Roll) {
            appendDigit(code, held);
            appendFaces(code, (i + 1 < moves.size() ? moves[i + 1].before : now).faces);
        } else {
            appendDigit(code, kEnters + held);
            appendDigit(code, move.category);
            appendDigit(code, tipsOf(move.before)[move.category].value_or(0));
        }
    }
    if (now.rollsMade > 0) {
        if (moves.empty() || moves.back().kind == Move::Kind::Enter)
            appendFaces(code, now.faces); // a turn whose first roll is all there is
        appendDigit(code, heldBits(now.held));
    }
    code += checkCharacter(code);
    return code;
}

std::variant<CodedGame, GameCodeProblem> parseGameCode(std::string_view code) {
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t first = code.find_first_not_of(blanks);
    code = first == std::string_view::npos
               ? std::string_view()
               : code.substr(first, code.find_last_not_of(blanks) + 1 - first);

    const std::string_view prefix = kGameCodePrefix;
    if (code.size() < prefix.size() || code[0] != prefix[0] || code[2] != prefix[2])
        return GameCodeProblem{Kind::NoCode};
    if (code[1] != prefix[1])
        return GameCodeProblem{Kind::OtherVersion, 0, -1, static_cast<unsigned char>(code[1])};
    for (std::size_t i = 0; i < code.size(); ++i)
        if (codeDigit(code[i]) < 0)
            return GameCodeProblem{Kind::Character, 0, static_cast<int>(i),
                                   static_cast<unsigned char>(code[i])};
    if (code.size() == prefix.size())
        return GameCodeProblem{Kind::CutShort, 1};
    if (weightedSum(code) != 0)
        return GameCodeProblem{Kind::Typo};
    return Replay(code.substr(prefix.size(), code.size() - prefix.size() - 1)).run();
}

} // namespace kubiq
