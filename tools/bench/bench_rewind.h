// Rewind's costs on the 99 x 99 benchmark level: the play tick with the way back kept and
// without, one step back of a second, and the memory the way back holds after long play.
#pragma once

#include <string>

#include "bench_clock.h"

struct RewindCosts {
    double TickOffUs = 0, TickOnUs = 0;  // a play tick (simulation and play field)
    double StepMs = 0;                   // one second back
    double MemoryMb = 0;                 // the kept worlds after `PlayedMinutes` of play
    int PlayedMinutes = 0;
};

RewindCosts MeasureRewind(const std::string& dataDir, const std::string& levels, bool quick);
