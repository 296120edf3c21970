// The tile passes of the play field: culling by each cell's drawn rectangle and
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

// Where on one axis a picture may start and still put pixels on the surface: from 1 - the
// largest pattern size up to the surface's size - 1. Tested with one unsigned comparison.
struct AxisWindow {
    int64_t Shift;
    uint64_t Span;

    AxisWindow(int64_t surfaceSize, int64_t maxPattern)
        : Shift(maxPattern - 1), Span(static_cast<uint64_t>(surfaceSize + maxPattern - 1)) {}
    bool Contains(int64_t start) const { return static_cast<uint64_t>(start + Shift) < Span; }
};

// The values of the target the walk needs, held locally: the cells it writes cannot change them.
struct PassView {
    int64_t ViewX, ViewY;
    AxisWindow Columns, Rows;

    explicit PassView(const TilePassTarget& t)
        : ViewX(t.ViewX),
          ViewY(t.ViewY),
          Columns(t.Dest.Width, t.MaxWidth),
          Rows(t.Dest.Height, t.MaxHeight) {}

    CellPosition PositionOf(const Cell& cell, int32_t r, int32_t c) const {
        return {ViewX + kCellSize * int64_t{c} - cell.OffsetX,
                ViewY + kCellSize * int64_t{r} - cell.OffsetY};
    }
    // Code 0 names the background picture, which is no cell's picture; a cell holding it is
    // drawn wherever it is (the picture clips it) rather than judged by the cell pictures' sizes.
    bool Visible(const Cell& cell, CellPosition p) const {
        return (Rows.Contains(p.Y) && Columns.Contains(p.X)) || cell.Tile == 0;
    }
};

void DrawCell(const TilePassTarget& t, const Cell& cell, CellPosition p) {
    const int64_t pattern = int64_t{cell.FrameBase} + static_cast<int64_t>(cell.Phase);
    if (pattern < 0 || pattern > std::numeric_limits<int>::max()) return;
    t.Tiles.PictureAt(cell.Tile).DrawPattern(t.Dest, ClampToScreenRange(p.X),
                                             ClampToScreenRange(p.Y), static_cast<int>(pattern));
}

}  // namespace

void LargestTilePattern(const PictureList& tiles, int64_t& width, int64_t& height) {
    width = height = 1;
    for (int i = 1; i < tiles.Count(); ++i) {
        const Picture& picture = tiles.PictureAt(i);
        width = std::max<int64_t>(width, picture.PatternPixelWidth());
        height = std::max<int64_t>(height, picture.PatternPixelHeight());
    }
}

// The border columns are taken apart from the row between them, which then needs no test of its
// place. A cell's rows are tested before its columns: most rows of a large level lie above or
// below the screen.
UpperRows DrawFirstTilePass(const TilePassTarget& target, const LevelGrid& level) {
    UpperRows upper;
    const PassView view(target);
    const int32_t lastRow = LastIndex(level.Rows), lastCol = LastIndex(level.Cols);
    auto visit = [&](const Cell& cell, int32_t r, int32_t c, int32_t layer) {
        const CellPosition p = view.PositionOf(cell, r, c);
        if (!view.Visible(cell, p)) return;
        if (layer == 100)
            DrawCell(target, cell, p);
        else
            (layer == 101 ? upper.Layer101 : upper.Layer102)[r] = true;
    };
    for (int32_t r = 0; r <= lastRow; ++r) {
        const Cell* row = level.Cells[r].data();
        if (r == 0 || r == lastRow) {
            for (int32_t c = 0; c <= lastCol; ++c)
                if (row[c].Layer == 100) visit(row[c], r, c, 100);
            continue;
        }
        if (row[0].Layer == 100) visit(row[0], r, 0, 100);
        // Most cells of a large level lie above or below the surface: their rows are tested
        // first, on the cell alone, before the layer and the columns.
        const int64_t rowY = view.ViewY + kCellSize * int64_t{r};
        for (int32_t c = 1; c < lastCol; ++c) {
            const Cell& cell = row[c];
            if (!view.Rows.Contains(rowY - cell.OffsetY) && cell.Tile != 0) continue;
            const int32_t layer = cell.Layer;
            if (static_cast<uint32_t>(layer) - 100u <= 2u) visit(cell, r, c, layer);
        }
        if (lastCol > 0 && row[lastCol].Layer == 100) visit(row[lastCol], r, lastCol, 100);
    }
    return upper;
}

void DrawUpperTilePass(const TilePassTarget& target, const LevelGrid& level, int32_t layer,
                       const UpperRows& rows) {
    const PassView view(target);
    const auto& marked = layer == 101 ? rows.Layer101 : rows.Layer102;
    const int32_t lastRow = LastIndex(level.Rows) - 1, lastCol = LastIndex(level.Cols) - 1;
    for (int32_t r = 1; r <= lastRow; ++r) {
        if (!marked[r]) continue;
        for (int32_t c = 1; c <= lastCol; ++c) {
            const Cell& cell = level.Cells[r][c];
            if (cell.Layer != layer) continue;
            const CellPosition p = view.PositionOf(cell, r, c);
            if (view.Visible(cell, p)) DrawCell(target, cell, p);
        }
    }
}
