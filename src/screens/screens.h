// The per-tick handlers of the screens and their shares of the screen-state reset.
#pragma once

#include <cstdint>

struct Game;

void IntroLogoTick(Game& game, int32_t lag);
void MainMenuTick(Game& game, int32_t lag);
void PlayersLevelsTick(Game& game, int32_t lag);
void InformationTick(Game& game, int32_t lag);
void CreditsTick(Game& game, int32_t lag);
void GamePlayTick(Game& game, int32_t lag);
void LevelEndTick(Game& game, int32_t lag);
void CharacterSelectTick(Game& game, int32_t lag);
void GameFinishedTick(Game& game, int32_t lag);
void OptionsTick(Game& game, int32_t lag);
void LevelStartTick(Game& game, int32_t lag);
void RecordsBoardTick(Game& game, int32_t lag);
void RunWatchTick(Game& game, int32_t lag);
// Entry actions of the records board (reads the level's records) and of watching a run.
void EnterRecordsBoard(Game& game);
void EnterRunWatch(Game& game);

// Entry action of the options screen: working copies and start state.
void EnterOptions(Game& game);

// What a reset of the screens' state puts back, screen by screen (the title pieces, the menu's
// selection, the information page and the options screen live on).
void ResetMainMenu(Game& game);
void ResetPlayersScreen(Game& game);
void ResetCharacterSelect(Game& game);
void ResetCredits(Game& game);
void ResetGameFinished(Game& game);
// The play screens' share: end flags and timers, the player's dying pause, movement and idle
// animation.
void ResetPlayScreens(Game& game);

// What the keys and the joystick ask of the player this tick, and the pace set in the options.
void TakePlayerControls(Game& game);
// The play field of the level in play, its cells animated by lag milliseconds (play and level end).
void DrawPlayFrame(Game& game, int32_t lag);
// The play field of the world as it stands, nothing animated (a rewound tick).
void DrawWorldAsItIs(Game& game);
