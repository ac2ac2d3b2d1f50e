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
#include <random>

namespace kubiq {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kRules = 0x1234'5678'9abc'def0ull;
const std::vector<double> kValues{0.0, 1.5, 252.0912, 33.25, 999.0, 7.0};

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Changes the file's bytes in place.
std::function<std::string(const std::string&)>
edit(std::function<void(std::vector<char>&)> change) {
    return [change](const std::string& path) {
        std::vector<char> bytes = bytesOf(path);
        change(bytes);
        writeBytes(path, bytes);
        return path;
    };
}

// A little-endian field of the header.
void put(std::vector<char>& bytes, std::size_t offset, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
}

struct Row {
    const char* name;
    // Spoils the sound table at the path; returns the path to read.
    std::function<std::string(const std::string&)> spoil;
    std::optional<TableProblem> problem;
    std::size_t count = kValues.size();
};

class TableFileRead : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        std::string folder = fs::temp_directory_path() / "kubiq-table-XXXXXX";
        ASSERT_NE(mkdtemp(folder.data()), nullptr);
        m_folder = folder;
        ASSERT_TRUE(writeTable(path(), kRules, kValues));
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string path() const { return m_folder / "coach.table"; }

    fs::path m_folder;
};

TEST_P(TableFileRead, GivesItsProblem) {
    const Row& row = GetParam();
    const std::string path = row.spoil(this->path());
    if (std::string(row.name) == "FileWithoutReadPermission" && std::ifstream(path))
        GTEST_SKIP() << "this user reads every file, permission or not";
    const TableRead read = readTable(path, kRules, row.count);
    EXPECT_EQ(read.problem, row.problem);
    if (row.problem) {
        EXPECT_TRUE(read.values.empty());
    } else {
        ASSERT_EQ(read.values.size(), kValues.size());
        for (std::size_t i = 0; i < kValues.size(); ++i)
            EXPECT_EQ(read.values[i], static_cast<float>(kValues[i]));
    }
}

const auto same = [](const std::string& path) { return path; };
const auto flip = [](std::size_t offset) {
    return edit([offset](std::vector<char>& bytes) { bytes[offset] ^= 0x10; });
};

INSTANTIATE_TEST_SUITE_P(
    Tables, TableFileRead,
    ::testing::Values(
        Row{"SoundTableReadsAsWritten", same, std::nullopt},
        Row{"NoFile", [](const std::string& path) { return path + ".gone"; },
            TableProblem::Missing},
        Row{"EmptyFile", edit([](std::vector<char>& bytes) { bytes.clear(); }),
            TableProblem::Damaged},
        Row{"CutShortInTheHeader", edit([](std::vector<char>& bytes) { bytes.resize(20); }),
            TableProblem::Damaged},
        Row{"CutShortInTheValues", edit([](std::vector<char>& bytes) { bytes.pop_back(); }),
            TableProblem::Damaged},
        Row{"OneByteTooMany", edit([](std::vector<char>& bytes) { bytes.push_back(0); }),
            TableProblem::Damaged},
        Row{"FlippedByteInTheMagicWord", flip(3), TableProblem::Damaged},
        Row{"FlippedByteInTheValueWidth", flip(12), TableProblem::Damaged},
        Row{"FlippedByteInTheChecksum", flip(39), TableProblem::Damaged},
        Row{"FlippedByteInTheValues", flip(40 + 4 * 2 + 1), TableProblem::Damaged},
        Row{"OtherFormatVersion",
            edit([](std::vector<char>& bytes) { put(bytes, 8, kTableVersion + 1, 4); }),
            TableProblem::OtherVersion},
        Row{"OtherRules", flip(16), TableProblem::OtherRules},
        Row{"OtherNumberOfValues", same, TableProblem::OtherRules, kValues.size() + 1},
        Row{"ImplausibleValueUnderAGoodChecksum",
            [](const std::string& path) {
                writeTable(path, kRules, std::vector<double>{1.0, std::nan(""), 2.0, 3.0, 4.0, 5.0});
                return path;
            },
            TableProblem::Damaged},
        Row{"NegativeValueUnderAGoodChecksum",
            [](const std::string& path) {
                writeTable(path, kRules, std::vector<double>{1.0, -0.5, 2.0, 3.0, 4.0, 5.0});
                return path;
            },
            TableProblem::Damaged},
        Row{"FolderInTheTablesPlace",
            [](const std::string& path) {
                fs::remove(path);
                fs::create_directory(path);
                return path;
            },
            TableProblem::Unreadable},
        Row{"FileWithoutReadPermission",
            [](const std::string& path) {
                fs::permissions(path, fs::perms::none);
                return path;
            },
            TableProblem::Unreadable},
        // A file that opens but whose first read fails: address 0 is never mapped.
        Row{"ReadThatFails", [](const std::string&) { return std::string("/proc/self/mem"); },
            TableProblem::Unreadable}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// A thousand small tables, each damaged at random (cut, bytes flipped, bytes appended, header
// fields overwritten): a changed file is always turned away, and only an unchanged one read.
TEST(TableFileFuzz, DamagedTablesAreTurnedAway) {
    std::string folder = fs::temp_directory_path() / "kubiq-fuzz-XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string path = folder + "/coach.table";
    std::mt19937 random(17);
    std::vector<double> values(64);
    for (double& value : values)
        value = std::uniform_real_distribution<double>(0.0, 400.0)(random);
    ASSERT_TRUE(writeTable(path, kRules, values));
    const std::vector<char> sound = bytesOf(path);

    const auto upTo = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int round = 0; round < 1000; ++round) {
        std::vector<char> bytes = sound;
        for (int damage = 1 + upTo(3); damage > 0; --damage) {
            switch (upTo(4)) {
            case 0:
                bytes.resize(upTo(bytes.size() + 1));
                break;
            case 1:
                for (std::size_t n = 1 + upTo(8); n > 0 && !bytes.empty(); --n)
                    bytes[upTo(bytes.size())] ^= static_cast<char>(1 + upTo(255));
                break;
            case 2:
                for (std::size_t n = 1 + upTo(16); n > 0; --n)
                    bytes.push_back(static_cast<char>(random()));
                break;
            default: // a header field: version, width, rules, count or checksum
                if (bytes.size() >= 40) {
                    const std::size_t fields[] = {8, 12, 16, 24, 32};
                    const std::size_t at = fields[upTo(5)];
                    put(bytes, at, upTo(3) == 0 ? random() : random() % 3, at < 16 ? 4 : 8);
                }
            }
        }
        writeBytes(path, bytes);
        const TableRead read = readTable(path, kRules, values.size());
        SCOPED_TRACE("round " + std::to_string(round));
        if (bytes != sound) {
            EXPECT_TRUE(read.problem.has_value());
            EXPECT_TRUE(read.values.empty());
        } else {
            ASSERT_FALSE(read.problem.has_value());
            for (std::size_t i = 0; i < values.size(); ++i)
                ASSERT_EQ(read.values[i], static_cast<float>(values[i]));
        }
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace kubiq
