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

// Where the passes draw. MaxWidth and MaxHeight bound every pattern of the tile set: a cell is
// drawn only when the rectangle from its drawing position (its cell less its offsets) that wide
// and that high meets the surface, so cells far outside the view cost no picture lookup and no
// draw call, while a cell whose offset or large picture reaches into the view is still drawn
// (the picture clips it exactly).
struct TilePassTarget {
    Surface& Dest;
    const PictureList& Tiles;
    const TileTables& Tables;
    int32_t ViewX, ViewY;
    int64_t MaxWidth, MaxHeight;
};
// The largest pattern width and height of a tile set's cell pictures (1 and up).
void LargestTilePattern(const PictureList& tiles, int64_t& width, int64_t& height);

// Rows of the grid that hold a cell of layer 101 or 102 to draw this frame.
struct UpperRows {
    std::array<bool, kGridSize> Layer101{};
    std::array<bool, kGridSize> Layer102{};
};

// Tile pass 1 and the animation of all three passes in one walk over the grid. Every cell of
// layer 100 (border ring included) and every play-area cell of layers 101 and 102 is animated
// once; cells of other layers and border cells of layers 101 and 102 are left alone. The cells
// of layer 100 are drawn in the walk's order, row by row. Each cell is drawn from its own state
// only, so animating the upper layers here rather than in their own passes draws the same frame.
UpperRows DrawFirstTilePass(const TilePassTarget& target, tlevel& level, int32_t lag);
// Tile pass 2 (layer 101) or 3 (layer 102): draws the visible play-area cells of that layer,
// row by row, in the rows the first pass noted. Animates nothing.
void DrawUpperTilePass(const TilePassTarget& target, const tlevel& level, int32_t layer,
                       const UpperRows& rows);
