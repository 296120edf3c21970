// The screens: their codes, switching between them and putting their transient state back.
#pragma once

#include <cstdint>

struct Game;

enum class Screen : uint8_t {
    IntroLogo = 0,
    MenuReturn = 1,
    MainMenu = 2,
    PlayersLevels = 3,
    LevelStart = 5,
    Information = 6,
    Credits = 7,
    GamePlay = 9,
    LevelEnd = 10,
    CharacterSelect = 11,
    GameFinished = 12,
    Options = 14,
    RecordsBoard = 15,
    RunWatch = 16,
};

// Switches screens: runs the entry action of the screen and installs its tick. A code that is
// no screen changes only the current code; the previous tick stays.
void SetScreen(Game& game, Screen screen);
// Puts every screen's transient state back to its start values, and empties the message queue.
void ResetScreenState(Game& game);
// Recomputes the speed-dependent rates from the settings' Speed.
void ApplySpeed(Game& game);
