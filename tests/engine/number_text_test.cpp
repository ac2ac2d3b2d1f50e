#include "number_text.h"

#include <gtest/gtest.h>

#include <locale>

namespace kubiq {
namespace {

TEST(NumberText, WholeNumbersHaveNoDecimalsOrGrouping) {
    const struct {
        double value;
        const char* text;
    } rows[] = {
        {0.0, "0"},       {-0.0, "0"},      {35.0, "35"},
        {230.0, "230"},   {1575.0, "1575"}, {51607125.0, "51607125"},
        {215.5, "215.5"}, {-7.0, "-7"},
        // The fewest decimals that read back as the same value.
        {230.25, "230.25"}, {1.0 / 3.0, "0.3333333333333333"}, {0.1, "0.1"},
        {-2.0 / 3.0, "-0.6666666666666666"}, {1e20, "100000000000000000000"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(numberText(row.value), row.text);
    }
}

// Qt sets the C library's locale from the environment; a German one writes a decimal comma.
TEST(NumberText, TheProgramsLocaleChangesNoPoint) {
    const struct Numpunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    }* comma = new Numpunct;
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), comma));
    const std::string text = numberText(1234.5);
    std::locale::global(before);
    EXPECT_EQ(text, "1234.5");
}

} // namespace
} // namespace kubiq
