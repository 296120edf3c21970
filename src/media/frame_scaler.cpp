// Software presentation: RGB565 to 32-bit conversion with nearest-pixel scaling and black bands.
#include "media/frame_scaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Eight pixels at a time in the compiler's portable vector types (SSE2 on x86-64). Each channel
// is widened within the 16-bit lanes, then the lanes are interleaved into 32-bit pixels; loads
// and stores through memcpy of a constant size compile to single unaligned moves.
using U16x8 = uint16_t __attribute__((vector_size(16)));
using U32x4 = uint32_t __attribute__((vector_size(16)));

struct Argb8 {
    U32x4 Low, High;  // pixels 0..3 and 4..7
};

inline Argb8 ToArgb(U16x8 c) {
    const U16x8 r = ((c >> 8) & 0xF8) | (c >> 13);
    const U16x8 g = ((c >> 3) & 0xFC) | ((c >> 9) & 3);
    const U16x8 b = ((c << 3) & 0xF8) | ((c >> 2) & 7);
    const U16x8 gb = (g << 8) | b;  // the low half of each 32-bit pixel
    const U16x8 ar = r | 0xFF00;    // the high half
    return {reinterpret_cast<U32x4>(__builtin_shufflevector(gb, ar, 0, 8, 1, 9, 2, 10, 3, 11)),
            reinterpret_cast<U32x4>(__builtin_shufflevector(gb, ar, 4, 12, 5, 13, 6, 14, 7, 15))};
}

inline U16x8 Load(const uint16_t* p) {
    U16x8 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(uint32_t* p, U32x4 v) {
    std::memcpy(p, &v, sizeof v);
}

// n frame pixels to n window pixels.
void ConvertRow(const uint16_t* src, uint32_t* dst, int n) {
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const Argb8 v = ToArgb(Load(src + x));
        Store(dst + x, v.Low);
        Store(dst + x + 4, v.High);
    }
    for (; x < n; ++x) dst[x] = Rgb565ToArgb(src[x]);
}

// Four converted pixels, each twice, to eight window pixels.
inline void PutDoubled(uint32_t* dst, U32x4 v) {
    Store(dst, __builtin_shufflevector(v, v, 0, 0, 1, 1));
    Store(dst + 4, __builtin_shufflevector(v, v, 2, 2, 3, 3));
}

// n frame pixels to 2n window pixels, each twice.
void DoubleRow(const uint16_t* src, uint32_t* dst, int n) {
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        const Argb8 v = ToArgb(Load(src + x));
        PutDoubled(dst + 2 * x, v.Low);
        PutDoubled(dst + 2 * x + 8, v.High);
    }
    for (; x < n; ++x) dst[2 * x] = dst[2 * x + 1] = Rgb565ToArgb(src[x]);
}

// n frame pixels to 2n window pixels, each twice, on two window rows at once. The stores go
// past the cache when the rows allow it: the window system reads these pixels next, not the
// game, and a plain store would first read every line it writes.
void DoubleRowTwice(const uint16_t* src, uint32_t* upper, uint32_t* lower, int n) {
    int x = 0;
#if defined(__SSE2__)
    if (reinterpret_cast<uintptr_t>(upper) % 16 == 0 &&
        reinterpret_cast<uintptr_t>(lower) % 16 == 0) {
        auto put = [](uint32_t* dst, U32x4 v) {
            _mm_stream_si128(reinterpret_cast<__m128i*>(dst), reinterpret_cast<__m128i>(v));
        };
        for (; x + 8 <= n; x += 8) {
            const Argb8 v = ToArgb(Load(src + x));
            const U32x4 a = __builtin_shufflevector(v.Low, v.Low, 0, 0, 1, 1);
            const U32x4 b = __builtin_shufflevector(v.Low, v.Low, 2, 2, 3, 3);
            const U32x4 c = __builtin_shufflevector(v.High, v.High, 0, 0, 1, 1);
            const U32x4 d = __builtin_shufflevector(v.High, v.High, 2, 2, 3, 3);
            for (uint32_t* row : {upper, lower}) {
                put(row + 2 * x, a);
                put(row + 2 * x + 4, b);
                put(row + 2 * x + 8, c);
                put(row + 2 * x + 12, d);
            }
        }
        _mm_sfence();  // before the window system is told to read them
    }
#endif
    DoubleRow(src + x, upper + 2 * x, n - x);
    std::memcpy(lower + 2 * x, upper + 2 * x, sizeof(uint32_t) * 2 * static_cast<size_t>(n - x));
}

uint32_t* RowAt(uint32_t* pixels, int pitch, int y) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) +
                                       static_cast<ptrdiff_t>(y) * pitch);
}

void FillBlack(uint32_t* row, int from, int to) {
    if (to > from) std::fill(row + from, row + to, 0xFF000000u);
}

}  // namespace

FramePlacement PlaceFrame(int frameW, int frameH, int windowW, int windowH) {
    FramePlacement p;
    if (frameW <= 0 || frameH <= 0 || windowW <= 0 || windowH <= 0) return p;
    // The smaller of the two scales, compared exactly: windowW / frameW <= windowH / frameH.
    if (int64_t{windowW} * frameH <= int64_t{windowH} * frameW) {
        p.W = windowW;
        p.H = static_cast<int>(int64_t{windowW} * frameH / frameW);
    } else {
        p.H = windowH;
        p.W = static_cast<int>(int64_t{windowH} * frameW / frameH);
    }
    p.X = (windowW - p.W) / 2;
    p.Y = (windowH - p.H) / 2;
    return p;
}

void FrameScaler::Prepare(int frameW, int frameH, int windowW, int windowH) {
    if (frameW == frameW_ && frameH == frameH_ && windowW == windowW_ && windowH == windowH_)
        return;
    frameW_ = frameW;
    frameH_ = frameH;
    windowW_ = windowW;
    windowH_ = windowH;
    place_ = PlaceFrame(frameW, frameH, windowW, windowH);
    columnOf_.resize(static_cast<size_t>(std::max(place_.W, 0)));
    for (int x = 0; x < place_.W; ++x)
        columnOf_[static_cast<size_t>(x)] = static_cast<int32_t>(int64_t{x} * frameW / place_.W);
    row_.resize(static_cast<size_t>(frameW));
}

// Frame columns fromX..toX converted once; window columns windowFrom..windowTo pick from them.
void FrameScaler::ScaleAnyRow(const uint16_t* src, uint32_t* dst, int fromX, int toX,
                              int windowFrom, int windowTo) const {
    ConvertRow(src + fromX, row_.data() + fromX, toX - fromX);
    for (int x = windowFrom; x < windowTo; ++x)
        dst[x] = row_[static_cast<size_t>(columnOf_[static_cast<size_t>(x)])];
}

void FrameScaler::Scale(const Surface& frame, uint32_t* pixels, int pitch, int windowW,
                        int windowH) {
    Prepare(frame.Width, frame.Height, windowW, windowH);
    const FramePlacement& p = place_;
    for (int y = 0; y < windowH; ++y) {
        uint32_t* row = RowAt(pixels, pitch, y);
        if (y < p.Y || y >= p.Y + p.H || p.W == 0) {
            FillBlack(row, 0, windowW);
            continue;
        }
        FillBlack(row, 0, p.X);
        FillBlack(row, p.X + p.W, windowW);
    }
    ScaleArea(frame, Rect{0, 0, frame.Width, frame.Height}, pixels, pitch, windowW, windowH);
}

// Window column x of the placed frame shows frame column x * frameW / W (rounded down), so the
// window columns of frame columns from..to are those from ceil(from * W / frameW) up to
// ceil(to * W / frameW); rows likewise. A window row that shows the same frame row as the one
// above it is a copy of that row (a block copy, which writes the window's memory without
// reading it first).
Rect FrameScaler::ScaleArea(const Surface& frame, const Rect& area, uint32_t* pixels, int pitch,
                            int windowW, int windowH) {
    Prepare(frame.Width, frame.Height, windowW, windowH);
    const FramePlacement& p = place_;
    const int left = std::max(area.Left, 0), right = std::min(area.Right, frame.Width);
    const int top = std::max(area.Top, 0), bottom = std::min(area.Bottom, frame.Height);
    if (p.W == 0 || p.H == 0 || left >= right || top >= bottom) return Rect{};
    auto windowOf = [](int f, int placed, int size) {
        return static_cast<int>((int64_t{f} * placed + size - 1) / size);
    };
    const int wx0 = windowOf(left, p.W, frame.Width), wx1 = windowOf(right, p.W, frame.Width);
    const int wy0 = windowOf(top, p.H, frame.Height), wy1 = windowOf(bottom, p.H, frame.Height);
    const size_t copied = sizeof(uint32_t) * static_cast<size_t>(wx1 - wx0);
    for (int y = wy0; y < wy1; ++y) {
        uint32_t* row = RowAt(pixels, pitch, p.Y + y) + p.X;
        const int fy = static_cast<int>(int64_t{y} * frame.Height / p.H);
        if (y > wy0 && static_cast<int>(int64_t{y - 1} * frame.Height / p.H) == fy) {
            std::memcpy(row + wx0, RowAt(pixels, pitch, p.Y + y - 1) + p.X + wx0, copied);
            continue;
        }
        const uint16_t* src = frame.Row(fy);
        const bool pair =
            y + 1 < wy1 && static_cast<int>(int64_t{y + 1} * frame.Height / p.H) == fy;
        if (p.W == frame.Width) {
            ConvertRow(src + left, row + left, right - left);
        } else if (p.W == 2 * frame.Width && pair) {
            DoubleRowTwice(src + left, row + 2 * left,
                           RowAt(pixels, pitch, p.Y + y + 1) + p.X + 2 * left, right - left);
            ++y;
        } else if (p.W == 2 * frame.Width) {
            DoubleRow(src + left, row + 2 * left, right - left);
        } else
            ScaleAnyRow(src, row, left, right, wx0, wx1);
    }
    return Rect{p.X + wx0, p.Y + wy0, p.X + wx1, p.Y + wy1};
}

void WindowToFrame(const FramePlacement& place, int frameW, int frameH, int wx, int wy, int& fx,
                   int& fy) {
    const int maxX = std::max(frameW - 1, 0), maxY = std::max(frameH - 1, 0);
    if (place.W <= 0 || place.H <= 0) {
        fx = std::clamp(wx, 0, maxX);
        fy = std::clamp(wy, 0, maxY);
        return;
    }
    // Floor division, so that positions left of or above the frame stay outside it until clamped.
    auto scaled = [](int64_t offset, int64_t frame, int64_t placed) {
        const int64_t v = offset * frame;
        return static_cast<int>(v >= 0 ? v / placed : -((-v + placed - 1) / placed));
    };
    fx = std::clamp(scaled(wx - place.X, frameW, place.W), 0, maxX);
    fy = std::clamp(scaled(wy - place.Y, frameH, place.H), 0, maxY);
}
