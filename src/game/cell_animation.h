// The cells' own animation: animated tiles run through their patterns, and a circuit being
// eaten leaves an empty cell when its animation has run out.
#pragma once

#include <cstdint>

#include "level/level.h"

// Advances the animation of one cell by lag milliseconds: an animated tile's phase grows by its
// rate; past the frame count a circuit-eating animation (70 and up) leaves an empty cell, any
// other animation wraps by one frame count. Tiles without an animation keep their phase.
void AnimateCell(Cell& cell, const TileTables& tables, int32_t lag);

// Animates every cell of layer 100 (border ring included) and every play-area cell of layers 101
// and 102, once each, row by row; cells of other layers are left alone. Runs every frame of the
// play and level-end screens, also while the game is paused.
void AnimateCells(LevelGrid& level, const TileTables& tables, int32_t lag);
