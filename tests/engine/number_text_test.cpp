#include "number_text.h"

#include <gtest/gtest.h>

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
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(numberText(row.value), row.text);
    }
}

TEST(CaptionValue, ReadsTheLeadingNumberOrZero) {
    const struct {
        const char* why;
        const char* text;
        double value;
    } rows[] = {
        {"an empty caption reads 0", "", 0.0},
        {"a score", "35", 35.0},
        {"zero", "0", 0.0},
        {"leading blanks are skipped", "   230", 230.0},
        {"a sign", "-12", -12.0},
        {"a plus sign", "+5", 5.0},
        {"a fraction", "215.5", 215.5},
        {"a fraction without digits before the point", ".5", 0.5},
        {"text after the number is ignored", "12 Punkte", 12.0},
        {"text without a number reads 0", "halten", 0.0},
        {"a lone sign reads 0", "-", 0.0},
        {"a lone point reads 0", ".", 0.0},
        {"blanks inside end the number", "1 2", 1.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_DOUBLE_EQ(captionValue(row.text), row.value);
    }
}

TEST(CaptionValue, ReadsBackEveryNumberText) {
    for (double value : {0.0, 5.0, 35.0, 431.0, 215.5, 51607125.0})
        EXPECT_DOUBLE_EQ(captionValue(numberText(value)), value);
}

} // namespace
} // namespace kubiq
