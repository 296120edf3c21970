// Placeholder until this part of the game is written.
#include "game/objects.h"
#include "app/game.h"

void MoveObjects(Game&, int32_t) {}
