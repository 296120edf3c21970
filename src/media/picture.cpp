// A picture of an image list: conversion to RGB565, cutting into patterns, drawing.
#include "media/picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "media/frame_drawing.h"

Picture::Picture(PictureData data)
    : name_(std::move(data.Name)),
      serial_(NextDrawingSerial()),
      width_(data.Width),
      height_(data.Height),
      patternWidthSetting_(data.PatternWidth),
      patternHeightSetting_(data.PatternHeight),
      skipWidth_(data.SkipWidth),
      skipHeight_(data.SkipHeight),
      transparent_(data.Transparent),
      key_(ColorRefTo565(data.TransparentColor)) {
    if (width_ <= 0 || height_ <= 0 ||
        data.Rgb.size() != static_cast<size_t>(width_) * static_cast<size_t>(height_)) {
        width_ = height_ = 0;  // no picture (or pixels that do not match the size)
    }
    pixels_.resize(static_cast<size_t>(width_) * height_);
    std::transform(data.Rgb.begin(), data.Rgb.begin() + pixels_.size(), pixels_.begin(), RgbTo565);
    CutPatterns();
    FindDrawnSpans();
}

// The cutting rule of the library format. Negative skip sizes are taken as 0: patterns never
// overlap, so the run tables below never exceed the picture's own size.
void Picture::CutPatterns() {
    if (width_ == 0 || height_ == 0) return;
    pw_ = PatternPixelWidth();
    ph_ = PatternPixelHeight();
    if (pw_ == width_ && ph_ == height_) {
        columns_ = count_ = 1;
        return;
    }
    stepX_ = int64_t{pw_} + std::max(skipWidth_, 0);
    stepY_ = int64_t{ph_} + std::max(skipHeight_, 0);
    int64_t columns = (width_ + stepX_ - pw_) / stepX_;
    int64_t rows = (height_ + stepY_ - ph_) / stepY_;
    // Each column and row holds at least one pixel, so the count fits the picture's pixel count.
    columns_ = static_cast<int>(columns);
    count_ = static_cast<int>(columns * rows);
}

const uint16_t* Picture::PatternOrigin(int pattern) const {
    int64_t x = (pattern % columns_) * stepX_;
    int64_t y = (pattern / columns_) * stepY_;
    return pixels_.data() + y * width_ + x;
}

void Picture::FindDrawnSpans() {
    kind_.assign(count_, kOpaque);
    if (!transparent_) return;
    spans_.reserve(static_cast<size_t>(count_) * ph_);
    for (int k = 0; k < count_; ++k) {
        const uint16_t* origin = PatternOrigin(k);
        bool whole = true, none = true;
        for (int r = 0; r < ph_; ++r) {
            const RowSpan span = SpanOf(origin + static_cast<size_t>(r) * width_);
            spans_.push_back(span);
            whole = whole && span.From == 0 && span.To == pw_ && !span.Select;
            none = none && span.From == span.To;
        }
        kind_[k] = whole ? kOpaque : (none ? kEmpty : kKeyed);
    }
}

// The drawn pixels of one pattern row: from the first pixel that is not the key to the last,
// with Select set when key pixels lie between them.
Picture::RowSpan Picture::SpanOf(const uint16_t* row) const {
    int from = 0, to = pw_;
    while (from < pw_ && row[from] == key_) ++from;
    while (to > from && row[to - 1] == key_) --to;
    const bool gaps = std::find(row + from, row + to, key_) != row + to;
    return RowSpan{from, to, gaps};
}

namespace {

// Eight pixels at a time in the compiler's portable vector type; loads and stores go through
// memcpy of a constant size, which compiles to one unaligned move.
using Pixels8 = uint16_t __attribute__((vector_size(16)));

inline Pixels8 Load8(const uint16_t* p) {
    Pixels8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store8(uint16_t* p, Pixels8 v) {
    std::memcpy(p, &v, sizeof v);
}

// Copies n pixels. Tile rows are short (40 pixels): inline moves beat a call to memcpy per row.
// From 8 pixels on, the last eight are moved as one block that may overlap the one before it.
inline void CopyPixels(uint16_t* dst, const uint16_t* src, int n) {
    if (n >= 256) {
        std::memcpy(dst, src, sizeof(uint16_t) * static_cast<size_t>(n));
        return;
    }
    if (n < 8) {
        for (int i = 0; i < n; ++i) dst[i] = src[i];
        return;
    }
    // Up to a tile's width, the first and the last blocks of eight cover the row without a loop.
    if (n <= 16) {
        const Pixels8 a = Load8(src), b = Load8(src + n - 8);
        Store8(dst, a);
        Store8(dst + n - 8, b);
        return;
    }
    if (n <= 32) {
        const Pixels8 a = Load8(src), b = Load8(src + 8);
        const Pixels8 c = Load8(src + n - 16), d = Load8(src + n - 8);
        Store8(dst, a);
        Store8(dst + 8, b);
        Store8(dst + n - 16, c);
        Store8(dst + n - 8, d);
        return;
    }
    if (n <= 48) {
        const Pixels8 a = Load8(src), b = Load8(src + 8), c = Load8(src + 16);
        const Pixels8 d = Load8(src + n - 24), e = Load8(src + n - 16), f = Load8(src + n - 8);
        Store8(dst, a);
        Store8(dst + 8, b);
        Store8(dst + 16, c);
        Store8(dst + n - 24, d);
        Store8(dst + n - 16, e);
        Store8(dst + n - 8, f);
        return;
    }
    for (int i = 0; i < n - 8; i += 8) Store8(dst + i, Load8(src + i));
    Store8(dst + n - 8, Load8(src + n - 8));
}

inline void Select8(uint16_t* dst, const uint16_t* src, Pixels8 keys) {
    const Pixels8 s = Load8(src);
    const Pixels8 keep = reinterpret_cast<Pixels8>(s == keys);  // all ones where keyed
    Store8(dst, (Load8(dst) & keep) | (s & ~keep));
}

// Eight pixels of src over those of dst, where src does not hold the key.
inline Pixels8 Selected(const uint16_t* dst, const uint16_t* src, Pixels8 keys) {
    const Pixels8 s = Load8(src);
    const Pixels8 keep = reinterpret_cast<Pixels8>(s == keys);
    return (Load8(dst) & keep) | (s & ~keep);
}

// The colour-keyed copy of n pixels without a branch per pixel: every destination pixel is
// rewritten, with its old value where the source holds the key. Up to a tile's width, blocks
// from the start and from the end cover the row without a loop; they overlap, so all of them
// are worked out from the row as it was before any is stored (an overlapping pixel gets the
// same value from both, and no load waits for a store it half overlaps).
inline void SelectPixels(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
    if (n < 8) {
        for (int i = 0; i < n; ++i) dst[i] = src[i] == key ? dst[i] : src[i];
        return;
    }
    const Pixels8 keys = {key, key, key, key, key, key, key, key};
    if (n <= 16) {
        const Pixels8 a = Selected(dst, src, keys), b = Selected(dst + n - 8, src + n - 8, keys);
        Store8(dst, a);
        Store8(dst + n - 8, b);
        return;
    }
    if (n <= 32) {
        const Pixels8 a = Selected(dst, src, keys), b = Selected(dst + 8, src + 8, keys);
        const Pixels8 c = Selected(dst + n - 16, src + n - 16, keys);
        const Pixels8 d = Selected(dst + n - 8, src + n - 8, keys);
        Store8(dst, a);
        Store8(dst + 8, b);
        Store8(dst + n - 16, c);
        Store8(dst + n - 8, d);
        return;
    }
    if (n <= 48) {
        const Pixels8 a = Selected(dst, src, keys), b = Selected(dst + 8, src + 8, keys);
        const Pixels8 c = Selected(dst + 16, src + 16, keys);
        const Pixels8 d = Selected(dst + n - 24, src + n - 24, keys);
        const Pixels8 e = Selected(dst + n - 16, src + n - 16, keys);
        const Pixels8 f = Selected(dst + n - 8, src + n - 8, keys);
        Store8(dst, a);
        Store8(dst + 8, b);
        Store8(dst + 16, c);
        Store8(dst + n - 24, d);
        Store8(dst + n - 16, e);
        Store8(dst + n - 8, f);
        return;
    }
    // Selecting a pixel twice gives the same result, so the last block may overlap the one
    // before it.
    for (int i = 0; i < n - 8; i += 8) Select8(dst + i, src + i, keys);
    Select8(dst + n - 8, src + n - 8, keys);
}

}  // namespace

void Picture::DrawPattern(Surface& dest, int x, int y, int pattern) const {
    if (pattern < 0 || pattern >= count_ || kind_[pattern] == kEmpty) return;
    if (dest.Drawing) {
        DrawStep step;
        step.What = DrawStep::Kind::Pattern;
        step.Covers = kind_[pattern] == kOpaque;
        step.Pattern = pattern;
        step.Serial = serial_;
        step.Place = BoxAt(x, y, pw_, ph_);
        step.Source = this;
        if (dest.Drawing->Record(step)) return;
    }
    DrawPatternWithin(dest, x, y, pattern, Rect{0, 0, dest.Width, dest.Height});
}

void Picture::DrawPatternWithin(Surface& dest, int x, int y, int pattern, const Rect& clip) const {
    if (pattern < 0 || pattern >= count_ || kind_[pattern] == kEmpty) return;
    // Columns and rows of the pattern that land inside the clip, worked out in 64 bits as x + pw
    // may overflow; once known to be non-empty they lie within the pattern.
    const int64_t left64 = std::max<int64_t>(0, int64_t{clip.Left} - x);
    const int64_t right64 = std::min<int64_t>(pw_, int64_t{clip.Right} - x);
    const int64_t top64 = std::max<int64_t>(0, int64_t{clip.Top} - y);
    const int64_t bottom64 = std::min<int64_t>(ph_, int64_t{clip.Bottom} - y);
    if (left64 >= right64 || top64 >= bottom64) return;
    const int left = static_cast<int>(left64), right = static_cast<int>(right64);
    const int top = static_cast<int>(top64), bottom = static_cast<int>(bottom64);
    // Pattern pixel (c, r) goes to dst[c] of row r, from src[c].
    const uint16_t* src = PatternOrigin(pattern) + static_cast<size_t>(top) * width_;
    uint16_t* dst = dest.Row(y + top) + x;
    if (kind_[pattern] == kOpaque) {
        // Whole rows of a picture as wide as the surface lie end to end in both: one copy.
        if (width_ == dest.Width && pw_ == width_ && x == 0 && left == 0 && right == width_) {
            std::memcpy(dst, src, sizeof(uint16_t) * static_cast<size_t>(bottom - top) * width_);
            return;
        }
        for (int r = top; r < bottom; ++r, src += width_, dst += dest.Width)
            CopyPixels(dst + left, src + left, right - left);
        return;
    }
    const RowSpan* span = spans_.data() + static_cast<size_t>(pattern) * ph_ + top;
    for (int r = top; r < bottom; ++r, src += width_, dst += dest.Width, ++span) {
        const int from = std::max(span->From, left), to = std::min(span->To, right);
        if (from >= to) continue;
        if (span->Select)
            SelectPixels(dst + from, src + from, to - from, key_);
        else
            CopyPixels(dst + from, src + from, to - from);
    }
}

namespace {

// Mixes two RGB565 colours channel by channel: alpha/255 of a, the rest of b.
uint16_t Blend565(uint16_t a, uint16_t b, int alpha) {
    const int inverse = 255 - alpha;
    int r = (((a >> 11) & 31) * alpha + ((b >> 11) & 31) * inverse + 127) / 255;
    int g = (((a >> 5) & 63) * alpha + ((b >> 5) & 63) * inverse + 127) / 255;
    int bl = ((a & 31) * alpha + (b & 31) * inverse + 127) / 255;
    return static_cast<uint16_t>((r << 11) | (g << 5) | bl);
}

}  // namespace

// Nearest-pixel scaling: destination pixel (dx, dy) of the rectangle shows pattern pixel
// (dx * pw / rect width, dy * ph / rect height).
void Picture::BlendPattern(Surface& dest, const Rect& rect, int pattern, int alpha) const {
    if (alpha <= 0 || pattern < 0 || pattern >= count_) return;
    if (dest.Drawing) {
        DrawStep step;
        step.What = DrawStep::Kind::ScaledPattern;
        step.Covers = alpha >= 255 && !transparent_;
        step.Mixes = alpha < 255;
        step.Pattern = pattern;
        step.Alpha = std::min(alpha, 255);
        step.Serial = serial_;
        step.Place = rect;
        step.Source = this;
        if (dest.Drawing->Record(step)) return;
    }
    BlendPatternWithin(dest, rect, pattern, alpha, Rect{0, 0, dest.Width, dest.Height});
}

void Picture::BlendPatternWithin(Surface& dest, const Rect& rect, int pattern, int alpha,
                                 const Rect& clip) const {
    if (alpha <= 0 || pattern < 0 || pattern >= count_) return;
    alpha = std::min(alpha, 255);
    const int64_t rw = int64_t{rect.Right} - rect.Left;
    const int64_t rh = int64_t{rect.Bottom} - rect.Top;
    if (rw <= 0 || rh <= 0) return;
    const int left = std::max(rect.Left, clip.Left), right = std::min(rect.Right, clip.Right);
    const int top = std::max(rect.Top, clip.Top), bottom = std::min(rect.Bottom, clip.Bottom);
    const uint16_t* origin = PatternOrigin(pattern);
    for (int y = top; y < bottom; ++y) {
        const uint16_t* src =
            origin + static_cast<size_t>((y - int64_t{rect.Top}) * ph_ / rh) * width_;
        uint16_t* dst = dest.Row(y);
        for (int x = left; x < right; ++x) {
            uint16_t s = src[(x - int64_t{rect.Left}) * pw_ / rw];
            if (transparent_ && s == key_) continue;
            dst[x] = alpha == 255 ? s : Blend565(s, dst[x], alpha);
        }
    }
}

uint16_t Picture::PixelAt(int pattern, int x, int y) const {
    if (pattern < 0 || pattern >= count_ || x < 0 || x >= pw_ || y < 0 || y >= ph_)
        throw std::out_of_range("picture '" + name_ + "': no pixel (" + std::to_string(x) + ", " +
                                std::to_string(y) + ") in pattern " + std::to_string(pattern));
    return PatternOrigin(pattern)[static_cast<size_t>(y) * width_ + x];
}

bool Picture::IsKey(int pattern, int x, int y) const {
    return transparent_ && PixelAt(pattern, x, y) == key_;
}
