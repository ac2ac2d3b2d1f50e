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

} // namespace
} // namespace kubiq
