// The cells' own animation: animated tiles run through their patterns, and a circuit being
// eaten leaves an empty cell when its animation has run out.
#pragma once

#include <array>
#include <cstdint>

#include "level/level.h"

// Advances the animation of one cell by lag milliseconds: an animated tile's phase grows by its
// rate; past the frame count a circuit-eating animation (70 and up) leaves an empty cell, any
// other animation wraps by one frame count. Tiles without an animation keep their phase.
void AnimateCell(Cell& cell, const TileTables& tables, int32_t lag);

// Moves an animated cell's phase on by `step` patterns; past its `frames` patterns a
// circuit-eating animation leaves an empty cell, any other wraps by one frame count.
inline void StepPhase(Cell& cell, double step, int32_t frames) {
    cell.Phase += step;
    if (cell.Phase > frames) {
        if (cell.Tile >= tcEatFirst) {
            cell.Tile = tcEmpty;
            cell.Phase = 0;
        } else {
            cell.Phase -= frames;
        }
    }
}

// The cells that animate (and that the tile passes draw): layer 100 anywhere in the level's
// ring, layers 101 and 102 only inside its border.
inline bool AnimatesInRing(int32_t layer, bool onBorder) {
    return layer == 100 || ((layer == 101 || layer == 102) && !onBorder);
}

// One tick's animation of many cells: each animated code's phase step for the tick's lag is
// worked out once, by AnimateCell's own expression, so every cell reaches the phase AnimateCell
// gives it to the last bit, without a division per cell.
class TickAnimation {
  public:
    TickAnimation(const TileTables& tables, int32_t lag);
    // AnimateCell(cell, tables, lag) when the cell AnimatesInRing(cell.Layer, onBorder). Most
    // cells of a level do not animate: their tile's frame count, looked up without a branch
    // (codes out of range share a last entry of none), rules them out before their layer is read.
    void AnimateInRing(Cell& cell, bool onBorder) const {
        const uint32_t tile = static_cast<uint32_t>(cell.Tile);
        const size_t code = tile <= static_cast<uint32_t>(kMaxTileCode) ? tile : kNoCode;
        const int32_t frames = frames_[code];
        if (frames <= 0 || !AnimatesInRing(cell.Layer, onBorder)) return;
        StepPhase(cell, step_[code], frames);
    }

  private:
    static constexpr size_t kNoCode = kMaxTileCode + 1;
    // Copies of the tables' frame counts and the steps: a cell written through a reference
    // cannot change them, so a walk keeps them in registers.
    std::array<int32_t, kMaxTileCode + 2> frames_{};
    std::array<double, kMaxTileCode + 2> step_{};  // set for the animated codes only
};

// Animates every cell that AnimatesInRing, once each, row by row; cells of other layers are left
// alone. Runs every frame of the play and level-end screens before the drawing, also while the
// game is paused.
void AnimateCells(LevelGrid& level, const TileTables& tables, int32_t lag);
