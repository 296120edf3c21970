// The three depth passes over the level grid: cell animation, culling and tile drawing.
#pragma once

#include <array>
#include <cstdint>

#include "level/level.h"

class PictureList;
struct Surface;

// Advances the animation of one cell by lag milliseconds: an animated tile's phase grows by its
// rate; past the frame count a circuit-eating animation (70 and up) leaves an empty cell, any
// other animation wraps by one frame count. Tiles without an animation keep their phase.
void AnimateCell(TCell& cell, const TileTables& tables, int32_t lag);

// Which rows and columns of the grid can put pixels on the screen this frame. The test is
// conservative (the largest pattern of the tile set and the extreme offsets of the level's cells)
// so that the exact clipping of the draw is left to the picture; it only spares the picture
// lookup and the draw call for cells far outside the view.
struct CellCulling {
    std::array<bool, kGridSize> RowVisible{};
    std::array<bool, kGridSize> ColVisible{};
};
CellCulling ComputeCellCulling(const tlevel& level, const PictureList& tiles, int32_t viewX,
                               int32_t viewY);

// One tile pass: every cell of the pass's range whose Layer is `layer` is animated, and drawn
// when its row and column can be visible. Layer 100 covers the border ring as well; the other
// layers cover the play area only.
struct TilePassTarget {
    Surface& Dest;
    const PictureList& Tiles;
    const TileTables& Tables;
    const CellCulling& Culling;
    int32_t ViewX, ViewY;
};
void DrawTilePass(const TilePassTarget& target, tlevel& level, int32_t layer, int32_t lag);
