#pragma once

#include "dice.h"
#include "history.h"
#include "scoring.h"
#include "sheet.h"

#include <chrono>
#include <string>

namespace kubiq {

class Beeper;
class Clock;
class Display;
class MessageBox;
class RandomDraw;

// Everything outside the rules that a game calls on.
struct Services {
    Clock& clock;
    RandomDraw& random;
    Beeper& beeper;
    MessageBox& messageBox;
    Display& display;
};

// The rules of KUBIQ over the Board: five dice, the roll button, the score sheet and the
// history. Every click of the window is one operation here; afterwards the window reads the
// Board back through the const queries, which carry the window's control names.
class Game {
public:
    static constexpr std::chrono::milliseconds kAnimation{500};
    static constexpr const char* kGameOverTitle = "Game Over";
    static constexpr const char* kGameOverText =
        "GAME OVER\r\nDen Spielstand finden Sie unter 'Hilfe/Spielstand'.\r\n"
        "Es folgt die nächste Runde.";

    // The services must outlive the game. The Board starts as the window is designed: blank
    // black dice, hold buttons disabled, every category open; load() follows.
    explicit Game(const Services& services);

    // Window load, once, before anything else: seeds the draw from the clock, clears the
    // history and starts the first game.
    void load();
    // A new game: empty sheet and tips, Versuch and Runde 1, hold buttons enabled. Leaves the
    // dice, the roll button and the history alone.
    void GameInit();

    // Click of CommandWuerfeln: rolls the free dice in an animation of kAnimation, at least one
    // pass, then counts the attempt and suggests scores. Does nothing while rollEnabled() is false.
    void roll();
    // Click of CommandWHalten(die), die 0..4: holds or frees a rolled die; beeps under a blank one.
    void toggleHold(int die);
    // Click of ComandPHalten(category), 0..12: enters its tip (or 0) and starts the next turn,
    // after the thirteenth entry the next game. Beeps before the turn's first roll; does nothing
    // for a closed category.
    void enter(int category);

    // The Board.
    const Die& LabelWAnzeige(int die) const { return m_dice[die]; }
    bool CommandWHaltenEnabled() const { return m_CommandWHaltenEnabled; }
    std::string CommandWuerfelnCaption() const;
    bool CommandWuerfelnEnabled() const { return m_Versuch <= kRollsPerTurn; }
    // Category c is open exactly while nothing is entered in it.
    bool ComandPHaltenEnabled(int category) const { return !m_scores[category].has_value(); }
    Points LabelTip(int category) const { return m_tips[category]; }
    Points LabelPunkte(int category) const { return m_scores[category]; }
    Points LabelPunkte(SumCell cell) const { return sheetSum(m_scores, cell); }

    // Number of the next roll of the turn: 1 before the first, 4 after the third.
    int Versuch() const { return m_Versuch; }
    // The turn of the game, 1..13; 14 while the game-over box of a full sheet shows.
    int Runde() const;
    const History& history() const { return m_history; }

private:
    void rollPass();
    void GameOver();
    OpenCategories openCategories() const;

    Services m_services;
    Dice m_dice{};
    bool m_CommandWHaltenEnabled = false;
    int m_Versuch = 1;
    Tips m_tips{};
    Scores m_scores{};
    History m_history;
};

} // namespace kubiq
