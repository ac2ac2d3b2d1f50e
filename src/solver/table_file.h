#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kubiq {

// The coach's table on disk. A header of fixed-width little-endian fields, then for each turn
// state a single-precision value (the expected rest of TOTAL) and the chances of the two bonuses
// in steps of 1/255:
//
//   offset  size  field
//        0     8  magic "KUBIQTAB"
//        8     4  format version (kTableVersion)
//       12     4  bytes per state (6)
//       16     8  fingerprint of the rules the values were computed for
//       24     8  number of states n
//       32     8  checksum (FNV-1a over the values' 32-bit words, then over the chances' bytes
//                 four to a word, little-endian, the last word filled with zeros)
//       40  4n    the values
//     +4n    n    the upper bonus's chances
//     +5n    n    the lower bonus's chances
//
// A chance of one byte keeps the table within 20 MB and is good to 1/510 (0.2 percentage
// points), finer than the whole percent the coach shows. Only a certain chance is stored as 255
// and only a lost one as 0, so that "certain" and "lost" survive the rounding: a chance within
// 1/510 of either end is stored one step away from it, good to 1/255 there.
//
// The reader checks every field, the file's length, the checksum and that every value is a
// plausible rest of a TOTAL before it hands out a single value.
inline constexpr std::uint32_t kTableVersion = 2;

// A chance (0..1) as stored, and back.
std::uint8_t chanceByte(double chance);
inline double chanceOf(std::uint8_t byte) {
    return byte / 255.0;
}

enum class TableProblem {
    Missing,      // no file there
    Unreadable,   // a folder, no permission, a read that failed
    Damaged,      // cut short, too long, not a table, checksum or values wrong
    OtherVersion, // a table of another format version
    OtherRules,   // computed for other rules, or another numbering of the states
};

struct TableRead {
    // By state; all empty when there is a problem.
    std::vector<float> values;
    std::vector<std::uint8_t> upperChances;
    std::vector<std::uint8_t> lowerChances;
    std::optional<TableProblem> problem;
};

// Writes the values and chances (three spans of one length); false when the file cannot be
// written whole or the spans differ in length.
bool writeTable(const std::string& path, std::uint64_t fingerprint, std::span<const double> values,
                std::span<const double> upperChances, std::span<const double> lowerChances);

// Reads a table that must hold `count` states computed for `fingerprint`.
TableRead readTable(const std::string& path, std::uint64_t fingerprint, std::size_t count);

} // namespace kubiq
