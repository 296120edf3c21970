// Drawing the edited level through the play field's tile passes.
#include "map_picture.h"

#include <algorithm>
#include <cstring>

#include "level/level_loader.h"
#include "render/level_pictures.h"
#include "render/tile_passes.h"

namespace {

uint16_t TileColour(int32_t tile) {
    uint32_t mixed = static_cast<uint32_t>(tile) * 2654435761u;
    return RgbTo565(0x404040 | (mixed & 0xBFBFBF));
}

}  // namespace

MapPicture::MapPicture() : grid_(std::make_unique<LevelGrid>()) {}

void MapPicture::Update(const LevelRecord& level, const PictureList& tiles) {
    bool whole = drawn_.Cells.empty() || drawn_.Cols != level.Cols || drawn_.Rows != level.Rows ||
                 drawn_.TileSetFile != level.TileSetFile;
    int col0 = level.Cols + 1, row0 = level.Rows + 1, col1 = 0, row1 = 0;
    if (whole) {
        col0 = row0 = 0;
        col1 = level.Cols + 1;
        row1 = level.Rows + 1;
        *grid_ = LevelGrid{};
        picture_.Resize((level.Cols + 2) * kCellSize, (level.Rows + 2) * kCellSize);
        LargestTilePattern(tiles, maxWidth_, maxHeight_);
    } else {
        for (int row = 1; row <= level.Rows; ++row)
            for (int col = 1; col <= level.Cols; ++col) {
                if (level.CellAt(col, row) == drawn_.CellAt(col, row)) continue;
                col0 = std::min(col0, col);
                row0 = std::min(row0, row);
                col1 = std::max(col1, col);
                row1 = std::max(row1, row);
            }
        if (col1 == 0) return;
    }
    // The game's model holds at most the monsters a level may have and a picture for every code:
    // the copy drawn from shows monsters and codes without a picture as empty until the end.
    LevelRecord safe = level;
    for (LevelRecordCell& cell : safe.Cells)
        if (cell.Tile == tcMonsterTurning || cell.Tile == tcMonsterCrawling || cell.Tile < 1 ||
            (tiles.Count() > 0 && cell.Tile >= tiles.Count()))
            cell.Tile = tcEmpty;
    StoreLevelRecord(*grid_, safe);
    for (int row = 1; row <= level.Rows; ++row)
        for (int col = 1; col <= level.Cols; ++col) {
            int32_t tile = level.CellAt(col, row).Tile;
            bool drawn = tiles.Count() == 0 || tile < tiles.Count();
            if ((tile == tcMonsterTurning || tile == tcMonsterCrawling) && drawn)
                grid_->At(col, row).Tile = tile;
        }
    if (tiles.Count() > 0) SetCellOffsets(*grid_, tiles);
    drawn_ = level;
    // A picture larger than its cell reaches into its neighbours: redraw a margin around.
    int margin = static_cast<int>((std::max(maxWidth_, maxHeight_) + kCellSize - 1) / kCellSize);
    DrawCells(tiles, std::max(0, col0 - margin), std::max(0, row0 - margin),
              std::min(level.Cols + 1, col1 + margin), std::min(level.Rows + 1, row1 + margin));
}

void MapPicture::DrawCells(const PictureList& tiles, int col0, int row0, int col1, int row1) {
    Surface part((col1 - col0 + 1) * kCellSize, (row1 - row0 + 1) * kCellSize);
    if (tiles.Count() > 0) {
        TilePassTarget target{part,      tiles,     -col0 * kCellSize, -row0 * kCellSize,
                              maxWidth_, maxHeight_};
        UpperRows rows = DrawFirstTilePass(target, *grid_);
        DrawUpperTilePass(target, *grid_, 101, rows);
        DrawUpperTilePass(target, *grid_, 102, rows);
    } else {
        for (int row = row0; row <= row1; ++row)
            for (int col = col0; col <= col1; ++col) {
                uint16_t colour = TileColour(grid_->At(col, row).Tile);
                for (int y = 1; y < kCellSize - 1; ++y) {
                    uint16_t* line =
                        part.Row((row - row0) * kCellSize + y) + (col - col0) * kCellSize;
                    std::fill(line + 1, line + kCellSize - 1, colour);
                }
            }
    }
    for (int y = 0; y < part.Height; ++y)
        std::memcpy(picture_.Row(row0 * kCellSize + y) + col0 * kCellSize, part.Row(y),
                    static_cast<size_t>(part.Width) * 2);
}

void MapPicture::DrawView(Surface& dest, const Rect& to, int cell, int fromX, int fromY) const {
    int width = to.Right - to.Left, height = to.Bottom - to.Top;
    std::vector<int> sourceX(static_cast<size_t>(std::max(width, 0)), -1);
    for (int x = 0; x < width; ++x) {
        int zoomed = fromX + x;
        int sx = zoomed >= 0 ? static_cast<int>(int64_t{zoomed} * kCellSize / cell) : -1;
        sourceX[static_cast<size_t>(x)] = sx < picture_.Width ? sx : -1;
    }
    const uint16_t dark = Rgb565(24, 24, 32);
    for (int y = 0; y < height; ++y) {
        uint16_t* out = dest.Row(to.Top + y) + to.Left;
        int zoomed = fromY + y;
        int sy = zoomed >= 0 ? static_cast<int>(int64_t{zoomed} * kCellSize / cell) : -1;
        if (sy < 0 || sy >= picture_.Height) {
            std::fill(out, out + width, dark);
            continue;
        }
        const uint16_t* in = picture_.Row(sy);
        if (cell == kCellSize && fromX >= 0 && fromX + width <= picture_.Width) {
            std::memcpy(out, in + fromX, static_cast<size_t>(width) * 2);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            int sx = sourceX[static_cast<size_t>(x)];
            out[x] = sx >= 0 ? in[sx] : dark;
        }
    }
}
