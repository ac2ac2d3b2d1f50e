#pragma once

#include "board_analysis.h"

#include <QWidget>

class QLabel;

namespace kubiq {

class ChanceMarks;

// The details of one row of a board's table: the choice and its figures, every ending of the
// turn with its chance, the bonus chances against the best's, and why the best is better, in
// parts that add up to the loss.
class BoardDetails final : public QWidget {
public:
    explicit BoardDetails(QWidget* parent = nullptr);

    // Needs row < analysis.rows.size().
    void showRow(const BoardAnalysis& analysis, std::size_t row);
    void showNothing();

private:
    QLabel* m_choice = nullptr;
    QLabel* m_endings = nullptr;
    QLabel* m_bonus = nullptr;
    ChanceMarks* m_bonusMarks = nullptr;
    QLabel* m_why = nullptr;
};

// Every ending of a turn with its chance, likeliest first: "Rundenende: Kubiq (50) 2 %, …".
QString allEndingsLine(const TurnOutlook& outlook);

} // namespace kubiq
