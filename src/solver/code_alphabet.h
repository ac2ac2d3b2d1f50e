#pragma once

#include <string_view>

namespace kubiq {

// The characters of the codes of boards and games: the URL-safe base-64 alphabet, one digit
// 0..63 each, and the check that makes the weighted sum of a whole code zero in GF(2^6).
inline constexpr std::string_view kCodeAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// The digit of a character, or -1 outside the alphabet.
constexpr int codeDigit(char character) {
    const std::size_t at = kCodeAlphabet.find(character);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// v times a in GF(2^6) modulo x^6 + x + 1.
constexpr int timesA(int v) {
    v <<= 1;
    return v & 64 ? v ^ 0x43 : v;
}

// The weighted sum of `characters`, which must all be in the alphabet: the character at
// distance k before the end counts a^k times. a has order 63, so a changed character
// (a^k times a non-zero difference) and a swap of neighbours (a^k (a + 1) times one) change the
// sum at any length.
constexpr int weightedSum(std::string_view characters) {
    int sum = 0;
    for (char character : characters)
        sum = timesA(sum) ^ codeDigit(character);
    return sum;
}

// The character that, put after `characters`, makes the weighted sum of all of them zero.
constexpr char checkCharacter(std::string_view characters) {
    return kCodeAlphabet[timesA(weightedSum(characters))];
}

} // namespace kubiq
