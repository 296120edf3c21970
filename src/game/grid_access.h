// Bounds-safe cell access for the game rules: reads outside rows and columns 0..100 see code 0
// (no cell code, so no rule matches it) and writes there are dropped.
#pragma once

#include <cstdint>

#include "level/level.h"

inline bool InGrid(int row, int col) {
    return row >= 0 && row < kGridSize && col >= 0 && col < kGridSize;
}

// True for the play area: rows 1..Rows, columns 1..Cols.
inline bool InInterior(const LevelGrid& level, int row, int col) {
    return row >= 1 && row <= level.Rows && col >= 1 && col <= level.Cols && InGrid(row, col);
}

inline int32_t TileAt(const LevelGrid& level, int row, int col) {
    return InGrid(row, col) ? level.Cells[row][col].Tile : 0;
}

inline bool IsEmptyAt(const LevelGrid& level, int row, int col) {
    return TileAt(level, row, col) == tcEmpty;
}

inline void SetTile(LevelGrid& level, int row, int col, int32_t tile) {
    if (InGrid(row, col)) level.Cells[row][col].Tile = tile;
}
