// The review's table without a display: which decisions carry which mark, the row a screen
// reader hears as one sentence, the way to the next marked decision; and the marks' colours,
// which must stand out from light and dark grounds and from one another.

#include "coach_texts.h"
#include "design_palette.h"
#include "review_model.h"
#include "slip_marks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kubiq::test {
namespace {

// Relative luminance and contrast ratio as WCAG 2 defines them.
double luminance(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double x = luminance(a) + 0.05;
    const double y = luminance(b) + 0.05;
    return std::max(x, y) / std::min(x, y);
}

TEST(SlipMarks, ReadOnLightAndDarkGroundsAndApartWithoutTheirHue) {
    const Slip slips[] = {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder};
    for (const auto& [what, ground] :
         {std::pair{"the coach's light boxes", designPalette().color(QPalette::Base)},
          {"a dark desktop", QColor(30, 30, 30)},
          {"black", QColor(Qt::black)},
          {"a light grey", QColor(220, 220, 220)}}) {
        SCOPED_TRACE(what);
        for (Slip slip : slips)
            EXPECT_GE(contrastRatio(slipColour(slip, ground), ground), 3.0)
                << slipWord(slip).toStdString();
        // Lightness is what every eye sees: the three differ in it.
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j)
                EXPECT_GE(contrastRatio(slipColour(slips[i], ground), slipColour(slips[j], ground)),
                          1.2)
                    << slipWord(slips[i]).toStdString() << ", " << slipWord(slips[j]).toStdString();
    }
    // Glyph and word for each, never the colour alone.
    EXPECT_EQ(QStringList({slipGlyph(Slip::Inaccuracy), slipGlyph(Slip::Mistake),
                           slipGlyph(Slip::Blunder), slipGlyph(Slip::None)}),
              QStringList({"?!", "?", "??", ""}));
    EXPECT_EQ(QStringList({slipWord(Slip::Inaccuracy), slipWord(Slip::Mistake),
                           slipWord(Slip::Blunder), slipWord(Slip::None)}),
              QStringList({"Ungenauigkeit", "Fehler", "grober Fehler", ""}));
}

// A game's steps by hand: a roll, then a decision that cost `cost`, for each row.
struct Decided {
    const char* what;
    double cost;
    Slip slip;
    bool held = false; // rolls again with the two sixes, else enters
};
const Decided kDecisions[] = {
    {"the best choice", 0.0, Slip::None},
    {"a tie is the best", kTie / 2, Slip::None},
    {"just under an inaccuracy", kInaccuracy - 0.01, Slip::None},
    {"an inaccuracy from its threshold on", kInaccuracy, Slip::Inaccuracy},
    {"just under a mistake", kMistake - 0.01, Slip::Inaccuracy},
    {"a mistake from its threshold on", kMistake, Slip::Mistake},
    {"a mistake to roll again", kMistake, Slip::Mistake, true},
    {"just under a blunder", kBlunder - 0.01, Slip::Mistake},
    {"a blunder from its threshold on", kBlunder, Slip::Blunder},
};

GameReview handMadeGame() {
    GameReview review;
    review.expected = 250.0;
    double value = review.expected;
    int turn = 1;
    for (const Decided& decided : kDecisions) {
        ReviewStep roll;
        roll.turn = turn;
        roll.faces = {6, 1, 3, 6, 2};
        roll.before = value;
        roll.after = value + 1.5;
        ReviewStep decision = roll;
        decision.kind = ReviewStep::Kind::Decision;
        decision.before = roll.after;
        decision.after = roll.after - decided.cost;
        decision.chosen = decided.held ? Choice{{6, 6}, -1} : Choice{{}, turn - 1};
        decision.board.held = {true, false, false, true, false};
        decision.board.faces = roll.faces;
        decision.best = decided.cost > 0 ? Choice{{}, 12} : decision.chosen;
        value = decision.after;
        review.steps.push_back(roll);
        review.steps.push_back(decision);
        ++turn;
    }
    return review;
}

TEST(ReviewModel, MarksEachDecisionByWhatItCostAndReadsEachRowAsOneSentence) {
    const GameReview review = handMadeGame();
    const Reasons reasons(std::size(kDecisions));
    ReviewModel model;
    model.showReview(review, reasons);
    ASSERT_EQ(model.rowCount(), static_cast<int>(review.steps.size()));
    ASSERT_EQ(model.columnCount(), 7);
    for (int row = 0; row < model.rowCount(); ++row) {
        const bool decides = row % 2 == 1;
        const Decided& decided = kDecisions[row / 2];
        SCOPED_TRACE(std::string(decided.what) + (decides ? ", its decision" : ", its roll"));
        const Slip slip = decides ? decided.slip : Slip::None;
        const QString sentence = model.index(row, 0).data(Qt::AccessibleTextRole).toString();
        EXPECT_EQ(model.isMarked(row), slip != Slip::None);
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(row, column);
            EXPECT_EQ(cell.data(Qt::AccessibleTextRole).toString(), sentence) << column;
            // What the cell shows, the sentence says.
            const QString shown =
                cell.data().toString().remove(QStringLiteral("—")).remove(QChar(0x2212));
            EXPECT_TRUE(sentence.contains(shown)) << column << ": " << shown.toStdString();
        }
        EXPECT_EQ(model.index(row, ReviewModel::Loss).data(ReviewModel::kSlipRole).toInt(),
                  static_cast<int>(slip));
        // The mark's word ends the sentence.
        EXPECT_EQ(sentence.endsWith(QStringLiteral(" – ") + slipWord(slip)), slip != Slip::None)
            << sentence.toStdString();
        if (decides) {
            EXPECT_EQ(model.index(row, ReviewModel::Loss).data().toString() == "—",
                      review.steps[static_cast<std::size_t>(row)].isBest());
        }
        EXPECT_EQ(model.index(row, ReviewModel::Dice).data(ReviewModel::kFacesRole).toString(),
                  "61362")
            << "in their places";
        EXPECT_EQ(model.index(row, ReviewModel::Dice).data(ReviewModel::kHeldRole).toString(),
                  decides && decided.held ? "10010" : "00000")
            << "held only by a decision to roll again";
        EXPECT_EQ(model.reason(row), nullptr) << "no reason given";
    }
    // From each row, the nearest marked one either way, as a plain search finds it.
    for (int row = -1; row <= model.rowCount(); ++row)
        for (int direction : {1, -1}) {
            std::optional<int> plain;
            for (int at = row + direction; at >= 0 && at < model.rowCount() && !plain;
                 at += direction)
                if (at % 2 == 1 && kDecisions[at / 2].slip != Slip::None)
                    plain = at;
            EXPECT_EQ(model.nextMarked(row, direction), plain) << row << " " << direction;
        }
    // The loss's legend names every mark and its threshold.
    const QString legend =
        model.headerData(ReviewModel::Loss, Qt::Horizontal, Qt::ToolTipRole).toString();
    for (const Slip slip : {Slip::Inaccuracy, Slip::Mistake, Slip::Blunder})
        EXPECT_TRUE(legend.contains(slipGlyph(slip) + " " + slipWord(slip) + " ab "))
            << legend.toStdString();
}

} // namespace
} // namespace kubiq::test
