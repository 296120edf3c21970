// The world of the level being played: the grid and its monsters, the counters, the player, the
// objects in motion, blasts and bombs, the cells' animation tables and the random numbers.
#pragma once

#include <cstdint>

#include "game/play_state.h"
#include "game/random.h"
#include "level/level.h"

struct World {
    LevelGrid level;
    PlayState play;
    TileTables tiles;
    GameRandom random;
    PlayerLook look;
    PlayerControls controls;
    int32_t Speed = 300;  // 200 to 400: the pace of walking, pushing, falling and crawling
};
