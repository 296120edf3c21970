// How tiles that point a way (ports, traps, drift sources) change when a part of the map is
// flipped or turned, and the same transforms of a rectangle of cells.
#pragma once

#include <cstdint>
#include <vector>

#include "level/level_record.h"

enum class Turn {
    FlipSideways,    // mirror left and right
    FlipUpsideDown,  // mirror top and bottom
    Clockwise,       // a quarter turn to the right
    Anticlockwise,   // a quarter turn to the left
};

// The tile that shows the same thing after the turn: a port to the right becomes a port down
// after a clockwise turn, a trap entered moving left becomes one entered moving right when
// flipped sideways. Tiles that point no way, and drift sources turned a quarter (there are no
// upward or downward ones), stay as they are.
int32_t TurnedTile(int32_t tile, Turn turn);

// A rectangle of cells, row by row (the top row first).
struct CellBlock {
    int Cols = 0, Rows = 0;
    std::vector<LevelRecordCell> Cells;

    LevelRecordCell& At(int col, int row) { return Cells[Index(col, row)]; }
    const LevelRecordCell& At(int col, int row) const { return Cells[Index(col, row)]; }
    bool operator==(const CellBlock&) const = default;

  private:
    size_t Index(int col, int row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(Cols) + static_cast<size_t>(col);
    }
};

// The block flipped or turned, its tiles turned with it; a quarter turn swaps the sides.
CellBlock TurnedBlock(const CellBlock& block, Turn turn);
