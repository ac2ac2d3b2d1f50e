#include "game.h"

#include "beeper.h"
#include "clock.h"
#include "display.h"
#include "message_box.h"
#include "number_text.h"
#include "random_draw.h"

#include <algorithm>

namespace kubiq {

Game::Game(const Services& services) : m_services(services) {}

void Game::load() {
    m_services.random.seed(static_cast<std::uint64_t>(m_services.clock.now().count()));
    m_history = History{};
    GameInit();
}

void Game::GameInit() {
    m_Versuch = 1;
    m_scores = {};
    m_tips = {};
    m_CommandWHaltenEnabled = true;
}

void Game::roll() {
    if (!CommandWuerfelnEnabled())
        return;
    const auto start = m_services.clock.now();
    for (;;) {
        rollPass();
        if (m_services.clock.now() - start >= kAnimation)
            break;
        m_services.display.awaitNextPass();
    }
    ++m_Versuch;

    Faces faces{};
    std::transform(m_dice.begin(), m_dice.end(), faces.begin(),
                   [](const Die& d) { return d.face; });
    m_tips = suggest(faces, openCategories());
}

void Game::rollPass() {
    for (int i = 0; i < kDiceCount; ++i) {
        Die& die = m_dice[i];
        if (!die.held) {
            die.face = faceOf(m_services.random.draw());
            m_services.display.repaintDie(i);
        }
        m_CommandWHaltenEnabled = true;
    }
}

void Game::toggleHold(int die) {
    if (m_dice[die].blank()) {
        m_services.beeper.beep();
        return;
    }
    m_dice[die].held = !m_dice[die].held;
}

void Game::enter(int category) {
    // The first roll of a turn gives every die a face, so die 0 tells whether it was made.
    if (m_dice[0].blank()) {
        m_services.beeper.beep();
        return;
    }
    if (!ComandPHaltenEnabled(category))
        return;

    m_scores[category] = m_tips[category].value_or(0);
    m_tips = {};
    m_dice = {};
    m_Versuch = 1;
    if (Runde() > kCategoryCount)
        GameOver();
}

void Game::GameOver() {
    // Past the last countable game the game goes unrecorded, but it is still over.
    m_history.record(LabelPunkte(SumCell::Total).value_or(0));
    m_services.messageBox.information(kGameOverTitle, kGameOverText);
    GameInit();
}

std::string Game::CommandWuerfelnCaption() const {
    // After the third roll the disabled button keeps naming the third attempt.
    return "Würfeln  (" + numberText(std::min(m_Versuch, kRollsPerTurn)) + ". Versuch)";
}

int Game::Runde() const {
    return 1 + static_cast<int>(std::count_if(m_scores.begin(), m_scores.end(),
                                              [](Points p) { return p.has_value(); }));
}

OpenCategories Game::openCategories() const {
    OpenCategories open{};
    for (int c = 0; c < kCategoryCount; ++c)
        open[c] = ComandPHaltenEnabled(c);
    return open;
}

} // namespace kubiq
