// The coach's table on disk: every kind of bad file gives its problem, never a crash and never a
// value the writer did not write.

#include "table_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

namespace kubiq {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<char>;

constexpr std::uint64_t kRules = 0x1234'5678'9abc'def0ull;
const std::vector<double> kValues{0.0, 1.5, 252.0912, 33.25, 999.0, 7.0};
// Certain, lost, and in between: near the ends, a chance must not round to certain or lost.
const std::vector<double> kUpper{1.0, 0.0, 0.5, 0.9995, 0.0004, 1.0 - 1e-12};
const std::vector<double> kLower{0.0, 1.0, 0.25, 1e-12, 0.71, 0.43};

bool writeSound(const std::string& path) {
    return writeTable(path, kRules, kValues, kUpper, kLower);
}

Bytes bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

// A little-endian field of the header.
void put(Bytes& bytes, std::size_t offset, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

// A folder of its own that goes with the test.
struct Scratch {
    Scratch() {
        // A name no other run has taken: create_directory is false for one that exists.
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
            fs::path candidate =
                fs::temp_directory_path() / ("kubiq-table-" + std::to_string(seed()));
            if (fs::create_directory(candidate))
                folder = candidate;
        }
        if (folder.empty())
            throw std::runtime_error("no scratch folder");
        table = (folder / "coach.table").string();
    }
    ~Scratch() {
        // Windows removes no read-only file; a destructor must not throw either.
        std::error_code ignored;
        fs::permissions(table, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    fs::path folder;
    std::string table; // as the reader and the writer take it
};

struct Row {
    Row(const char* name, std::function<void(Bytes&)> edit, std::optional<TableProblem> problem,
        std::function<void(const fs::path&)> replace = {}, std::size_t count = kValues.size())
        : name(name), edit(edit), problem(problem), replace(replace), count(count) {}

    const char* name;
    std::function<void(Bytes&)> edit;             // changes the sound table's bytes
    std::optional<TableProblem> problem;          // what the reader says of them
    std::function<void(const fs::path&)> replace; // or puts something else in its place
    std::size_t count;                            // the number of values the reader wants
};

const auto flip = [](std::size_t offset) { return [=](Bytes& bytes) { bytes[offset] ^= 0x10; }; };
const auto keep = [](Bytes&) {};

class TableFileRead : public ::testing::TestWithParam<Row> {};

TEST_P(TableFileRead, GivesItsProblem) {
    const Row& row = GetParam();
    const Scratch scratch;
    ASSERT_TRUE(writeSound(scratch.table));
    Bytes bytes = bytesOf(scratch.table);
    row.edit(bytes);
    writeBytes(scratch.table, bytes);
    if (row.replace)
        row.replace(scratch.table);
    if (row.name == std::string("FileWithoutReadPermission") && std::ifstream(scratch.table))
        GTEST_SKIP() << "this user reads every file, permission or not";
    if (row.name == std::string("ReadThatFails") && !fs::exists("/proc/self/mem"))
        GTEST_SKIP() << "no file here opens and then fails to read (Windows)";
    const std::string path = row.name == std::string("ReadThatFails")
                                 ? "/proc/self/mem" // opens, but address 0 is never mapped
                                 : scratch.table;

    const TableRead read = readTable(path, kRules, row.count);
    EXPECT_EQ(read.problem, row.problem);
    const std::vector<float> written(kValues.begin(), kValues.end());
    EXPECT_EQ(read.values, row.problem ? std::vector<float>{} : written);
    const std::vector<std::uint8_t> upper{255, 0, 128, 254, 1, 255};
    const std::vector<std::uint8_t> lower{0, 255, 64, 0, 181, 110};
    EXPECT_EQ(read.upperChances, row.problem ? std::vector<std::uint8_t>{} : upper);
    EXPECT_EQ(read.lowerChances, row.problem ? std::vector<std::uint8_t>{} : lower);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableFileRead,
    ::testing::Values(
        Row{"SoundTableReadsAsWritten", keep, std::nullopt},
        Row{"NoFile", keep, TableProblem::Missing, [](const fs::path& path) { fs::remove(path); }},
        Row{"EmptyFile", [](Bytes& bytes) { bytes.clear(); }, TableProblem::Damaged},
        Row{"CutShortInTheHeader", [](Bytes& bytes) { bytes.resize(20); }, TableProblem::Damaged},
        Row{"CutShortInTheValues", [](Bytes& bytes) { bytes.pop_back(); }, TableProblem::Damaged},
        Row{"OneByteTooMany", [](Bytes& bytes) { bytes.push_back(0); }, TableProblem::Damaged},
        Row{"FlippedByteInTheMagicWord", flip(3), TableProblem::Damaged},
        Row{"FlippedByteInTheValueWidth", flip(12), TableProblem::Damaged},
        Row{"FlippedByteInTheChecksum", flip(39), TableProblem::Damaged},
        Row{"FlippedByteInTheValues", flip(40 + 4 * 2 + 1), TableProblem::Damaged},
        Row{"FlippedByteInTheUpperChances", flip(40 + 4 * 6 + 2), TableProblem::Damaged},
        Row{"FlippedLastByteOfTheLowerChances", flip(40 + 4 * 6 + 6 + 5), TableProblem::Damaged},
        Row{"OtherFormatVersion", [](Bytes& bytes) { put(bytes, 8, kTableVersion + 1, 4); },
            TableProblem::OtherVersion},
        Row{"FormerFormatWithoutChances",
            [](Bytes& bytes) {
                put(bytes, 8, 1, 4);
                put(bytes, 12, 4, 4);
                bytes.resize(40 + 4 * kValues.size());
            },
            TableProblem::OtherVersion},
        Row{"OtherRules", flip(16), TableProblem::OtherRules},
        Row{"OtherNumberOfValues", keep, TableProblem::OtherRules, {}, kValues.size() + 1},
        Row{"ImplausibleValueUnderAGoodChecksum", keep, TableProblem::Damaged,
            [](const fs::path& path) {
                writeTable(path.string(), kRules, std::vector<double>(kValues.size(), std::nan("")),
                           kUpper, kLower);
            }},
        Row{"FolderInTheTablesPlace", keep, TableProblem::Unreadable,
            [](const fs::path& path) {
                fs::remove(path);
                fs::create_directory(path);
            }},
        Row{"FileWithoutReadPermission", keep, TableProblem::Unreadable,
            [](const fs::path& path) { fs::permissions(path, fs::perms::none); }},
        Row{"ReadThatFails", keep, TableProblem::Unreadable}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A thousand small tables, each damaged at random (cut, bytes flipped, bytes appended, header
// fields overwritten): a changed file is always turned away, and only an unchanged one read.
TEST(TableFileFuzz, DamagedTablesAreTurnedAway) {
    const Scratch scratch;
    std::mt19937 random(17);
    std::vector<double> values(64);
    for (double& value : values)
        value = std::uniform_real_distribution<double>(0.0, 400.0)(random);
    std::vector<double> chances(values.size());
    for (double& chance : chances)
        chance = std::uniform_real_distribution<double>(0.0, 1.0)(random);
    ASSERT_TRUE(writeTable(scratch.table, kRules, values, chances, chances));
    const Bytes sound = bytesOf(scratch.table);
    const std::vector<float> written(values.begin(), values.end());

    const auto below = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::size_t fields[] = {8, 12, 16, 24, 32}; // version, width, rules, count, checksum
    for (int round = 0; round < 1000; ++round) {
        Bytes bytes = sound;
        for (std::size_t damage = 1 + below(3); damage > 0; --damage) {
            const std::size_t kind = below(4);
            if (kind == 0)
                bytes.resize(below(bytes.size() + 1));
            for (std::size_t n = 1 + below(8); kind == 1 && n > 0 && !bytes.empty(); --n)
                bytes[below(bytes.size())] ^= static_cast<char>(1 + below(255));
            for (std::size_t n = 1 + below(16); kind == 2 && n > 0; --n)
                bytes.push_back(static_cast<char>(random()));
            const std::size_t at = fields[below(5)];
            if (kind == 3 && bytes.size() >= 40)
                put(bytes, at, below(3) == 0 ? random() : below(3), at < 16 ? 4 : 8);
        }
        writeBytes(scratch.table, bytes);
        const TableRead read = readTable(scratch.table, kRules, values.size());
        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(read.problem.has_value(), bytes != sound);
        EXPECT_EQ(read.values, bytes != sound ? std::vector<float>{} : written);
    }
}

} // namespace
} // namespace kubiq
