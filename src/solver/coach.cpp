#include "coach.h"

#include "turn_values.h"

#include <algorithm>
#include <cmath>

namespace kubiq {

namespace {

using Turn = TurnValues<1, 3>;

BonusChances chancesOfWorth(const Turn::Worth& worth) {
    return {worth[1][0], worth[2][0]};
}

} // namespace

// A board worked out: every choice it offers with its expected rest of the game, and what the
// turn's best play does after each, so that a choice's outlook can follow it to the turn's end.
struct Coach::Evaluation {
    struct Hold {
        HoldAdvice advice; // rest of the game only
        int keep = 0;
        BonusChances bonus;
    };

    TurnState state;
    double sheetTotal = 0.0;
    std::vector<EntryAdvice> entries; // rest of the game only, best first
    std::vector<Hold> holds;          // every hold of the dice shown, with a roll left
    double best = 0.0;                // the best of all choices, rest of the game only
    BonusChances bonus;               // under best play from the board

    // What best play does in the rolls to come: the category each throw enters after the last
    // roll, and the keep each throw holds with one roll left.
    int rollsLeft = 0;
    Turn::EntryChoices entered{};
    Turn::KeepChoices heldWithOneLeft{};
    // The hold best play takes now, as the solver's table takes it; all five dice held means
    // entering now. -1 with no roll left.
    int bestKeep = -1;
    int shownKeep = -1;

    const Hold* holdOf(const std::vector<int>& faces) const {
        for (const Hold& hold : holds)
            if (hold.advice.faces == faces)
                return &hold;
        return nullptr;
    }
    const EntryAdvice* entryOf(int category) const {
        for (const EntryAdvice& entry : entries)
            if (entry.category == category)
                return &entry;
        return nullptr;
    }
    const Hold* bestHold() const {
        for (const Hold& hold : holds)
            if (hold.keep == bestKeep)
                return &hold;
        return nullptr;
    }
    // Stopping is the best choice when no hold beats it; holding all five dice ties with it.
    Choice bestChoice() const {
        if (bestKeep < 0 || bestKeep == shownKeep)
            return {{}, entries.front().category};
        return {bestHold()->advice.faces, -1};
    }
};

Coach::Coach(TableRead table) : Coach(StateSpace(), std::move(table)) {}

Coach::Coach(StateSpace space, TableRead table)
    : m_space(std::move(space)), m_table(std::move(table)) {}

std::variant<Coach, TableProblem> Coach::load(const std::string& path) {
    StateSpace space;
    TableRead table = readTable(path, space.fingerprint(), space.size());
    if (table.problem)
        return *table.problem;
    return Coach(std::move(space), std::move(table));
}

BonusChances Coach::chancesAt(std::size_t state) const {
    return {chanceOf(m_table.upperChances[state]), chanceOf(m_table.lowerChances[state])};
}

std::optional<Coach::Evaluation> Coach::evaluate(const Position& position) const {
    const std::size_t states = m_space.size();
    if (m_table.values.size() != states || m_table.upperChances.size() != states ||
        m_table.lowerChances.size() != states || position.rollsMade < 0 ||
        position.rollsMade > kRollsPerTurn)
        return std::nullopt;
    const TurnState state = m_space.stateOf(position.open, position.upperSum, position.lowerSum);
    const std::optional<std::size_t> index = m_space.indexOf(state);
    if (!index)
        return std::nullopt;

    Evaluation evaluation;
    evaluation.state = state;
    evaluation.sheetTotal = m_space.total(position.upperSum, position.lowerSum);
    if (position.rollsMade == 0 || position.open == 0) {
        evaluation.best = m_table.values[*index];
        evaluation.bonus = chancesAt(*index);
        return evaluation;
    }
    const DiceSets& dice = diceSets();
    const int keep = dice.keepOfFaces({position.faces.begin(), position.faces.end()});
    if (keep == DiceSets::kNone || dice.size(keep) != kDiceCount)
        return std::nullopt;
    const int shown = dice.throwOf(keep);

    Turn turn(m_space, dice);
    const auto entry = [&](int category, int slot) {
        const int points = m_space.pointsOf(category)[slot];
        const std::size_t next = *m_space.indexOf(m_space.after(state, category, points));
        const BonusChances bonus = chancesAt(next);
        return Turn::Worth{Turn::Lane{m_space.gain(state, category, points) + m_table.values[next]},
                           Turn::Lane{bonus.upper}, Turn::Lane{bonus.lower}};
    };
    Turn::ThrowRow throws;
    turn.afterLastRoll(position.open, entry, throws, &evaluation.entered);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!(position.open >> c & 1))
            continue;
        const int points = dice.score(shown, c);
        const Turn::Worth worth = entry(c, m_space.pointsSlot(shown, c));
        EntryAdvice advice{c, worth[0][0], {}};
        advice.outlook.thisTurn = m_space.gain(state, c, points);
        advice.outlook.restOfGame = worth[0][0] - advice.outlook.thisTurn;
        advice.outlook.bonus = chancesOfWorth(worth);
        advice.outlook.endings = {{c, points, 1.0}};
        evaluation.entries.push_back(std::move(advice));
    }
    std::stable_sort(evaluation.entries.begin(), evaluation.entries.end(),
                     [](const EntryAdvice& a, const EntryAdvice& b) {
                         return a.expectedTotal > b.expectedTotal;
                     });
    evaluation.best = evaluation.entries.front().expectedTotal;
    evaluation.bonus = evaluation.entries.front().outlook.bonus;

    evaluation.rollsLeft = kRollsPerTurn - position.rollsMade;
    if (evaluation.rollsLeft > 0) {
        Turn::KeepRow keeps;
        for (int roll = 1; roll < evaluation.rollsLeft; ++roll) {
            turn.keepsBeforeRoll(throws, keeps);
            turn.withRollLeft(keeps, throws, &evaluation.heldWithOneLeft);
        }
        turn.keepsBeforeRoll(throws, keeps);
        for (int hold : dice.subKeeps(keep)) {
            Evaluation::Hold worked{{{}, keeps[hold][0][0]}, hold, chancesOfWorth(keeps[hold])};
            for (int face = 1; face <= 6; ++face)
                worked.advice.faces.insert(worked.advice.faces.end(), dice.counts(hold)[face - 1],
                                           face);
            evaluation.holds.push_back(std::move(worked));
        }
        // The choice among equal holds is the one the solver made for its chances.
        Turn::KeepChoices chosen;
        turn.withRollLeft(keeps, throws, &chosen);
        evaluation.shownKeep = keep;
        evaluation.bestKeep = chosen[keep];
        evaluation.best = throws[shown][0][0];
        evaluation.bonus = chancesOfWorth(throws[shown]);
    }
    return evaluation;
}

namespace {

// The holds below the best in order of worth; of equal ones, the one that holds the most dice,
// which the player can see at a glance is the same as stopping when it holds all five.
bool ranksAbove(const HoldAdvice& a, const HoldAdvice& b) {
    return a.expectedTotal > b.expectedTotal ||
           (a.expectedTotal == b.expectedTotal && a.faces.size() > b.faces.size());
}

void sortEndings(std::vector<TurnEnding>& endings) {
    std::sort(endings.begin(), endings.end(), [](const TurnEnding& a, const TurnEnding& b) {
        if (a.chance != b.chance)
            return a.chance > b.chance;
        return a.category != b.category ? a.category < b.category : a.points < b.points;
    });
}

} // namespace

TurnOutlook Coach::outlookOf(const Evaluation& evaluation, const Choice& choice) const {
    if (choice.enters())
        return evaluation.entryOf(choice.category)->outlook;
    const Evaluation::Hold& hold = *evaluation.holdOf(choice.hold);
    const DiceSets& dice = diceSets();
    // Where the turn's dice go from the hold under best play: the chance of each keep, rolled
    // one die at a time, smaller keeps first, so that each is complete before it is spread.
    std::array<double, DiceSets::kKeeps> chance{};
    chance[hold.keep] = 1.0;
    for (int rolls = evaluation.rollsLeft; rolls >= 1; --rolls) {
        for (int keep : dice.bySize()) {
            if (dice.size(keep) == kDiceCount || chance[keep] == 0.0)
                continue;
            for (int face = 1; face <= 6; ++face)
                chance[dice.withDie(keep, face)] += chance[keep] / 6.0;
            chance[keep] = 0.0;
        }
        if (rolls > 1) {
            std::array<double, DiceSets::kKeeps> held{};
            for (int t = 0; t < DiceSets::kThrows; ++t) {
                const int keep = dice.throwKeep(t);
                held[evaluation.heldWithOneLeft[keep]] += chance[keep];
            }
            chance = held;
        }
    }
    std::vector<TurnEnding> endings;
    TurnOutlook outlook;
    for (int t = 0; t < DiceSets::kThrows; ++t) {
        const double p = chance[dice.throwKeep(t)];
        if (p == 0.0)
            continue;
        const int category = evaluation.entered[t];
        const int points = dice.score(t, category);
        outlook.thisTurn += p * m_space.gain(evaluation.state, category, points);
        const auto same = std::find_if(endings.begin(), endings.end(), [&](const TurnEnding& e) {
            return e.category == category && e.points == points;
        });
        if (same == endings.end())
            endings.push_back({category, points, p});
        else
            same->chance += p;
    }
    sortEndings(endings);
    outlook.endings = std::move(endings);
    outlook.restOfGame = hold.advice.expectedTotal - outlook.thisTurn;
    outlook.bonus = hold.bonus;
    return outlook;
}

std::optional<Weighing> Coach::weighOn(const Evaluation& evaluation, const Choice& choice) const {
    if (evaluation.entries.empty())
        return std::nullopt;
    std::optional<double> chosen;
    if (choice.enters()) {
        if (const EntryAdvice* entry = evaluation.entryOf(choice.category))
            chosen = entry->expectedTotal;
    } else if (const Evaluation::Hold* hold = evaluation.holdOf(choice.hold)) {
        chosen = hold->advice.expectedTotal;
    }
    if (!chosen)
        return std::nullopt;
    Weighing weighing;
    weighing.bestTotal = evaluation.sheetTotal + evaluation.best;
    weighing.chosenTotal = evaluation.sheetTotal + *chosen;
    weighing.best = evaluation.bestChoice();
    return weighing;
}

Advice Coach::adviceOn(const Evaluation& evaluation) const {
    const double sheet = evaluation.sheetTotal;
    Advice advice;
    advice.expectedTotal = sheet + evaluation.best;
    advice.bonus = evaluation.bonus;
    for (EntryAdvice entry : evaluation.entries) {
        entry.expectedTotal += sheet;
        advice.entries.push_back(std::move(entry));
    }
    if (const Evaluation::Hold* best = evaluation.bestHold()) {
        advice.bestHold = best->advice;
        advice.bestHold->expectedTotal += sheet;
    }
    return advice;
}

std::optional<Advice> Coach::advise(const Position& position) const {
    const std::optional<Evaluation> evaluation = evaluate(position);
    if (!evaluation)
        return std::nullopt;
    return adviceOn(*evaluation);
}

Choice choiceOf(const Move& move) {
    if (move.kind == Move::Kind::Enter)
        return {{}, move.category};
    return {move.before.heldFaces(), -1};
}

Move moveOf(const Position& board, const Choice& choice) {
    if (choice.enters())
        return {Move::Kind::Enter, board, choice.category};
    Position held = board;
    held.held = {};
    std::vector<int> rest = choice.hold;
    for (int die = 0; die < kDiceCount; ++die)
        if (const auto face = std::find(rest.begin(), rest.end(), board.faces[die]);
            face != rest.end()) {
            rest.erase(face);
            held.held[die] = true;
        }
    return {Move::Kind::Roll, held, -1};
}

std::optional<Weighing> Coach::weigh(const Position& board, const Choice& choice) const {
    const std::optional<Evaluation> evaluation = evaluate(board);
    return evaluation ? weighOn(*evaluation, choice) : std::nullopt;
}

std::optional<Weighing> Coach::weigh(const Move& move) const {
    return weigh(move.before, choiceOf(move));
}

double Coach::cost(const Move& move) const {
    const std::optional<Weighing> weighing = weigh(move);
    return weighing ? std::max(0.0, weighing->cost()) : 0.0;
}

std::vector<HoldAdvice> Coach::holdOrder(const Evaluation& evaluation) const {
    if (evaluation.holds.empty())
        return {};
    // The best hold first, as best play takes it of holds equal within kTie; then the others.
    std::vector<HoldAdvice> holds;
    holds.push_back(evaluation.bestHold()->advice);
    for (const Evaluation::Hold& hold : evaluation.holds)
        if (hold.keep != evaluation.bestKeep)
            holds.push_back(hold.advice);
    std::stable_sort(holds.begin() + 1, holds.end(), ranksAbove);
    return holds;
}

std::vector<RankedHold> Coach::rankingOn(const Evaluation& evaluation, const Position& position,
                                         const std::vector<HoldAdvice>& holds,
                                         std::size_t count) const {
    const std::vector<int> held = position.heldFaces();
    std::vector<RankedHold> ranking;
    for (std::size_t i = 0; i < holds.size(); ++i) {
        const HoldAdvice& hold = holds[i];
        if (i >= count && hold.faces != held && !hold.faces.empty())
            continue;
        RankedHold ranked{hold, static_cast<int>(i) + 1,
                          std::max(0.0, holds.front().expectedTotal - hold.expectedTotal),
                          outlookOf(evaluation, {hold.faces, -1})};
        ranked.hold.expectedTotal += evaluation.sheetTotal;
        ranking.push_back(std::move(ranked));
    }
    return ranking;
}

std::vector<RankedHold> Coach::rankHolds(const Position& position, std::size_t count) const {
    const std::optional<Evaluation> evaluation = evaluate(position);
    return evaluation ? rankingOn(*evaluation, position, holdOrder(*evaluation), count)
                      : std::vector<RankedHold>();
}

std::optional<BoardFigures> Coach::figures(const Position& position, std::size_t count) const {
    const std::optional<Evaluation> evaluation = evaluate(position);
    if (!evaluation)
        return std::nullopt;
    BoardFigures figures;
    figures.advice = adviceOn(*evaluation);
    figures.everyHold = holdOrder(*evaluation);
    figures.holds = rankingOn(*evaluation, position, figures.everyHold, count);
    for (HoldAdvice& hold : figures.everyHold)
        hold.expectedTotal += evaluation->sheetTotal;
    if (!evaluation->entries.empty()) {
        const Choice best = evaluation->bestChoice();
        figures.bestTotal = weighOn(*evaluation, best)->bestTotal;
        figures.bestOutlook = outlookOf(*evaluation, best);
        figures.best = best;
    }
    return figures;
}

std::optional<TurnOutlook> Coach::outlook(const Position& board, const Choice& choice) const {
    const std::optional<Evaluation> evaluation = evaluate(board);
    if (!evaluation || !weighOn(*evaluation, choice))
        return std::nullopt;
    return outlookOf(*evaluation, choice);
}

std::optional<Explanation> Coach::explain(const Position& board, const Choice& choice) const {
    const std::optional<Evaluation> evaluation = evaluate(board);
    if (!evaluation)
        return std::nullopt;
    const std::optional<Weighing> weighing = weighOn(*evaluation, choice);
    if (!weighing)
        return std::nullopt;
    return Explanation{*weighing, outlookOf(*evaluation, weighing->best),
                       outlookOf(*evaluation, choice)};
}

Explanation::Tenths Explanation::inTenths() const {
    Tenths tenths;
    tenths.cost = std::lround(weighing.cost() * 10.0);
    tenths.thisTurn = std::lround(thisTurn() * 10.0);
    tenths.restOfGame = tenths.cost - tenths.thisTurn;
    return tenths;
}

double Coach::expectedGameTotal() const {
    const std::optional<std::size_t> start = m_space.indexOf(m_space.stateOf(kAllOpen, 0, 0));
    return start && m_table.values.size() == m_space.size() ? m_table.values[*start] : 0.0;
}

} // namespace kubiq
