// The world update: falls, rolls and pushes with their timing and scan order, landings on
// dynamite, monsters and the player, sounds, and the capacity of the list of moves.
#include "game/objects.h"

#include <gtest/gtest.h>

#include "game/game_rig.h"

namespace {

TEST(ObjectFalls, OneCellTakesSpeedOver1500PixelsPerMillisecond) {
    GameRig rig({"i@", "..", "WW"});
    rig.Ticks(19, 10);  // 2 px a tick at Speed 300
    EXPECT_EQ(rig.play().FallCount, 1);
    EXPECT_EQ(rig.Tile(1, 1), 11);
    EXPECT_EQ(rig.Tile(2, 1), 11);
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 0);
    EXPECT_EQ(rig.Tile(1, 1), 15);
    EXPECT_EQ(rig.Tile(2, 1), 12);

    GameRig fast({"i@", "..", "WW"}, 400);
    fast.Ticks(9, 15);
    EXPECT_EQ(fast.Tile(2, 1), 11);
    fast.Tick(15);
    EXPECT_EQ(fast.Tile(2, 1), 12);
}

TEST(ObjectFalls, WaitsForThePlayerToLeaveTheCellBelow) {
    GameRig rig({"i.", "@.", "WW"});
    rig.Ticks(5, 10);
    EXPECT_EQ(rig.Tile(1, 1), 12);
    rig.Hold(isRight);
    rig.Ticks(6, 10);  // the centre is still in column 1
    EXPECT_EQ(rig.play().FallCount, 0);
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 1);
}

TEST(ObjectFalls, AColumnFallsOneObjectAfterAnother) {
    GameRig rig({"i@", "o.", "..", "WW"});
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 1);
    EXPECT_EQ(rig.play().FallList[1].SrcRow, 2);
    rig.Ticks(19, 10);
    EXPECT_EQ(rig.Tile(3, 1), 20);
    EXPECT_EQ(rig.Tile(1, 1), 12);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), 11);
}

TEST(ObjectRolls, PileTopWithRoomOnBothSidesRollsRightInAQuarterCircle) {
    for (int speed : {200, 400}) {
        GameRig rig({".o..", ".o..", "WWW@"}, speed);
        rig.Tick(10);
        ASSERT_EQ(rig.play().FallCount, 1);
        const Mover& m = rig.play().FallList[1];
        EXPECT_EQ(m.Path, 1);
        EXPECT_EQ(m.DestCol, 3);
        EXPECT_EQ(m.Frames, 9);
        EXPECT_EQ(rig.Tile(1, 3), 15);  // the cell beside is passed, not reserved
        // pi/2 at 0.006 rad a millisecond whatever the speed: arrival in the 27th tick.
        rig.Ticks(25, 10);
        EXPECT_EQ(rig.Tile(2, 3), 11);
        rig.Tick(10);
        EXPECT_EQ(rig.Tile(2, 3), 20) << speed;
        EXPECT_EQ(rig.Tile(1, 2), 15);
    }
    // Only off a ball or an infotron: not off a wall.
    GameRig wall({".o..", ".#..", "WWW@"});
    wall.Tick(10);
    EXPECT_EQ(wall.play().FallCount, 0);
    // Leftwards an infotron rolls as code 9 and arrives as 12.
    GameRig left({"..i.", "#.i#", "WWW@"});
    left.Tick(10);
    ASSERT_EQ(left.play().FallCount, 1);
    EXPECT_EQ(left.play().FallList[1].Tile, 9);
    left.Ticks(30, 10);
    EXPECT_EQ(left.Tile(2, 2), 12);
}

TEST(ObjectPushes, BallsSlideOrRollOffTheLedgeAndDynamiteMoves) {
    // Pushed right over an edge, the ball rolls down into the lower right cell.
    GameRig ledge({"@o.", "WW.", "WWW"});
    ledge.Hold(isRight);
    ledge.Tick(10);
    ledge.Hold(-1);
    ASSERT_EQ(ledge.play().FallCount, 1);
    EXPECT_EQ(ledge.play().FallList[1].Path, 1);
    ledge.Ticks(30, 10);
    EXPECT_EQ(ledge.Tile(2, 3), 20);
    EXPECT_EQ(ledge.PlayerCol(), 2);

    // Pushed left along a floor it moves as code 10 and arrives as a ball.
    GameRig left({".o@", "WWW"});
    left.Hold(isLeft);
    left.Tick(10);
    left.Hold(-1);
    ASSERT_EQ(left.play().FallCount, 1);
    EXPECT_EQ(left.play().FallList[1].Tile, 10);
    EXPECT_EQ(left.play().FallList[1].Path, 5);
    left.Ticks(30, 10);
    EXPECT_EQ(left.Tile(1, 1), 20);

    // Red dynamite pushed up.
    GameRig up({".", "r", "@"});
    up.Hold(isUp);
    up.Tick(10);
    up.Hold(-1);
    EXPECT_EQ(up.play().FallList[1].Path, 6);
    EXPECT_EQ(up.PictureName(), "ballsus");
    EXPECT_EQ(up.player().PatternPos, 1);
    up.Ticks(30, 10);
    EXPECT_EQ(up.Tile(1, 1), 21);
}

TEST(ObjectLandings, DynamiteExplodesOnlyAsTheRulesSay) {
    // Yellow dynamite falling onto a wall explodes in its target cell.
    GameRig fall({"y@", "..", "WW"});
    fall.Ticks(20, 10);
    EXPECT_EQ(fall.play().ExplosionCount, 1);
    EXPECT_EQ(fall.play().Explosions[1].Row, 2);
    EXPECT_EQ(fall.Tile(2, 1), 15);

    // Pushed sideways onto a floor it does not.
    GameRig push({"@y.", "WWW"});
    push.Hold(isRight);
    push.Tick(10);
    push.Hold(-1);
    push.Ticks(30, 10);
    EXPECT_EQ(push.Tile(1, 3), 22);
    EXPECT_EQ(push.play().ExplosionCount, 0);

    // Red dynamite pushed down moves like a fall and does not explode.
    GameRig red({"@", "r", ".", "W"});
    red.Hold(isDown);
    red.Tick(10);
    red.Hold(-1);
    EXPECT_EQ(red.play().FallList[1].Path, 0);
    red.Ticks(30, 10);
    EXPECT_EQ(red.Tile(3, 1), 21);
    EXPECT_EQ(red.play().ExplosionCount, 0);

    // Anything landing on dynamite sets it off.
    GameRig onRed({"i@", "..", "r.", "WW"});
    onRed.Ticks(20, 10);
    EXPECT_EQ(onRed.play().ExplosionCount, 1);
    EXPECT_EQ(onRed.Tile(3, 1), 15);
}

TEST(ObjectLandings, BallOnThePlayersHeadKillsOnlyWhenMortal) {
    GameRig rig({"o", ".", "@", "W"});
    rig.Ticks(20, 10);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.play().Explosions[1].Row, 3);

    GameRig cheat({"o", ".", "@", "W"});
    cheat.play().Mortal = 0;
    cheat.Ticks(20, 10);
    EXPECT_EQ(cheat.play().Lives, 3);
    EXPECT_EQ(cheat.Tile(2, 1), 20);

    GameRig dynamite({"y", ".", "@", "W"});
    dynamite.Ticks(20, 10);
    EXPECT_EQ(dynamite.play().Lives, 3);
}

TEST(ObjectLandings, LandingSoundOnceOnSolidGroundOnly) {
    GameRig rig({"o@", "..", "..", "WW"});
    if (!rig.CountSounds()) GTEST_SKIP() << "no sound device";
    rig.Ticks(20, 10);
    EXPECT_EQ(rig.Tile(2, 1), 20);
    EXPECT_EQ(rig.Plays("picabomba"), 0);  // landed over empty space: falls on
    rig.Ticks(25, 10);
    EXPECT_EQ(rig.Tile(3, 1), 20);
    EXPECT_EQ(rig.Plays("picabomba"), 1);

    GameRig push({".o@", "WWW"});
    ASSERT_TRUE(push.CountSounds());
    push.Hold(isLeft);
    push.Ticks(40, 10);
    EXPECT_EQ(push.Tile(1, 1), 20);
    EXPECT_EQ(push.Plays("picabomba"), 0);
    EXPECT_EQ(push.Plays("impinge"), 1);
}

TEST(ObjectLandings, FallingObjectsCrushMonstersByKind) {
    GameRig turning({"o@", "..", "M#", "WW"});
    turning.Ticks(10, 10);
    EXPECT_EQ(turning.level().MonsterCount, 0);
    EXPECT_EQ(turning.Tile(3, 2), 15);  // a destroying blast
    turning.Ticks(40, 10);
    EXPECT_EQ(turning.Tile(3, 1), 20);  // the ball falls on into the monster's cell

    GameRig crawling({"o@", "..", "N#", "WW"});
    crawling.Ticks(10, 10);
    EXPECT_EQ(crawling.level().MonsterCount, 0);
    EXPECT_EQ(crawling.Tile(3, 1), 12);  // the blast leaves infotrons
    EXPECT_EQ(crawling.Tile(3, 2), 12);
    EXPECT_EQ(crawling.Tile(4, 1), 45);
}

TEST(ObjectCapacity, AtMost100MovesAndTheRestWaitWithTheirCellsUntouched) {
    GameRig rig(99, 5);
    for (int c = 1; c <= 99; ++c) {
        rig.Set(1, c, 12);
        rig.Set(3, c, 12);
    }
    rig.PlacePlayer(5, 99);
    rig.Tick(1);
    EXPECT_EQ(rig.play().FallCount, 100);
    EXPECT_EQ(rig.play().FallList[100].SrcRow, 3);
    EXPECT_EQ(rig.play().FallList[100].SrcCol, 1);
    EXPECT_EQ(rig.Tile(3, 2), 12);
    EXPECT_EQ(rig.Tile(4, 2), 15);
    rig.Ticks(200, 10);
    EXPECT_EQ(rig.play().FallCount, 0);
    for (int c = 1; c <= 99; ++c) EXPECT_EQ(rig.Tile(5, c), c == 99 ? 15 : 12) << c;
}

}  // namespace
