#pragma once

#include <cstdint>

namespace kubiq {

// FNV-1a over 32-bit words: the rules' fingerprint and the table's checksum. Each step is a
// bijection of the hash for a given word, so a single changed word always changes the result.
class WordHash {
public:
    void add(std::uint32_t word) { m_hash = (m_hash ^ word) * 0x100000001b3ull; }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xcbf29ce484222325ull;
};

} // namespace kubiq
