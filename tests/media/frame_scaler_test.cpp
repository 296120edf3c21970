// Software presentation: where the frame lands in a window, its colours and its scaling, and
// mouse positions mapped back into the frame.
#include "media/frame_scaler.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// A frame whose every pixel differs from its neighbours, so a wrong column or row shows.
Surface PatternFrame(int w, int h) {
    Surface frame(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) frame.Row(y)[x] = static_cast<uint16_t>(x * 37 + y * 1009 + 5);
    return frame;
}

// A window's pixels with room for a pitch wider than its rows.
struct Window {
    int W, H, Pitch;  // pitch in pixels
    std::vector<uint32_t> Pixels;
    Window(int w, int h, int pitch)
        : W(w), H(h), Pitch(pitch), Pixels(static_cast<size_t>(pitch) * h, 0x12345678u) {}
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Pitch + x]; }
    void Scale(FrameScaler& scaler, const Surface& frame) {
        scaler.Scale(frame, Pixels.data(), Pitch * 4, W, H);
    }
};

// Every window pixel is the frame pixel the placement maps it to, or black outside it.
void ExpectNearestPixels(const Window& window, const Surface& frame) {
    const FramePlacement p = PlaceFrame(frame.Width, frame.Height, window.W, window.H);
    for (int y = 0; y < window.H; ++y) {
        for (int x = 0; x < window.W; ++x) {
            uint32_t expected = 0xFF000000u;
            if (x >= p.X && x < p.X + p.W && y >= p.Y && y < p.Y + p.H) {
                const int fx = (x - p.X) * frame.Width / p.W, fy = (y - p.Y) * frame.Height / p.H;
                expected = Rgb565ToArgb(frame.At(fx, fy));
            }
            ASSERT_EQ(window.At(x, y), expected) << "window pixel " << x << ", " << y;
        }
    }
}

}  // namespace

TEST(FramePlacement, KeepsTheShapeAndCentresWithBands) {
    const FramePlacement exact = PlaceFrame(640, 480, 1280, 960);
    EXPECT_EQ(exact.X, 0);
    EXPECT_EQ(exact.W, 1280);
    EXPECT_EQ(exact.H, 960);
    const FramePlacement wide = PlaceFrame(640, 480, 1920, 1080);  // bands left and right
    EXPECT_EQ(wide.W, 1440);
    EXPECT_EQ(wide.H, 1080);
    EXPECT_EQ(wide.X, 240);
    EXPECT_EQ(wide.Y, 0);
    const FramePlacement tall = PlaceFrame(640, 480, 640, 600);  // bands above and below
    EXPECT_EQ(tall.W, 640);
    EXPECT_EQ(tall.H, 480);
    EXPECT_EQ(tall.Y, 60);
    EXPECT_EQ(PlaceFrame(640, 480, 0, 0).W, 0);
}

TEST(FrameScaler, ColoursWidenEachChannelByRepeatingItsHighBits) {
    EXPECT_EQ(Rgb565ToArgb(0xFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(Rgb565ToArgb(0x0000), 0xFF000000u);
    EXPECT_EQ(Rgb565ToArgb(0xF800), 0xFFFF0000u);
    EXPECT_EQ(Rgb565ToArgb(0x0020), 0xFF000400u);  // green 1 of 63
    EXPECT_EQ(Rgb565ToArgb(0x8410), 0xFF848284u);  // mid grey: 10000 100000 10000
}

TEST(FrameScaler, WholeNumberAndOtherSizesPickTheNearestFramePixel) {
    const Surface frame = PatternFrame(640, 480);
    FrameScaler scaler;
    for (auto [w, h, pitch] : {std::tuple{640, 480, 640}, std::tuple{1280, 960, 1300},
                               std::tuple{1000, 700, 1000}, std::tuple{700, 800, 704}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Window window(w, h, pitch);
        window.Scale(scaler, frame);
        ExpectNearestPixels(window, frame);
        // The padding after each row is never written.
        if (pitch > w) {
            EXPECT_EQ(window.Pixels[static_cast<size_t>(w)], 0x12345678u);
        }
    }
}

TEST(FrameScaler, OddFrameWidthsConvertTheirLastPixelsToo) {
    const Surface frame = PatternFrame(13, 5);  // not a multiple of the eight-pixel blocks
    FrameScaler scaler;
    Window same(13, 5, 13), doubled(26, 10, 26);
    same.Scale(scaler, frame);
    ExpectNearestPixels(same, frame);
    doubled.Scale(scaler, frame);
    ExpectNearestPixels(doubled, frame);
}

TEST(WindowToFrame, MapsThroughThePlacementAndKeepsBandsInside) {
    const FramePlacement wide = PlaceFrame(640, 480, 1920, 1080);
    int x = 0, y = 0;
    WindowToFrame(wide, 640, 480, 240, 0, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    WindowToFrame(wide, 640, 480, 240 + 1439, 1079, x, y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
    WindowToFrame(wide, 640, 480, 960, 540, x, y);  // the window's centre
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    WindowToFrame(wide, 640, 480, 10, -5, x, y);  // on the left band, above the window
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    WindowToFrame(wide, 640, 480, 1910, 2000, x, y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 479);
}
