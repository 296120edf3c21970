// Placeholder until this part of the game is written.
#include "game/monsters.h"
#include "app/game.h"

void MoveMonsters(Game&, int32_t) {}
