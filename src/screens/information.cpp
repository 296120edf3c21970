// Placeholder until this part of the game is written.
#include "screens/screens.h"
#include "app/game.h"

void InformationTick(Game&, int32_t) {}
void CreditsTick(Game&, int32_t) {}
void GameFinishedTick(Game&, int32_t) {}
