// Placeholder until this part of the game is written.
#include "screens/screens.h"
#include "app/game.h"

void GamePlayTick(Game&, int32_t) {}
void LevelEndTick(Game&, int32_t) {}
void ResetPlayScreens(Game&) {}
