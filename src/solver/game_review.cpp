#include "game_review.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kubiq {

namespace {

// Appends the roll that gave the board `board` (worth `value`), made from a hold worth `from`.
void addRoll(GameReview& review, const Position& board, double from, double value) {
    Position rolled = board;
    rolled.held = {}; // as the roll left it, before any die was held
    review.steps.push_back({ReviewStep::Kind::Roll,
                            board.turn(),
                            board.rollsMade,
                            board.faces,
                            from,
                            value,
                            {},
                            {},
                            rolled});
}

// The decisions of a game, each after the roll that gave its board; returns the value of the
// last choice, from which the next roll is made.
double addMoves(const Coach& coach, GameReview& review, const std::vector<Move>& moves) {
    double value = review.expected;
    for (const Move& move : moves) {
        const std::optional<Weighing> weighing = coach.weigh(move);
        if (!weighing)
            continue; // a board no game can show; the review will not balance
        addRoll(review, move.before, value, weighing->bestTotal);
        review.steps.push_back({ReviewStep::Kind::Decision, move.before.turn(),
                                move.before.rollsMade, move.before.faces, weighing->bestTotal,
                                weighing->chosenTotal, choiceOf(move), weighing->best,
                                move.before});
        value = weighing->chosenTotal;
    }
    return value;
}

} // namespace

Slip slipOf(double cost) {
    if (cost >= kBlunder)
        return Slip::Blunder;
    if (cost >= kMistake)
        return Slip::Mistake;
    if (cost >= kInaccuracy)
        return Slip::Inaccuracy;
    return Slip::None;
}

double GameReview::luck() const {
    return std::accumulate(steps.begin(), steps.end(), 0.0,
                           [](double sum, const ReviewStep& step) { return sum + step.luck(); });
}

double GameReview::loss() const {
    return std::accumulate(steps.begin(), steps.end(), 0.0,
                           [](double sum, const ReviewStep& step) { return sum + step.cost(); });
}

int GameReview::decisions() const {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(), [](const ReviewStep& step) {
        return step.kind == ReviewStep::Kind::Decision;
    }));
}

int GameReview::bestDecisions() const {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(),
                                          [](const ReviewStep& step) { return step.isBest(); }));
}

bool GameReview::balanced() const {
    // A table value near 250 in single precision is good to about 3e-5.
    return total && std::abs(*total - (expected + luck() - loss())) <= 1e-3;
}

GameReview reviewGame(const Coach& coach, const std::vector<Move>& moves, const Position& now) {
    GameReview review;
    review.expected = coach.expectedGameTotal();
    const double value = addMoves(coach, review, moves);
    // The dice on screen not yet decided on.
    if (now.rollsMade > 0)
        if (const std::optional<Advice> advice = coach.advise(now))
            addRoll(review, now, value, advice->expectedTotal);
    return review;
}

GameReview reviewGame(const Coach& coach, const PlayedGame& game) {
    GameReview review;
    review.expected = coach.expectedGameTotal();
    addMoves(coach, review, game.moves);
    review.total = game.total;
    return review;
}

RunSummary summarize(const std::vector<GameReview>& games) {
    RunSummary summary;
    int decisions = 0;
    int best = 0;
    for (const GameReview& game : games) {
        ++summary.games;
        summary.meanTotal += game.total.value_or(0);
        summary.meanLuck += game.luck();
        summary.meanLoss += game.loss();
        decisions += game.decisions();
        best += game.bestDecisions();
    }
    if (summary.games > 0) {
        summary.meanTotal /= summary.games;
        summary.meanLuck /= summary.games;
        summary.meanLoss /= summary.games;
    }
    if (decisions > 0)
        summary.bestShare = static_cast<double>(best) / decisions;
    return summary;
}

} // namespace kubiq
