#pragma once

#include <string>

namespace kubiq {

// The games finished since the program started, shown by the help panel. It only grows.
class History {
public:
    // AnzahlSpiele is a signed 16-bit count: it stops here rather than wrap.
    static constexpr int kMaxGames = 32767;

    // Counts a finished game with this TOTAL and appends its three lines. Returns false, and
    // changes nothing, when kMaxGames games are counted already.
    bool record(int total);

    int AnzahlSpiele() const { return m_AnzahlSpiele; }
    double GesamtPunkte() const { return m_GesamtPunkte; }
    // Three lines per game, each ending in CR LF: "1. Spiel: 230 Punkte", "Punkte gesamt: 230",
    // "Durchschnitt: 230".
    const std::string& SpielstandText() const { return m_SpielstandText; }

private:
    int m_AnzahlSpiele = 0;
    double m_GesamtPunkte = 0.0;
    std::string m_SpielstandText;
};

} // namespace kubiq
