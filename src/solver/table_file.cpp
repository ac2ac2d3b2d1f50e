#include "table_file.h"

#include "word_hash.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace kubiq {

namespace {

// A float's bits and back, as std::bit_cast gives them; the browser's C++ library has no
// std::bit_cast yet.
std::uint32_t wordOf(float value) {
    static_assert(sizeof(float) == sizeof(std::uint32_t));
    std::uint32_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    return word;
}

float floatOf(std::uint32_t word) {
    float value = 0.0f;
    std::memcpy(&value, &word, sizeof value);
    return value;
}


constexpr std::array<char, 8> kMagic{'K', 'U', 'B', 'I', 'Q', 'T', 'A', 'B'};
constexpr std::size_t kHeaderSize = 40;
constexpr std::uint32_t kValueSize = 4;
constexpr std::uint32_t kStateSize = kValueSize + 2;
// No rest of a TOTAL comes near this: a value beyond it is not one.
constexpr float kMostPlausible = 1000.0f;

template <typename T> void putLittle(unsigned char* at, T value) {
    for (std::size_t i = 0; i < sizeof(T); ++i)
        at[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(value) >> (8 * i));
}

template <typename T> T getLittle(const unsigned char* at) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
    return static_cast<T>(value);
}

TableRead problem(TableProblem what) {
    TableRead read;
    read.problem = what;
    return read;
}

// The chances' bytes into the checksum, four to a word.
void addBytes(WordHash& checksum, std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4 && i + k < bytes.size(); ++k)
            word |= std::uint32_t{bytes[i + k]} << (8 * k);
        checksum.add(word);
    }
}

} // namespace

std::uint8_t chanceByte(double chance) {
    // Within this of 0 or 1 a chance is certain: sums of probabilities carry rounding.
    constexpr double kCertain = 1e-9;
    if (chance <= kCertain)
        return 0;
    if (chance >= 1.0 - kCertain)
        return 255;
    return static_cast<std::uint8_t>(std::clamp(std::lround(chance * 255.0), 1L, 254L));
}

bool writeTable(const std::string& path, std::uint64_t fingerprint, std::span<const double> values,
                std::span<const double> upperChances, std::span<const double> lowerChances) {
    const std::size_t count = values.size();
    if (upperChances.size() != count || lowerChances.size() != count)
        return false;
    std::vector<unsigned char> bytes(kHeaderSize + kStateSize * count);
    WordHash checksum;
    unsigned char* at = bytes.data() + kHeaderSize;
    for (double value : values) {
        const auto word = wordOf(static_cast<float>(value));
        putLittle(at, word);
        at += kValueSize;
        checksum.add(word);
    }
    for (std::span<const double> chances : {upperChances, lowerChances}) {
        std::uint8_t* first = at;
        for (double chance : chances)
            *at++ = chanceByte(chance);
        addBytes(checksum, {first, count});
    }
    std::memcpy(bytes.data(), kMagic.data(), kMagic.size());
    putLittle(bytes.data() + 8, kTableVersion);
    putLittle(bytes.data() + 12, kStateSize);
    putLittle(bytes.data() + 16, fingerprint);
    putLittle(bytes.data() + 24, static_cast<std::uint64_t>(values.size()));
    putLittle(bytes.data() + 32, checksum.value());

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

TableRead readTable(const std::string& path, std::uint64_t fingerprint, std::size_t count) {
    // File names are UTF-8 everywhere. Said so: on Windows libstdc++ would otherwise read a
    // char name in the C locale, byte by byte, and miss a folder named "Jürgen".
    std::error_code error;
    const auto status =
        std::filesystem::status(std::filesystem::path(std::u8string(path.begin(), path.end())), error);
    if (status.type() == std::filesystem::file_type::not_found)
        return problem(TableProblem::Missing);
    if (error || status.type() != std::filesystem::file_type::regular)
        return problem(TableProblem::Unreadable);

    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file)
        return problem(TableProblem::Unreadable);
    std::array<unsigned char, kHeaderSize> header{};
    const std::size_t headerRead = std::fread(header.data(), 1, header.size(), file.get());
    if (std::ferror(file.get()))
        return problem(TableProblem::Unreadable);
    if (headerRead < header.size() || std::memcmp(header.data(), kMagic.data(), kMagic.size()))
        return problem(TableProblem::Damaged);
    if (getLittle<std::uint32_t>(&header[8]) != kTableVersion)
        return problem(TableProblem::OtherVersion);
    if (getLittle<std::uint32_t>(&header[12]) != kStateSize)
        return problem(TableProblem::Damaged);
    if (getLittle<std::uint64_t>(&header[16]) != fingerprint ||
        getLittle<std::uint64_t>(&header[24]) != count)
        return problem(TableProblem::OtherRules);

    // Straight into the values: the table is most of what opening the coach costs.
    TableRead table;
    table.values.resize(count);
    table.upperChances.resize(count);
    table.lowerChances.resize(count);
    std::size_t read = std::fread(table.values.data(), kValueSize, count, file.get());
    read += std::fread(table.upperChances.data(), 1, count, file.get());
    read += std::fread(table.lowerChances.data(), 1, count, file.get());
    if (std::ferror(file.get()))
        return problem(TableProblem::Unreadable);
    if (read != 3 * count || std::fgetc(file.get()) != EOF)
        return problem(TableProblem::Damaged);

    WordHash checksum;
    bool plausible = true;
    for (float& value : table.values) {
        auto word = wordOf(value);
        if constexpr (std::endian::native == std::endian::big)
            word = getLittle<std::uint32_t>(reinterpret_cast<const unsigned char*>(&word));
        checksum.add(word);
        value = floatOf(word);
        plausible &= value >= 0.0f && value <= kMostPlausible; // false for NaN too
    }
    addBytes(checksum, table.upperChances);
    addBytes(checksum, table.lowerChances);
    if (checksum.value() != getLittle<std::uint64_t>(&header[32]) || !plausible)
        return problem(TableProblem::Damaged);
    return table;
}

} // namespace kubiq
