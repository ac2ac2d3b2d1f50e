#pragma once

#include "sheet.h"

namespace kubiq {

// The score sheet row by row: the caption label Label1..Label20 in order, and the LabelPunkte
// cell of the row. `spoken` tells the two GESAMT and the two BONUS rows apart for screen readers.
struct SheetRow {
    int row;
    const char* caption;
    bool bold;
    int cell;
    const char* spoken;
};

inline constexpr SheetRow kSheetRows[] = {
    {0, "Einer", false, Einer, "Einer"},
    {1, "Zweier", false, Zweier, "Zweier"},
    {2, "Dreier", false, Dreier, "Dreier"},
    {3, "Vierer", false, Vierer, "Vierer"},
    {4, "Fünfer", false, Fuenfer, "Fünfer"},
    {5, "Sechser", false, Sechser, "Sechser"},
    {6, "GESAMT", false, static_cast<int>(SumCell::GesamtOben), "GESAMT oben"},
    {7, "BONUS", false, static_cast<int>(SumCell::BonusOben), "BONUS oben"},
    {8, "SUMME 1", true, static_cast<int>(SumCell::Summe1), "SUMME 1"},
    {10, "Dreierpasch", false, Dreierpasch, "Dreierpasch"},
    {11, "Viererpasch", false, Viererpasch, "Viererpasch"},
    {12, "Full House", false, FullHouse, "Full House"},
    {13, "Kleine Straße", false, KleineStrasse, "Kleine Straße"},
    {14, "Große Straße", false, GrosseStrasse, "Große Straße"},
    {15, "Kubiq", false, Kubiq, "Kubiq"},
    {16, "Chance", false, Chance, "Chance"},
    {17, "GESAMT", false, static_cast<int>(SumCell::GesamtUnten), "GESAMT unten"},
    {18, "BONUS", false, static_cast<int>(SumCell::BonusUnten), "BONUS unten"},
    {19, "SUMME 2", true, static_cast<int>(SumCell::Summe2), "SUMME 2"},
    {21, "TOTAL", true, static_cast<int>(SumCell::Total), "TOTAL"},
};

// The sheet row of category c: the upper six, then below the upper sums and an empty row.
constexpr int sheetRow(int category) {
    return isUpper(category) ? category : category + 4;
}

// The spoken name of the row holding LabelPunkte(cell).
constexpr const char* spokenRow(int cell) {
    for (const SheetRow& row : kSheetRows)
        if (row.cell == cell)
            return row.spoken;
    return "";
}

} // namespace kubiq
