// The tile passes of the play field: cell animation, row and column culling, tile drawing.
#include "render/tile_passes.h"

#include <algorithm>
#include <limits>

#include "media/picture.h"
#include "media/surface.h"

namespace {

// The grid rows and columns a level covers, border included, kept inside the 101 x 101 grid
// whatever the level's size fields say.
int32_t LastIndex(int32_t cells) {
    return std::clamp(cells, 0, kMaxPlayArea) + 1;
}

// Far outside any surface: a 64-bit screen position clamped here still draws nothing.
constexpr int64_t kFarAway = 1 << 20;

int ClampToScreenRange(int64_t v) {
    return static_cast<int>(std::clamp(v, -kFarAway, kFarAway));
}

struct Extent {
    int64_t MinOffset = 0, MaxOffset = 0;
};

// The extreme offsets of the cells of the level, border included.
void FindOffsetExtents(const tlevel& level, Extent& x, Extent& y) {
    const int32_t lastRow = LastIndex(level.Rows), lastCol = LastIndex(level.Cols);
    for (int32_t r = 0; r <= lastRow; ++r) {
        for (int32_t c = 0; c <= lastCol; ++c) {
            const TCell& cell = level.Cells[r][c];
            x.MinOffset = std::min<int64_t>(x.MinOffset, cell.OffsetX);
            x.MaxOffset = std::max<int64_t>(x.MaxOffset, cell.OffsetX);
            y.MinOffset = std::min<int64_t>(y.MinOffset, cell.OffsetY);
            y.MaxOffset = std::max<int64_t>(y.MaxOffset, cell.OffsetY);
        }
    }
}

// Cell i of an axis starts at view + 40 i - offset and reaches `size` pixels further.
void MarkVisible(std::array<bool, kGridSize>& visible, int32_t last, int64_t view,
                 const Extent& offsets, int64_t size, int64_t screen) {
    for (int32_t i = 0; i <= last; ++i) {
        const int64_t start = view + 40 * int64_t{i};
        visible[i] = start - offsets.MaxOffset < screen && start - offsets.MinOffset + size > 0;
    }
}

}  // namespace

void AnimateCell(TCell& cell, const TileTables& tables, int32_t lag) {
    if (cell.Tile < 0 || cell.Tile > kMaxTileCode) return;
    const int32_t frames = tables.FrameCount[cell.Tile];
    if (frames <= 0) return;
    cell.Phase += tables.FrameRate[cell.Tile] / 1000.0 * lag;
    if (cell.Phase > frames) {
        if (cell.Tile >= tcEatFirst) {
            cell.Tile = tcEmpty;
            cell.Phase = 0;
        } else {
            cell.Phase -= frames;
        }
    }
}

CellCulling ComputeCellCulling(const tlevel& level, const PictureList& tiles, int32_t viewX,
                               int32_t viewY) {
    // Picture 0 is the background, drawn whole; no cell code names it (cells of code 0 are never
    // culled, see DrawTilePass).
    int64_t maxWidth = 0, maxHeight = 0;
    for (int i = 1; i < tiles.Count(); ++i) {
        const Picture& picture = tiles.PictureAt(i);
        maxWidth = std::max<int64_t>(maxWidth, picture.PatternPixelWidth());
        maxHeight = std::max<int64_t>(maxHeight, picture.PatternPixelHeight());
    }
    Extent x, y;
    FindOffsetExtents(level, x, y);
    CellCulling culling;
    MarkVisible(culling.RowVisible, LastIndex(level.Rows), viewY, y, maxHeight, 480);
    MarkVisible(culling.ColVisible, LastIndex(level.Cols), viewX, x, maxWidth, 640);
    return culling;
}

void DrawTilePass(const TilePassTarget& target, tlevel& level, int32_t layer, int32_t lag) {
    // Layer 100 includes the border ring; layers 101 and 102 only the play area.
    const int32_t ring = layer == 100 ? 1 : 0;
    const int32_t firstRow = 1 - ring, lastRow = LastIndex(level.Rows) - 1 + ring;
    const int32_t firstCol = 1 - ring, lastCol = LastIndex(level.Cols) - 1 + ring;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        const bool rowVisible = target.Culling.RowVisible[r];
        auto& row = level.Cells[r];
        for (int32_t c = firstCol; c <= lastCol; ++c) {
            TCell& cell = row[c];
            if (cell.Layer != layer) continue;
            AnimateCell(cell, target.Tables, lag);
            if ((!rowVisible || !target.Culling.ColVisible[c]) && cell.Tile != 0) continue;
            const int64_t x = target.ViewX + 40 * int64_t{c} - cell.OffsetX;
            const int64_t y = target.ViewY + 40 * int64_t{r} - cell.OffsetY;
            const int64_t pattern = int64_t{cell.FrameBase} + static_cast<int64_t>(cell.Phase);
            if (pattern < 0 || pattern > std::numeric_limits<int>::max()) continue;
            target.Tiles.PictureAt(cell.Tile).DrawPattern(target.Dest, ClampToScreenRange(x),
                                                          ClampToScreenRange(y),
                                                          static_cast<int>(pattern));
        }
    }
}
