// The world update: falls, rolls and pushes with their timing and scan order, landings on
// dynamite, monsters and the player, sounds, and the capacity of the list of moves.
#include "game/objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <numbers>
#include <tuple>

#include "game/explosions.h"
#include "game/game_rig.h"

namespace {

TEST(ObjectFalls, OneCellTakesSpeedOver1500PixelsPerMillisecond) {
    GameRig rig({"o@", "  ", "XX"});
    rig.Ticks(19, 10);  // 2 px a tick at Speed 300
    EXPECT_EQ(rig.play().FallCount, 1);
    EXPECT_EQ(rig.Tile(1, 1), tcBusy);
    EXPECT_EQ(rig.Tile(2, 1), tcBusy);
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 0);
    EXPECT_EQ(rig.Tile(1, 1), tcEmpty);
    EXPECT_EQ(rig.Tile(2, 1), tcInfotron);

    GameRig fast({"o@", "  ", "XX"}, 400);
    fast.Ticks(9, 15);
    EXPECT_EQ(fast.Tile(2, 1), tcBusy);
    fast.Tick(15);
    EXPECT_EQ(fast.Tile(2, 1), tcInfotron);
}

TEST(ObjectFalls, WaitsForThePlayerToLeaveTheCellBelow) {
    GameRig rig({"o ", "@ ", "XX"});
    rig.Ticks(5, 10);
    EXPECT_EQ(rig.Tile(1, 1), tcInfotron);
    rig.Hold(isRight);
    rig.Ticks(6, 10);  // the centre is still in column 1
    EXPECT_EQ(rig.play().FallCount, 0);
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 1);
}

TEST(ObjectFalls, AColumnFallsOneObjectAfterAnother) {
    GameRig rig({"o@", "O ", "  ", "XX"});
    rig.Tick(10);
    EXPECT_EQ(rig.play().FallCount, 1);
    EXPECT_EQ(rig.play().FallList[1].SrcRow, 2);
    rig.Ticks(19, 10);
    EXPECT_EQ(rig.Tile(3, 1), tcBall);
    EXPECT_EQ(rig.Tile(1, 1), tcInfotron);
    rig.Tick(10);
    EXPECT_EQ(rig.Tile(1, 1), tcBusy);
}

TEST(ObjectRolls, PileTopWithRoomOnBothSidesRollsRightInAQuarterCircle) {
    for (int speed : {200, 400}) {
        GameRig rig({" O  ", " O  ", "XXX@"}, speed);
        rig.Tick(10);
        ASSERT_EQ(rig.play().FallCount, 1);
        const Mover& m = rig.play().FallList[1];
        EXPECT_EQ(m.Path, 1);
        EXPECT_EQ(m.DestCol, 3);
        EXPECT_EQ(m.Frames, 9);
        EXPECT_EQ(rig.Tile(1, 3), tcEmpty);  // the cell beside is passed, not reserved
        // pi/2 at 0.006 rad a millisecond whatever the speed: arrival in the 27th tick.
        rig.Ticks(25, 10);
        EXPECT_EQ(rig.Tile(2, 3), tcBusy);
        rig.Tick(10);
        EXPECT_EQ(rig.Tile(2, 3), tcBall) << speed;
        EXPECT_EQ(rig.Tile(1, 2), tcEmpty);
    }
    // Only off a ball or an infotron: not off a wall.
    GameRig wall({" O  ", " #  ", "XXX@"});
    wall.Tick(10);
    EXPECT_EQ(wall.play().FallCount, 0);
    // Leftwards an infotron rolls as code 9 and arrives as 12.
    GameRig left({"  o ", "# o#", "XXX@"});
    left.Tick(10);
    ASSERT_EQ(left.play().FallCount, 1);
    EXPECT_EQ(left.play().FallList[1].Tile, 9);
    left.Ticks(30, 10);
    EXPECT_EQ(left.Tile(2, 2), tcInfotron);
}

TEST(ObjectPushes, BallsSlideOrRollOffTheLedgeAndDynamiteMoves) {
    // Pushed right over an edge, the ball rolls down into the lower right cell.
    GameRig ledge({"@O ", "XX ", "XXX"});
    ledge.Hold(isRight);
    ledge.Tick(10);
    ledge.Hold(-1);
    ASSERT_EQ(ledge.play().FallCount, 1);
    EXPECT_EQ(ledge.play().FallList[1].Path, 1);
    ledge.Ticks(30, 10);
    EXPECT_EQ(ledge.Tile(2, 3), tcBall);
    EXPECT_EQ(ledge.PlayerCol(), 2);

    // Pushed left along a floor it moves as code 10 and arrives as a ball.
    GameRig left({" O@", "XXX"});
    left.Hold(isLeft);
    left.Tick(10);
    left.Hold(-1);
    ASSERT_EQ(left.play().FallCount, 1);
    EXPECT_EQ(left.play().FallList[1].Tile, 10);
    EXPECT_EQ(left.play().FallList[1].Path, 5);
    left.Ticks(30, 10);
    EXPECT_EQ(left.Tile(1, 1), tcBall);

    // Red dynamite pushed up.
    GameRig up({" ", "r", "@"});
    up.Hold(isUp);
    up.Tick(10);
    up.Hold(-1);
    EXPECT_EQ(up.play().FallList[1].Path, 6);
    EXPECT_EQ(up.PictureName(), "ballsus");
    EXPECT_EQ(up.player().PatternPos, 1);
    up.Ticks(30, 10);
    EXPECT_EQ(up.Tile(1, 1), tcRedDynamite);
}

TEST(ObjectLandings, DynamiteExplodesOnlyAsTheRulesSay) {
    // Yellow dynamite falling onto a wall explodes in its target cell.
    GameRig fall({"y@", "  ", "XX"});
    fall.Ticks(20, 10);
    EXPECT_EQ(fall.play().ExplosionCount, 1);
    EXPECT_EQ(fall.play().Explosions[1].Row, 2);
    EXPECT_EQ(fall.Tile(2, 1), tcEmpty);

    // Pushed sideways onto a floor it does not.
    GameRig push({"@y ", "XXX"});
    push.Hold(isRight);
    push.Tick(10);
    push.Hold(-1);
    push.Ticks(30, 10);
    EXPECT_EQ(push.Tile(1, 3), tcYellowDynamite);
    EXPECT_EQ(push.play().ExplosionCount, 0);

    // Red dynamite pushed down moves like a fall and does not explode.
    GameRig red({"@", "r", " ", "X"});
    red.Hold(isDown);
    red.Tick(10);
    red.Hold(-1);
    EXPECT_EQ(red.play().FallList[1].Path, 0);
    red.Ticks(30, 10);
    EXPECT_EQ(red.Tile(3, 1), tcRedDynamite);
    EXPECT_EQ(red.play().ExplosionCount, 0);

    // Anything landing on dynamite sets it off.
    GameRig onRed({"o@", "  ", "r ", "XX"});
    onRed.Ticks(20, 10);
    EXPECT_EQ(onRed.play().ExplosionCount, 1);
    EXPECT_EQ(onRed.Tile(3, 1), tcEmpty);
}

TEST(ObjectLandings, BallOnThePlayersHeadKillsOnlyWhenMortal) {
    GameRig rig({"O", " ", "@", "X"});
    rig.Ticks(20, 10);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.play().Explosions[1].Row, 3);

    GameRig cheat({"O", " ", "@", "X"});
    cheat.play().Mortal = 0;
    cheat.Ticks(20, 10);
    EXPECT_EQ(cheat.play().Lives, 3);
    EXPECT_EQ(cheat.Tile(2, 1), tcBall);

    GameRig dynamite({"y", " ", "@", "X"});
    dynamite.Ticks(20, 10);
    EXPECT_EQ(dynamite.play().Lives, 3);
}

TEST(ObjectLandings, LandingSoundOnceOnSolidGroundOnly) {
    GameRig rig({"O@", "  ", "  ", "XX"});
    if (!rig.CountSounds()) GTEST_SKIP() << "no sound device";
    rig.Ticks(20, 10);
    EXPECT_EQ(rig.Tile(2, 1), tcBall);
    EXPECT_EQ(rig.Plays("picabomba"), 0);  // landed over empty space: falls on
    rig.Ticks(25, 10);
    EXPECT_EQ(rig.Tile(3, 1), tcBall);
    EXPECT_EQ(rig.Plays("picabomba"), 1);

    GameRig push({" O@", "XXX"});
    ASSERT_TRUE(push.CountSounds());
    push.Hold(isLeft);
    push.Ticks(40, 10);
    EXPECT_EQ(push.Tile(1, 1), tcBall);
    EXPECT_EQ(push.Plays("picabomba"), 0);
    EXPECT_EQ(push.Plays("impinge"), 1);
}

TEST(ObjectLandings, FallingObjectsCrushMonstersByKind) {
    GameRig turning({"O@", "  ", "M#", "XX"});
    turning.Ticks(10, 10);
    EXPECT_EQ(turning.level().MonsterCount, 0);
    EXPECT_EQ(turning.Tile(3, 2), tcEmpty);  // a destroying blast
    turning.Ticks(40, 10);
    EXPECT_EQ(turning.Tile(3, 1), tcBall);  // the ball falls on into the monster's cell

    GameRig crawling({"O@", "  ", "W#", "XX"});
    crawling.Ticks(10, 10);
    EXPECT_EQ(crawling.level().MonsterCount, 0);
    EXPECT_EQ(crawling.Tile(3, 1), tcInfotron);  // the blast leaves infotrons
    EXPECT_EQ(crawling.Tile(3, 2), tcInfotron);
    EXPECT_EQ(crawling.Tile(4, 1), 45);
}

TEST(ObjectCapacity, AtMost100MovesAndTheRestWaitWithTheirCellsUntouched) {
    GameRig rig(99, 5);
    for (int c = 1; c <= 99; ++c) {
        rig.Set(1, c, tcInfotron);
        rig.Set(3, c, tcInfotron);
    }
    rig.PlacePlayer(5, 99);
    rig.Tick(1);
    EXPECT_EQ(rig.play().FallCount, 100);
    EXPECT_EQ(rig.play().FallList[100].SrcRow, 3);
    EXPECT_EQ(rig.play().FallList[100].SrcCol, 1);
    EXPECT_EQ(rig.Tile(3, 2), tcInfotron);
    EXPECT_EQ(rig.Tile(4, 2), tcEmpty);
    rig.Ticks(200, 10);
    EXPECT_EQ(rig.play().FallCount, 0);
    for (int c = 1; c <= 99; ++c) EXPECT_EQ(rig.Tile(5, c), c == 99 ? 15 : 12) << c;
}

}  // namespace

namespace {

// ---- The world update, run on its own with the player's cell set by hand.

struct ScanCase {
    std::vector<std::string> rows;
    int flag;  // the push flag the case raises: kNoPush, or isUp..isRight
    int srcRow, srcCol, destRow, destCol, path, tile, frames;
};

constexpr int kNoPush = -1;

bool& PushFlag(PlayState& p, int flag) {
    if (flag == isUp) return p.PushUp;
    if (flag == isDown) return p.PushDown;
    if (flag == isLeft) return p.PushLeft;
    return p.PushRight;
}

}  // namespace

TEST(ObjectScans, EveryScanRecordsItsPathTileFramesAndFirstAdvance) {
    const ScanCase cases[] = {
        {{"o@", "  ", "XX"}, kNoPush, 1, 1, 2, 1, 0, 12, 1},
        {{"y@", "  ", "XX"}, kNoPush, 1, 1, 2, 1, 0, 22, 1},
        {{"@O ", "XX ", "XXX"}, isRight, 1, 2, 2, 3, 1, 20, 9},
        {{" O@", " XX", "XXX"}, isLeft, 1, 2, 2, 1, 2, 10, 9},
        {{"@r ", "XXX"}, isRight, 1, 2, 1, 3, 4, 21, 1},
        {{"@y ", "XXX"}, isRight, 1, 2, 1, 3, 4, 22, 1},
        {{" y@", "XXX"}, isLeft, 1, 2, 1, 1, 5, 22, 1},
        {{" ", "r", "@"}, isUp, 2, 1, 1, 1, 6, 21, 1},
        {{"@", "r", " ", "X"}, isDown, 2, 1, 3, 1, 0, 21, 1},
        {{"@O ", "XXX"}, isRight, 1, 2, 1, 3, 4, 20, 9},
        {{" O@", "XXX"}, isLeft, 1, 2, 1, 1, 5, 10, 9},
        {{" O @", " o X", "XXXX"}, kNoPush, 1, 2, 2, 3, 1, 20, 9},
        {{" o @", " O X", "XXXX"}, kNoPush, 1, 2, 2, 3, 1, 12, 9},
        {{"  O @", "  OX ", "XXXXX"}, kNoPush, 1, 3, 2, 2, 2, 10, 9},
        {{"  o @", "  OX ", "XXXXX"}, kNoPush, 1, 3, 2, 2, 2, 9, 9},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const ScanCase& k = cases[i];
        GameRig rig(k.rows);
        // Without its flag a push starts nothing.
        MoveObjects(rig.game().world, rig.game().events, 10);
        if (k.flag != kNoPush) {
            ASSERT_EQ(rig.play().FallCount, 0) << i;
            PushFlag(rig.play(), k.flag) = true;
            MoveObjects(rig.game().world, rig.game().events, 10);
        }
        ASSERT_EQ(rig.play().FallCount, 1) << i;
        const Mover& m = rig.play().FallList[1];
        EXPECT_EQ(m.Path, k.path) << i;
        EXPECT_EQ(m.Tile, k.tile) << i;
        EXPECT_EQ(m.Frames, k.frames) << i;
        EXPECT_EQ(m.SrcRow * 100 + m.SrcCol, k.srcRow * 100 + k.srcCol) << i;
        EXPECT_EQ(m.DestRow * 100 + m.DestCol, k.destRow * 100 + k.destCol) << i;
        EXPECT_EQ(rig.Tile(k.srcRow, k.srcCol), tcBusy) << i;
        EXPECT_EQ(rig.Tile(k.destRow, k.destCol), tcBusy) << i;
        EXPECT_EQ(m.TargetX, 40 * k.destCol) << i;
        EXPECT_EQ(m.TargetY, 40 * k.destRow) << i;
        // One advance of 10 ms at Speed 300: 2 px, the angle 0.06 less on every path.
        const bool fast = k.tile == 20 || k.tile == 21;
        EXPECT_DOUBLE_EQ(m.Frame, 10 * 300.0 / (fast ? 14000 : 20000)) << i;
        const double x0 = 40 * k.srcCol, y0 = 40 * k.srcRow;
        if (k.path == 1 || k.path == 2) {
            const double angle = std::numbers::pi / 2 - 0.06;
            EXPECT_DOUBLE_EQ(m.Angle, angle) << i;
            EXPECT_EQ(m.OriginX, x0) << i;
            EXPECT_EQ(m.OriginY, y0) << i;
            const double sign = k.path == 1 ? 1 : -1;
            EXPECT_DOUBLE_EQ(m.X, x0 + sign * 41 * std::cos(angle)) << i;
            EXPECT_DOUBLE_EQ(m.Y, 40 * k.destRow - 41 * std::sin(angle)) << i;
        } else {
            EXPECT_DOUBLE_EQ(m.Angle, -0.06) << i;
            const double dx[] = {0, 0, 0, 0, 2, -2, 0}, dy[] = {2, 0, 0, 0, 0, 0, -2};
            EXPECT_DOUBLE_EQ(m.X, x0 + dx[k.path]) << i;
            EXPECT_DOUBLE_EQ(m.Y, y0 + dy[k.path]) << i;
        }
    }
}

TEST(ObjectScans, PlayerCellsThatHoldBackFallsAndRolls) {
    // A fall waits while the player is in the object's cell or the one below.
    for (auto [row, col, moves] : {std::tuple{1, 1, false}, {2, 1, false}, {1, 2, true}}) {
        GameRig rig({"o ", "  ", "XX"});
        rig.PlacePlayer(row, col);
        MoveObjects(rig.game().world, rig.game().events, 10);
        EXPECT_EQ(rig.play().FallCount, moves ? 1 : 0) << row << col;
    }
    // A roll waits while the player is in any of its four cells.
    for (auto [row, col, moves] :
         {std::tuple{1, 1, false}, {1, 2, false}, {2, 1, false}, {2, 2, false}, {1, 3, true}}) {
        GameRig right({"O  ", "O  ", "XXX"});
        right.PlacePlayer(row, col);
        MoveObjects(right.game().world, right.game().events, 10);
        EXPECT_EQ(right.play().FallCount, moves ? 1 : 0) << row << col;
        GameRig left({"  O", "  O", "XXX"});
        left.PlacePlayer(row, 4 - col);
        MoveObjects(left.game().world, left.game().events, 10);
        EXPECT_EQ(left.play().FallCount, moves ? 1 : 0) << row << 4 - col;
    }
}

TEST(ObjectArrivals, FrameBaseClearedAndDynamiteSetOffOnlyByLandings) {
    GameRig fall({"o@", "  ", "XX"});
    fall.level().Cells[2][1].FrameBase = 3;
    for (int i = 0; i < 20; ++i) MoveObjects(fall.game().world, fall.game().events, 10);
    EXPECT_EQ(fall.Tile(2, 1), tcInfotron);
    EXPECT_EQ(fall.level().Cells[2][1].FrameBase, 0);

    // A ball sliding onto a cell above dynamite leaves it; rolling down onto it sets it off.
    GameRig slide({"@O ", "XXr"});
    slide.play().PushRight = true;
    for (int i = 0; i < 30; ++i) MoveObjects(slide.game().world, slide.game().events, 10);
    EXPECT_EQ(slide.Tile(1, 3), tcBall);
    EXPECT_EQ(slide.Tile(2, 3), tcRedDynamite);
    EXPECT_EQ(slide.play().ExplosionCount, 0);
    GameRig roll({"@O ", "XX ", "XXr"});
    roll.play().PushRight = true;
    for (int i = 0; i < 30; ++i) MoveObjects(roll.game().world, roll.game().events, 10);
    ASSERT_GE(roll.play().ExplosionCount, 1);
    EXPECT_EQ(roll.play().Explosions[1].Row, 3);
    EXPECT_EQ(roll.play().Explosions[1].Col, 3);

    // Yellow dynamite falling onto a reserved cell does not explode.
    GameRig busy({"y@", "  ", "x "});
    for (int i = 0; i < 20; ++i) MoveObjects(busy.game().world, busy.game().events, 10);
    EXPECT_EQ(busy.Tile(2, 1), tcYellowDynamite);
    EXPECT_EQ(busy.play().ExplosionCount, 0);
}
