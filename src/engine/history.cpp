#include "history.h"

#include "number_text.h"

#include <cmath>
#include <cstddef>

namespace kubiq {

namespace {

constexpr std::size_t kReservedBytes = std::size_t{History::kMaxGames} * 72;

} // namespace

bool History::record(int total) {
    if (m_AnzahlSpiele >= kMaxGames)
        return false;
    ++m_AnzahlSpiele;
    m_GesamtPunkte += total;
    // Half up: the sums are whole, so the average is exact to the half.
    const double average = std::floor(m_GesamtPunkte / m_AnzahlSpiele + 0.5);

    // Room for a full history at the first game, so that no later game copies the text that is
    // there already: a game's three lines take under 72 bytes ("32767. Spiel: 457 Punkte",
    // "Punkte gesamt: 14974519", "Durchschnitt: 457"). Pages not yet written take no memory.
    if (m_SpielstandText.capacity() < kReservedBytes)
        m_SpielstandText.reserve(kReservedBytes);
    m_SpielstandText +=
        numberText(m_AnzahlSpiele) + ". Spiel: " + numberText(total) + " Punkte\r\n";
    m_SpielstandText += "Punkte gesamt: " + numberText(m_GesamtPunkte) + "\r\n";
    m_SpielstandText += "Durchschnitt: " + numberText(average) + "\r\n";
    return true;
}

} // namespace kubiq
