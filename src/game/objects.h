// Falling, rolling and pushed objects.
#pragma once

#include <cstdint>

struct Game;

void MoveObjects(Game& game, int32_t lag);
