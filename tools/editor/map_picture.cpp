// Drawing the edited level through the play field's tile passes.
#include "map_picture.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

void MapPicture::Update(const LevelRecord& level, const PictureList& tiles, uint64_t revision) {
    if (revision != 0 && revision == drawnRevision_ && !drawn_.Cells.empty()) return;
    drawnRevision_ = revision;
    // The game's model holds at most the monsters a level may have and a picture for every code:
    // monsters are put in after the model is filled, codes without a picture show as empty.
    auto drawnTile = [&](int32_t tile) {
        return tile < 1 || (tiles.Count() > 0 && tile >= tiles.Count()) ? int32_t{tcEmpty} : tile;
    };
    bool whole = drawn_.Cells.empty() || drawn_.Cols != level.Cols || drawn_.Rows != level.Rows ||
                 drawn_.TileSetFile != level.TileSetFile;
    int col0 = 0, row0 = 0, col1 = level.Cols + 1, row1 = level.Rows + 1;
    if (whole) {
        *grid_ = LevelGrid{};
        zoomedCell_ = 0;  // made again at the next view
        picture_.Resize((level.Cols + 2) * kCellSize, (level.Rows + 2) * kCellSize);
        LargestTilePattern(tiles, maxWidth_, maxHeight_);
        LevelRecord safe = level;
        for (LevelRecordCell& cell : safe.Cells)
            if (cell.Tile == tcMonsterTurning || cell.Tile == tcMonsterCrawling)
                cell.Tile = tcEmpty;
        StoreLevelRecord(*grid_, safe);
        for (int row = 1; row <= level.Rows; ++row)
            for (int col = 1; col <= level.Cols; ++col)
                grid_->At(col, row).Tile = drawnTile(level.CellAt(col, row).Tile);
        drawn_ = level;
    } else {
        // Only the cells that changed go into the model.
        col0 = level.Cols + 1, row0 = level.Rows + 1, col1 = 0, row1 = 0;
        for (int row = 1; row <= level.Rows; ++row)
            for (int col = 1; col <= level.Cols; ++col) {
                const LevelRecordCell& now = level.CellAt(col, row);
                LevelRecordCell& was = drawn_.CellAt(col, row);
                if (now == was) continue;
                was = now;
                Cell& cell = grid_->At(col, row);
                cell.Tile = drawnTile(now.Tile);
                cell.Spare = now.Spare;
                cell.Layer = now.Layer;
                cell.FrameBase = now.FrameBase;
                col0 = std::min(col0, col);
                row0 = std::min(row0, row);
                col1 = std::max(col1, col);
                row1 = std::max(row1, row);
            }
        if (col1 == 0) return;
    }
    if (tiles.Count() > 0) SetCellOffsets(*grid_, tiles);
    // A picture larger than its cell reaches into its neighbours: redraw a margin around.
    int margin = static_cast<int>((std::max(maxWidth_, maxHeight_) + kCellSize - 1) / kCellSize);
    DrawCells(tiles, std::max(0, col0 - margin), std::max(0, row0 - margin),
              std::min(level.Cols + 1, col1 + margin), std::min(level.Rows + 1, row1 + margin));
}

MapPicture::ChangedRows MapPicture::TakeChanges() {
    return std::exchange(changed_, ChangedRows{});
}

void MapPicture::DrawCells(const PictureList& tiles, int col0, int row0, int col1, int row1) {
    changed_ = changed_.Any()
                   ? ChangedRows{std::min(changed_.First, row0), std::max(changed_.Last, row1)}
                   : ChangedRows{row0, row1};
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
    if (zoomedCell_ != 0) Rescale(col0, row0, col1, row1);
}

void MapPicture::Rescale(int col0, int row0, int col1, int row1) {
    const int cell = zoomedCell_;
    for (int zy = row0 * cell; zy < (row1 + 1) * cell && zy < zoomed_.Height; ++zy) {
        const uint16_t* in = picture_.Row(zy * kCellSize / cell);
        uint16_t* out = zoomed_.Row(zy);
        for (int zx = col0 * cell; zx < (col1 + 1) * cell && zx < zoomed_.Width; ++zx)
            out[zx] = in[zx * kCellSize / cell];
    }
}

void MapPicture::DrawView(Surface& dest, const Rect& area, int cell, int fromX, int fromY,
                          int rowsFrom, int rowsTo) {
    // Only the part of the area inside the surface is drawn, whatever size it was given.
    const Rect to = Intersection(area, Rect{0, 0, dest.Width, dest.Height});
    if (to.Empty() || cell <= 0) return;
    fromX += to.Left - area.Left;
    fromY += to.Top - area.Top;
    if (cell != kCellSize &&
        (cell != zoomedCell_ || zoomed_.Width != picture_.Width / kCellSize * cell ||
         zoomed_.Height != picture_.Height / kCellSize * cell)) {
        zoomedCell_ = cell;
        zoomed_.Resize(picture_.Width / kCellSize * cell, picture_.Height / kCellSize * cell);
        Rescale(0, 0, picture_.Width / kCellSize - 1, picture_.Height / kCellSize - 1);
    }
    const Surface& source = cell == kCellSize ? picture_ : zoomed_;
    const int width = to.Right - to.Left, height = to.Bottom - to.Top;
    const uint16_t dark = Rgb565(24, 24, 32);
    // The columns of the view that the map covers.
    const int left = std::clamp(-fromX, 0, width);
    const int right = std::clamp(source.Width - fromX, left, width);
    const int firstRow = rowsFrom < 0 ? 0 : std::clamp(rowsFrom - to.Top, 0, height);
    const int endRow = rowsTo < 0 ? height : std::clamp(rowsTo - to.Top, firstRow, height);
    for (int y = firstRow; y < endRow; ++y) {
        uint16_t* out = dest.Row(to.Top + y) + to.Left;
        const int sy = fromY + y;
        if (sy < 0 || sy >= source.Height) {
            std::fill(out, out + width, dark);
            continue;
        }
        std::fill(out, out + left, dark);
        if (right > left)
            std::memcpy(out + left, source.Row(sy) + fromX + left,
                        static_cast<size_t>(right - left) * 2);
        std::fill(out + right, out + width, dark);
    }
}
