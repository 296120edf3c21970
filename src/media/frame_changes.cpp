// Frame comparison for presenting only what changed.
#include "media/frame_changes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kBlockWidth = 64;  // pixels: 128 bytes, two cache lines
constexpr int kBandHeight = 16;

using Pixels8 = uint16_t __attribute__((vector_size(16)));

inline Pixels8 Load8(const uint16_t* p) {
    Pixels8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// True when n pixels differ somewhere; whole blocks are compared eight pixels at a time
// without a branch per group.
bool Differ(const uint16_t* a, const uint16_t* b, int n) {
    if (n != kBlockWidth) return std::memcmp(a, b, sizeof(uint16_t) * static_cast<size_t>(n)) != 0;
    Pixels8 any = Load8(a) ^ Load8(b);
    for (int i = 8; i < kBlockWidth; i += 8) any |= Load8(a + i) ^ Load8(b + i);
    uint64_t low = 0, high = 0;
    std::memcpy(&low, &any, 8);
    std::memcpy(&high, reinterpret_cast<const uint8_t*>(&any) + 8, 8);
    return (low | high) != 0;
}

}  // namespace

const std::vector<Rect>& FrameChanges::Compare(const Surface& frame,
                                               const std::vector<uint8_t>* drawnRows) {
    changes_.clear();
    if (!known_ || shown_.Width != frame.Width || shown_.Height != frame.Height) {
        shown_ = frame;
        known_ = true;
        if (frame.Width > 0 && frame.Height > 0)
            changes_.push_back(Rect{0, 0, frame.Width, frame.Height});
        return changes_;
    }
    changedBlocks_.resize(static_cast<size_t>((frame.Width + kBlockWidth - 1) / kBlockWidth));
    previousBand_ = 0;
    const uint8_t* drawn = drawnRows && drawnRows->size() == static_cast<size_t>(frame.Height)
                               ? drawnRows->data()
                               : nullptr;
    for (int top = 0; top < frame.Height; top += kBandHeight)
        CompareBand(frame, top, std::min(top + kBandHeight, frame.Height), drawn);
    return changes_;
}

// Rows that are equal as a whole are passed over with one comparison; the others are compared
// block by block, and the changed blocks are copied into the frame shown.
void FrameChanges::CompareBand(const Surface& frame, int top, int bottom,
                               const uint8_t* drawnRows) {
    const size_t width = static_cast<size_t>(frame.Width);
    int firstRow = -1, lastRow = -1;
    std::fill(changedBlocks_.begin(), changedBlocks_.end(), uint8_t{0});
    for (int y = top; y < bottom; ++y) {
        if (drawnRows && !drawnRows[y]) continue;
        const uint16_t* now = frame.Row(y);
        uint16_t* before = shown_.Row(y);
        if (std::memcmp(now, before, sizeof(uint16_t) * width) == 0) continue;
        for (size_t b = 0; b < changedBlocks_.size(); ++b) {
            const int from = static_cast<int>(b) * kBlockWidth;
            const int n = std::min(kBlockWidth, frame.Width - from);
            if (!Differ(now + from, before + from, n)) continue;
            std::memcpy(before + from, now + from, sizeof(uint16_t) * static_cast<size_t>(n));
            changedBlocks_[b] = 1;
        }
        if (firstRow < 0) firstRow = y;
        lastRow = y;
    }
    const size_t bandStart = changes_.size();
    size_t candidates = bandStart;  // the first rectangle that may grow into the band below
    if (firstRow >= 0) {
        for (size_t b = 0; b < changedBlocks_.size();) {
            if (!changedBlocks_[b]) {
                ++b;
                continue;
            }
            size_t end = b;
            while (end < changedBlocks_.size() && changedBlocks_[end]) ++end;
            const Rect r{static_cast<int>(b) * kBlockWidth, firstRow,
                         std::min(static_cast<int>(end) * kBlockWidth, frame.Width), lastRow + 1};
            // The same columns changed down to the top of this band: one taller rectangle.
            size_t above = previousBand_;
            while (above < bandStart &&
                   !(changes_[above].Left == r.Left && changes_[above].Right == r.Right &&
                     changes_[above].Bottom == firstRow))
                ++above;
            if (above < bandStart) {
                changes_[above].Bottom = r.Bottom;
                candidates = std::min(candidates, above);
            } else {
                changes_.push_back(r);
            }
            b = end;
        }
    }
    previousBand_ = candidates;
}
