// The coach's table is read and written by narrow (char) file names in UTF-8, the way the window
// hands them over from Qt. Folders named beyond ASCII must work on Linux and on Windows alike:
// there only because the program's manifest makes UTF-8 the process's code page, without which
// std::fopen and std::filesystem would read the same bytes in two different encodings.

#include "table_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace kubiq {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kRules = 0x0ddb'a11c'afe5'eed5ull;
const std::vector<double> kValues{0.0, 12.5, 254.59, 31.0};
const std::vector<double> kChances{0.0, 1.0, 0.5, 0.25};

std::string narrow(const std::u8string& text) {
    return {text.begin(), text.end()};
}

// A folder of its own below the system's temporary folder, removed afterwards.
struct Scratch {
    Scratch() {
        std::random_device seed;
        for (int attempt = 0; attempt < 100 && folder.empty(); ++attempt) {
            fs::path candidate =
                fs::temp_directory_path() / ("kubiq-paths-" + std::to_string(seed()));
            if (fs::create_directory(candidate))
                folder = candidate;
        }
        if (folder.empty())
            throw std::runtime_error("no scratch folder");
    }
    ~Scratch() { fs::remove_all(folder); }
    fs::path folder;
};

struct Row {
    const char* shows;
    std::u8string folder;
};

class NarrowPath : public ::testing::TestWithParam<Row> {};

TEST_P(NarrowPath, TableIsWrittenAndReadWhereTheNameSays) {
    const Row& row = GetParam();
    Scratch scratch;
    const fs::path folder = scratch.folder / fs::path(row.folder);
    ASSERT_TRUE(fs::create_directory(folder));
    const std::string table = narrow(folder.u8string() + u8"/coach.table");

    ASSERT_TRUE(writeTable(table, kRules, kValues, kChances, kChances))
        << "no table written under " << table;
    // The file must be in the folder made by its wide name, not in a look-alike.
    EXPECT_TRUE(fs::is_regular_file(folder / "coach.table"));
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.folder), fs::directory_iterator()), 1);

    const TableRead read = readTable(table, kRules, kValues.size());
    ASSERT_FALSE(read.problem.has_value()) << "problem " << static_cast<int>(*read.problem);
    ASSERT_EQ(read.values.size(), kValues.size());
    for (std::size_t i = 0; i < kValues.size(); ++i)
        EXPECT_FLOAT_EQ(read.values[i], static_cast<float>(kValues[i]));
}

TEST_P(NarrowPath, MissingTableIsMissingNotUnreadable) {
    Scratch scratch;
    const fs::path folder = scratch.folder / fs::path(GetParam().folder);
    ASSERT_TRUE(fs::create_directory(folder));
    const TableRead read = readTable(narrow(folder.u8string() + u8"/coach.table"), kRules, 4);
    ASSERT_TRUE(read.problem.has_value());
    EXPECT_EQ(*read.problem, TableProblem::Missing);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, NarrowPath,
    ::testing::Values(Row{"plain ASCII", u8"KUBIQ"},
                      Row{"a space and brackets, as in Program Files", u8"Program Files (x86)"},
                      Row{"German letters of the Western code page", u8"Spielstände Jürgen"},
                      Row{"Greek letters, outside the Western code page", u8"Παίκτης"},
                      Row{"Chinese letters, in no single-byte code page", u8"玩家"}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.shows))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
} // namespace kubiq
