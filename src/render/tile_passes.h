// The three depth passes over the level grid: culling and tile drawing.
#pragma once

#include <array>
#include <cstdint>

#include "level/level.h"

class PictureList;
struct Surface;

// Where the passes draw. MaxWidth and MaxHeight bound every pattern of the tile set: a cell is
// drawn only when the rectangle from its drawing position (its cell less its offsets) that wide
// and that high meets the surface, so cells far outside the view cost no picture lookup and no
// draw call, while a cell whose offset or large picture reaches into the view is still drawn
// (the picture clips it exactly).
struct TilePassTarget {
    Surface& Dest;
    const PictureList& Tiles;
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

// Tile pass 1: draws the cells of layer 100 (border ring included), row by row, and notes the
// rows that hold a play-area cell of layer 101 or 102 to draw.
UpperRows DrawFirstTilePass(const TilePassTarget& target, const LevelGrid& level);
// Tile pass 2 (layer 101) or 3 (layer 102): draws the visible play-area cells of that layer,
// row by row, in the rows the first pass noted. Animates nothing.
void DrawUpperTilePass(const TilePassTarget& target, const LevelGrid& level, int32_t layer,
                       const UpperRows& rows);
