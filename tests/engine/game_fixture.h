#pragma once

#include "game.h"
#include "scripted_services.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kubiq::test {

// A loaded game on scripted services. The clock ends every roll after one pass unless a test
// sets a shorter step.
class GameTest : public ::testing::Test {
protected:
    GameTest() { game.load(); }

    // Rolls once; the free dice, in die order, take the given faces.
    void roll(std::string_view faces) {
        draws.scriptFaces(faces);
        game.roll();
    }
    // One turn: a roll that shows `faces`, then an entry into `category`.
    void turn(std::string_view faces, int category) {
        roll(faces);
        game.enter(category);
    }
    // The faces as a string, blank dice as '.'.
    std::string faces() const {
        std::string shown;
        for (int i = 0; i < kDiceCount; ++i) {
            const int face = game.LabelWAnzeige(i).face;
            shown += face == 0 ? '.' : static_cast<char>('0' + face);
        }
        return shown;
    }

    ScriptedClock clock;
    ScriptedDraws draws;
    RecordingBeeper beeper;
    RecordingMessageBox messageBox;
    RecordingDisplay display;
    Game game{Services{clock, draws, beeper, messageBox, display}};
};

} // namespace kubiq::test
