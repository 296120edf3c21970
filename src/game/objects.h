// Falling, rolling and pushed objects.
#pragma once

#include <cstdint>

struct World;
class GameEvents;

void MoveObjects(World& world, GameEvents& events, int32_t lag);
