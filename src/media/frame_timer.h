// The frame timer's state: whether ticks run, and the ticks counted for the frame-rate overlay.
#pragma once

#include <cstdint>

struct FrameTimer {
    bool Enabled = false;
    int32_t TicksPerSecond = 0;
    int32_t TicksCounted = 0;
    int64_t MeasureStart = 0;  // ms
};
