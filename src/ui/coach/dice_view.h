#pragma once

#include "position.h"

#include <QWidget>

#include <array>
#include <optional>
#include <vector>

namespace kubiq {

// The five dice of a board in the game's own look, the player's held dice red as the game holds
// them and framed; under the dice of the best hold a filled bar, under those of another hold
// chosen in the table a hollow one; the two named in a line below.
class DiceView final : public QWidget {
public:
    explicit DiceView(QWidget* parent = nullptr);

    // Shows the board's dice with the `best` hold's faces marked (none when entering is best) and
    // those of `chosen`, under `caption`; no dice before a turn's first roll.
    void showDice(const Position& board, const std::vector<int>& best,
                  const std::optional<std::vector<int>>& chosen, const QString& caption);
    void showNothing();

    // Which dice are the player's held ones, the best hold's and the chosen hold's, die by die.
    const std::array<bool, kDiceCount>& held() const { return m_held; }
    const std::array<bool, kDiceCount>& best() const { return m_best; }
    const std::array<bool, kDiceCount>& chosen() const { return m_chosen; }
    // Where die `die` is drawn.
    QRect dieRect(int die) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, kDiceCount> m_faces{};
    std::array<bool, kDiceCount> m_held{};
    std::array<bool, kDiceCount> m_best{};
    std::array<bool, kDiceCount> m_chosen{};
    QString m_caption;
};

// Which of `faces` dice a hold of `hold` faces marks: of equal faces, the held ones first, then
// from the left, so that a hold the player already has marks exactly the dice held.
std::array<bool, kDiceCount> diceOfHold(const std::array<int, kDiceCount>& faces,
                                        const std::array<bool, kDiceCount>& held,
                                        const std::vector<int>& hold);

} // namespace kubiq
