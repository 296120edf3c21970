// Presenting in software: the 640 x 480 RGB565 frame scaled into a window's 32-bit pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "media/surface.h"

// Where the frame lands in a window: the largest rectangle of the frame's 4:3 shape that fits,
// centred (SDL's logical-size rule); the rest of the window is a black band.
struct FramePlacement {
    int X = 0, Y = 0, W = 0, H = 0;
};
FramePlacement PlaceFrame(int frameW, int frameH, int windowW, int windowH);
// A window position to frame coordinates, kept inside the frame (positions on the bands too).
void WindowToFrame(const FramePlacement& place, int frameW, int frameH, int wx, int wy, int& fx,
                   int& fy);

// Scales frames into 32-bit 0xAARRGGBB pixels (alpha 0xFF) by nearest pixel, each channel
// widened by repeating its high bits, as the frame's colours are everywhere else. Whole-number
// factors (1x, 2x) take a vector path; any other size maps columns through a table made once
// per window size. Allocates only when the window size changes.
class FrameScaler {
  public:
    // The whole window: the frame and the black bands around it. pitch is the window surface's
    // row length in bytes.
    void Scale(const Surface& frame, uint32_t* pixels, int pitch, int windowW, int windowH);
    // Only the window pixels that show the frame's rectangle `area`; the rest of the window is
    // left as it is. Returns the window rectangle written (empty when nothing was).
    Rect ScaleArea(const Surface& frame, const Rect& area, uint32_t* pixels, int pitch, int windowW,
                   int windowH);

  private:
    void Prepare(int frameW, int frameH, int windowW, int windowH);
    void ScaleAnyRow(const uint16_t* src, uint32_t* dst, int fromX, int toX, int windowFrom,
                     int windowTo) const;

    int frameW_ = 0, frameH_ = 0, windowW_ = 0, windowH_ = 0;
    FramePlacement place_;
    std::vector<int32_t> columnOf_;      // frame column of each column of the placed frame
    mutable std::vector<uint32_t> row_;  // one frame row converted
};

// One RGB565 pixel as 0xFFRRGGBB.
inline uint32_t Rgb565ToArgb(uint16_t c) {
    return 0xFF000000u | Rgb565ToRgb(c);
}
