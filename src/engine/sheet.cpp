#include "sheet.h"

#include <algorithm>

namespace kubiq {

namespace {

int sumOf(const Scores& scores, int first, int last) {
    int sum = 0;
    for (int c = first; c <= last; ++c)
        sum += scores[c].value_or(0);
    return sum;
}

Points bonus(int sum, int threshold, int bonus) {
    return sum >= threshold ? Points(bonus) : std::nullopt;
}

} // namespace

Points sheetSum(const Scores& scores, SumCell cell) {
    if (std::none_of(scores.begin(), scores.end(), [](Points p) { return p.has_value(); }))
        return std::nullopt;

    const int gesamtOben = sumOf(scores, Einer, Sechser);
    const Points bonusOben = bonus(gesamtOben, kUpperBonusThreshold, kUpperBonus);
    const int summe1 = gesamtOben + bonusOben.value_or(0);
    const int gesamtUnten = sumOf(scores, Dreierpasch, Chance);
    const Points bonusUnten = bonus(gesamtUnten, kLowerBonusThreshold, kLowerBonus);
    const int summe2 = gesamtUnten + bonusUnten.value_or(0);

    switch (cell) {
    case SumCell::GesamtOben:
        return gesamtOben;
    case SumCell::BonusOben:
        return bonusOben;
    case SumCell::Summe1:
        return summe1;
    case SumCell::GesamtUnten:
        return gesamtUnten;
    case SumCell::BonusUnten:
        return bonusUnten;
    case SumCell::Summe2:
        return summe2;
    case SumCell::Total:
        return summe1 + summe2;
    }
    return std::nullopt;
}

} // namespace kubiq
