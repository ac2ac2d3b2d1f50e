#include "state_space.h"

#include "word_hash.h"

#include <algorithm>
#include <set>

namespace kubiq {

namespace {

constexpr int kUpperCategories = Sechser - Einer + 1;
constexpr int kLowerCategories = Chance - Dreierpasch + 1;

// The sheet's own sum cell for a sheet whose section holds `sum`, entered in its first category.
int sheetCell(int firstCategory, int sum, SumCell cell) {
    Scores scores{};
    scores[firstCategory] = sum;
    return sheetSum(scores, cell).value_or(0);
}

} // namespace

StateSpace::StateSpace(const DiceSets& dice) : m_points(kCategoryCount) {
    for (int c = 0; c < kCategoryCount; ++c) {
        std::set<int> points;
        for (int t = 0; t < DiceSets::kThrows; ++t)
            points.insert(dice.score(t, c));
        m_points[c].assign(points.begin(), points.end());
        for (int t = 0; t < DiceSets::kThrows; ++t)
            m_slot[t][c] = static_cast<std::uint8_t>(
                std::lower_bound(m_points[c].begin(), m_points[c].end(), dice.score(t, c)) -
                m_points[c].begin());
    }
    buildSection(m_upper, Einer, kUpperCategories, SumCell::BonusOben);
    buildSection(m_lower, Dreierpasch, kLowerCategories, SumCell::BonusUnten);

    m_first.resize(kAllOpen + 2);
    for (unsigned open = 0; open <= kAllOpen; ++open) {
        m_first[open] = m_size;
        m_size += count(open);
    }
    m_first[kAllOpen + 1] = m_size;
    m_fingerprint = digest(dice);
}

void StateSpace::buildSection(Section& section, int firstCategory, int categories,
                              SumCell bonusCell) {
    section.firstCategory = firstCategory;
    section.categories = categories;
    int most = 0;
    int mostAtOnce = 0;
    for (int c = firstCategory; c < firstCategory + categories; ++c) {
        most += m_points[c].back();
        mostAtOnce = std::max(mostAtOnce, m_points[c].back());
    }
    section.threshold = most + 1; // no bonus within reach, unless the sheet says otherwise
    for (int sum = 0; sum <= most; ++sum) {
        if (sheetCell(firstCategory, sum, bonusCell) > 0) {
            section.threshold = sum;
            break;
        }
    }
    for (int sum = 0; sum <= section.threshold + mostAtOnce; ++sum)
        section.bonusAt.push_back(sheetCell(firstCategory, sum, bonusCell));

    const unsigned sets = 1u << categories;
    section.values.resize(sets);
    section.rankOf.resize(sets);
    section.stillToScore.resize(sets);
    for (unsigned closed = 0; closed < sets; ++closed) {
        std::set<int> sums{0};
        int still = 0;
        for (int k = 0; k < categories; ++k) {
            const std::vector<int>& points = m_points[firstCategory + k];
            if (!(closed >> k & 1)) {
                still += points.back();
                continue;
            }
            std::set<int> more;
            for (int sum : sums)
                for (int p : points)
                    more.insert(std::min(sum + p, section.threshold));
            sums.swap(more);
        }
        section.stillToScore[closed] = still;
        std::set<int> folded;
        for (int sum : sums)
            folded.insert(sum >= section.threshold          ? section.threshold
                          : sum + still < section.threshold ? TurnState::kSettled
                                                            : sum);
        section.values[closed].assign(folded.begin(), folded.end());
        section.rankOf[closed].assign(section.threshold + 2, -1);
        for (std::size_t r = 0; r < section.values[closed].size(); ++r)
            section.rankOf[closed][section.values[closed][r] + 1] = static_cast<int>(r);
    }
}

unsigned StateSpace::closedSet(const Section& section, unsigned open) const {
    return ~(open >> section.firstCategory) & ((1u << section.categories) - 1);
}

int StateSpace::fold(const Section& section, unsigned open, int sum) const {
    if (sum >= section.threshold)
        return section.threshold;
    if (sum < 0 || sum + section.stillToScore[closedSet(section, open)] < section.threshold)
        return TurnState::kSettled;
    return sum;
}

TurnState StateSpace::stateOf(unsigned open, int upperSum, int lowerSum) const {
    return {open, fold(m_upper, open, upperSum), fold(m_lower, open, lowerSum)};
}

std::optional<std::size_t> StateSpace::indexOf(const TurnState& state) const {
    if (state.open > kAllOpen)
        return std::nullopt;
    auto rank = [&](const Section& section, int value) {
        const std::vector<int>& ranks = section.rankOf[closedSet(section, state.open)];
        const int slot = value + 1;
        return slot >= 0 && slot < static_cast<int>(ranks.size()) ? ranks[slot] : -1;
    };
    const int upper = rank(m_upper, state.upper);
    const int lower = rank(m_lower, state.lower);
    if (upper < 0 || lower < 0)
        return std::nullopt;
    return m_first[state.open] + static_cast<std::size_t>(upper) * lowerValues(state.open).size() +
           static_cast<std::size_t>(lower);
}

std::size_t StateSpace::count(unsigned open) const {
    return upperValues(open).size() * lowerValues(open).size();
}

std::span<const int> StateSpace::upperValues(unsigned open) const {
    return m_upper.values[closedSet(m_upper, open)];
}

std::span<const int> StateSpace::lowerValues(unsigned open) const {
    return m_lower.values[closedSet(m_lower, open)];
}

int StateSpace::gain(const TurnState& state, int category, int points) const {
    const bool upper = isUpper(category);
    const Section& section = upper ? m_upper : m_lower;
    const int sum = upper ? state.upper : state.lower;
    if (sum == TurnState::kSettled)
        return points;
    return points + section.bonusAt[sum + points] - section.bonusAt[sum];
}

TurnState StateSpace::after(const TurnState& state, int category, int points) const {
    TurnState next = state;
    next.open &= ~(1u << category);
    int& sum = isUpper(category) ? next.upper : next.lower;
    if (sum != TurnState::kSettled)
        sum = fold(isUpper(category) ? m_upper : m_lower, next.open, sum + points);
    return next;
}

int StateSpace::total(int upperSum, int lowerSum) const {
    Scores scores{};
    scores[Einer] = upperSum;
    scores[Dreierpasch] = lowerSum;
    return sheetSum(scores, SumCell::Total).value_or(0);
}

std::uint64_t StateSpace::digest(const DiceSets& dice) const {
    WordHash hash;
    const auto add = [&hash](auto value) { hash.add(static_cast<std::uint32_t>(value)); };
    add(kDiceCount);
    add(kRollsPerTurn);
    add(kCategoryCount);
    for (int t = 0; t < DiceSets::kThrows; ++t)
        for (int c = 0; c < kCategoryCount; ++c)
            add(dice.score(t, c));
    for (const Section* section : {&m_upper, &m_lower}) {
        add(section->threshold);
        for (int bonus : section->bonusAt)
            add(bonus);
    }
    add(m_size);
    return hash.value();
}

} // namespace kubiq
