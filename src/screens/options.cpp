// Placeholder until this part of the game is written.
#include "screens/screens.h"
#include "app/game.h"

void OptionsTick(Game&, int32_t) {}
void EnterOptions(Game&) {}
