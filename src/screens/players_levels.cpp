// Placeholder until this part of the game is written.
#include "screens/screens.h"
#include "app/game.h"

void PlayersLevelsTick(Game&, int32_t) {}
