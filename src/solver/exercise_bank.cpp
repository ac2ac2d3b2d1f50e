#include "exercise_bank.h"

#include "board_code.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

namespace kubiq {

namespace {

constexpr std::string_view kMagic = "KUBIQBNK";
constexpr std::size_t kHeader = 32;
constexpr int kHoldMark = 255;

void put(std::string& bytes, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

std::uint64_t get(std::string_view bytes, std::size_t at, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001B3ull;
    }
    return hash;
}

// A choice as two bytes: the category, or kHoldMark and the held dice as bits of positions.
void putChoice(std::string& bytes, const Position& board, const Choice& choice) {
    if (choice.enters()) {
        put(bytes, static_cast<std::uint64_t>(choice.category), 1);
        put(bytes, 0, 1);
        return;
    }
    const Position held = moveOf(board, choice).before;
    int bits = 0;
    for (int die = 0; die < kDiceCount; ++die)
        bits |= held.held[die] ? 1 << die : 0;
    put(bytes, kHoldMark, 1);
    put(bytes, static_cast<std::uint64_t>(bits), 1);
}

std::optional<Choice> getChoice(const Position& board, int first, int second) {
    if (first != kHoldMark)
        return first < kCategoryCount && (board.open >> first & 1) && second == 0
                   ? std::optional<Choice>(Choice{{}, first})
                   : std::nullopt;
    if (second >= 1 << kDiceCount || board.rollsMade >= kRollsPerTurn)
        return std::nullopt;
    Choice choice;
    for (int die = 0; die < kDiceCount; ++die)
        if (second >> die & 1)
            choice.hold.push_back(board.faces[die]);
    std::sort(choice.hold.begin(), choice.hold.end());
    return choice;
}

std::uint64_t hundredths(double value) {
    return static_cast<std::uint64_t>(std::clamp(std::lround(value * 100.0), 0l, 65535l));
}

} // namespace

std::string_view themeName(Theme theme) {
    static constexpr std::array<std::string_view, kThemeCount> kNames{
        "Eröffnung",         "Endspiel",          "Bonus oben",
        "Bonus unten",       "Null mit Absicht",  "Vor dem letzten Wurf eintragen",
        "Straße statt Paar", "Auf Kubiq spielen", "Chance aufheben"};
    return kNames[static_cast<std::size_t>(theme)];
}

std::string bankBytes(const std::vector<BankExercise>& exercises) {
    std::string records;
    for (const BankExercise& exercise : exercises) {
        const std::size_t start = records.size();
        records += boardCode(exercise.board);
        putChoice(records, exercise.board, exercise.best);
        putChoice(records, exercise.board, exercise.tempting);
        put(records, hundredths(exercise.margin), 2);
        put(records, hundredths(exercise.temptingCost), 2);
        put(records, exercise.themes, 2);
        put(records,
            static_cast<std::uint64_t>(std::clamp(std::lround(exercise.rating), 0l, 65535l)), 2);
        put(records, static_cast<std::uint64_t>(exercise.rulesFailing), 1);
        put(records, static_cast<std::uint64_t>(std::min(exercise.nearBest, 255)), 1);
        records.resize(start + kBankRecord, '\0');
    }
    std::string bytes(kMagic);
    put(bytes, kBankVersion, 4);
    put(bytes, kBankRecord, 4);
    put(bytes, exercises.size(), 8);
    put(bytes, fnv1a(records), 8);
    return bytes + records;
}

std::variant<std::vector<BankExercise>, BankProblem> parseBank(std::string_view bytes) {
    if (bytes.size() < kHeader || bytes.substr(0, kMagic.size()) != kMagic)
        return BankProblem::Damaged;
    if (get(bytes, 8, 4) != kBankVersion)
        return BankProblem::OtherVersion;
    const std::uint64_t count = get(bytes, 16, 8);
    if (get(bytes, 12, 4) != kBankRecord || count > (bytes.size() - kHeader) / kBankRecord ||
        bytes.size() != kHeader + count * kBankRecord)
        return BankProblem::Damaged;
    const std::string_view records = bytes.substr(kHeader);
    if (get(bytes, 24, 8) != fnv1a(records))
        return BankProblem::Damaged;
    std::vector<BankExercise> exercises;
    for (std::size_t at = 0; at < records.size(); at += kBankRecord) {
        const auto board = parseBoardCode(records.substr(at, kCodeLength));
        if (!std::holds_alternative<Position>(board))
            return BankProblem::Damaged;
        BankExercise exercise;
        exercise.board = std::get<Position>(board);
        if (exercise.board.rollsMade == 0)
            return BankProblem::Damaged; // nothing to decide before the turn's first roll
        std::size_t field = at + kCodeLength;
        const auto best = getChoice(exercise.board, static_cast<int>(get(records, field, 1)),
                                    static_cast<int>(get(records, field + 1, 1)));
        const auto tempting =
            getChoice(exercise.board, static_cast<int>(get(records, field + 2, 1)),
                      static_cast<int>(get(records, field + 3, 1)));
        if (!best || !tempting || *best == *tempting)
            return BankProblem::Damaged;
        exercise.best = *best;
        exercise.tempting = *tempting;
        field += 4;
        exercise.margin = static_cast<double>(get(records, field, 2)) / 100.0;
        exercise.temptingCost = static_cast<double>(get(records, field + 2, 2)) / 100.0;
        exercise.themes = static_cast<std::uint16_t>(get(records, field + 4, 2));
        exercise.rating = static_cast<double>(get(records, field + 6, 2));
        exercise.rulesFailing = static_cast<int>(get(records, field + 8, 1));
        exercise.nearBest = static_cast<int>(get(records, field + 9, 1));
        if (exercise.themes >> kThemeCount != 0 || exercise.rulesFailing == 0 ||
            exercise.margin < kUniqueMargin || exercise.temptingCost < kTempting)
            return BankProblem::Damaged;
        exercises.push_back(std::move(exercise));
    }
    return exercises;
}

std::variant<std::vector<BankExercise>, BankProblem> readBank(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return BankProblem::Missing;
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (file.bad())
        return BankProblem::Damaged;
    return parseBank(bytes);
}

} // namespace kubiq
