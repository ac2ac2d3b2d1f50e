#include "scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace kubiq {
namespace {

Faces facesOf(const std::string& dice) {
    Faces faces{};
    for (int i = 0; i < kDiceCount; ++i)
        faces[i] = dice[i] - '0';
    return faces;
}

OpenCategories allOpen() {
    OpenCategories open;
    open.fill(true);
    return open;
}

// The tips that are not empty, by category.
std::map<int, int> shownTips(const Tips& tips) {
    std::map<int, int> shown;
    for (int c = 0; c < kCategoryCount; ++c)
        if (tips[c])
            shown[c] = *tips[c];
    return shown;
}

TEST(Suggest, WithEveryCategoryOpen) {
    const struct {
        const char* dice;
        std::map<int, int> tips;
    } rows[] = {
        {"12346",
         {{Einer, 1},
          {Zweier, 2},
          {Dreier, 3},
          {Vierer, 4},
          {Sechser, 6},
          {KleineStrasse, 30},
          {Chance, 16}}},
        {"13456",
         {{Einer, 1},
          {Dreier, 3},
          {Vierer, 4},
          {Fuenfer, 5},
          {Sechser, 6},
          {KleineStrasse, 30},
          {Chance, 19}}},
        {"23455",
         {{Zweier, 2}, {Dreier, 3}, {Vierer, 4}, {Fuenfer, 10}, {KleineStrasse, 30}, {Chance, 19}}},
        {"12356", {{Einer, 1}, {Zweier, 2}, {Dreier, 3}, {Fuenfer, 5}, {Sechser, 6}, {Chance, 17}}},
        {"23456",
         {{Zweier, 2},
          {Dreier, 3},
          {Vierer, 4},
          {Fuenfer, 5},
          {Sechser, 6},
          {KleineStrasse, 30},
          {GrosseStrasse, 40},
          {Chance, 20}}},
        {"33355", {{Dreier, 9}, {Fuenfer, 10}, {Dreierpasch, 9}, {FullHouse, 25}, {Chance, 19}}},
        {"53533", {{Dreier, 9}, {Fuenfer, 10}, {Dreierpasch, 9}, {FullHouse, 25}, {Chance, 19}}},
        {"66662", {{Zweier, 2}, {Sechser, 24}, {Dreierpasch, 18}, {Viererpasch, 24}, {Chance, 26}}},
        {"44444", {{Vierer, 20}, {Dreierpasch, 12}, {Viererpasch, 16}, {Kubiq, 50}, {Chance, 20}}},
        {"11223", {{Einer, 2}, {Zweier, 4}, {Dreier, 3}, {Chance, 9}}},
        {"65432",
         {{Zweier, 2},
          {Dreier, 3},
          {Vierer, 4},
          {Fuenfer, 5},
          {Sechser, 6},
          {KleineStrasse, 30},
          {GrosseStrasse, 40},
          {Chance, 20}}},
        {"12345",
         {{Einer, 1},
          {Zweier, 2},
          {Dreier, 3},
          {Vierer, 4},
          {Fuenfer, 5},
          {KleineStrasse, 30},
          {GrosseStrasse, 40},
          {Chance, 15}}},
        {"12456", {{Einer, 1}, {Zweier, 2}, {Vierer, 4}, {Fuenfer, 5}, {Sechser, 6}, {Chance, 18}}},
        {"11116", {{Einer, 4}, {Sechser, 6}, {Dreierpasch, 3}, {Viererpasch, 4}, {Chance, 10}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dice);
        EXPECT_EQ(shownTips(suggest(facesOf(row.dice), allOpen())), row.tips);
    }
}

// The rules again, counted plainly from the sorted dice, for every one of the 7776 rolls.
struct Expected {
    explicit Expected(std::string dice) : sorted(std::move(dice)) {
        std::sort(sorted.begin(), sorted.end());
        for (char face = '1'; face <= '6'; ++face) {
            const int n = static_cast<int>(std::count(sorted.begin(), sorted.end(), face));
            if (n > 0)
                counts.push_back(n);
            if (n >= 3)
                repeated = {face - '0', n};
        }
        std::sort(counts.begin(), counts.end());
    }
    bool shows(const std::string& faces) const {
        return std::all_of(faces.begin(), faces.end(),
                           [&](char f) { return sorted.find(f) != std::string::npos; });
    }
    std::string sorted;
    std::vector<int> counts;            // how many dice show each face that shows, ascending
    std::pair<int, int> repeated{0, 0}; // face on three or more dice, and how many
};

TEST(Suggest, AgreesWithThePlainRulesForEveryRoll) {
    for (int code = 0; code < 7776; ++code) {
        std::string dice;
        for (int i = 0, rest = code; i < kDiceCount; ++i, rest /= 6)
            dice += static_cast<char>('1' + rest % 6);
        SCOPED_TRACE(dice);
        const Expected expected(dice);
        const Tips tips = suggest(facesOf(dice), allOpen());

        for (int face = 1; face <= 6; ++face) {
            const int n = static_cast<int>(std::count(dice.begin(), dice.end(), '0' + face));
            ASSERT_EQ(tips[face - 1], n > 0 ? Points(face * n) : std::nullopt);
        }
        const auto [face, n] = expected.repeated;
        ASSERT_EQ(tips[Dreierpasch], n >= 3 ? Points(3 * face) : std::nullopt);
        ASSERT_EQ(tips[Viererpasch], n >= 4 ? Points(4 * face) : std::nullopt);
        ASSERT_EQ(tips[FullHouse].has_value(), (expected.counts == std::vector<int>{2, 3}));
        ASSERT_EQ(tips[KleineStrasse].has_value(),
                  expected.shows("1234") || expected.shows("2345") || expected.shows("3456"));
        ASSERT_EQ(tips[GrosseStrasse].has_value(),
                  expected.sorted == "12345" || expected.sorted == "23456");
        ASSERT_EQ(tips[Kubiq].has_value(), expected.counts == std::vector<int>{5});
        int sum = 0;
        for (char d : dice)
            sum += d - '0';
        ASSERT_EQ(tips[Chance], sum);
        // What a category scores when it fits is fixed.
        for (auto [category, points] :
             {std::pair{FullHouse, 25}, {KleineStrasse, 30}, {GrosseStrasse, 40}, {Kubiq, 50}})
            ASSERT_EQ(tips[category].value_or(points), points);
    }
}

TEST(Suggest, AClosedCategoryShowsNothingAndLeavesTheOthersAlone) {
    for (int code = 0; code < 7776; ++code) {
        std::string dice;
        for (int i = 0, rest = code; i < kDiceCount; ++i, rest /= 6)
            dice += static_cast<char>('1' + rest % 6);
        const Tips open = suggest(facesOf(dice), allOpen());
        for (int closed = 0; closed < kCategoryCount; ++closed) {
            OpenCategories categories = allOpen();
            categories[closed] = false;
            Tips expected = open;
            expected[closed] = std::nullopt;
            ASSERT_EQ(suggest(facesOf(dice), categories), expected)
                << dice << " without " << closed;
        }
    }
}

TEST(Suggest, NothingIsSuggestedWhenEveryCategoryIsClosed) {
    EXPECT_EQ(suggest(facesOf("66666"), OpenCategories{}), Tips{});
}

} // namespace
} // namespace kubiq
