// The tile passes of the play field: cell animation, culling by each cell's drawn rectangle and
// tile drawing.
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

// The screen position of a cell's picture: its cell, moved left and up by its offsets.
struct CellPosition {
    int64_t X, Y;
};

CellPosition PositionOf(const TilePassTarget& t, const TCell& cell, int32_t r, int32_t c) {
    return {t.ViewX + 40 * int64_t{c} - cell.OffsetX, t.ViewY + 40 * int64_t{r} - cell.OffsetY};
}

bool MayMeetSurface(const TilePassTarget& t, CellPosition p) {
    return p.X < t.Dest.Width && p.X + t.MaxWidth > 0 && p.Y < t.Dest.Height &&
           p.Y + t.MaxHeight > 0;
}

// Code 0 names the background picture, which is no cell's picture; a cell holding it is drawn
// wherever it is (the picture clips it) rather than judged by the cell pictures' sizes.
bool Visible(const TilePassTarget& t, const TCell& cell, CellPosition p) {
    return cell.Tile == 0 || MayMeetSurface(t, p);
}

void DrawCell(const TilePassTarget& t, const TCell& cell, CellPosition p) {
    const int64_t pattern = int64_t{cell.FrameBase} + static_cast<int64_t>(cell.Phase);
    if (pattern < 0 || pattern > std::numeric_limits<int>::max()) return;
    t.Tiles.PictureAt(cell.Tile).DrawPattern(t.Dest, ClampToScreenRange(p.X),
                                             ClampToScreenRange(p.Y), static_cast<int>(pattern));
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

void LargestTilePattern(const PictureList& tiles, int64_t& width, int64_t& height) {
    width = height = 1;
    for (int i = 1; i < tiles.Count(); ++i) {
        const Picture& picture = tiles.PictureAt(i);
        width = std::max<int64_t>(width, picture.PatternPixelWidth());
        height = std::max<int64_t>(height, picture.PatternPixelHeight());
    }
}

UpperRows DrawFirstTilePass(const TilePassTarget& target, tlevel& level, int32_t lag) {
    UpperRows upper;
    const int32_t lastRow = LastIndex(level.Rows), lastCol = LastIndex(level.Cols);
    for (int32_t r = 0; r <= lastRow; ++r) {
        const bool borderRow = r == 0 || r == lastRow;
        auto& row = level.Cells[r];
        for (int32_t c = 0; c <= lastCol; ++c) {
            TCell& cell = row[c];
            const int32_t layer = cell.Layer;
            if (layer == 100) {
                AnimateCell(cell, target.Tables, lag);
                const CellPosition p = PositionOf(target, cell, r, c);
                if (Visible(target, cell, p)) DrawCell(target, cell, p);
            } else if ((layer == 101 || layer == 102) && !borderRow && c != 0 && c != lastCol) {
                AnimateCell(cell, target.Tables, lag);
                if (!Visible(target, cell, PositionOf(target, cell, r, c))) continue;
                (layer == 101 ? upper.Layer101 : upper.Layer102)[r] = true;
            }
        }
    }
    return upper;
}

void DrawUpperTilePass(const TilePassTarget& target, const tlevel& level, int32_t layer,
                       const UpperRows& rows) {
    const auto& marked = layer == 101 ? rows.Layer101 : rows.Layer102;
    const int32_t lastRow = LastIndex(level.Rows) - 1, lastCol = LastIndex(level.Cols) - 1;
    for (int32_t r = 1; r <= lastRow; ++r) {
        if (!marked[r]) continue;
        for (int32_t c = 1; c <= lastCol; ++c) {
            const TCell& cell = level.Cells[r][c];
            if (cell.Layer != layer) continue;
            const CellPosition p = PositionOf(target, cell, r, c);
            if (Visible(target, cell, p)) DrawCell(target, cell, p);
        }
    }
}
