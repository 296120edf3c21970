// The animation tables of the tile codes and the speed-dependent eating rate.
#include <gtest/gtest.h>

#include "level/level.h"

namespace {

TEST(TileTables, AnimatedCodesAndNothingElse) {
    TileTables t;
    t.FrameCount[500] = 9;  // whatever was there before is cleared
    FillTileTables(t);
    ApplySpeedToTables(t, 300);
    for (int code = 0; code <= kMaxTileCode; ++code) {
        int count = 0, rate = 0;
        if (code >= 49 && code <= 52) count = 4, rate = 10;
        if (code == 65) count = 8, rate = 10;
        if (code == 66 || code == 67) count = 11, rate = 50;
        if (code == 68) count = 10, rate = 50;
        if (code >= 70 && code <= 81) count = 20, rate = 150;
        EXPECT_EQ(t.FrameCount[code], count) << code;
        EXPECT_EQ(t.FrameRate[code], rate) << code;
    }
}

TEST(TileTables, EatingRateFollowsTheSpeed) {
    TileTables t;
    FillTileTables(t);
    for (auto [speed, rate] :
         {std::pair{200, 100}, {250, 125}, {300, 150}, {301, 150}, {399, 199}, {400, 200}}) {
        ApplySpeedToTables(t, speed);
        EXPECT_EQ(t.FrameRate[70], rate) << speed;
        EXPECT_EQ(t.FrameRate[81], rate) << speed;
        EXPECT_EQ(t.FrameRate[69], 0);
        EXPECT_EQ(t.FrameRate[82], 0);
    }
}

}  // namespace
