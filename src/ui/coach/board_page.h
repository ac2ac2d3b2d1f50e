#pragma once

#include "board_analysis.h"

#include <QWidget>

#include <cstddef>
#include <optional>

class QItemSelection;
class QTableView;

namespace kubiq {

class BoardDetails;
class BoardHeadline;
class ChoiceTableModel;
class DiceView;

// A board at a glance, as the coach's "Rat" page shows it: the expected final TOTAL under best
// play with the bonus chances, the five dice with the best hold and the player's marked, the
// table of choices, best first, and the details of the row selected. It shows a board's analysis
// as it is handed over and asks nothing of the coach.
class BoardPage final : public QWidget {
public:
    explicit BoardPage(QWidget* parent = nullptr);

    // Shows the board's analysis; the row of the player's current choice is selected, else the
    // best.
    void showAnalysis(const BoardAnalysis& analysis);
    // Shows no figure and no dice: before a game is followed, or for a board no game can show.
    void showNothing();

    // The analysis on show; nothing while nothing is shown.
    const std::optional<BoardAnalysis>& analysis() const { return m_analysis; }
    // Selects row `row` of the table, the details and the dice following it; needs a row on show.
    void selectRow(std::size_t row);
    // The row the details show; nothing without rows.
    std::optional<std::size_t> selectedRow() const;

private:
    void showSelected();

    std::optional<BoardAnalysis> m_analysis;
    BoardHeadline* m_headline = nullptr;
    DiceView* m_dice = nullptr;
    ChoiceTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    BoardDetails* m_details = nullptr;
};

} // namespace kubiq
