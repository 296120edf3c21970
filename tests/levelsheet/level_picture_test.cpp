// The level sheet's pictures: a whole level drawn from the tile set, and the scaling and copying
// that turn it into a thumbnail on the sheet.
#include <gtest/gtest.h>

#include "app/session.h"
#include "level/level_loader.h"
#include "screens/game.h"
#include "screens/level_start.h"
#include "support/test_data.h"
#include "support/test_support.h"

// The tool's drawing lives with the tool (tools/levelsheet), which builds no library of its own.
#include "../../tools/levelsheet/level_picture.cpp"

namespace {

Surface Filled(int w, int h, uint32_t rgb) {
    Surface s(w, h);
    std::fill(s.Pixels.begin(), s.Pixels.end(), RgbTo565(rgb));
    return s;
}

int CountOf(const Surface& s, uint32_t rgb) {
    return static_cast<int>(std::count(s.Pixels.begin(), s.Pixels.end(), RgbTo565(rgb)));
}

// The middle pixel of cell (row, col) of a whole-level picture.
uint16_t CellMiddle(const Surface& s, int row, int col) {
    return s.At(40 * col + 20, 40 * row + 20);
}

// Level 3 of the test set: walls (45), a monster (38) on row 2, the exit (63), the start at (1, 1).
TEST(LevelPicture, DrawsEveryCellTheMonstersAndTheStart) {
    TempDir dir;
    WriteTestDataFiles(dir.Path());
    auto game = StartGame(SessionOptions{dir.Path(), false, 7});
    LoadLevel(*game, 3);
    const Surface whole = DrawWholeLevel(*game);
    EXPECT_EQ(whole.Width, (4 + 2) * 40);
    EXPECT_EQ(whole.Height, (3 + 2) * 40);
    EXPECT_EQ(CellMiddle(whole, 0, 0), RgbTo565(TestTileColor(1))) << "border corner";
    EXPECT_EQ(CellMiddle(whole, 2, 1), RgbTo565(TestTileColor(45))) << "wall";
    EXPECT_EQ(CellMiddle(whole, 3, 4), RgbTo565(TestTileColor(63))) << "exit";
    // The monster's cell holds the busy code once loaded; the monster itself is drawn.
    EXPECT_EQ(CellMiddle(whole, 2, 3), RgbTo565(TestTileColor(38))) << "monster";
    EXPECT_EQ(CellMiddle(whole, 1, 3), RgbTo565(0x050A10)) << "empty cell shows the background";
    EXPECT_EQ(CellMiddle(whole, 1, 1), RgbTo565(0x2040C0)) << "player at the start";
}

TEST(LevelPicture, ScalesDownKeepingProportionsAndNeverUp) {
    const Surface wide = ScaleToFit(Filled(800, 100, 0x808080), 200, 150);
    EXPECT_EQ(wide.Width, 200);
    EXPECT_EQ(wide.Height, 25);
    const Surface tall = ScaleToFit(Filled(300, 600, 0x808080), 200, 150);
    EXPECT_EQ(tall.Width, 75);
    EXPECT_EQ(tall.Height, 150);
    Surface small = Filled(100, 50, 0x102030);
    small.Row(7)[9] = RgbTo565(0xFFFFFF);
    const Surface same = ScaleToFit(small, 200, 150);
    EXPECT_EQ(same.Width, 100);
    EXPECT_EQ(same.Height, 50);
    EXPECT_EQ(same.Pixels, small.Pixels);
}

TEST(LevelPicture, ScalingAveragesTheCoveredPixels) {
    Surface halves = Filled(4, 2, 0xFF0000);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x) halves.Row(y)[x] = RgbTo565(0x0000FF);
    const Surface two = ScaleToFit(halves, 2, 2);
    ASSERT_EQ(two.Width, 2);
    ASSERT_EQ(two.Height, 1);
    EXPECT_EQ(two.At(0, 0), RgbTo565(0xFF0000));
    EXPECT_EQ(two.At(1, 0), RgbTo565(0x0000FF));
    const uint32_t mixed = Rgb565ToRgb(ScaleToFit(halves, 1, 1).At(0, 0));
    EXPECT_NEAR(static_cast<int>(mixed >> 16), 127, 8);
    EXPECT_EQ((mixed >> 8) & 0xFF, 0u);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 127, 8);
}

TEST(LevelPicture, BlitClipsAtEveryEdge) {
    Surface sheet = Filled(20, 20, 0x000000);
    const Surface patch = Filled(10, 10, 0xFFFFFF);
    Blit(sheet, patch, -5, -5);
    Blit(sheet, patch, 15, 15);
    EXPECT_EQ(CountOf(sheet, 0xFFFFFF), 2 * 25);
    EXPECT_EQ(sheet.At(4, 4), RgbTo565(0xFFFFFF));
    EXPECT_EQ(sheet.At(5, 5), RgbTo565(0x000000));
    EXPECT_EQ(sheet.At(15, 15), RgbTo565(0xFFFFFF));
    Blit(sheet, patch, 40, -40);  // wholly outside: nothing happens
    EXPECT_EQ(CountOf(sheet, 0xFFFFFF), 2 * 25);
}

}  // namespace
