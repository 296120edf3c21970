// The frame loop's tick and the screen dispatcher.
#pragma once

#include <cstdint>

struct Game;

enum ScreenCode : uint8_t {
    scIntroLogo = 0,
    scMenuReturn = 1,
    scMainMenu = 2,
    scPlayersLevels = 3,
    scLevelStart = 5,
    scInformation = 6,
    scCredits = 7,
    scGamePlay = 9,
    scLevelEnd = 10,
    scCharacterSelect = 11,
    scGameFinished = 12,
    scOptions = 14,
};

// One tick of the frame loop: input, messages, the screen's handler, overlay, messages, frame.
void DXTimerTimer(Game& game, int32_t lag);
// Switches screens: performs the entry action of the code and installs its handler.
void SetScreen(Game& game, int code);
// Puts every screen's transient state back to its start values.
void ResetScreenState(Game& game);
void MenuReturnTick(Game& game, int32_t lag);
void LevelStartTick(Game& game, int32_t lag);
// Recomputes the circuit-eating animation rate from Speed.
void ApplySpeed(Game& game);
// The handler that does nothing (installed while a level loads).
void EmptyTick(Game& game, int32_t lag);
