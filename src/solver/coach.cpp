#include "coach.h"

#include "turn_values.h"

#include <algorithm>

namespace kubiq {

struct Coach::Evaluation {
    double sheetTotal = 0.0;
    std::vector<EntryAdvice> entries; // rest of the game only, best first
    std::vector<HoldAdvice> holds;    // every hold of the dice shown, with a roll left
    double best = 0.0;                // the best of all choices, rest of the game only
};

Coach::Coach(std::vector<float> values) : Coach(StateSpace(), std::move(values)) {}

Coach::Coach(StateSpace space, std::vector<float> values)
    : m_space(std::move(space)), m_values(std::move(values)) {}

std::variant<Coach, TableProblem> Coach::load(const std::string& path) {
    StateSpace space;
    TableRead table = readTable(path, space.fingerprint(), space.size());
    if (table.problem)
        return *table.problem;
    return Coach(std::move(space), std::move(table.values));
}

std::optional<Coach::Evaluation> Coach::evaluate(const Position& position) const {
    if (m_values.size() != m_space.size() || position.rollsMade < 0 ||
        position.rollsMade > kRollsPerTurn)
        return std::nullopt;
    const TurnState state = m_space.stateOf(position.open, position.upperSum, position.lowerSum);
    const std::optional<std::size_t> index = m_space.indexOf(state);
    if (!index)
        return std::nullopt;

    Evaluation evaluation;
    evaluation.sheetTotal = m_space.total(position.upperSum, position.lowerSum);
    if (position.rollsMade == 0 || position.open == 0) {
        evaluation.best = m_values[*index];
        return evaluation;
    }
    const DiceSets& dice = diceSets();
    const int keep = dice.keepOfFaces({position.faces.begin(), position.faces.end()});
    if (keep == DiceSets::kNone || dice.size(keep) != kDiceCount)
        return std::nullopt;
    const int shown = dice.throwOf(keep);

    using Turn = TurnValues<1>;
    Turn turn(m_space, dice);
    const auto entry = [&](int category, int slot) {
        const int points = m_space.pointsOf(category)[slot];
        const std::size_t next = *m_space.indexOf(m_space.after(state, category, points));
        return Turn::Lane{m_space.gain(state, category, points) + m_values[next]};
    };
    Turn::ThrowRow throws;
    turn.afterLastRoll(position.open, entry, throws);
    for (int c = 0; c < kCategoryCount; ++c)
        if (position.open >> c & 1)
            evaluation.entries.push_back({c, entry(c, m_space.pointsSlot(shown, c))[0]});
    std::stable_sort(evaluation.entries.begin(), evaluation.entries.end(),
                     [](const EntryAdvice& a, const EntryAdvice& b) {
                         return a.expectedTotal > b.expectedTotal;
                     });
    evaluation.best = evaluation.entries.front().expectedTotal;

    const int rollsLeft = kRollsPerTurn - position.rollsMade;
    if (rollsLeft > 0) {
        Turn::KeepRow keeps;
        Turn::KeepRow best;
        for (int roll = 1; roll < rollsLeft; ++roll) {
            turn.keepsBeforeRoll(throws, keeps);
            turn.withRollLeft(keeps, best, throws);
        }
        turn.keepsBeforeRoll(throws, keeps);
        for (int hold : dice.subKeeps(keep)) {
            HoldAdvice advice{{}, keeps[hold][0]};
            for (int face = 1; face <= 6; ++face)
                advice.faces.insert(advice.faces.end(), dice.counts(hold)[face - 1], face);
            evaluation.best = std::max(evaluation.best, advice.expectedTotal);
            evaluation.holds.push_back(std::move(advice));
        }
    }
    return evaluation;
}

namespace {

// Of equal holds, the one that holds the most dice, which the player can see at a glance is the
// same as stopping when it holds all five.
bool ranksAbove(const HoldAdvice& a, const HoldAdvice& b) {
    return a.expectedTotal > b.expectedTotal ||
           (a.expectedTotal == b.expectedTotal && a.faces.size() > b.faces.size());
}

const HoldAdvice& bestOf(const std::vector<HoldAdvice>& holds) {
    return *std::min_element(holds.begin(), holds.end(), ranksAbove);
}

} // namespace

std::optional<Advice> Coach::advise(const Position& position) const {
    const std::optional<Evaluation> evaluation = evaluate(position);
    if (!evaluation)
        return std::nullopt;
    const double sheet = evaluation->sheetTotal;
    Advice advice;
    advice.expectedTotal = sheet + evaluation->best;
    for (EntryAdvice entry : evaluation->entries) {
        entry.expectedTotal += sheet;
        advice.entries.push_back(entry);
    }
    if (!evaluation->holds.empty()) {
        HoldAdvice best = bestOf(evaluation->holds);
        best.expectedTotal += sheet;
        advice.bestHold = best;
    }
    return advice;
}

Choice choiceOf(const Move& move) {
    if (move.kind == Move::Kind::Enter)
        return {{}, move.category};
    return {move.before.heldFaces(), -1};
}

std::optional<Weighing> Coach::weigh(const Position& board, const Choice& choice) const {
    const std::optional<Evaluation> evaluation = evaluate(board);
    if (!evaluation || evaluation->entries.empty())
        return std::nullopt;
    const double sheet = evaluation->sheetTotal;
    std::optional<double> chosen;
    if (choice.enters()) {
        for (const EntryAdvice& entry : evaluation->entries)
            if (entry.category == choice.category)
                chosen = entry.expectedTotal;
    } else {
        for (const HoldAdvice& hold : evaluation->holds)
            if (hold.faces == choice.hold)
                chosen = hold.expectedTotal;
    }
    if (!chosen)
        return std::nullopt;
    Weighing weighing;
    weighing.bestTotal = sheet + evaluation->best;
    weighing.chosenTotal = sheet + *chosen;
    // Stopping is the best choice when no hold beats it; holding all five dice ties with it.
    const EntryAdvice& entry = evaluation->entries.front();
    if (evaluation->holds.empty() || entry.expectedTotal >= evaluation->best)
        weighing.best.category = entry.category;
    else
        weighing.best.hold = bestOf(evaluation->holds).faces;
    return weighing;
}

std::optional<Weighing> Coach::weigh(const Move& move) const {
    return weigh(move.before, choiceOf(move));
}

double Coach::cost(const Move& move) const {
    const std::optional<Weighing> weighing = weigh(move);
    return weighing ? std::max(0.0, weighing->cost()) : 0.0;
}

std::vector<RankedHold> Coach::rankHolds(const Position& position, std::size_t count) const {
    std::optional<Evaluation> evaluation = evaluate(position);
    if (!evaluation || evaluation->holds.empty())
        return {};
    std::vector<HoldAdvice>& holds = evaluation->holds;
    std::stable_sort(holds.begin(), holds.end(), ranksAbove); // equals as advise() picks them
    const std::vector<int> held = position.heldFaces();
    std::vector<RankedHold> ranking;
    for (std::size_t i = 0; i < holds.size(); ++i) {
        if (i >= count && holds[i].faces != held && !holds[i].faces.empty())
            continue;
        RankedHold ranked{holds[i], static_cast<int>(i) + 1,
                          holds.front().expectedTotal - holds[i].expectedTotal};
        ranked.hold.expectedTotal += evaluation->sheetTotal;
        ranking.push_back(std::move(ranked));
    }
    return ranking;
}

double Coach::expectedGameTotal() const {
    const std::optional<std::size_t> start = m_space.indexOf(m_space.stateOf(kAllOpen, 0, 0));
    return start && m_values.size() == m_space.size() ? m_values[*start] : 0.0;
}

} // namespace kubiq
