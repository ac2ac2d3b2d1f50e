#include "history.h"

#include "number_text.h"

#include <cmath>

namespace kubiq {

bool History::record(int total) {
    if (m_AnzahlSpiele >= kMaxGames)
        return false;
    ++m_AnzahlSpiele;
    m_GesamtPunkte += total;
    // Half up: the sums are whole, so the average is exact to the half.
    const double average = std::floor(m_GesamtPunkte / m_AnzahlSpiele + 0.5);

    m_SpielstandText +=
        numberText(m_AnzahlSpiele) + ". Spiel: " + numberText(total) + " Punkte\r\n";
    m_SpielstandText += "Punkte gesamt: " + numberText(m_GesamtPunkte) + "\r\n";
    m_SpielstandText += "Durchschnitt: " + numberText(average) + "\r\n";
    return true;
}

} // namespace kubiq
