// A picture of an image list: conversion to RGB565, cutting into patterns, drawing.
#include "media/picture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

Picture::Picture(PictureData data)
    : name_(std::move(data.Name)),
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
    FindOpaqueRuns();
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

void Picture::FindOpaqueRuns() {
    kind_.assign(count_, kOpaque);
    if (!transparent_) return;
    rowRuns_.reserve(static_cast<size_t>(count_) * ph_ + 1);
    for (int k = 0; k < count_; ++k) {
        const uint16_t* origin = PatternOrigin(k);
        size_t first = runs_.size();
        for (int r = 0; r < ph_; ++r) {
            rowRuns_.push_back(static_cast<uint32_t>(runs_.size()));
            const uint16_t* row = origin + static_cast<size_t>(r) * width_;
            for (int x = 0; x < pw_;) {
                while (x < pw_ && row[x] == key_) ++x;
                int start = x;
                while (x < pw_ && row[x] != key_) ++x;
                if (x > start) runs_.push_back({start, x - start});
            }
        }
        bool whole = runs_.size() - first == static_cast<size_t>(ph_) &&
                     std::all_of(runs_.begin() + first, runs_.end(),
                                 [this](const Run& run) { return run.Length == pw_; });
        kind_[k] = whole ? kOpaque : (runs_.size() == first ? kEmpty : kKeyed);
    }
    rowRuns_.push_back(static_cast<uint32_t>(runs_.size()));
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
inline void CopyPixels(uint16_t* dst, const uint16_t* src, int n) {
    if (n >= 256) {
        std::memcpy(dst, src, sizeof(uint16_t) * static_cast<size_t>(n));
        return;
    }
    int i = 0;
    for (; i + 8 <= n; i += 8) Store8(dst + i, Load8(src + i));
    for (; i < n; ++i) dst[i] = src[i];
}

// The colour-keyed copy of n pixels without a branch per pixel: every destination pixel is
// rewritten, with its old value where the source holds the key.
inline void SelectPixels(uint16_t* dst, const uint16_t* src, int n, uint16_t key) {
    const Pixels8 keys = {key, key, key, key, key, key, key, key};
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const Pixels8 s = Load8(src + i);
        const Pixels8 keep = reinterpret_cast<Pixels8>(s == keys);  // all ones where keyed
        Store8(dst + i, (Load8(dst + i) & keep) | (s & ~keep));
    }
    for (; i < n; ++i) dst[i] = src[i] == key ? dst[i] : src[i];
}

}  // namespace

// Draws columns left..right-1 of one pattern row whose drawn pixels are the given runs: nothing
// for a row without runs, a plain copy of a single run, and a select over the span from the
// first run to the last when there are gaps.
void Picture::DrawKeyedRow(uint16_t* dst, const uint16_t* src, size_t row, int left,
                           int right) const {
    const uint32_t first = rowRuns_[row], last = rowRuns_[row + 1];
    if (first == last) return;
    const int from = std::max(runs_[first].Start, left);
    const int to = std::min(runs_[last - 1].Start + runs_[last - 1].Length, right);
    if (from >= to) return;
    if (last - first == 1) CopyPixels(dst + from, src + from, to - from);
    else SelectPixels(dst + from, src + from, to - from, key_);
}

void Picture::DrawPattern(Surface& dest, int x, int y, int pattern) const {
    if (pattern < 0 || pattern >= count_ || kind_[pattern] == kEmpty) return;
    // Columns and rows of the pattern that land on the surface, worked out in 64 bits as x + pw
    // may overflow; once known to be non-empty they lie within the pattern.
    const int64_t left64 = std::max<int64_t>(0, -int64_t{x});
    const int64_t right64 = std::min<int64_t>(pw_, int64_t{dest.Width} - x);
    const int64_t top64 = std::max<int64_t>(0, -int64_t{y});
    const int64_t bottom64 = std::min<int64_t>(ph_, int64_t{dest.Height} - y);
    if (left64 >= right64 || top64 >= bottom64) return;
    const int left = static_cast<int>(left64), right = static_cast<int>(right64);
    const int top = static_cast<int>(top64), bottom = static_cast<int>(bottom64);
    const uint16_t* origin = PatternOrigin(pattern);
    const bool opaque = kind_[pattern] == kOpaque;
    for (int r = top; r < bottom; ++r) {
        // Pattern column c goes to dst[c], from src[c].
        const uint16_t* src = origin + static_cast<size_t>(r) * width_;
        uint16_t* dst = dest.Row(y + r) + x;
        if (opaque) CopyPixels(dst + left, src + left, right - left);
        else DrawKeyedRow(dst, src, static_cast<size_t>(pattern) * ph_ + r, left, right);
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
    alpha = std::min(alpha, 255);
    const int64_t rw = int64_t{rect.Right} - rect.Left;
    const int64_t rh = int64_t{rect.Bottom} - rect.Top;
    if (rw <= 0 || rh <= 0) return;
    const int left = std::max(rect.Left, 0), right = std::min(rect.Right, dest.Width);
    const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, dest.Height);
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
