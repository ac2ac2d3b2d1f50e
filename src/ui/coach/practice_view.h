#pragma once

#include "bank_practice.h"
#include "coach.h"
#include "exercise_bank.h"
#include "practice.h"

#include <QWidget>

#include <array>
#include <optional>
#include <variant>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace kubiq {

// "Üben": the boards of the run's finished games where the player lost most ("Meine Fehler"), or
// the exercises of the bank ("Aufgaben") by theme and level, set again. The player holds dice
// and rolls, or enters a category, as in the game; the coach answers with what the choice costs,
// and after a miss offers to try again, a hint or the solution. It only reads the games.
class PracticeView final : public QWidget {
public:
    explicit PracticeView(QWidget* parent = nullptr);

    // Takes in the games finished since; the coach must outlive the view.
    void follow(const Coach& coach, const std::vector<PlayedGame>& finished);
    // The bank of exercises, or why there is none.
    void setBank(std::variant<std::vector<BankExercise>, BankProblem> bank);
    // The board of the exercise on show, as it started; nothing without one.
    std::optional<Position> boardOnShow() const;

private:
    bool fromBank() const;
    Practice& active();
    const Practice& active() const;
    void addSource(QVBoxLayout* layout);
    void chooseSource();
    void showCounts();
    void addBoard(QVBoxLayout* board);
    void addHelps(QVBoxLayout* board);
    void showList();
    void showExercise();
    void answered(bool taken);

    const Coach* m_coach = nullptr;
    Practice m_practice;
    std::optional<BankPractice> m_bankRun;
    std::optional<BankProblem> m_bankProblem = BankProblem::Missing;

    QComboBox* m_source = nullptr;
    QWidget* m_bankChoice = nullptr;
    QComboBox* m_theme = nullptr;
    QComboBox* m_level = nullptr;
    QCheckBox* m_repeat = nullptr;
    QLabel* m_bankLine = nullptr;
    QPushButton* m_ownMistakes = nullptr;
    QLabel* m_code = nullptr;

    QLabel* m_summary = nullptr;
    QListWidget* m_list = nullptr;
    QWidget* m_board = nullptr;
    QLabel* m_title = nullptr;
    std::array<QPushButton*, kDiceCount> m_dice{};
    QLabel* m_rollsLeft = nullptr;
    QPushButton* m_roll = nullptr;
    std::array<QPushButton*, kCategoryCount> m_categories{};
    QLabel* m_sums = nullptr;
    QLabel* m_answer = nullptr;
    QLabel* m_original = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_candidates = nullptr;
    QLabel* m_solution = nullptr;
    QLabel* m_why = nullptr;
    QPushButton* m_retry = nullptr;
    QPushButton* m_askHint = nullptr;
    QPushButton* m_showSolution = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace kubiq
