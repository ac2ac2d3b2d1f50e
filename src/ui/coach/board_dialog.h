#pragma once

#include "coach.h"
#include "position.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kubiq {

class BoardPage;

// "Brett analysieren": any board, from a pasted code or set by hand (the sheet's entries, the
// five dice, the rolls left, the held dice), analysed apart from the game in play. It never
// blocks: shown with show(), it leaves the game and the coach running beside it. A bad code or
// a board no game can reach is told in one sentence and changes nothing.
class BoardDialog final : public QDialog {
public:
    // The coach must outlive the dialog.
    BoardDialog(const Coach& coach, QWidget* parent = nullptr);

    // Analyses this board and sets the fields to it; false, with the reason shown, for a board
    // no game can reach.
    bool showBoard(const Position& board);
    // The board on show; nothing before the first.
    std::optional<Position> board() const;

private:
    void readCode();
    void readFields();
    void setFields(const Position& board);
    void tell(const QString& problem);

    const Coach& m_coach;

    QLineEdit* m_code = nullptr;
    QLabel* m_problem = nullptr;
    std::array<QComboBox*, kCategoryCount> m_entries{};
    std::array<QComboBox*, kDiceCount> m_faces{};
    std::array<QCheckBox*, kDiceCount> m_held{};
    QComboBox* m_rollsLeft = nullptr;
    BoardPage* m_page = nullptr;
};

} // namespace kubiq
