// A surface that records its drawing stays right when the pictures it drew with are replaced
// during a frame, and when something is drawn on it outside a frame.
#include "media/frame_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "media/picture.h"

namespace {

// One opaque picture of one colour, 40 x 40.
PictureLibrary PlainPictures(uint32_t rgb) {
    PictureData data;
    data.Name = "plain";
    data.Transparent = false;
    data.Width = data.Height = 40;
    data.Rgb.assign(40 * 40, rgb);
    PictureLibrary library;
    library.Pictures.push_back(data);
    return library;
}

}  // namespace

TEST(FrameDrawing, StaysRightWhenPicturesChangeOrDrawingHappensOutsideAFrame) {
    Surface back(64, 96);
    FrameDrawing drawing;
    drawing.Attach(back);
    PictureList pictures;
    pictures.LoadLibrary(PlainPictures(0xFF0000));

    // The list is replaced while a frame still holds calls with its old picture.
    drawing.StartFrame();
    pictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    pictures.LoadLibrary(PlainPictures(0x00FF00));
    pictures.PictureAt(0).DrawPattern(back, 20, 0, 0);
    drawing.FinishFrame();
    EXPECT_EQ(back.At(5, 5), RgbTo565(0xFF0000));
    EXPECT_EQ(back.At(25, 5), RgbTo565(0x00FF00));

    // The same calls again: the new picture, now drawn at the place of the old one.
    drawing.StartFrame();
    pictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    pictures.PictureAt(0).DrawPattern(back, 20, 0, 0);
    drawing.FinishFrame();
    EXPECT_EQ(back.At(5, 5), RgbTo565(0x00FF00));

    // Drawn over outside a frame, the surface no longer shows the last frame: the next frame,
    // with the same calls, draws whole and every row counts as changed.
    std::vector<uint8_t> rows;
    drawing.TakeDrawnRows(rows);
    PictureList other;
    other.LoadLibrary(PlainPictures(0x0000FF));
    other.PictureAt(0).DrawPattern(back, 0, 0, 0);
    EXPECT_EQ(back.At(5, 5), RgbTo565(0x0000FF));
    EXPECT_FALSE(drawing.TakeDrawnRows(rows));
    drawing.StartFrame();
    pictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    pictures.PictureAt(0).DrawPattern(back, 20, 0, 0);
    drawing.FinishFrame();
    EXPECT_EQ(back.At(5, 5), RgbTo565(0x00FF00));
    ASSERT_TRUE(drawing.TakeDrawnRows(rows));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), 1), 96);

    // An unchanged frame draws no row; a moved picture draws the rows of its blocks only.
    drawing.StartFrame();
    pictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    pictures.PictureAt(0).DrawPattern(back, 20, 0, 0);
    drawing.FinishFrame();
    ASSERT_TRUE(drawing.TakeDrawnRows(rows));
    EXPECT_EQ(std::count(rows.begin(), rows.end(), 1), 0);
    drawing.StartFrame();
    pictures.PictureAt(0).DrawPattern(back, 0, 0, 0);
    pictures.PictureAt(0).DrawPattern(back, 20, 8, 0);
    drawing.FinishFrame();
    ASSERT_TRUE(drawing.TakeDrawnRows(rows));
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(rows[47], 1);
    EXPECT_EQ(rows[48], 0);
    EXPECT_EQ(back.At(25, 45), RgbTo565(0x00FF00));
}
