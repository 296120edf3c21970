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

// Entry action of the options screen: working copies and start state.
void EnterOptions(Game& game);
// The menus' share of ResetScreenState: main menu items, players screen, character selection,
// credits and game-finished scroll positions.
void ResetMenuScreens(Game& game);
// The play screens' share of ResetScreenState: end flags and timers, the player's dying pause,
// movement and idle animation.
void ResetPlayScreens(Game& game);
