// The frame's pixel format: 16-bit RGB565 surfaces and colour conversions.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class FrameDrawing;

// A 16-bit RGB565 surface, row-major, with a pitch equal to its width.
struct Surface {
    int Width = 0;
    int Height = 0;
    std::vector<uint16_t> Pixels;
    // Where the drawing calls on this surface are recorded, when they are (the game's back
    // surface). A copy of the surface is a plain one.
    FrameDrawing* Drawing = nullptr;

    Surface() = default;
    Surface(int w, int h) { Resize(w, h); }
    Surface(const Surface& o) : Width(o.Width), Height(o.Height), Pixels(o.Pixels) {}
    Surface& operator=(const Surface& o) {
        Width = o.Width;
        Height = o.Height;
        Pixels = o.Pixels;
        return *this;
    }
    Surface(Surface&& o) noexcept : Width(o.Width), Height(o.Height), Pixels(std::move(o.Pixels)) {}
    Surface& operator=(Surface&& o) noexcept {
        Width = o.Width;
        Height = o.Height;
        Pixels = std::move(o.Pixels);
        return *this;
    }
    void Resize(int w, int h) {
        Width = w;
        Height = h;
        Pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    }
    uint16_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
    const uint16_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
    uint16_t At(int x, int y) const { return Row(y)[x]; }
};

// Screen rectangle, right and bottom exclusive.
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Left >= Right || Top >= Bottom; }
};

// What two rectangles share. When they share nothing the result is empty with its right edge no
// further left than its left edge and its bottom no higher than its top, so that widths and
// heights worked out from it are never negative.
inline Rect Intersection(const Rect& a, const Rect& b) {
    const int left = std::max(a.Left, b.Left), top = std::max(a.Top, b.Top);
    return Rect{left, top, std::max(left, std::min(a.Right, b.Right)),
                std::max(top, std::min(a.Bottom, b.Bottom))};
}

// The w x h box with its top-left corner at (x, y), its far edges kept within int.
inline Rect BoxAt(int x, int y, int w, int h) {
    return Rect{x, y, static_cast<int>(std::min<int64_t>(int64_t{x} + w, INT32_MAX)),
                static_cast<int>(std::min<int64_t>(int64_t{y} + h, INT32_MAX))};
}

inline uint16_t Rgb565(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
// 0x00RRGGBB to RGB565.
inline uint16_t RgbTo565(uint32_t rgb) {
    return Rgb565(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                  static_cast<uint8_t>(rgb));
}
// The game's colour values are written 0x00BBGGRR.
inline uint16_t ColorRefTo565(uint32_t bgr) {
    return Rgb565(static_cast<uint8_t>(bgr), static_cast<uint8_t>(bgr >> 8),
                  static_cast<uint8_t>(bgr >> 16));
}
// RGB565 back to 0x00RRGGBB (low bits filled by replication), for images and tests.
inline uint32_t Rgb565ToRgb(uint16_t c) {
    uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    r = (r << 3) | (r >> 2);
    g = (g << 2) | (g >> 4);
    b = (b << 3) | (b >> 2);
    return (r << 16) | (g << 8) | b;
}
