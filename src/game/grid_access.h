// Bounds-safe cell access for the game rules: reads outside rows and columns 0..100 see code 0
// (no cell code, so no rule matches it) and writes there are dropped.
#pragma once

#include <cstdint>

#include "level/level.h"

inline bool InGrid(int col, int row) {
    return row >= 0 && row < kGridSize && col >= 0 && col < kGridSize;
}

// True for the play area: rows 1..Rows, columns 1..Cols.
inline bool InInterior(const LevelGrid& level, int col, int row) {
    return row >= 1 && row <= level.Rows && col >= 1 && col <= level.Cols && InGrid(col, row);
}

inline int32_t TileAt(const LevelGrid& level, int col, int row) {
    return InGrid(col, row) ? level.Cells[row][col].Tile : 0;
}

inline bool IsEmptyAt(const LevelGrid& level, int col, int row) {
    return TileAt(level, col, row) == tcEmpty;
}

inline void SetTile(LevelGrid& level, int col, int row, int32_t tile) {
    if (InGrid(col, row)) level.Cells[row][col].Tile = tile;
}
