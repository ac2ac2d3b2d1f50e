#pragma once

#include "coach.h"

#include <QWidget>

class QLabel;

namespace kubiq {

class ChanceMarks;

// The board's headline: the expected final TOTAL under best play in large figures, and the two
// bonus chances with their bars.
class BoardHeadline final : public QWidget {
public:
    explicit BoardHeadline(QWidget* parent = nullptr);

    void showAdvice(const Advice& advice);
    void showNothing();

private:
    QLabel* m_total = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_bonus = nullptr;
    ChanceMarks* m_bonusMarks = nullptr;
};

} // namespace kubiq
