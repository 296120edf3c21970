// Monsters: the searches without a heading, wall following and its turns, the kind-38 picture
// turning before it moves, speeds and cells, and when a monster catches the player.
#include "game/monsters.h"

#include <gtest/gtest.h>

#include "game/game_rig.h"

namespace {

// A monster of the rig as a decision would leave it: at rest with a heading.
Monster& Headed(GameRig& rig, int index, int heading) {
    Monster& m = rig.level().Monsters[index];
    m.Heading = heading;
    return m;
}

TEST(MonsterSearch, KindWithoutHeadingPrefersUpLeftDownRight) {
    GameRig rig({"WWW", "WN.", "W.W", "WWW", "W@W"});
    rig.Tick(10);
    const Monster& m = rig.level().Monsters[1];
    EXPECT_EQ(m.Move, 3);
    EXPECT_EQ(m.TargetY, 120);
    EXPECT_EQ(rig.Tile(2, 2), 11);
    EXPECT_EQ(rig.Tile(3, 2), 15);  // claimed only on arrival
    EXPECT_EQ(m.PosY, 80);          // a deciding tick does not move
}

TEST(MonsterSearch, EnclosedSpinningMonsterTurnsForeverAndCatchesNobody) {
    GameRig rig({"WWW", "WMW", "WWW"});
    rig.PlacePlayer(2, 2);  // even in its own cell
    int framesSeen = 0;
    int lastFrame = -1;
    for (int i = 0; i < 500; ++i) {
        rig.Tick(10);
        const Monster& m = rig.level().Monsters[1];
        ASSERT_EQ(m.Move, 0);
        if (m.Frame != lastFrame) ++framesSeen;
        lastFrame = m.Frame;
    }
    EXPECT_GT(framesSeen, 8);
    EXPECT_EQ(rig.play().Lives, 3);
    EXPECT_EQ(rig.level().MonsterCount, 1);
}

TEST(MonsterWalls, HeadingRightBlockedTurnsUpBeforeDown) {
    // Up open (down open too): the counter-clockwise turn up.
    GameRig up({"WW.W", "W.MW", "W..W", "WWWW", "W@WW"});
    Headed(up, 1, 4);
    up.Tick(10);
    EXPECT_EQ(up.level().Monsters[1].Move, 1);
    EXPECT_EQ(up.level().Turn[1], 1);

    // Up closed, down open with the cell below-left solid: the clockwise turn down.
    GameRig down({"WWWW", "W.MW", "WW.W", "WWWW", "W@WW"});
    Headed(down, 1, 4);
    down.Tick(10);
    EXPECT_EQ(down.level().Monsters[1].Move, 3);
    EXPECT_EQ(down.level().Turn[1], -1);

    // Below-left open too: no wall to follow down; the spinning search takes over.
    GameRig none({"WWWW", "W.MW", "W..W", "WWWW", "W@WW"});
    Headed(none, 1, 4);
    none.Tick(10);
    EXPECT_EQ(none.level().Monsters[1].Move, 0);
    EXPECT_EQ(none.level().Turn[1], 0);
}

TEST(MonsterWalls, FollowsAWallAroundItsEnd) {
    // Heading up along a wall on its left that ends: it turns left around the end.
    GameRig rig({".....", ".W...", ".WN..", ".W...", "...@."});
    Headed(rig, 1, 1);
    rig.Set(3, 3, 11);
    rig.Tick(10);
    EXPECT_EQ(rig.level().Monsters[1].Move, 1);  // wall beside, way ahead open: straight on
    EXPECT_EQ(rig.level().Turn[1], 0);
    // At the wall's end: left open, the cell below-left (the wall) solid.
    GameRig end({".....", "..N..", ".W...", ".W...", "...@."});
    Headed(end, 1, 1);
    end.Set(1, 3, 30);
    end.Tick(10);
    EXPECT_EQ(end.level().Monsters[1].Move, 2);
    EXPECT_EQ(end.level().Turn[1], 1);
}

TEST(MonsterWalls, TheTwoTurnsAreTriedInRandomOrder) {
    bool left = false, right = false;
    for (uint64_t seed = 1; seed <= 16; ++seed) {
        GameRig rig({"WWWWW", "W.W.W", "W.N.W", "WWWWW", "W@WWW"});
        rig.Set(2, 2, 30);
        rig.Set(2, 4, 30);
        rig.game().world.random.Seed(seed);
        Headed(rig, 1, 1);
        rig.Tick(10);
        left |= rig.level().Monsters[1].Move == 2;
        right |= rig.level().Monsters[1].Move == 4;
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

TEST(MonsterMoves, TurningPictureWaitsThenCrossesACellIn133ms) {
    GameRig rig({"WW.W", "W.MW", "WWWW", "W@WW"});
    Monster& m = Headed(rig, 1, 4);
    m.FramePos = 6;
    m.Frame = 6;
    rig.Tick(10);
    ASSERT_EQ(m.Move, 1);
    // A quarter turn, 2 patterns at Speed / 20000 a ms, before the first step.
    rig.Ticks(13, 10);
    EXPECT_EQ(m.PosY, 80);
    EXPECT_NE(rig.level().Turn[1], 0);
    rig.Tick(10);
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_EQ(m.Frame, 0);
    EXPECT_EQ(m.Row, 1);  // moving up it counts as in the next cell at once
    rig.Ticks(12, 10);
    EXPECT_EQ(m.Move, 1);
    EXPECT_EQ(rig.Tile(2, 3), 11);
    rig.Tick(10);  // 40 px at 3 px a tick: the position passes the target in the 14th
    EXPECT_EQ(m.Move, 0);
    EXPECT_EQ(m.PosY, 40);
    EXPECT_EQ(rig.Tile(2, 3), 15);
    EXPECT_EQ(rig.Tile(1, 3), 11);
}

TEST(MonsterCatch, UpAndLeftCatchAtOnceDownAndRightOnlyOnArrival) {
    GameRig up({"@W", "NW", "WW"});
    up.Tick(10);  // deciding
    EXPECT_EQ(up.play().Lives, 3);
    up.Tick(10);
    EXPECT_EQ(up.play().Lives, 2);
    EXPECT_EQ(up.level().MonsterCount, 0);

    GameRig down({"NW", "@W", "WW"});
    down.Ticks(14, 10);
    EXPECT_EQ(down.play().Lives, 3);
    down.Tick(10);
    EXPECT_EQ(down.play().Lives, 2);

    GameRig cheat({"NW", "@W", "WW"});
    cheat.play().Mortal = 0;
    cheat.Ticks(30, 10);
    EXPECT_EQ(cheat.play().Lives, 3);
    EXPECT_EQ(cheat.level().MonsterCount, 1);
}

TEST(MonsterCatch, DecidingTickDoesNotCatchThePlayerInItsCell) {
    GameRig rig({"WWW", "WN.", "W.W"});
    rig.PlacePlayer(2, 2);
    rig.Tick(10);
    EXPECT_EQ(rig.level().Monsters[1].Move, 3);
    EXPECT_EQ(rig.play().Lives, 3);
    rig.Tick(10);  // moving down it is still in its cell
    EXPECT_EQ(rig.play().Lives, 2);
}

}  // namespace
