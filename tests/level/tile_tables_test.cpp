// The animation tables of the tile codes, the speed-dependent eating rate, and the phase rule a
// drawn cell follows with them.
#include <gtest/gtest.h>

#include "game/cell_animation.h"
#include "level/level.h"
#include "render/tile_passes.h"

namespace {

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

TileTables TablesAt(int speed) {
    TileTables t;
    FillTileTables(t);
    ApplySpeedToTables(t, speed);
    return t;
}

Cell CellOf(int32_t tile, double phase) {
    Cell cell;
    cell.Tile = tile;
    cell.Phase = phase;
    return cell;
}

// A phase is only ever brought back by one frame count per tick, so one that a level load put
// far beyond the count (it is drawn from the rate) comes back over several ticks.
TEST(CellAnimation, OneFrameCountTakenOffPerTickOnlyPastTheCount) {
    const TileTables t = TablesAt(300);
    Cell drift = CellOf(tcDriftLeft, 40.0);  // 11 patterns, 50 a second
    AnimateCell(drift, t, 20);
    EXPECT_DOUBLE_EQ(drift.Phase, 30.0);
    AnimateCell(drift, t, 20);
    AnimateCell(drift, t, 20);
    EXPECT_DOUBLE_EQ(drift.Phase, 10.0);
    AnimateCell(drift, t, 20);  // 11 is not past 11
    EXPECT_DOUBLE_EQ(drift.Phase, 11.0);
    AnimateCell(drift, t, 20);
    EXPECT_DOUBLE_EQ(drift.Phase, 1.0);

    Cell still = CellOf(68, 9.5);  // code 68 loops like every code below 70
    AnimateCell(still, t, 20);
    EXPECT_EQ(still.Tile, 68);
    EXPECT_DOUBLE_EQ(still.Phase, 0.5);
}

// The eating animation lasts until its phase passes 20 at the rate of the speed in force.
TEST(CellAnimation, EatingEndsEmptyOnlyPastTheLastPatternAtTheCurrentRate) {
    TileTables t = TablesAt(200);  // 100 patterns a second
    Cell eaten = CellOf(81, 0.0);
    for (int i = 0; i < 20; ++i) AnimateCell(eaten, t, 10);
    EXPECT_EQ(eaten.Tile, 81);  // exactly 20: the last pattern is still drawn
    EXPECT_NEAR(eaten.Phase, 20.0, 1e-9);
    ApplySpeedToTables(t, 400);  // a speed key during the animation
    AnimateCell(eaten, t, 1);
    EXPECT_EQ(eaten.Tile, tcEmpty);
    EXPECT_EQ(eaten.Phase, 0.0);

    Cell slow = CellOf(70, 0.0);
    ApplySpeedToTables(t, 250);
    AnimateCell(slow, t, 100);
    EXPECT_DOUBLE_EQ(slow.Phase, 12.5);
}

}  // namespace
