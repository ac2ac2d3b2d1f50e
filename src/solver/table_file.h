#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kubiq {

// The coach's table on disk. A header of fixed-width little-endian fields, then one
// single-precision value per turn state:
//
//   offset  size  field
//        0     8  magic "KUBIQTAB"
//        8     4  format version (kTableVersion)
//       12     4  bytes per value (4)
//       16     8  fingerprint of the rules the values were computed for
//       24     8  number of values
//       32     8  checksum of the values (FNV-1a over their 32-bit words)
//       40        the values
//
// The reader checks every field, the file's length, the checksum and that every value is a
// plausible rest of a TOTAL before it hands out a single value.
inline constexpr std::uint32_t kTableVersion = 1;

enum class TableProblem {
    Missing,      // no file there
    Unreadable,   // a folder, no permission, a read that failed
    Damaged,      // cut short, too long, not a table, checksum or values wrong
    OtherVersion, // a table of another format version
    OtherRules,   // computed for other rules, or another numbering of the states
};

struct TableRead {
    std::vector<float> values; // empty when there is a problem
    std::optional<TableProblem> problem;
};

// Writes the values; false when the file cannot be written whole.
bool writeTable(const std::string& path, std::uint64_t fingerprint, std::span<const double> values);

// Reads a table that must hold `count` values computed for `fingerprint`.
TableRead readTable(const std::string& path, std::uint64_t fingerprint, std::size_t count);

} // namespace kubiq
