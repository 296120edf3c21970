// Flipping and turning tiles and blocks of cells.
#include "model/tile_turns.h"

#include <array>

namespace {

// The four ways, in clockwise order: right, down, left, up.
enum Way { kRight, kDown, kLeft, kUp, kNoWay };

struct PointingFamily {
    std::array<int32_t, 4> Tiles;  // the tile of each way; 0 where the family has none
};

constexpr std::array<PointingFamily, 3> kFamilies{{
    {{tcPortRight, tcPortDown, tcPortLeft, tcPortUp}},
    {{tcTrapRight, tcTrapDown, tcTrapLeft, tcTrapUp}},
    {{tcDriftRight, 0, tcDriftLeft, 0}},
}};

int TurnedWay(int way, Turn turn) {
    switch (turn) {
        case Turn::FlipSideways:
            return way == kRight ? kLeft : way == kLeft ? kRight : way;
        case Turn::FlipUpsideDown:
            return way == kUp ? kDown : way == kDown ? kUp : way;
        case Turn::Clockwise:
            return (way + 1) % 4;
        case Turn::Anticlockwise:
            return (way + 3) % 4;
    }
    return way;
}

}  // namespace

int32_t TurnedTile(int32_t tile, Turn turn) {
    for (const PointingFamily& family : kFamilies)
        for (int way = 0; way < 4; ++way) {
            if (family.Tiles[way] != tile || tile == 0) continue;
            int32_t turned = family.Tiles[TurnedWay(way, turn)];
            return turned != 0 ? turned : tile;
        }
    return tile;
}

CellBlock TurnedBlock(const CellBlock& block, Turn turn) {
    bool quarter = turn == Turn::Clockwise || turn == Turn::Anticlockwise;
    CellBlock out;
    out.Cols = quarter ? block.Rows : block.Cols;
    out.Rows = quarter ? block.Cols : block.Rows;
    out.Cells.resize(block.Cells.size());
    for (int row = 0; row < block.Rows; ++row)
        for (int col = 0; col < block.Cols; ++col) {
            int toCol = col, toRow = row;
            switch (turn) {
                case Turn::FlipSideways:
                    toCol = block.Cols - 1 - col;
                    break;
                case Turn::FlipUpsideDown:
                    toRow = block.Rows - 1 - row;
                    break;
                case Turn::Clockwise:
                    toCol = block.Rows - 1 - row;
                    toRow = col;
                    break;
                case Turn::Anticlockwise:
                    toCol = row;
                    toRow = block.Cols - 1 - col;
                    break;
            }
            LevelRecordCell cell = block.At(col, row);
            cell.Tile = TurnedTile(cell.Tile, turn);
            out.At(toCol, toRow) = cell;
        }
    return out;
}
