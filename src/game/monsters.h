// The crawling monsters of a level.
#pragma once

#include <cstdint>

struct World;
class GameEvents;

void MoveMonsters(World& world, GameEvents& events, int32_t lag);
