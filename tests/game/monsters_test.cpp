// Monsters: the searches without a heading, wall following and its turns, the kind-38 picture
// turning before it moves, speeds and cells, and when a monster catches the player.
#include "game/monsters.h"

#include <gtest/gtest.h>

#include <array>

#include "game/explosions.h"
#include "game/game_rig.h"

namespace {

// A monster of the rig as a decision would leave it: at rest with a heading.
Monster& Headed(GameRig& rig, int index, int heading) {
    Monster& m = rig.level().Monsters[index];
    m.Heading = heading;
    return m;
}

TEST(MonsterSearch, KindWithoutHeadingPrefersUpLeftDownRight) {
    GameRig rig({"XXX", "XW ", "X X", "XXX", "X@X"});
    rig.Tick(10);
    const Monster& m = rig.level().Monsters[1];
    EXPECT_EQ(m.Move, 3);
    EXPECT_EQ(m.TargetY, 120);
    EXPECT_EQ(rig.Tile(2, 2), tcBusy);
    EXPECT_EQ(rig.Tile(3, 2), tcEmpty);  // claimed only on arrival
    EXPECT_EQ(m.PosY, 80);               // a deciding tick does not move
}

TEST(MonsterSearch, EnclosedSpinningMonsterTurnsForeverAndCatchesNobody) {
    GameRig rig({"XXX", "XMX", "XXX"});
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
    GameRig up({"XX X", "X MX", "X  X", "XXXX", "X@XX"});
    Headed(up, 1, 4);
    up.Tick(10);
    EXPECT_EQ(up.level().Monsters[1].Move, 1);
    EXPECT_EQ(up.level().Turn[1], 1);

    // Up closed, down open with the cell below-left solid: the clockwise turn down.
    GameRig down({"XXXX", "X MX", "XX X", "XXXX", "X@XX"});
    Headed(down, 1, 4);
    down.Tick(10);
    EXPECT_EQ(down.level().Monsters[1].Move, 3);
    EXPECT_EQ(down.level().Turn[1], -1);

    // Below-left open too: no wall to follow down; the spinning search takes over.
    GameRig none({"XXXX", "X MX", "X  X", "XXXX", "X@XX"});
    Headed(none, 1, 4);
    none.Tick(10);
    EXPECT_EQ(none.level().Monsters[1].Move, 0);
    EXPECT_EQ(none.level().Turn[1], 0);
}

TEST(MonsterWalls, FollowsAWallAroundItsEnd) {
    // Heading up along a wall on its left that ends: it turns left around the end.
    GameRig rig({"     ", " X   ", " XW  ", " X   ", "   @ "});
    Headed(rig, 1, 1);
    rig.Set(3, 3, tcBusy);
    rig.Tick(10);
    EXPECT_EQ(rig.level().Monsters[1].Move, 1);  // wall beside, way ahead open: straight on
    EXPECT_EQ(rig.level().Turn[1], 0);
    // At the wall's end: left open, the cell below-left (the wall) solid.
    GameRig end({"     ", "  W  ", " X   ", " X   ", "   @ "});
    Headed(end, 1, 1);
    end.Set(1, 3, 30);
    end.Tick(10);
    EXPECT_EQ(end.level().Monsters[1].Move, 2);
    EXPECT_EQ(end.level().Turn[1], 1);
}

TEST(MonsterWalls, TheTwoTurnsAreTriedInRandomOrder) {
    bool left = false, right = false;
    for (uint64_t seed = 1; seed <= 16; ++seed) {
        GameRig rig({"XXXXX", "X X X", "X W X", "XXXXX", "X@XXX"});
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
    GameRig rig({"XX X", "X MX", "XXXX", "X@XX"});
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
    EXPECT_EQ(rig.Tile(2, 3), tcBusy);
    rig.Tick(10);  // 40 px at 3 px a tick: the position passes the target in the 14th
    EXPECT_EQ(m.Move, 0);
    EXPECT_EQ(m.PosY, 40);
    EXPECT_EQ(rig.Tile(2, 3), tcEmpty);
    EXPECT_EQ(rig.Tile(1, 3), tcBusy);
}

TEST(MonsterCatch, UpAndLeftCatchAtOnceDownAndRightOnlyOnArrival) {
    GameRig up({"@X", "WX", "XX"});
    up.Tick(10);  // deciding
    EXPECT_EQ(up.play().Lives, 3);
    up.Tick(10);
    EXPECT_EQ(up.play().Lives, 2);
    EXPECT_EQ(up.level().MonsterCount, 0);

    GameRig down({"WX", "@X", "XX"});
    down.Ticks(14, 10);
    EXPECT_EQ(down.play().Lives, 3);
    down.Tick(10);
    EXPECT_EQ(down.play().Lives, 2);

    GameRig cheat({"WX", "@X", "XX"});
    cheat.play().Mortal = 0;
    cheat.Ticks(30, 10);
    EXPECT_EQ(cheat.play().Lives, 3);
    EXPECT_EQ(cheat.level().MonsterCount, 1);
}

TEST(MonsterCatch, DecidingTickDoesNotCatchThePlayerInItsCell) {
    GameRig rig({"XXX", "XW ", "X X"});
    rig.PlacePlayer(2, 2);
    rig.Tick(10);
    EXPECT_EQ(rig.level().Monsters[1].Move, 3);
    EXPECT_EQ(rig.play().Lives, 3);
    rig.Tick(10);  // moving down it is still in its cell
    EXPECT_EQ(rig.play().Lives, 2);
}

}  // namespace

namespace {

// ---- Monsters ----

// The wall-following table, written out plainly, as an oracle for a kind-39 monster with a heading,
// no turn pending and nothing in motion: the move and the turn value it chooses for the given open
// neighbours, with the counter-clockwise turn tried first or second; the fixed search decides
// when no rule applies.
struct Choice {
    int Move;
    int Turn;
    bool operator==(const Choice& o) const { return Move == o.Move && Turn == o.Turn; }
};

// Open neighbours by (dr, dc).
struct Around {
    unsigned Bits;
    bool E(int dr, int dc) const { return Bits >> Index(dr, dc) & 1u; }
    static int Index(int dr, int dc) {
        const int i = (dr + 1) * 3 + (dc + 1);
        return i < 4 ? i : i - 1;  // the centre has no bit
    }
};

Choice Oracle(int heading, const Around& a, bool ccwFirst) {
    Choice ccw{0, 0}, cw{0, 0}, straight{0, 0};
    switch (heading) {
        case 1:
            if (a.E(0, -1) && !(a.E(1, -1) && a.E(-1, 0))) ccw = {2, 1};
            if (a.E(0, 1) && !(a.E(1, 1) && a.E(-1, 0))) cw = {4, -1};
            if (a.E(-1, 0)) straight = {1, 0};
            break;
        case 2:
            if (a.E(1, 0) && !(a.E(1, 1) && a.E(0, -1))) ccw = {3, 1};
            if (a.E(-1, 0) && !(a.E(-1, 1) && a.E(0, -1))) cw = {1, -1};
            if (a.E(0, -1)) straight = {2, 0};
            break;
        case 3:
            if (a.E(0, 1) && !(a.E(-1, 1) && a.E(1, 0))) ccw = {4, 1};
            if (a.E(0, -1) && !(a.E(-1, -1) && a.E(1, 0))) cw = {2, -1};
            if (a.E(1, 0)) straight = {3, 0};
            break;
        case 4:
            if (a.E(-1, 0) && !(a.E(-1, -1) && a.E(0, 1))) ccw = {1, 1};
            if (a.E(1, 0) && !a.E(1, -1)) cw = {3, -1};
            if (a.E(0, 1)) straight = {4, 0};
            ccwFirst = true;
            break;
    }
    // An array, not a list picked by ?: (the list's elements would not outlive the choice).
    const std::array<Choice, 3> order = ccwFirst ? std::array<Choice, 3>{ccw, cw, straight}
                                                 : std::array<Choice, 3>{cw, ccw, straight};
    for (const Choice& c : order)
        if (c.Move != 0) return c;
    if (a.E(-1, 0)) return {1, 0};
    if (a.E(0, -1)) return {2, 0};
    if (a.E(1, 0)) return {3, 0};
    if (a.E(0, 1)) return {4, 0};
    return {0, 0};
}

// One deciding tick of a kind-39 monster at (3, 3) with the given heading and neighbours, in a
// rig whose player stands far away.
Choice Decide(GameRig& rig, int heading, const Around& a, uint64_t seed) {
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc)
            if (dr != 0 || dc != 0) rig.Set(3 + dr, 3 + dc, a.E(dr, dc) ? tcEmpty : 45);
    rig.level().MonsterCount = 0;
    rig.level().Turn[1] = 0;
    rig.AddMonster(39, 3, 3);
    rig.level().Monsters[1].Heading = heading;
    rig.game().world.random.Seed(seed);
    MoveMonsters(rig.game().world, rig.game().events, 10);
    const Monster& m = rig.level().Monsters[1];
    EXPECT_EQ(m.PosX, 120.0);  // a deciding tick does not move
    EXPECT_EQ(m.PosY, 120.0);
    return {m.Move, rig.level().Turn[1]};
}

}  // namespace

TEST(MonsterTable, EveryNeighbourhoodOfEveryHeadingChoosesAsTheTableSays) {
    GameRig rig(5, 5);
    rig.PlacePlayer(5, 5);
    for (int heading = 1; heading <= 4; ++heading) {
        bool sawCcwFirst = false, sawCwFirst = false;
        for (unsigned bits = 0; bits < 256; ++bits) {
            const Around a{bits};
            const Choice first = Oracle(heading, a, true), second = Oracle(heading, a, false);
            const Choice got = Decide(rig, heading, a, 1 + bits);
            EXPECT_TRUE(got == first || got == second)
                << "heading " << heading << " neighbours " << bits << ": move " << got.Move
                << " turn " << got.Turn << ", expected move " << first.Move << " or "
                << second.Move;
            if (!(first == second)) {
                sawCcwFirst |= got == first;
                sawCwFirst |= got == second;
            }
        }
        if (heading == 4) continue;  // counter-clockwise first, always
        EXPECT_TRUE(sawCcwFirst) << heading;
        EXPECT_TRUE(sawCwFirst) << heading;
    }
}

TEST(MonsterDecision, ChosenMoveClaimsTheOwnCellAndSetsItsTarget) {
    GameRig rig({"XXXXX", "X   X", "XXWXX", "XXXXX", "@XXXX"});
    rig.Set(3, 3, tcEmpty);  // the cell is claimed by the decision itself
    Monster& m = rig.level().Monsters[1];
    m.Heading = 2;  // left: counter-clockwise would be down (solid), clockwise up
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(m.Move, 1);
    EXPECT_EQ(m.TargetY, 80.0);
    EXPECT_EQ(m.FromCol, 3);
    EXPECT_EQ(m.FromRow, 3);
    EXPECT_EQ(rig.Tile(3, 3), tcBusy);
    EXPECT_EQ(rig.Tile(2, 3), tcEmpty);
}

// A turn left pending (from a destroyed neighbour's slot or a previous level) skips the wall
// rules for one decision, except going straight on with heading 4.
TEST(MonsterDecision, PendingTurnSkipsTheWallRulesButNotHeadingFourStraightOn) {
    // Heading 1, left open and the way ahead solid: the counter-clockwise turn would apply.
    GameRig rig({"XXXXX", "XXXXX", "X MXX", "XXXXX", "@XXXX"});
    Monster& m = rig.level().Monsters[1];
    m.Heading = 1;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(m.Move, 0);  // the spinning search took over: facing up, which is solid
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_NEAR(m.FramePos, 0.3, 1e-12);  // turned before its move and again in the search
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(m.Move, 2);  // now the wall rule applies
    EXPECT_EQ(rig.level().Turn[1], 1);

    GameRig right({"XXXXX", "XXXXX", "XXM X", "XXXXX", "@XXXX"});
    Monster& r = right.level().Monsters[1];
    r.Heading = 4;
    right.level().Turn[1] = -1;
    MoveMonsters(right.game().world, right.game().events, 10);
    EXPECT_EQ(r.Move, 4);
    EXPECT_EQ(r.TargetX, 160.0);
    EXPECT_EQ(right.level().Turn[1], 0);
    EXPECT_NEAR(r.FramePos, 7.85, 1e-12);  // its turn before the move took it clockwise past 0
    EXPECT_EQ(r.Frame, 7);
}

TEST(MonsterDecision, SpinningSearchLeavesAsSoonAsThePictureFacesAnOpening) {
    GameRig rig({"XXXXX", "X XXX", "XXMXX", "XXXXX", "@XXXX"});
    rig.Set(3, 2, tcEmpty);
    Monster& m = rig.level().Monsters[1];
    m.FramePos = 1.9;  // 0.15 a tick at lag 10: pattern 2 (left) in the first tick
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(m.Frame, 2);
    EXPECT_EQ(m.Move, 2);
    EXPECT_EQ(m.TargetX, 80.0);
    EXPECT_EQ(rig.level().Turn[1], 0);

    // Past the last pattern the position wraps by the pattern count: pattern 0, up.
    GameRig wrap({"XXXXX", "XX XX", "XXMXX", "XXXXX", "@XXXX"});
    Monster& w = wrap.level().Monsters[1];
    w.FramePos = 7.9;
    MoveMonsters(wrap.game().world, wrap.game().events, 10);
    EXPECT_NEAR(w.FramePos, 0.05, 1e-9);
    EXPECT_EQ(w.Frame, 0);
    EXPECT_EQ(w.Move, 1);
}

TEST(MonsterDecision, FixedSearchTakesUpThenLeftThenDownThenRight) {
    const char* layouts[] = {"XX XX|X W X|XX XX", "XXXXX|X W X|XX XX", "XXXXX|XXW X|XX XX",
                             "XXXXX|XXW X|XXXXX"};
    const int expected[] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        std::vector<std::string> rows;
        std::string text = layouts[i];
        for (size_t start = 0;;) {
            const size_t bar = text.find('|', start);
            rows.push_back(text.substr(start, bar - start));
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        rows.push_back("XXXXX");
        rows.push_back("@XXXX");
        GameRig rig(rows);
        MoveMonsters(rig.game().world, rig.game().events, 10);
        EXPECT_EQ(rig.level().Monsters[1].Move, expected[i]) << layouts[i];
        EXPECT_EQ(rig.level().Turn[1], 0);
    }
}

TEST(MonsterTurning, PictureTurnsBothWaysWrappingAndStopsFacingTheMove) {
    GameRig rig({"XXXXX", "XX XX", "XXMXX", "XXXXX", "@XXXX"});
    Monster& m = rig.level().Monsters[1];
    m.Move = 1;
    m.TargetY = 80;
    m.FromCol = 3;
    m.FromRow = 3;
    m.FramePos = 7.9;
    m.Frame = 7;
    rig.level().Turn[1] = 1;  // counter-clockwise past the last pattern to pattern 0
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_NEAR(m.FramePos, 0.05, 1e-9);
    EXPECT_EQ(m.Frame, 0);
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_LT(m.PosY, 120.0);  // facing, so it advanced in the same tick

    GameRig cw({"XXXXX", "XXXXX", "XXM X", "XXXXX", "@XXXX"});
    Monster& c = cw.level().Monsters[1];
    c.Move = 4;
    c.TargetX = 160;
    c.FromCol = 3;
    c.FromRow = 3;
    c.FramePos = 0.1;
    cw.level().Turn[1] = -1;  // clockwise below 0 wraps to the top patterns
    MoveMonsters(cw.game().world, cw.game().events, 10);
    EXPECT_NEAR(c.FramePos, 7.95, 1e-12);
    EXPECT_EQ(c.Frame, 7);
    EXPECT_EQ(cw.level().Turn[1], -1);
    EXPECT_EQ(c.PosX, 120.0);  // does not advance while turning
    for (int i = 0; i < 6; ++i) MoveMonsters(cw.game().world, cw.game().events, 10);
    EXPECT_EQ(c.Frame, 7);
    EXPECT_EQ(c.PosX, 120.0);
    MoveMonsters(cw.game().world, cw.game().events,
                 10);  // pattern 6 faces right: the turn ends and the move starts
    EXPECT_EQ(c.Frame, 6);
    EXPECT_EQ(cw.level().Turn[1], 0);
    EXPECT_DOUBLE_EQ(c.PosX, 123.0);
}

TEST(MonsterTurning, CrawlerDropsAPendingTurnAndMovesInTheSameTick) {
    GameRig rig({"XXXXX", "XXXXX", "XXW X", "XXXXX", "@XXXX"});
    Monster& m = rig.level().Monsters[1];
    m.Move = 4;
    m.TargetX = 160;
    m.FromCol = 3;
    m.FromRow = 3;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(rig.level().Turn[1], 0);
    EXPECT_DOUBLE_EQ(m.PosX, 123.0);  // 10 ms at 300 / 1000 pixels a ms
    EXPECT_EQ(m.Heading, 4);
}

TEST(MonsterMoving, ArrivalSnapsToTheTargetFreesTheCellLeftAndClaimsTheNewOne) {
    GameRig rig({"XXXXX", "XXXXX", "XXW X", "XXXXX", "@XXXX"});
    Monster& m = rig.level().Monsters[1];
    MoveMonsters(rig.game().world, rig.game().events, 10);  // fixed search: right
    ASSERT_EQ(m.Move, 4);
    MoveMonsters(rig.game().world, rig.game().events, 130);  // 39 pixels
    EXPECT_DOUBLE_EQ(m.PosX, 159.0);
    EXPECT_EQ(m.Col, 3);  // moving right it stays in its cell until it arrives
    EXPECT_EQ(rig.Tile(3, 4), tcEmpty);
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(m.PosX, 160.0);
    EXPECT_EQ(m.Move, 0);
    EXPECT_EQ(m.Col, 4);
    EXPECT_EQ(rig.Tile(3, 3), tcEmpty);
    EXPECT_EQ(rig.Tile(3, 4), tcBusy);
    // Exactly on the target is not yet past it.
    MoveMonsters(rig.game().world, rig.game().events, 10);  // decides: back left
    ASSERT_EQ(m.Move, 2);
    MoveMonsters(rig.game().world, rig.game().events,
                 400);  // 120 pixels in one tick: still snaps to the target
    EXPECT_EQ(m.PosX, 120.0);
    EXPECT_EQ(rig.Tile(3, 3), tcBusy);
    EXPECT_EQ(rig.Tile(3, 4), tcEmpty);
}

TEST(MonsterCatching, ATurningMonsterStillCatchesAPlayerInItsCell) {
    GameRig rig({"XXXXX", "XX XX", "XXMXX", "XXXXX", "XXXXX"});
    rig.PlacePlayer(3, 3);
    Monster& m = rig.level().Monsters[1];
    m.Move = 1;
    m.TargetY = 80;
    m.FramePos = 4;
    m.Frame = 4;
    rig.level().Turn[1] = 1;
    MoveMonsters(rig.game().world, rig.game().events, 10);
    EXPECT_EQ(rig.play().Lives, 2);
    EXPECT_EQ(rig.level().MonsterCount, 0);
    ASSERT_EQ(rig.play().ExplosionCount, 1);
    EXPECT_EQ(rig.play().Explosions[1].Col, 3);
    EXPECT_EQ(rig.play().Explosions[1].Row, 3);

    // With the guard up the catch does nothing.
    GameRig guarded({"XXXXX", "XX XX", "XXMXX", "XXXXX", "XXXXX"});
    guarded.PlacePlayer(3, 3);
    guarded.level().Monsters[1].Move = 1;
    guarded.level().Monsters[1].TargetY = 80;
    guarded.level().Turn[1] = 1;
    guarded.play().BlastGuard = true;
    MoveMonsters(guarded.game().world, guarded.game().events, 10);
    EXPECT_EQ(guarded.play().Lives, 3);
    EXPECT_EQ(guarded.play().ExplosionCount, 0);
}
