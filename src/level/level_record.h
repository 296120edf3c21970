// One level record of a level set file as stored on disk, and a whole set, independent of the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level.h"

// A cell record (16 bytes in the file).
struct LevelRecordCell {
    int32_t Tile = tcEmpty;
    int32_t Spare = 0;
    int32_t Layer = 100;
    int32_t FrameBase = 0;

    bool operator==(const LevelRecordCell&) const = default;
};

// A level record: the fields in file order. Cells hold Rows x Cols entries, row 1 first.
struct LevelRecord {
    std::string TileSetFile;  // 8-bit Latin-1 text
    std::string LevelName;    // 8-bit Latin-1 text
    int32_t StartX = 0, StartY = 0;
    int32_t LevelFlags = 0;
    int32_t Cols = 0, Rows = 0;
    std::vector<LevelRecordCell> Cells;
    int32_t InfotronQuota = 0;

    // Play-area cell (row 1..Rows, column 1..Cols).
    LevelRecordCell& CellAt(int col, int row) { return Cells[Index(row, col)]; }
    const LevelRecordCell& CellAt(int col, int row) const { return Cells[Index(row, col)]; }
    // Sizes the grid to rows x cols empty cells.
    void Resize(int rows, int cols) {
        Rows = rows;
        Cols = cols;
        Cells.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), LevelRecordCell{});
    }

    bool operator==(const LevelRecord&) const = default;

  private:
    size_t Index(int row, int col) const {
        return static_cast<size_t>(row - 1) * static_cast<size_t>(Cols) +
               static_cast<size_t>(col - 1);
    }
};

// A whole level set: the index fields and the levels in order (level 1 first).
struct LevelSetData {
    int32_t SetHeader = 0;
    std::string SetName;
    std::vector<LevelRecord> Levels;
};

// The world-pixel centre of a play-area cell, as StartX / StartY store it.
inline int32_t CellCentre(int index) {
    return kCellSize * index + 20;
}
