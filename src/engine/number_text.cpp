#include "number_text.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace kubiq {

namespace {

// The value in fixed notation with `decimals` digits after the point, in the classic locale:
// the program's locale (German under Qt) would write a decimal comma.
std::string fixed(double value, int decimals) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

double readBack(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0.0;
    in >> value;
    return value;
}

} // namespace

// The fewest decimals that read back as the same double: what std::to_chars writes in fixed
// notation, written without it, since the browser's C++ library has no floating-point to_chars.
std::string numberText(double value) {
    if (value == 0.0)
        return "0"; // also for -0.0
    constexpr int kMostDecimals = 17; // enough for any double to read back exactly
    for (int decimals = 0; decimals < kMostDecimals; ++decimals) {
        std::string text = fixed(value, decimals);
        if (readBack(text) == value)
            return text;
    }
    return fixed(value, kMostDecimals);
}

} // namespace kubiq
