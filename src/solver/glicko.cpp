#include "glicko.h"

#include <cmath>
#include <numbers>

namespace kubiq {

namespace {

// The Glicko-2 scale: (rating - 1500) / 173.7178.
constexpr double kScale = 173.7178;
constexpr double kConvergence = 0.000001;

double g(double phi) {
    return 1.0 / std::sqrt(1.0 + 3.0 * phi * phi / (std::numbers::pi * std::numbers::pi));
}

double expected(double mu, double muOpponent, double phiOpponent) {
    return 1.0 / (1.0 + std::exp(-g(phiOpponent) * (mu - muOpponent)));
}

} // namespace

double expectedScore(const Rating& player, const Rating& opponent) {
    return expected((player.rating - 1500.0) / kScale, (opponent.rating - 1500.0) / kScale,
                    opponent.deviation / kScale);
}

Rating rated(const Rating& player, std::span<const Outcome> games, double tau) {
    const double mu = (player.rating - 1500.0) / kScale;
    const double phi = player.deviation / kScale;
    const double sigma = player.volatility;
    if (games.empty())
        return {player.rating, std::sqrt(phi * phi + sigma * sigma) * kScale, sigma};
    // Steps 3 and 4: the estimated variance of the rating from the games alone, and the
    // improvement they suggest.
    double inverseV = 0.0;
    double sum = 0.0;
    for (const Outcome& game : games) {
        const double muJ = (game.opponent.rating - 1500.0) / kScale;
        const double gJ = g(game.opponent.deviation / kScale);
        const double e = expected(mu, muJ, game.opponent.deviation / kScale);
        inverseV += gJ * gJ * e * (1.0 - e);
        sum += gJ * (game.score - e);
    }
    const double v = 1.0 / inverseV;
    const double delta = v * sum;

    // Step 5: the new volatility, the root of f by the Illinois algorithm.
    const double a = std::log(sigma * sigma);
    const auto f = [&](double x) {
        const double ex = std::exp(x);
        const double d = phi * phi + v + ex;
        return ex * (delta * delta - phi * phi - v - ex) / (2.0 * d * d) - (x - a) / (tau * tau);
    };
    double A = a;
    double B = 0.0;
    if (delta * delta > phi * phi + v) {
        B = std::log(delta * delta - phi * phi - v);
    } else {
        int k = 1;
        while (f(a - k * tau) < 0.0)
            ++k;
        B = a - k * tau;
    }
    double fA = f(A);
    double fB = f(B);
    for (int step = 0; std::abs(B - A) > kConvergence && step < 100; ++step) {
        const double C = A + (A - B) * fA / (fB - fA);
        const double fC = f(C);
        if (fC * fB <= 0.0) {
            A = B;
            fA = fB;
        } else {
            fA /= 2.0;
        }
        B = C;
        fB = fC;
    }
    const double newSigma = std::exp(A / 2.0);

    // Steps 6 to 8: the new deviation and rating, back on the usual scale.
    const double phiStar = std::sqrt(phi * phi + newSigma * newSigma);
    const double newPhi = 1.0 / std::sqrt(1.0 / (phiStar * phiStar) + 1.0 / v);
    const double newMu = mu + newPhi * newPhi * sum;
    return {newMu * kScale + 1500.0, newPhi * kScale, newSigma};
}

} // namespace kubiq
