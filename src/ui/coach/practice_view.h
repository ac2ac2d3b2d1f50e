#pragma once

#include "coach.h"
#include "practice.h"

#include <QWidget>

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace kubiq {

// "Üben": the boards of the run's finished games where the player lost most, set again. The
// player holds dice and rolls, or enters a category, as in the game; the coach answers with
// what the choice costs. It only reads the games.
class PracticeView final : public QWidget {
public:
    explicit PracticeView(QWidget* parent = nullptr);

    // Takes in the games finished since; the coach must outlive the view.
    void follow(const Coach& coach, const std::vector<PlayedGame>& finished);

private:
    void showList();
    void setExercise(int index);
    void toggleDie(int die);
    void answer(const Choice& choice);
    void next();
    void showBoard();

    const Coach* m_coach = nullptr;
    Practice m_practice;
    int m_current = -1; // into m_practice.open(); -1 while none is set
    int m_after = 0;    // the exercise "Nächste Aufgabe" sets
    bool m_answered = false;
    std::array<bool, kDiceCount> m_held{};

    QLabel* m_summary = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_title = nullptr;
    std::array<QPushButton*, kDiceCount> m_dice{};
    QLabel* m_rollsLeft = nullptr;
    QPushButton* m_roll = nullptr;
    std::array<QPushButton*, kCategoryCount> m_categories{};
    QLabel* m_sums = nullptr;
    QLabel* m_answer = nullptr;
    QLabel* m_original = nullptr;
    QPushButton* m_next = nullptr;
    QWidget* m_board = nullptr;
};

} // namespace kubiq
