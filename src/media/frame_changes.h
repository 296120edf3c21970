// What changed between two shown frames: the display presents only those rectangles.
#pragma once

#include <cstdint>
#include <vector>

#include "media/surface.h"

// Keeps a copy of the frame shown last and finds the rectangles in which a new frame differs
// from it. The frame is compared in blocks of 64 columns by bands of 16 rows: a band's changed
// blocks that touch form one rectangle, as high as the band's changed rows; rectangles of the
// same columns in touching bands are joined.
class FrameChanges {
  public:
    // The next frame counts as changed everywhere (a new window, a resize, an expose).
    void Forget() { known_ = false; }
    // Compares `frame` with the frame shown last and keeps it as the one shown. Returns the
    // rectangles that differ: none for an unchanged frame, the whole frame after Forget or when
    // the frame size changed. With `drawnRows` (one flag per row), only the flagged rows are
    // compared: the others are known to be as they were shown.
    const std::vector<Rect>& Compare(const Surface& frame,
                                     const std::vector<uint8_t>* drawnRows = nullptr);

  private:
    void CompareBand(const Surface& frame, int top, int bottom, const uint8_t* drawnRows);

    Surface shown_;
    bool known_ = false;
    std::vector<Rect> changes_;
    std::vector<uint8_t> changedBlocks_;  // of the band being compared
    size_t previousBand_ = 0;             // the first rectangle of the band above
};
