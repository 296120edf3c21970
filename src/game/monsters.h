// The crawling monsters of a level.
#pragma once

#include <cstdint>

struct Game;

void MoveMonsters(Game& game, int32_t lag);
