// Pictures of whole levels for the level sheet: a level drawn cell by cell from its tile set,
// scaled down to a thumbnail, and the sheet that gathers the thumbnails with their labels.
#pragma once

#include <string>

#include "media/surface.h"

struct Game;

// The level now loaded in game.world.level, drawn at full size: the play-field background, pattern
// 0 (plus the cell's FrameBase) of every cell's tile picture, border included, the monsters and the
// player at the start. The surface is (Cols + 2) x (Rows + 2) cells of 40 pixels.
Surface DrawWholeLevel(const Game& game);

// Scales `source` down by averaging into the largest picture that fits maxWidth x maxHeight
// while keeping its proportions (never scaled up).
Surface ScaleToFit(const Surface& source, int maxWidth, int maxHeight);

// Copies `source` onto `dest` with its top-left corner at (x, y), clipped to dest.
void Blit(Surface& dest, const Surface& source, int x, int y);
