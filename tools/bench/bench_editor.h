// The level editor's costs, headless: a frame that draws the whole 99 x 99 level zoomed out in a
// 1280 x 960 window, a frame while a pencil stroke paints a cell a frame, and a flood fill over a
// whole 99 x 99 level.
#pragma once

#include <string>

#include "bench_clock.h"

struct EditorCosts {
    double WholeLevelUs = 0;
    double PaintingUs = 0;
    double FillMs = 0;
};

// `levelSetPath`: a set whose first level is 99 x 99.
EditorCosts MeasureEditor(const std::string& dataDir, const std::string& levelSetPath,
                          const Repetitions& reps);
