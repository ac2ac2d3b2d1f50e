#include "board_analysis.h"

#include <algorithm>
#include <utility>

namespace kubiq {

namespace {

ChoiceRow holdRow(const RankedHold& ranked) {
    ChoiceRow row;
    row.choice.hold = ranked.hold.faces;
    row.expectedTotal = ranked.hold.expectedTotal;
    row.outlook = ranked.outlook;
    return row;
}

ChoiceRow entryRow(const EntryAdvice& entry) {
    ChoiceRow row;
    row.choice.category = entry.category;
    row.expectedTotal = entry.expectedTotal;
    row.outlook = entry.outlook;
    return row;
}

// Every choice of the board, holds and entries alike, in the table's order: the best first, then
// by worth, holds in their ranking's order and before entries among equals. A row's rank is its
// place here, so that the numbers of the table skip where choices are left out of it.
std::vector<Choice> everyChoice(const std::vector<HoldAdvice>& holds,
                                const std::vector<EntryAdvice>& entries, const Choice& first) {
    std::vector<std::pair<Choice, double>> choices;
    for (const HoldAdvice& hold : holds)
        choices.push_back({{hold.faces, -1}, hold.expectedTotal});
    for (const EntryAdvice& entry : entries)
        choices.push_back({{{}, entry.category}, entry.expectedTotal});
    const auto best = std::find_if(choices.begin(), choices.end(),
                                   [&](const auto& choice) { return choice.first == first; });
    std::rotate(choices.begin(), best, best + 1);
    std::stable_sort(choices.begin() + 1, choices.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<Choice> order;
    for (auto& choice : choices)
        order.push_back(std::move(choice.first));
    return order;
}

} // namespace

Explanation BoardAnalysis::explain(std::size_t index) const {
    const ChoiceRow& best = rows.front();
    const ChoiceRow& row = rows[index];
    return {{best.choice, bestTotal, row.expectedTotal}, best.outlook, row.outlook};
}

std::optional<Explanation> BoardAnalysis::explainEntry(int category) const {
    if (rows.empty())
        return std::nullopt;
    for (const EntryAdvice& entry : advice.entries)
        if (entry.category == category)
            return Explanation{{rows.front().choice, bestTotal, entry.expectedTotal},
                               rows.front().outlook,
                               entry.outlook};
    return std::nullopt;
}

std::optional<BoardAnalysis> analyse(const Coach& coach, const Position& board) {
    std::optional<BoardFigures> figures = coach.figures(board, kTableHolds);
    if (!figures)
        return std::nullopt;
    BoardAnalysis analysis;
    analysis.board = board;
    analysis.advice = std::move(figures->advice);
    if (!figures->best)
        return analysis;
    analysis.bestTotal = figures->bestTotal;
    std::vector<ChoiceRow>& rows = analysis.rows;
    if (figures->holds.empty()) {
        for (const EntryAdvice& entry : analysis.advice.entries)
            rows.push_back(entryRow(entry));
    } else {
        for (const RankedHold& ranked : figures->holds)
            rows.push_back(holdRow(ranked));
        rows.push_back(entryRow(analysis.advice.entries.front()));
    }
    // The best choice first: of a hold of all five dice and the entry best play makes of them,
    // the entry, since it is the one the coach names. Then the others by worth, the ranking's
    // order kept among equals.
    const auto best = std::find_if(rows.begin(), rows.end(), [&](const ChoiceRow& row) {
        return row.choice == *figures->best;
    });
    std::rotate(rows.begin(), best, best + 1);
    std::stable_sort(rows.begin() + 1, rows.end(), [](const ChoiceRow& a, const ChoiceRow& b) {
        return a.expectedTotal > b.expectedTotal;
    });
    const std::vector<Choice> order =
        everyChoice(figures->everyHold, analysis.advice.entries, *figures->best);
    const std::vector<int> held = board.heldFaces();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        ChoiceRow& row = rows[i];
        row.rank =
            static_cast<int>(std::find(order.begin(), order.end(), row.choice) - order.begin()) + 1;
        row.loss = std::max(0.0, analysis.explain(i).weighing.cost());
        if (!figures->holds.empty() && !row.choice.enters() && row.choice.hold == held)
            analysis.playersRow = i;
    }
    return analysis;
}

} // namespace kubiq
