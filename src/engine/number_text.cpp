#include "number_text.h"

#include <array>
#include <charconv>

namespace kubiq {

std::string numberText(double value) {
    if (value == 0.0)
        return "0"; // also for -0.0
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return "0";
    return std::string(buffer.data(), end);
}

} // namespace kubiq
