// The cells' own animation over the grid.
#include "game/cell_animation.h"

#include <algorithm>

void AnimateCell(Cell& cell, const TileTables& tables, int32_t lag) {
    if (cell.Tile < 0 || cell.Tile > kMaxTileCode) return;
    const int32_t frames = tables.FrameCount[cell.Tile];
    if (frames <= 0) return;
    StepPhase(cell, tables.FrameRate[cell.Tile] / 1000.0 * lag, frames);
}

TickAnimation::TickAnimation(const TileTables& tables, int32_t lag) {
    for (size_t code = 0; code < tables.FrameCount.size(); ++code) {
        frames_[code] = tables.FrameCount[code];
        step_[code] = tables.FrameCount[code] > 0 ? tables.FrameRate[code] / 1000.0 * lag : 0;
    }
}

void AnimateCells(LevelGrid& level, const TileTables& tables, int32_t lag) {
    const TickAnimation animation(tables, lag);
    const int32_t lastRow = std::clamp(level.Rows, 0, kMaxPlayArea) + 1;
    const int32_t lastCol = std::clamp(level.Cols, 0, kMaxPlayArea) + 1;
    for (int32_t r = 0; r <= lastRow; ++r) {
        const bool borderRow = r == 0 || r == lastRow;
        Cell* row = level.Cells[r].data();
        for (int32_t c = 0; c <= lastCol; ++c)
            animation.AnimateInRing(row[c], borderRow || c == 0 || c == lastCol);
    }
}
